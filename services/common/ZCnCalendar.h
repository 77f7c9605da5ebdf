#pragma once

#include <QDate>
#include <QString>

/// The Chinese lunar date of a day as month × 100 + day, negated in a leap
/// month; 0 outside 1901..2050.
int CnDateOfDate(const QDate &date);

/// The lunar month's name followed by "月" ("五月", "冬月", "蜡月"), or "闰"
/// followed by the name in a leap month ("闰五"); empty outside the table.
QString CnMonthOfDate(const QDate &date);

/// The lunar day's name ("初一" … "三十"); empty outside the table.
QString CnDayOfDate(const QDate &date);

/// The month text followed by the day text ("蜡月廿五").
QString CnDateOfDateStr(const QDate &date);

/// The first day of the Gregorian year `year` that is day `cnDay` of the
/// (not leap) lunar month `cnMonth`; a 30th falls on the 29th in a month of
/// 29 days. Invalid when the year holds no such day or lies outside the
/// table.
QDate ZDateOfCnDate(int year, int cnMonth, int cnDay);
