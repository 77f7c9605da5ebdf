// The main window as it comes up: its caption names the open data file, the
// greeting, clock and version, the page buttons in their places, and the
// commands of the panel opening their modules through the launcher.
#include "MainWindowFixture.h"
#include "TTestClock.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "common/ZAppTitle.h"
#include "common/ZClock.h"
#include "common/ZMainWindow.h"
#include "common/ZVersion.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "forms/TfrmZForm.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/ZLauncher.h"
#include "main/TfrmMOXMain.h"
#include "settings/ZSession.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using MainWindow = MainWindowFixture;

namespace {

QString labelText(const QWidget &window, const char *name)
{
    const auto *label = window.findChild<QLabel *>(s(name));
    return label ? label->text() : s("<none>");
}

QList<TfrmZForm *> openOf(const char *className)
{
    QList<TfrmZForm *> forms;
    for (TfrmZForm *form : TfrmZForm::OpenForms()) {
        if (form->inherits(className) && !form->Closed())
            forms << form;
    }
    return forms;
}

} // namespace

TEST_F(MainWindow, CaptionGreetingClockAndIndicator)
{
    SetZClock(QDateTime(QDate(2026, 3, 5), QTime(8, 9, 10)));
    DBConn().ChangeAccessFile(3);
    SaveParamValue(s("MyName"), s("张三"));
    GetParamInfo().UpdateParamInfo();
    TfrmMOXMain &main = showWindow(3);
    EXPECT_EQ(main.windowTitle(), ZApplicationTitle() + s("(第3帐套)"));
    EXPECT_EQ(ZMainWindow(), &main);
    EXPECT_EQ(labelText(main, "lblGreeting"), s("张三,欢迎您！"));
    EXPECT_EQ(labelText(main, "lblVersion"), GetAppVersion());
    EXPECT_EQ(labelText(main, "lblTime"), s("08:09:10"));
    EXPECT_EQ(labelText(main, "lblWeek"), s("星期四"));
    EXPECT_EQ(labelText(main, "lblDate"), s("2026年03月05日"));
    EXPECT_EQ(labelText(main, "lblRemind"), s("提醒(0)"));
    // The tick shows the clock.
    SetZClock(QDateTime(QDate(2026, 3, 8), QTime(23, 59, 59)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return labelText(main, "lblTime") == s("23:59:59"); }, 5000));
    EXPECT_EQ(labelText(main, "lblWeek"), s("星期日"));
    EXPECT_EQ(labelText(main, "lblDate"), s("2026年03月08日"));
    EXPECT_TRUE(main.RemindTimer()->isActive());
    EXPECT_EQ(main.RemindTimer()->interval(), 1000);
    EXPECT_FALSE(main.BlinkTimer()->isActive());
    EXPECT_EQ(main.BlinkTimer()->interval(), 500);
    ASSERT_NE(main.TrayIcon(), nullptr);
    ResetZClock();
}

TEST_F(MainWindow, WithoutAnOwnersNameTheGreetingNamesTheLoginUser)
{
    UserInfo.UserID = s("Admin");
    UserInfo.PersonName = s("李四");
    TfrmMOXMain &main = showWindow();
    EXPECT_EQ(labelText(main, "lblGreeting"), s("李四,欢迎您！"));
}

TEST_F(MainWindow, PageButtonsStandAboveExitFourPixelsApart)
{
    TfrmMOXMain &main = showWindow();
    EXPECT_EQ(main.CurrentPage(), 0);
    EXPECT_TRUE(main.PageButton(0)->isChecked());
    EXPECT_EQ(main.focusWidget(), main.PageButton(0));
    // From the bottom: Exit, then the pages 4, 3, 2, 1, 0 upwards.
    const QList<QPushButton *> upwards = {main.ExitButton(),  main.PageButton(4), main.PageButton(3),
                                          main.PageButton(2), main.PageButton(1), main.PageButton(0)};
    const QStringList captions = {s("退出"), s("系统设置"), s("知识积累"), s("个人账务"), s("人脉经营"), s("行程管理")};
    for (int i = 0; i < upwards.size(); ++i) {
        EXPECT_TRUE(upwards[i]->isVisible()) << i;
        EXPECT_EQ(upwards[i]->text(), captions[i]);
        if (i > 0) {
            EXPECT_EQ(upwards[i]->geometry().bottom() + 1 + 4, upwards[i - 1]->geometry().top()) << i;
        }
    }
    EXPECT_EQ(main.ExitButton()->geometry().bottom() + 1, main.ExitButton()->parentWidget()->height() - 10);
    EXPECT_FALSE(main.PageButton(5)->isVisible());
    EXPECT_FALSE(main.PageButton(6)->isVisible());

    for (int page = 0; page <= 4; ++page) {
        main.PageButton(page)->click();
        EXPECT_EQ(main.CurrentPage(), page);
        ZSaveScreenshot(main, s("main_window_page%1").arg(page));
    }
    // The layout follows the window's height.
    main.resize(main.width(), main.height() + 60);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(main.ExitButton()->geometry().bottom() + 1, main.ExitButton()->parentWidget()->height() - 10);
    EXPECT_EQ(main.PageButton(4)->geometry().bottom() + 1 + 4, main.ExitButton()->geometry().top());
}

