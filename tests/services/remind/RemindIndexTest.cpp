// The reminder table on the engine: its key takes a birthday's two rows, the
// poll reads it through an index on the time of day, and that index reads
// the times as the program's DatePart does.

#include "RemindTestSupport.h"
#include "ZQueryPlan.h"


#include <gtest/gtest.h>

using RemindIndex = TRemindTest;

TEST_F(RemindIndex, KeyIsFlagAndNumber)
{
    EXPECT_EQ(DBConn().GetKeyFieldList(s("moxRemind")), (QStringList{s("Flag"), s("RemindID")}));
}

TEST_F(RemindIndex, PollReadsTheTimeOfDayIndex)
{
    const QString steps = ZQueryPlan(ZRemindPollSql(at(7, 8, 30), dtDbACCESS));
    EXPECT_TRUE(steps.contains(s("USING INDEX IX_moxRemind_RemindTime_HHMM"))) << steps.toStdString();
}

TEST_F(RemindIndex, DataFileOfAnEarlierProgramGetsTheIndex)
{
    {
        TZDbConnection &c = DBConn().GetDBCONN();
        c.execute(s("drop index IX_moxRemind_RemindTime_HHMM; pragma user_version = 1"));
    }
    FreeDBConn();
    const QString steps = ZQueryPlan(ZRemindPollSql(at(7, 8, 30), dtDbACCESS));
    EXPECT_TRUE(steps.contains(s("USING INDEX IX_moxRemind_RemindTime_HHMM"))) << steps.toStdString();
}

TEST_F(RemindIndex, BuiltInTimePartsReadEveryStoredFormAsDatePart)
{
    // Text of both lengths, a date only, day numbers (the column default 0
    // among them), and nothing.
    const QStringList values{s("'1899-12-30 08:30:00'"), s("'2026-12-07 23:59:59.500'"), s("'2026-12-07 07:05'"),
                             s("'2026-12-07'"),          s("0"),                          s("0.75"),
                             s("46363.4375"),            s("NULL")};
    TDBConn &db = DBConn();
    for (int i = 0; i < values.size(); ++i)
        db.DBExcuteSql(s("insert into moxRemind(Flag, RemindID, RemindTime) values(1, '%1', %2)").arg(i).arg(values[i]));
    // "(RemindTime)" is no bare column: the program's DatePart reads it.
    const QStringList rows = db.DBSelectValue(
        s("select group_concat(IfNull(DatePart('h', RemindTime) * 100 + DatePart('n', A.RemindTime), 'x') || '=' || "
          "IfNull(DatePart('h', (RemindTime)) * 100 + DatePart('n', (RemindTime)), 'x'), ',') from (select * from "
          "moxRemind order by RemindID) A"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.first(), s("830=830,2359=2359,705=705,0=0,0=0,1800=1800,1030=1030,x=x"));
}
