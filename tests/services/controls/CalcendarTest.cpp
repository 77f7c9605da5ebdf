// The month calendar: which days the grid shows, where each day is, the
// owner's texts, and the colours of today, weekends and days off.
#include "TTestClock.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "controls/TZCalcendar.h"
#include "controls/ZColorValue.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

TEST(Calcendar, TheGridSpansTheMonthWithAWeekBeforeIt)
{
    TZCalcendar calendar;
    // February 2026 begins on a Sunday: the week before it is shown whole.
    calendar.SetDate(QDate(2026, 2, 10));
    EXPECT_EQ(calendar.FirstShownDate(), QDate(2026, 1, 25));
    // August 2026 begins on a Saturday.
    calendar.SetYearMonth(2026, 8);
    EXPECT_EQ(calendar.Date(), QDate(2026, 8, 10));
    EXPECT_EQ(calendar.FirstShownDate(), QDate(2026, 7, 26));
    for (int month = 1; month <= 12; ++month) {
        calendar.SetYearMonth(2027, month);
        const QDate first(2027, month, 1);
        const QDate last(2027, month, first.daysInMonth());
        EXPECT_GE(calendar.FirstShownDate(), first.addDays(-7));
        EXPECT_LT(calendar.FirstShownDate(), first);
        EXPECT_GT(calendar.LastShownDate(), last);
        EXPECT_LE(calendar.LastShownDate(), last.addDays(14));
        EXPECT_EQ(calendar.FirstShownDate().dayOfWeek(), 7); // Sunday first
    }
    // The 31st kept where the month has it, else the month's last day.
    calendar.SetDate(QDate(2027, 1, 31));
    calendar.SetYearMonth(2027, 2);
    EXPECT_EQ(calendar.Date(), QDate(2027, 2, 28));
}

TEST(Calcendar, ClicksKeysAndOwnerTexts)
{
    TTestClock clock(QDateTime(QDate(2026, 10, 14), QTime(9, 0)));
    TZCalcendar calendar;
    calendar.resize(770, 540);
    calendar.SetDate(QDate(2026, 10, 14));
    QSignalSpy changed(&calendar, &TZCalcendar::DateChanged);
    QSignalSpy doubled(&calendar, &TZCalcendar::DateDoubleClicked);
    for (const QDate &day : {QDate(2026, 9, 27), QDate(2026, 10, 1), QDate(2026, 11, 7)}) {
        const QRect cell = calendar.DayRect(day);
        ASSERT_FALSE(cell.isEmpty());
        EXPECT_EQ(calendar.DateAt(cell.center()), day);
    }
    EXPECT_FALSE(calendar.DateAt(QPoint(5, 2)).isValid()); // the header row
    QTest::mouseClick(&calendar, Qt::LeftButton, {}, calendar.DayRect(QDate(2026, 10, 20)).center());
    EXPECT_EQ(calendar.Date(), QDate(2026, 10, 20));
    QTest::mouseDClick(&calendar, Qt::LeftButton, {}, calendar.DayRect(QDate(2026, 10, 21)).center());
    ASSERT_EQ(doubled.size(), 1);
    EXPECT_EQ(doubled.at(0).at(0).toDate(), QDate(2026, 10, 21));
    QTest::keyClick(&calendar, Qt::Key_Down);
    EXPECT_EQ(calendar.Date(), QDate(2026, 10, 28));
    QTest::keyClick(&calendar, Qt::Key_PageDown);
    EXPECT_EQ(calendar.Date(), QDate(2026, 11, 28));
    EXPECT_GE(changed.size(), 4);

    calendar.AddDayText(QDate(2026, 11, 3), s("行程安排(2)"));
    calendar.AddDayText(QDate(2026, 11, 3), s("日记本(1)"));
    EXPECT_EQ(calendar.DayTexts(QDate(2026, 11, 3)), QStringList({s("行程安排(2)"), s("日记本(1)")}));
    EXPECT_EQ(TZCalcendar::DayKey(QDate(2026, 11, 3)), s("2026年11月3日"));
    calendar.ClearDayTexts();
    EXPECT_TRUE(calendar.DayTexts(QDate(2026, 11, 3)).isEmpty());
}

TEST(Calcendar, WeekendsAndDaysOffAreTinted)
{
    TTestClock clock(QDateTime(QDate(2026, 10, 14), QTime(9, 0)));
    TZCalcendar calendar;
    calendar.resize(770, 560);
    calendar.SetDate(QDate(2026, 10, 14));
    calendar.AddDayText(QDate(2026, 10, 14), s("行程安排(1)"));
    calendar.AddDayText(QDate(2026, 10, 14), s("备忘录(2)"));
    calendar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&calendar));
    const QImage picture = calendar.grab().toImage();
    const auto background = [&](const QDate &day) {
        const QRect cell = calendar.DayRect(day);
        return picture.pixelColor(cell.left() + cell.width() / 2, cell.top() + cell.height() / 2 + 4);
    };
    const QColor tint = ZColorFromValue(15191807);
    EXPECT_EQ(background(QDate(2026, 10, 17)), tint);              // Saturday
    EXPECT_EQ(background(QDate(2026, 10, 2)), tint);               // National Day holidays
    EXPECT_EQ(background(QDate(2026, 10, 15)), QColor(Qt::white)); // a working day
    EXPECT_NE(background(QDate(2026, 9, 30)), tint);               // the month before
    EXPECT_NE(background(QDate(2026, 11, 1)), QColor(Qt::white));
    ZSaveScreenshot(calendar, s("calendar_control"));
}
