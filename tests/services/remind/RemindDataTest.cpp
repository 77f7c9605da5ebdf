// Data reminders on a real data file: the statement of a definition (with
// the detail tables joined when its condition names them) and the
// background count that tells its window the total.
#include "RemindDataFixture.h"

#include "common/ZMainWindow.h"
#include "common/ZWinMessages.h"
#include "data/TDBConn.h"
#include "remind/TCheckRemindDataThread.h"
#include "remind/ZRemindData.h"

#include "common/ZErrors.h"

#include <QLabel>
#include <QTest>


using RemindData = TRemindDataTest;

TEST_F(RemindData, TellsConditionsOnDetailTablesApart)
{
    EXPECT_TRUE(ZRemindUsesDetail(s("[B.本次冲款] > 0")));
    EXPECT_TRUE(ZRemindUsesDetail(s("B3.RemainMoney > 0")));
    EXPECT_TRUE(ZRemindUsesDetail(s("B99.X = 1")));
    EXPECT_FALSE(ZRemindUsesDetail(s("[A.收款金额] 大于 0")));
    EXPECT_FALSE(ZRemindUsesDetail(QString()));
}

TEST_F(RemindData, AConditionOnB3JoinsTheDetailTables)
{
    const QString sql = ZRemindDataSql(s("accGather"), OpenBillsWhere());
    EXPECT_TRUE(sql.contains(s("Select Distinct"))) << sql.toStdString();
    EXPECT_TRUE(sql.contains(s("Left Join accGatherSub B on A.BillNo = B.BillNo"))) << sql.toStdString();
    // B3 is the join of the detail's fourth field, the bill it settles.
    EXPECT_TRUE(sql.contains(s(" B3 on (B.FeeBillNo = B3.BillNo"))) << sql.toStdString();
    EXPECT_TRUE(sql.endsWith(s(" And (A.FeeMoney  >  0  And  B3.RemainMoney > 0)"))) << sql.toStdString();
    // G1 settles S1 (still open) twice and counts once; G2 settles a closed
    // bill; G3 has no lines.
    EXPECT_EQ(DBConn().GetRecordCount(sql), 1);

    const QString plain = ZRemindDataSql(s("accGather"), s("[A.收款金额] 大于 0"));
    EXPECT_FALSE(plain.contains(s("accGatherSub"))) << plain.toStdString();
    EXPECT_EQ(DBConn().GetRecordCount(plain), 3);
}

TEST_F(RemindData, ReadsADefinitionByItsKey)
{
    QString progID;
    const QString sql = ZRemindDataSqlOf(s("R1"), &progID);
    EXPECT_EQ(progID, s("accGather"));
    EXPECT_EQ(DBConn().GetRecordCount(sql), 1);
    try {
        ZRemindDataSqlOf(s("nobody"));
        ADD_FAILURE() << "a definition that does not exist was read";
    } catch (const EZError &error) {
        EXPECT_EQ(error.message(), s("提醒精灵[nobody]没有设定单据"));
    }
    // The list holds the active definitions only.
    EXPECT_EQ(DBConn().GetRecordCount(ZRemindSetListSql()), 2);
}

TEST_F(RemindData, TheWorkerPostsTheTotalAndWritesItsLabel)
{
    TMessageSink target;
    QLabel label;
    label.setObjectName(s("lblStatus"));
    new TCheckRemindDataThread(&target, &label);
    QTRY_VERIFY_WITH_TIMEOUT(!target.messages.isEmpty() && !label.text().isEmpty(), 30000);
    ASSERT_EQ(target.messages.size(), 1);
    EXPECT_EQ(target.messages.front().first, ZWM_REMINDDATACOUNT);
    EXPECT_EQ(target.messages.front().second, 1 + 3); // R1 and R2; R3 is switched off
    EXPECT_TRUE(label.text().contains(s("正在同步更新此Label(lblStatus)"))) << label.text().toStdString();
}

TEST_F(RemindData, TheWorkerReportsABrokenConditionUnderItsHeading)
{
    DBConn().DBExcuteSql(s("update comRemindSet set RemindWhere = 'B3.NoSuchColumn > 0' where RemindID = 'R1'"));
    TMessageSink main;
    SetZMainWindow(&main);
    TMessageSink target;
    new TCheckRemindDataThread(&target);
    QTRY_VERIFY_WITH_TIMEOUT(!main.messages.isEmpty(), 30000);
    SetZMainWindow(nullptr);
    EXPECT_EQ(main.messages.front().first, ZWM_ADDMSG);
    EXPECT_TRUE(main.texts.front().startsWith(s("检查提醒精灵数据错误，原因是："))) << main.texts.front().toStdString();
    QCoreApplication::processEvents();
    EXPECT_TRUE(target.messages.isEmpty());
}
