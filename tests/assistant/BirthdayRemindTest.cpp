// The birthday days of a year (Gregorian, lunar, 29 February) and the yearly
// move of the rows whose days change from year to year.
#include "ContactsTestSupport.h"

#include "common/ZCnCalendar.h"
#include "data/TParamInfo.h"
#include "remind/ZBirthdayRemind.h"

#include <gtest/gtest.h>

namespace {

void addContact(const QString &id, const QString &name, const QDate &born, bool lunar)
{
    DBConn().DBExcuteSql(s("insert into moxAddressBook(PersonID, PersonName, BornDate, IsLunar) "
                           "values('%1', '%2', '%3', %4)")
                             .arg(id, name, born.toString(s("yyyy-MM-dd 00:00:00")))
                             .arg(lunar ? 1 : 0));
    ZUpdateBirthdayRemind(QString(), id, false);
}

} // namespace

TEST(BirthdayDays, GregorianLunarAndTwentyNinthOfFebruary)
{
    // A Gregorian birthday keeps its month and day; the eve may fall in the
    // month before.
    EXPECT_EQ(ZBirthdayDaysIn(QDate(1980, 5, 15), false, 2026).Day, QDate(2026, 5, 15));
    EXPECT_EQ(ZBirthdayDaysIn(QDate(1980, 3, 1), false, 2026).Eve, QDate(2026, 2, 28));
    EXPECT_EQ(ZBirthdayDaysIn(QDate(1980, 3, 1), false, 2028).Eve, QDate(2028, 2, 29));

    // 29 February: the 28th in a year without it, the eve the 27th.
    const TZBirthdayDays common = ZBirthdayDaysIn(QDate(1996, 2, 29), false, 2026);
    EXPECT_EQ(common.Day, QDate(2026, 2, 28));
    EXPECT_EQ(common.Eve, QDate(2026, 2, 27));
    EXPECT_EQ(ZBirthdayDaysIn(QDate(1996, 2, 29), false, 2028).Day, QDate(2028, 2, 29));

    // A lunar 15th of the eighth month: the Mid-Autumn day of each year.
    EXPECT_EQ(ZBirthdayDaysIn(QDate(1980, 8, 15), true, 2025).Day, QDate(2025, 10, 6));
    EXPECT_EQ(ZBirthdayDaysIn(QDate(1980, 8, 15), true, 2026).Day, QDate(2026, 9, 25));
    EXPECT_EQ(ZBirthdayDaysIn(QDate(1980, 8, 15), true, 2026).Eve, QDate(2026, 9, 24));
    EXPECT_EQ(ZBirthdayDaysIn(QDate(1990, 1, 1), true, 2027).Day, QDate(2027, 2, 6));

    // A lunar 30th of the twelfth month is the last day of the lunar year,
    // the 29th when that month is short.
    for (int year = 2024; year <= 2032; ++year) {
        SCOPED_TRACE(year);
        const QDate day = ZBirthdayDaysIn(QDate(1985, 12, 30), true, year).Day;
        EXPECT_EQ(day.year(), year);
        EXPECT_EQ(CnDateOfDate(day.addDays(1)), 101);
        EXPECT_GE(CnDateOfDate(day), 1229);
    }

    // Past the lunar table the Gregorian month and day hold.
    EXPECT_EQ(ZBirthdayDaysIn(QDate(1980, 8, 15), true, 2060).Day, QDate(2060, 8, 15));
}

using BirthdayMove = TContactsTest;

TEST_F(BirthdayMove, LunarAndLeapDayRowsMoveOnceAYearOthersStay)
{
    clock->set(QDateTime(QDate(2025, 3, 1), QTime(9, 0)));
    addContact(s("P1"), s("张三"), QDate(1980, 5, 15), false);
    addContact(s("P2"), s("李四"), QDate(1980, 8, 15), true);
    addContact(s("P3"), s("王五"), QDate(1996, 2, 29), false);
    EXPECT_EQ(remindDays(s("P2")), s("2:10/5,3:10/6"));
    EXPECT_EQ(remindDays(s("P3")), s("2:2/27,3:2/28"));
    // A row the user disabled or re-timed keeps that when it moves.
    DBConn().DBExcuteSql(s("update moxRemind set IsDisabled = 1 where Flag = 2 and RemindID = 'P2'"));

    EXPECT_EQ(ZMoveYearlyBirthdayReminds(2025), 2); // no year stored yet
    EXPECT_EQ(GetParamValue(kBirthdayRemindYearParam), s("2025"));
    EXPECT_EQ(remindDays(s("P2")), s("2:10/5,3:10/6"));
    EXPECT_EQ(ZMoveYearlyBirthdayReminds(2025), 0);

    EXPECT_EQ(ZMoveYearlyBirthdayReminds(2026), 2);
    EXPECT_EQ(remindDays(s("P1")), s("2:5/14,3:5/15"));
    EXPECT_EQ(remindDays(s("P2")), s("2:9/24,3:9/25"));
    EXPECT_EQ(value(s("select IsDisabled from moxRemind where Flag = 2 and RemindID = 'P2'")), s("1"));
    EXPECT_EQ(GetParamValue(kBirthdayRemindYearParam), s("2026"));

    EXPECT_EQ(ZMoveYearlyBirthdayReminds(2028), 2);
    EXPECT_EQ(remindDays(s("P3")), s("2:2/28,3:2/29"));
    EXPECT_EQ(value(s("select count(*) from moxRemind")), s("6"));
}
