#include "TTestClock.h"
#include "TestText.h"

#include "common/ZClock.h"
#include "common/ZDates.h"
#include "settings/ZSession.h"
#include "data/ZDateSql.h"

#include <QThread>

#include <gtest/gtest.h>

TEST(IntegerDates, ConversionsBothWays)
{
    EXPECT_EQ(DateToIntDate(QDate(2011, 6, 21)), 20110621);
    EXPECT_EQ(IntDateToDate(20110621), QDate(2011, 6, 21));
    EXPECT_FALSE(IntDateToDate(20110230).isValid());
    EXPECT_FALSE(IntDateToDate(0).isValid());
    EXPECT_EQ(DateToIntDate(QDate()), 0);
    EXPECT_EQ(TimeToInt(QTime(9, 5, 3, 999)), 90503); // milliseconds dropped
    EXPECT_EQ(IntToTime(235959), QTime(23, 59, 59));
    EXPECT_FALSE(IntToTime(246000).isValid());
}

TEST(IntegerDates, TextForms)
{
    EXPECT_EQ(IntDateToStrDate(20110105), s("2011-1-5"));
    EXPECT_EQ(FormatIntDate(20110105, s("-")), s("2011-01-05"));
    EXPECT_EQ(FormatIntDate(0, s("-")), s(" - - "));
    EXPECT_EQ(FormatIntDate(19000000, s("/")), s(" / / "));
    EXPECT_EQ(FormatIntDate(s("20111231"), s(".")), s("2011.12.31"));
    EXPECT_EQ(FormatIntDate(s("abc"), s("-")), s(" - - "));
    EXPECT_EQ(FormatIntTime(90503, s(":")), s("09:05:03"));
    EXPECT_EQ(FormatIntTime(0, s(":")), s("00:00:00"));
    EXPECT_EQ(FormatCnDate(QDate(2011, 6, 1)), s("2011年6月1日"));
    EXPECT_EQ(DateTimeToText(QTime(9, 5, 3), QDate(2011, 6, 21)), s("20110621090503"));
}

TEST(IntegerDates, DistancesAndWeekdays)
{
    const QDateTime a(QDate(2011, 6, 21), QTime(8, 0));
    const QDateTime b(QDate(2011, 6, 22), QTime(10, 30, 59));
    EXPECT_EQ(GetDiffDateTime(a, b), s("1天2时30分"));
    EXPECT_EQ(GetDiffDateTime(b, a), s("1天2时30分"));
    EXPECT_EQ(GetDiffTime(tuHous, b, a), Currency::fromString(s("26.5164")));
    EXPECT_EQ(GetDiffTime(tuDay, a, a.addDays(3)), Currency::fromRaw(30000));
    EXPECT_EQ(GetDiffTime(tuMinute, a, a.addSecs(90)), Currency::fromRaw(15000));
    EXPECT_EQ(GetDiffTime(tuSecond, a, a.addMSecs(1500)), Currency::fromRaw(15000));
    EXPECT_EQ(GetWeekCnStr(1), s("星期日"));
    EXPECT_EQ(GetWeekCnStr(7), s("星期六"));
    EXPECT_EQ(GetWeekCnStr(0), QString());
    EXPECT_EQ(GetWeekCnStr(8), QString());
}

TEST(IntegerDates, CalendarArithmetic)
{
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2012));
    EXPECT_EQ(GetMaxDay(2012, 2), 29);
    EXPECT_EQ(GetMaxDay(2011, 2), 28);
    EXPECT_EQ(GetMaxDay(2011, 13), 0);
    int y = 2011, m = 11;
    AddMonth(y, m, 3);
    EXPECT_EQ(y * 100 + m, 201202);
    AddMonth(y, m, -14);
    EXPECT_EQ(y * 100 + m, 201012);
    AddMonth(y, m, -12);
    EXPECT_EQ(y * 100 + m, 200912);
}

TEST(DatePartSql, ServerAndFileKinds)
{
    EXPECT_EQ(DatePartField(s("A.BillDate"), dpYear, dtMSSQL), s("Year(A.BillDate)"));
    EXPECT_EQ(DatePartField(s("A.BillDate"), dpDay, dtDbACCESS), s("Day(A.BillDate)"));
    EXPECT_EQ(DatePartField(s("X"), dpHour, dtMSSQL), s("DatePart(Hour, X)"));
    EXPECT_EQ(DatePartField(s("X"), dpHour, dtDbACCESS), s("DatePart('h', X)"));
    EXPECT_EQ(DatePartField(s("X"), dpMinute, dtDbACCESS), s("DatePart('n', X)"));
    EXPECT_EQ(DatePartField(s("X"), dpSecond, dtDbDemo), s("DatePart('s', X)"));
    EXPECT_EQ(DatePartField(s("X"), dpWeekDay, dtMSSQL), s("DatePart(weekday, X)"));
    EXPECT_EQ(DatePartField(s("X"), dpWeekDay, dtDefACCESS), s("DatePart('w', X)"));
    EXPECT_EQ(DateToIntField(s("RemindDate"), dtMSSQL),
              s("Year(RemindDate) * 10000 + Month(RemindDate) * 100 + Day(RemindDate)"));
    EXPECT_EQ(TimeToIntField(s("T"), dtDbACCESS),
              s("DatePart('h', T) * 10000 + DatePart('n', T) * 100 + DatePart('s', T)"));

    // Without a kind the session's kind decides: this program is the file kind.
    FSYSID = 1003;
    EXPECT_EQ(DatePartField(s("X"), dpHour), s("DatePart('h', X)"));
    FSYSID = 1008;
    EXPECT_EQ(DatePartField(s("X"), dpHour), s("DatePart(Hour, X)"));
    FSYSID = -1;
}

TEST(Clock, SetFixedRunningAndReset)
{
    const QDateTime moment(QDate(2011, 6, 21), QTime(0, 0, 0));
    {
        TTestClock clock(moment);
        EXPECT_EQ(ZNow(), moment);
        EXPECT_EQ(ZDate(), QDate(2011, 6, 21));
        QThread::msleep(20);
        EXPECT_EQ(ZTime(), QTime(0, 0, 0));
        clock.set(moment, true);
        QThread::msleep(20);
        EXPECT_GT(ZNow(), moment);
        EXPECT_LT(ZNow(), moment.addSecs(60));
    }
    EXPECT_GT(ZDate().year(), 2020);
}
