// The lunar calendar, solar terms and holidays: every day of the table
// against the published calendar of liblunar-date (when it is installed),
// and the named days.
#include "TestText.h"

#include "common/ZCnCalendar.h"
#include "common/ZCnData.h"
#include "common/ZHoliday.h"
#include "common/ZSolarTerm.h"

#include <gtest/gtest.h>

#ifdef ZKVA_HAVE_LUNAR_DATE
#include <lunar-date/lunar-date.h>

#include <cstdlib>
#include <cstring>
#endif

TEST(CnCalendar, QuotedRowsAndNamedDays)
{
    const unsigned char first[] = {0x0B, 0x52, 0xBA, 0x00, 0x16, 0xA9, 0x5D, 0x00, 0x83, 0xA9, 0x37, 0x05};
    EXPECT_EQ(std::memcmp(CnData, first, sizeof first), 0);
    const unsigned char last[] = {0x88, 0x2A, 0xD8, 0x03};
    EXPECT_EQ(std::memcmp(CnData + (kCnDataYears - 1) * 4, last, sizeof last), 0);

    // 31 January 2000 is the 25th of the twelfth month of the lunar year before.
    EXPECT_EQ(CnDateOfDate(QDate(2000, 1, 31)), 1225);
    EXPECT_EQ(CnDateOfDateStr(QDate(2000, 1, 31)), s("蜡月廿五"));
    EXPECT_EQ(CnDateOfDateStr(QDate(1901, 1, 1)), s("冬月十一"));
    // Leap months are negative and named with "闰": 2023 had a leap second
    // month, 1903 a leap fifth.
    EXPECT_EQ(CnDateOfDate(QDate(2023, 3, 22)), -201);
    EXPECT_EQ(CnMonthOfDate(QDate(2023, 3, 22)), s("闰二"));
    EXPECT_EQ(CnDayOfDate(QDate(2023, 3, 22)), s("初一"));
    EXPECT_EQ(CnDateOfDate(QDate(1903, 7, 1)), -507);
    EXPECT_EQ(CnDateOfDate(QDate(2023, 4, 20)), 301);
    // 2033's leap eleventh month runs into 2034.
    EXPECT_EQ(CnMonthOfDate(QDate(2034, 1, 1)), s("闰冬"));
    EXPECT_EQ(CnMonthOfDate(QDate(2034, 1, 20)), s("蜡月"));
    // Outside the table: nothing.
    for (const QDate &date : {QDate(1900, 12, 31), QDate(2051, 1, 1), QDate()}) {
        EXPECT_EQ(CnDateOfDate(date), 0);
        EXPECT_EQ(CnDateOfDateStr(date), QString());
    }
}

TEST(CnCalendar, GregorianDayOfALunarDate)
{
    EXPECT_EQ(ZDateOfCnDate(2024, 1, 1), QDate(2024, 2, 10));
    EXPECT_EQ(ZDateOfCnDate(2025, 1, 1), QDate(2025, 1, 29));
    EXPECT_EQ(ZDateOfCnDate(2024, 8, 15), QDate(2024, 9, 17));
    // The twelfth month of 2023 had 30 days, that of 2024 29: the 30th
    // falls on the 29th.
    EXPECT_EQ(ZDateOfCnDate(2024, 12, 30), QDate(2024, 2, 9));
    EXPECT_EQ(ZDateOfCnDate(2025, 12, 30), QDate(2025, 1, 28));
    // A leap month is never meant: 2023's second month, not its leap one.
    EXPECT_EQ(ZDateOfCnDate(2023, 2, 1), QDate(2023, 2, 20));
    EXPECT_FALSE(ZDateOfCnDate(2051, 1, 1).isValid());
    EXPECT_FALSE(ZDateOfCnDate(2024, 13, 1).isValid());
}

