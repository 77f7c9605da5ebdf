// The database update window: the automatic run the main window starts on a
// data file never updated (its one confirmation, the backup, the messages,
// the default rows, once only), the "升级" button with its confirmation, and
// Cancel between tables.
#include "TDataFileTest.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "common/ZVersion.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "forms/TfrmACCESSBackUp.h"
#include "forms/TfrmUpdateDB.h"
#include "forms/ZMessageBox.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/ZCheckDBUpdate.h"
#include "launcher/ZLauncher.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class UpdateWindow : public TDataFileTest
{
protected:
    void SetUp() override
    {
        TDataFileTest::SetUp();
        copyUpdateData();
        // The package's windows, as the loaded package registers them (the
        // registry is emptied between tests).
        ZRegisterClass(s("TfrmUpdateDB"), [] { return new TfrmUpdateDB; });
        ZRegisterClass(s("TfrmACCESSBackUp"), [] { return new TfrmACCESSBackUp; });
        SetZBoxAnswerer([this](QDialog &box) {
            const auto *text = box.findChild<QLabel *>(s("lblText"));
            told << (text ? text->text() : QString());
            if (told.last() == s("升级完成！")) {
                if (auto *window = qobject_cast<TfrmUpdateDB *>(GetIsExistForm(s("TfrmUpdateDB")))) {
                    messages = texts(*window->lstMessages);
                    if (window->AutoMode())
                        ZSaveScreenshot(*window, s("update_window_auto"));
                }
            }
            box.findChild<QPushButton *>(answers.isEmpty() ? s("btnOK") : answers.takeFirst())->click();
        });
    }
    void TearDown() override
    {
        SetZBoxAnswerer(nullptr);
        TDataFileTest::TearDown();
    }

    static QStringList texts(const QListWidget &list)
    {
        QStringList lines;
        for (int i = 0; i < list.count(); ++i)
            lines << list.item(i)->text();
        return lines;
    }
    QStringList backups() const { return QDir(path(s("DBBack"))).entryList({s("ACS1_*.Bak")}, QDir::Files); }

    QStringList told;
    QStringList answers;
    QStringList messages;
};

} // namespace

TEST_F(UpdateWindow, ANewDataFileIsUpdatedOnceWithItsDefaultRows)
{
    DBConn().DBExcuteSql(s("insert into moxDiary(DiaryID, Title) values('D1', '第一篇日记')"));
    ASSERT_TRUE(DBConn().IsNeedUpdate());
    CheckDBUpdate();
    EXPECT_EQ(told, QStringList({s("资料库结构更新，点击确认按钮，系统自动升级"), s("升级完成！")}));
    QTRY_VERIFY(!GetIsExistForm(s("TfrmUpdateDB")));
    // Backed up first, silently; then every table, the default rows and the
    // version.
    EXPECT_EQ(backups().size(), 1);
    EXPECT_EQ(messages.filter(s("正在升级第")).size(),
              QDir(path(s("DBTables"))).entryList({s("*.tbl")}, QDir::Files).size())
        << messages.join(s("\n")).toStdString();
    EXPECT_TRUE(messages.contains(s("已将包中注册窗体类信息存入数据库中.")));
    EXPECT_EQ(messages.last(), s("升级成功！"));
    EXPECT_EQ(DBConn().DBSelectValue(s("select Title from moxDiary where DiaryID = 'D1'")),
              QStringList({s("第一篇日记")}));
    EXPECT_EQ(DBConn().DBSelectValue(s("select AccountName from moxAccount where AccountID = '01'")),
              QStringList({s("现金")}));
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from comCurrency where CurrencyID = 'RMB'")), 1);
    EXPECT_EQ(GetParamValue(s("LastUpdateVersion")), GetAppVersionID());

    // The next start finds the data file current: no window, no box.
    told.clear();
    CheckDBUpdate();
    EXPECT_TRUE(told.isEmpty());
    EXPECT_EQ(backups().size(), 1);
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from comCurrency")), 1);
}

