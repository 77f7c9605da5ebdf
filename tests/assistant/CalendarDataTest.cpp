// The items of the calendar's days: which schedule items, reminders and
// diary entries fall on which day of the shown range.
#include "TDataFileTest.h"
#include "TestText.h"

#include "calendar/TMoxCalendarData.h"
#include "data/TDBConn.h"

#include <gtest/gtest.h>

namespace {

void run(const char *sql)
{
    DBConn().DBExcuteSql(s(sql));
}

QStringList titles(const TMoxCalendarData &data, TMoxItemKind kind, const QDate &day)
{
    QStringList result;
    for (const TMoxDayItem &item : data.Items(kind, day))
        result << item.Title + s("@") + item.ProgID;
    return result;
}

} // namespace

using CalendarData = TDataFileTest;

TEST_F(CalendarData, ItemsFallOnTheirDays)
{
    // October 2026 as the calendar shows it: 2026-09-27 to 2026-11-14.
    const QDate first(2026, 9, 24);
    const QDate last(2026, 11, 14);
    run("insert into moxTask(TaskID, TaskName, PlanBeginDate, PlanEndDate, CompleteRate) values('T1', '三天的事', "
        "'2026-10-05 09:00:00', '2026-10-07 18:00:00', 0.5)");
    run("insert into moxTask(TaskID, TaskName, PlanBeginDate, PlanEndDate, CompleteRate) values('T2', '已完成', "
        "'2026-10-05 00:00:00', '2026-10-05 00:00:00', 1)");
    run("insert into moxTask(TaskID, TaskName, PlanBeginDate, PlanEndDate, CompleteRate) values('T3', '跨月', "
        "'2026-09-01 00:00:00', '2026-09-25 00:00:00', 0)");
    run("insert into moxTask(TaskID, TaskName, PlanBeginDate, PlanEndDate, CompleteRate) values('T4', '以后', "
        "'2026-12-01 00:00:00', '2026-12-02 00:00:00', 0)");
    // A weekly reminder on Sundays, one on the 1st and 15th, a yearly one, a
    // one-off, a disabled one and a birthday.
    run("insert into moxRemind(Flag, RemindID, RemindTitle, CreateDate, EndDate, RemindType, WeekDay1, IsDisabled) "
        "values(1, 'R1', '周日', '2026-01-01 00:00:00', '2999-01-01 00:00:00', 2, -1, 0)");
    run("insert into moxRemind(Flag, RemindID, RemindTitle, CreateDate, EndDate, RemindType, Day1, Day15, "
        "IsDisabled) values(1, 'R2', '每月', '2026-01-01 00:00:00', '2999-01-01 00:00:00', 3, -1, -1, 0)");
    run("insert into moxRemind(Flag, RemindID, RemindTitle, CreateDate, EndDate, RemindType, RemindMonth, "
        "RemindDay, IsDisabled) values(3, 'P1', '好友 王五 生日提醒', '2026-01-01 00:00:00', '2999-01-01 00:00:00', 4, "
        "10, 20, 0)");
    run("insert into moxRemind(Flag, RemindID, RemindTitle, CreateDate, EndDate, RemindType, IsDisabled) "
        "values(1, 'R3', '一次', '2026-10-01 00:00:00', '2026-10-09 08:00:00', 0, 0)");
    run("insert into moxRemind(Flag, RemindID, RemindTitle, CreateDate, EndDate, RemindType, IsDisabled) "
        "values(1, 'R4', '停用', '2026-01-01 00:00:00', '2999-01-01 00:00:00', 1, -1)");
    run("insert into moxRemind(Flag, RemindID, RemindTitle, CreateDate, EndDate, RemindType, IsDisabled) "
        "values(1, 'R5', '过期', '2025-01-01 00:00:00', '2025-02-01 00:00:00', 1, 0)");
    run("insert into moxDiary(DiaryID, CreateDate) values('D1', '2026-10-06 21:30:00')");
    run("insert into moxDiary(DiaryID, CreateDate) values('D2', '2026-11-20 21:30:00')");

    TMoxCalendarData data;
    data.Load(first, last);
    // Three days for the three-day task, none for the completed one.
    for (int day = 4; day <= 8; ++day)
        EXPECT_EQ(data.Count(mikTask, QDate(2026, 10, day)), day >= 5 && day <= 7 ? 1 : 0) << day;
    EXPECT_EQ(titles(data, mikTask, QDate(2026, 10, 6)), QStringList{s("三天的事@moxTask")});
    EXPECT_EQ(data.Count(mikTask, QDate(2026, 9, 25)), 1); // a neighbouring day shown
    EXPECT_EQ(data.Count(mikTask, QDate(2026, 9, 26)), 0);
    // Every Sunday of the range, the neighbouring months' included.
    int sundays = 0;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        const bool sunday = day.dayOfWeek() == 7;
        const bool monthly = day.day() == 1 || day.day() == 15;
        const bool birthday = day == QDate(2026, 10, 20);
        const bool once = day == QDate(2026, 10, 9);
        EXPECT_EQ(data.Count(mikRemind, day), int(sunday) + int(monthly) + int(birthday) + int(once))
            << day.toString(Qt::ISODate).toStdString();
        sundays += sunday;
    }
    EXPECT_EQ(sundays, 7);
    EXPECT_EQ(titles(data, mikRemind, QDate(2026, 10, 20)), QStringList{s("好友 王五 生日提醒@moxAddressBook")});
    EXPECT_EQ(data.Items(mikRemind, QDate(2026, 10, 20)).first().FID, s("P1"));
    EXPECT_EQ(titles(data, mikRemind, QDate(2026, 11, 1)), QStringList({s("周日@moxRemind"), s("每月@moxRemind")}));
    EXPECT_EQ(titles(data, mikDiary, QDate(2026, 10, 6)), QStringList{s("D1@moxDiary")});
    EXPECT_EQ(data.Count(mikDiary, QDate(2026, 11, 20)), 0); // outside the range
    EXPECT_EQ(data.Count(mikTask, QDate(2027, 1, 1)), 0);
}

TEST(CalendarStatements, DateIntegersCompareTheRange)
{
    EXPECT_TRUE(TMoxCalendarData::TaskSql(20260924, 20261114).endsWith(s(" < 20260924) ")));
    EXPECT_TRUE(TMoxCalendarData::TaskSql(20260924, 20261114).contains(s(" > 20261114 And ")));
    EXPECT_TRUE(TMoxCalendarData::RemindSql(20260924, 20261114).contains(s(" > 20261114 or ")));
    EXPECT_TRUE(TMoxCalendarData::DiarySql(20260924, 20261114).contains(s(" >= 20260924 And ")));
}
