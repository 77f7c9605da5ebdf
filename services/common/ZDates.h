#pragma once

#include "common/Currency.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// Integer dates (yyyymmdd, for example 20110621) and integer times (hhmmss)
// as tables, parameters and conditions hold them, with their text forms and
// a little calendar arithmetic.

enum TTimeUnit { tuDay, tuHous, tuMinute, tuSecond };

/// yyyymmdd of a date; 0 for an invalid date.
int DateToIntDate(const QDate &date);

/// The date of an integer date; an invalid QDate when it names no day.
QDate IntDateToDate(int n);

/// hhmmss of a time (milliseconds dropped); 0 for an invalid time.
int TimeToInt(const QTime &time);

/// The time of an integer time; an invalid QTime when it names none.
QTime IntToTime(int n);

/// Year, month and day joined by "-" without leading zeros: 2011-6-21.
QString IntDateToStrDate(int n);

/// yyyy, mm and dd joined by the separator with two-digit month and day; the
/// blank placeholder " - - " (with the separator) when n ≤ 19000000.
QString FormatIntDate(int n, const QString &sep = QStringLiteral("-"));

/// The same for an integer date given as text (0 when it is not a number).
QString FormatIntDate(const QString &n, const QString &sep = QStringLiteral("-"));

/// hh, mm and ss joined by the separator, two digits each.
QString FormatIntTime(int n, const QString &sep = QStringLiteral(":"));

/// 2011年6月21日.
QString FormatCnDate(const QDate &date);

/// Fourteen digits: yyyyMMddhhmmss of the date and the time.
QString DateTimeToText(const QTime &time, const QDate &date);

/// The distance between two moments as whole days, hours and minutes:
/// "1天2时3分".
QString GetDiffDateTime(const QDateTime &a, const QDateTime &b);

/// The absolute distance between two moments in the unit, to four decimals.
Currency GetDiffTime(TTimeUnit unit, const QDateTime &a, const QDateTime &b);

/// 1 "星期日" (Sunday) … 7 "星期六"; empty otherwise.
QString GetWeekCnStr(int n);

bool IsLeapYear(int year);

/// The number of days of the month; 0 for a month outside 1..12.
int GetMaxDay(int year, int month);

/// Moves year and month by `n` months (n may be negative).
void AddMonth(int &year, int &month, int n);