TEST_F(UpdateWindow, TheUpdateButtonConfirmsTheChosenTablesFirst)
{
    SaveParamValue(s("LastUpdateVersion"), s("0.1.0.0"));
    DBConn().DBExcuteSql(s("insert into moxDiary(DiaryID, Title) values('D1', '旧日记')"));
    QPointer<TfrmUpdateDB> window = new TfrmUpdateDB;
    window->show();
    EXPECT_TRUE(window->pnlOptions->isVisible());
    ZSaveScreenshot(*window, s("update_window"));
    window->chkAll->setChecked(false);
    for (int i = 0; i < window->lstTables->count(); ++i) {
        const QString table = window->lstTables->item(i)->text();
        if (table == s("moxDiary") || table == s("moxNotepad"))
            window->lstTables->item(i)->setCheckState(Qt::Checked);
    }
    window->chkKeepOld->setChecked(false);

    answers << s("btnCancel");
    window->btnUpdate->click();
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told.first(), s("升级前请确认如下信息，点击确定开始升级数据库\r\n* 升级前建议先备份数据库\r\n"
                              "* 您当前未选择保留旧数据，这样原先旧的数据将会丢失\r\n* 准备升级 2 张表"));
    EXPECT_EQ(window->lstMessages->count(), 0);
    EXPECT_TRUE(backups().isEmpty());

    window->btnUpdate->click();
    QTRY_VERIFY(window.isNull());
    EXPECT_EQ(told.size(), 3);
    EXPECT_EQ(told.last(), s("升级完成！"));
    EXPECT_EQ(messages.filter(s("正在升级第")),
              QStringList({s("正在升级第1张表：moxDiary"), s("正在升级第2张表：moxNotepad")}));
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from moxDiary")), 0); // old data not kept, as confirmed
    EXPECT_EQ(backups().size(), 1);
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from comCurrency")), 0); // updated before: no default rows
    EXPECT_EQ(GetParamValue(s("LastUpdateVersion")), GetAppVersionID());
}

TEST_F(UpdateWindow, CancelStopsBetweenTablesAndKeepsTheWindowOpen)
{
    SaveParamValue(s("LastUpdateVersion"), s("0.1.0.0"));
    QPointer<TfrmUpdateDB> window = new TfrmUpdateDB;
    window->show();
    // Cancel is pressed while the second table is being rebuilt.
    QTimer presser;
    presser.setInterval(0);
    QObject::connect(&presser, &QTimer::timeout, [&] {
        if (texts(*window->lstMessages).contains(s("正在升级第2张表：accFeeItem"))) {
            presser.stop();
            window->btnCancel->click();
        }
    });
    presser.start();
    EXPECT_FALSE(window->DoUpdate());
    const QStringList lines = texts(*window->lstMessages);
    EXPECT_EQ(lines.last(), s("已取消升级"));
    EXPECT_EQ(lines.filter(s("正在升级第")).size(), 2);
    EXPECT_FALSE(window->Running());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(GetParamValue(s("LastUpdateVersion")), s("0.1.0.0"));
    window->btnCancel->click(); // not running: closes
    QTRY_VERIFY(window.isNull());
}

// A backup that fails stops the update before any table is touched; the
// window stays open with its messages and then asks before a run started
// by hand.
TEST_F(UpdateWindow, AFailedBackUpUpdatesNothing)
{
    DBConn().DBExcuteSql(s("insert into moxDiary(DiaryID, Title) values('D1', '第一篇日记')"));
    // Neither the remembered folder nor DBBack/ can be made: files stand there.
    folder->writeFile(s("DBBack"), QByteArray("a file"));
    folder->writeFile(s("blocked"), QByteArray("a file"));
    SaveParamValue(s("DBBackPath"), path(s("blocked/")));
    GetParamInfo().UpdateParamInfo();
    QStringList lines;
    bool automatic = true;
    QStringList askedByHand;
    // The window stays open after the failure: looked at, tried by hand
    // (and cancelled at its question), then closed, from inside its loop.
    QTimer watcher;
    watcher.setInterval(20);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto *window = qobject_cast<TfrmUpdateDB *>(GetIsExistForm(s("TfrmUpdateDB")));
        if (!window || !texts(*window->lstMessages).contains(s("数据备份失败，数据库没有升级。")))
            return;
        watcher.stop();
        lines = texts(*window->lstMessages);
        automatic = window->AutoMode();
        told.clear();
        answers << s("btnCancel");
        window->btnUpdate->click();
        askedByHand = told;
        window->close();
    });
    watcher.start();
    CheckDBUpdate();
    watcher.stop();
    ASSERT_FALSE(lines.isEmpty()) << "the failure was not listed";
    EXPECT_TRUE(lines.filter(s("正在升级第")).isEmpty()) << lines.join(s("\n")).toStdString();
    EXPECT_TRUE(GetParamValue(s("LastUpdateVersion")).isEmpty());
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from comCurrency")), 0);
    EXPECT_EQ(DBConn().DBSelectValue(s("select Title from moxDiary where DiaryID = 'D1'")),
              QStringList({s("第一篇日记")}));
    EXPECT_FALSE(automatic);
    ASSERT_FALSE(askedByHand.isEmpty());
    EXPECT_TRUE(askedByHand.first().startsWith(s("升级前请确认如下信息"))) << askedByHand.first().toStdString();
}