TEST_F(MainWindow, CommandsOpenTheirModulesAndNoticesOpenTheNoticeWindow)
{
    TfrmMOXMain &main = showWindow();

    // A list command opens the module's list, and again brings it back.
    main.CommandButton(0, s("写日记"))->click();
    ASSERT_EQ(openOf("TfrmListFormPub").size(), 1);
    TfrmZForm *diaries = openOf("TfrmListFormPub").first();
    EXPECT_EQ(diaries->windowTitle(), s("写日记【清单】"));
    main.CommandButton(0, s("目标管理"))->click();
    main.CommandButton(0, s("写日记"))->click();
    EXPECT_EQ(openOf("TfrmListFormPub").size(), 2);
    EXPECT_TRUE(texts.isEmpty()) << texts.join(s("\n")).toStdString();
    // Modules opened from the main window know it as their opener.
    EXPECT_EQ(diaries->ParentForm(), &main);

    // By ProgID: the report's own window.
    main.CommandButton(2, s("支出统计表"))->click();
    EXPECT_NE(GetIsExistForm(s("TfrmRptFeeTotal")), nullptr);

    // The data reminders' window, from the system menu.
    main.findChild<QAction *>(s("actRemindBox"))->trigger();
    EXPECT_NE(GetIsExistForm(s("TfrmRemindBox")), nullptr);

    // A window of a package: the package is loaded for it.
    main.CommandButton(0, s("写字板"))->click();
    EXPECT_NE(GetIsExistForm(s("TfrmHandPaper")), nullptr);
    EXPECT_TRUE(texts.isEmpty()) << texts.join(s("\n")).toStdString();

    // A modal window: it is shown modal, and the command returns once it
    // closes. A stand-in window takes the class while no package has it.
    const bool standIn = !TFormClassCtrl::IsRegistered(s("TfrmSystemSet"));
    if (standIn)
        ZRegisterClass(s("TfrmSystemSet"), [] { return new TfrmZForm; });
    bool wasModal = false;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget *modal = QApplication::activeModalWidget(); modal && modal->inherits("TfrmZForm")) {
            wasModal = modal->windowModality() == Qt::ApplicationModal;
            modal->close();
        }
    });
    closer.start();
    main.CommandButton(4, s("系统设定"))->click();
    closer.stop();
    EXPECT_TRUE(wasModal);
    if (standIn)
        ZUnRegisterClass(s("TfrmSystemSet"));

    // A notice opens the notice window, showing the hidden program first.
    main.hide();
    PostMsgToMainWindow(s("已保存"), 16711680);
    QCoreApplication::sendPostedEvents(&main);
    EXPECT_TRUE(main.isVisible());
    QWidget *notice = GetIsExistForm(s("TfrmUserMsg"));
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->findChild<QPlainTextEdit *>()->toPlainText(), s("已保存"));
}

TEST_F(MainWindow, ContactWindowsOpenAndLunarBirthdaysMoveToTheNewYearAtStart)
{
    // Rows written in 2025 for a lunar birthday (lunar 8/15: 6 October 2025).
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into moxAddressBook(PersonID, PersonName, BornDate, IsLunar) "
                     "values('P1', '王五', '1980-08-15 00:00:00', 1)"));
    db.DBExcuteSql(s("insert into moxRemind(Flag, RemindID, RemindType, RemindMonth, RemindDay) values(2, 'P1', 4, 10, 5)"));
    db.DBExcuteSql(s("insert into moxRemind(Flag, RemindID, RemindType, RemindMonth, RemindDay) values(3, 'P1', 4, 10, 6)"));
    SaveParamValue(s("BornDateRemindYear"), s("2025"));
    auto clock = std::make_unique<TTestClock>(QDateTime(QDate(2026, 3, 1), QTime(9, 0)));
    TfrmMOXMain &main = showWindow();
    clock.reset();
    EXPECT_EQ(db.DBSelectValue(s("select group_concat(RemindMonth || '/' || RemindDay, ',') from "
                                 "(select * from moxRemind where RemindID = 'P1' order by Flag)"))
                  .value(0),
              s("9/24,9/25"));
    EXPECT_EQ(GetParamValue(s("BornDateRemindYear")), s("2026"));

    main.CommandButton(1, s("名片库"))->click();
    EXPECT_EQ(openOf("TfrmNameCards").size(), 1);
    main.CommandButton(4, s("我的资料"))->click();
    ASSERT_EQ(openOf("TfrmMyInfo").size(), 1);
    EXPECT_EQ(openOf("TfrmMyInfo").first()->GetProgID(), s("moxMyInfo"));
    EXPECT_TRUE(texts.isEmpty()) << texts.join(s("\n")).toStdString();
}

// Opened on a data file that an older program last updated, the main window
// first runs the database update of the loaded package, in its automatic
// mode: one confirmation, the backup, the tables, "升级完成！".
TEST_F(MainWindow, OnAnOlderDataFileTheUpdateRunsFirst)
{
    copyUpdateData();
    DBConn().ChangeAccessFile(2);
    SaveParamValue(s("LastUpdateVersion"), s("0.1.0.0"));
    DBConn().DBExcuteSql(s("insert into moxNotepad(NoteID, NoteTitle) values('N1', '旧笔记')"));
    GetParamInfo().UpdateParamInfo();
    showWindow(2);
    EXPECT_EQ(texts, QStringList({s("资料库结构更新，点击确认按钮，系统自动升级"), s("升级完成！")}));
    EXPECT_EQ(GetParamValue(s("LastUpdateVersion")), GetAppVersionID());
    EXPECT_EQ(DBConn().DBSelectValue(s("select NoteTitle from moxNotepad where NoteID = 'N1'")),
              QStringList({s("旧笔记")}));
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from comCurrency")), 0); // updated before: no default rows
    EXPECT_FALSE(QDir(path(s("DBBack"))).entryList({s("ACS2_*.Bak")}, QDir::Files).isEmpty());
}