TEST(CnCalendar, HolidaysAndNewYearsEve)
{
    QString name;
    EXPECT_TRUE(IsHoliday(false, name, QDate(2024, 1, 1)));
    EXPECT_EQ(name, s("元旦"));
    EXPECT_TRUE(IsHoliday(false, name, QDate(2024, 10, 3)));
    EXPECT_EQ(name, QString());
    EXPECT_TRUE(IsHoliday(false, name, QDate(2024, 5, 1)));
    EXPECT_EQ(name, s("劳动节"));
    // Lunar days: 10 February 2024 was the Spring Festival, 17 September
    // 2024 mid-autumn, 12 February 2024 the third day of the year.
    EXPECT_TRUE(IsHoliday(false, name, QDate(2024, 2, 10)));
    EXPECT_EQ(name, s("春节"));
    EXPECT_TRUE(IsHoliday(false, name, QDate(2024, 2, 12)));
    EXPECT_EQ(name, QString());
    EXPECT_TRUE(IsHoliday(false, name, QDate(2024, 9, 17)));
    EXPECT_EQ(name, s("中秋节"));
    EXPECT_FALSE(IsHoliday(false, name, QDate(2024, 6, 3)));
    EXPECT_EQ(name, QString());
    // The eve is named on a 30th of the twelfth month only: 2023's twelfth
    // month had 30 days (9 February 2024), 2024's had 29 (28 January 2025).
    EXPECT_FALSE(IsHoliday(false, name, QDate(2024, 2, 9)));
    EXPECT_EQ(name, s("除夕"));
    EXPECT_FALSE(IsHoliday(false, name, QDate(2025, 1, 28)));
    EXPECT_EQ(name, QString());
    // Lunar only: the lunar lists read the Gregorian month and day.
    EXPECT_TRUE(IsHoliday(true, name, QDate(2024, 8, 15)));
    EXPECT_EQ(name, s("中秋节"));
    EXPECT_FALSE(IsHoliday(true, name, QDate(2024, 10, 1)));
}

TEST(CnCalendar, SolarTermsOnTheirPublishedDays)
{
    struct Term
    {
        QDate day;
        const char *name;
    };
    for (const Term &term :
         {Term{QDate(2024, 2, 4), "立春"}, Term{QDate(2024, 4, 4), "清明"}, Term{QDate(2023, 12, 22), "冬至"},
          Term{QDate(2000, 3, 20), "春分"}, Term{QDate(2024, 6, 21), "夏至"}, Term{QDate(2021, 1, 5), "小寒"},
          Term{QDate(2025, 9, 23), "秋分"}}) {
        EXPECT_EQ(GetJQ(term.day), s(term.name)) << term.day.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(GetJQ(term.day.addDays(1)), QString());
    }
    EXPECT_EQ(sTerm(1900, 0), QDateTime(QDate(1900, 1, 6), QTime(2, 5), Qt::UTC));
    EXPECT_EQ(sTerm(2024, 2).date(), QDate(2024, 2, 4));
}

#ifdef ZKVA_HAVE_LUNAR_DATE
// Every day of the table against the published lunar calendar.
TEST(CnCalendar, EveryDayAgreesWithThePublishedCalendar)
{
    LunarDate *lunar = lunar_date_new();
    int checked = 0;
    for (QDate day(1901, 1, 1); day <= QDate(2050, 12, 31); day = day.addDays(1)) {
        GError *error = nullptr;
        lunar_date_set_solar_date(lunar, GDateYear(day.year()), GDateMonth(day.month()), GDateDay(day.day()), 0,
                                  &error);
        ASSERT_EQ(error, nullptr);
        gchar *text = lunar_date_strftime(lunar, "%(yue) %(ri)");
        const bool leap = text[0] == '*';
        const int month = std::atoi(text + (leap ? 1 : 0));
        const int dayOfMonth = std::atoi(std::strchr(text, ' ') + 1);
        g_free(text);
        const int expected = (month * 100 + dayOfMonth) * (leap ? -1 : 1);
        ASSERT_EQ(CnDateOfDate(day), expected) << day.toString(Qt::ISODate).toStdString();
        ++checked;
    }
    lunar_date_free(lunar);
    EXPECT_EQ(checked, 54787);
}
#endif
