// Closing the main window: the frame hides the program, Exit asks and does
// what the answer says, and never while another window is showing; the tray
// icon's buttons.
#include "MainWindowFixture.h"
#include "TTestClock.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "common/ZWinMessages.h"
#include "forms/TfrmZForm.h"
#include "main/TfrmMOXMain.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class MainWindowClose : public MainWindowFixture
{
protected:
    void exit() { window->findChild<QAction *>(s("actExit"))->trigger(); }

    /// Hidden to the tray (minimised where the platform has no tray).
    bool inTray() const { return window->isHidden() || window->isMinimized(); }

    void bringBack()
    {
        window->ShowProgram();
        ASSERT_FALSE(inTray());
    }

    const QString question = s("退出后所有的事项均无法自动提醒，您确认要退出吗？");
};

} // namespace

TEST_F(MainWindowClose, TheFrameHidesToTheTrayAndExitAsks)
{
    TfrmMOXMain &main = showWindow();
    QSignalSpy ends(&main, &TfrmMOXMain::ProgramEnds);

    // The frame's close button only hides, without asking.
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(inTray());
    EXPECT_TRUE(texts.isEmpty());
    bringBack();

    // "返回" keeps the program as it was, and the next frame close hides
    // again without asking.
    answers = QStringList{s("btnCancel")};
    shotName = s("main_window_exit_question");
    exit();
    EXPECT_EQ(texts, QStringList{question});
    EXPECT_EQ(captions, QStringList{main.windowTitle()});
    EXPECT_FALSE(inTray());
    EXPECT_FALSE(main.ExitRequested());
    main.close();
    EXPECT_EQ(texts.size(), 1);
    EXPECT_TRUE(inTray());
    bringBack();

    // "最小化到托盘" hides.
    answers = QStringList{s("btnOK")};
    exit();
    EXPECT_TRUE(inTray());
    bringBack();

    // "备份后退出": the backup window backs the data file up, tells where,
    // and the program ends; also after a backup from the menu a moment
    // before, whose window is gone by then.
    QTimer backUp;
    backUp.setInterval(10);
    QObject::connect(&backUp, &QTimer::timeout, [] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->inherits("TfrmACCESSBackUp"))
            modal->findChild<QPushButton *>(s("btnOK"))->click();
    });
    backUp.start();
    TTestClock clock(QDateTime(QDate(2026, 12, 8), QTime(9, 0)));
    texts.clear();
    answers = QStringList{s("btnOK")};
    main.findChild<QAction *>(s("actAccessBackUp"))->trigger();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].startsWith(s("数据已备份至: "))) << texts[0].toStdString();
    clock.set(QDateTime(QDate(2026, 12, 8), QTime(9, 5)));
    texts.clear();
    answers = QStringList{s("btnYes"), s("btnOK")};
    exit();
    backUp.stop();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[1].startsWith(s("数据已备份至: "))) << texts[1].toStdString();
    EXPECT_EQ(QDir(path(s("DBBack"))).entryList({s("ACS1_*.Bak")}, QDir::Files).size(), 2);
    EXPECT_EQ(ends.count(), 1);
    EXPECT_TRUE(main.isHidden());
}

TEST_F(MainWindowClose, ExitIsRefusedWhileAModuleIsOpen)
{
    TfrmMOXMain &main = showWindow();
    QSignalSpy ends(&main, &TfrmMOXMain::ProgramEnds);
    main.CommandButton(1, s("人脉库"))->click();
    ASSERT_FALSE(TfrmZForm::OpenForms().size() < 2);

    exit();
    EXPECT_EQ(texts, QStringList{s("请先关闭所有打开的子窗体，才能关闭主程序！")});
    EXPECT_FALSE(inTray());
    EXPECT_FALSE(main.ExitRequested());

    // Once the module is closed, Exit asks.
    for (TfrmZForm *form : TfrmZForm::OpenForms()) {
        if (form != &main)
            form->close();
    }
    answers = QStringList{s("btnNo")};
    exit();
    EXPECT_EQ(texts.value(1), question);
    EXPECT_EQ(ends.count(), 1);
}

TEST_F(MainWindowClose, TheTrayIconsButtons)
{
    TfrmMOXMain &main = showWindow();
    const auto tray = [&](int mouse) {
        QCoreApplication::postEvent(&main, new TZMessageEvent(ZWM_TRAYICON, QString(), QString(), mouse));
        QCoreApplication::sendPostedEvents(&main);
    };
    // The left button toggles the program while no reminder is pending.
    tray(0x0202);
    EXPECT_TRUE(inTray());
    tray(0x0202);
    EXPECT_FALSE(inTray());
    // Another window showing: the left button shows the program.
    main.CommandButton(0, s("记事本"))->click();
    tray(0x0202);
    EXPECT_FALSE(inTray());

    // The right button opens the tray menu.
    tray(0x0205);
    QMenu *menu = main.TrayMenu();
    EXPECT_TRUE(menu->isVisible());
    QStringList items;
    for (QAction *action : menu->actions())
        items << (action->isSeparator() ? s("-") : action->text());
    EXPECT_EQ(items, QStringList({s("打开主界面"), s("隐藏界面"), s("-"), s("功能"), s("查询"), s("-"), s("关于..."),
                                  s("-"), s("退出")}));
    ZSaveScreenshot(*menu, s("main_window_tray_menu"));
    menu->hide();

    // The tray menu's commands.
    main.findChild<QAction *>(s("actMinMainForm"))->trigger();
    EXPECT_TRUE(inTray());
    main.findChild<QAction *>(s("actOpenMainForm"))->trigger();
    EXPECT_FALSE(inTray());
}
