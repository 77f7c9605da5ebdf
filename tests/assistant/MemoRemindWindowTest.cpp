// The memo reminder window: the page of the record's type alone, whole
// minutes for the reminder time, and the mail settings told on saving.
#include "../framework/record/RecordTestSupport.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "forms/TfrmMoxRemind.h"
#include "metadata/TOrvDataSet.h"

#include <QTabWidget>

#include <gtest/gtest.h>

using MemoRemindWindow = TRecordTest;

TEST_F(MemoRemindWindow, OnePagePerTypeWholeMinutesAndMailSettingsTold)
{
    DBConn().DBExcuteSql(s("insert into moxRemind(Flag, RemindID, RemindTitle, RemindContent, CreateDate, EndDate, "
                           "RemindType, WeekDay1, RemindTime, IsDisabled, EmailRemind) values(1, '0001', '周会', "
                           "'带上周报', '2026-10-01 00:00:00', '2999-01-01 00:00:00', 2, -1, "
                           "'1899-12-30 09:30:00', 0, 0)"));
    auto window = openRecordWindow<TfrmMoxRemind>(s("moxRemind"), s("0001"));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(window->ShownPage(), 2);
    for (int page = 0; page < 5; ++page)
        EXPECT_EQ(window->pgcType->isTabVisible(page), page == 2) << page;
    EXPECT_EQ(window->pgcType->tabText(2), s("每周"));
    ZSaveScreenshot(*window, s("memo_remind_weekly"));

    ASSERT_TRUE(window->RunAction(2)); // edit
    TOrvDataSet &master = window->MasterData();
    for (int type = 0; type < 5; ++type) {
        master.FieldByName(s("RemindType")).SetAsInteger(type);
        EXPECT_EQ(window->ShownPage(), type);
        EXPECT_TRUE(window->pgcType->isTabVisible(type));
        ZSaveScreenshot(*window, s("memo_remind_page%1").arg(type));
    }
    master.FieldByName(s("RemindTime")).SetAsDateTime(QDateTime(QDate(1899, 12, 30), QTime(8, 45, 37, 250)));
    EXPECT_EQ(master.FieldByName(s("RemindTime")).AsDateTime().time(), QTime(8, 45));
    master.FieldByName(s("EmailRemind")).SetAsBoolean(true);

    // No mail settings: three notices, and the reminder is saved all the same.
    SaveParamValue(s("MailHost"), QString());
    SaveParamValue(s("MailUserName"), QString());
    SaveParamValue(s("MailFromName"), QString());
    GetParamInfo().UpdateParamInfo();
    answers << s("btnOK") << s("btnOK") << s("btnOK");
    ASSERT_TRUE(window->RunAction(5)) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(boxTexts, QStringList({s("邮件服务器未设定"), s("邮件发送账号未设定"), s("邮件发送者未设定")}));
    EXPECT_EQ(DBConn().DBSelectValue(s("select RemindType from moxRemind where RemindID = '0001'")),
              QStringList{s("4")});
    EXPECT_EQ(window->ShownPage(), 4);

    // With the settings in place nothing is told.
    SaveParamValue(s("MailHost"), s("smtp.example.com"));
    SaveParamValue(s("MailUserName"), s("me@example.com"));
    SaveParamValue(s("MailFromName"), s("我"));
    GetParamInfo().UpdateParamInfo();
    boxTexts.clear();
    ASSERT_TRUE(window->RunAction(2));
    ASSERT_TRUE(window->RunAction(5));
    EXPECT_TRUE(boxTexts.isEmpty()) << qPrintable(boxTexts.join(s(" | ")));
}
