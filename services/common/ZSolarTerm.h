#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

/// The moment of solar term `n` (0 "小寒" … 23 "冬至") of a year by the
/// published formula, in China's clock time (a date-time without a time
/// zone's rules).
QDateTime sTerm(int year, int n);

/// The name of the solar term that falls on the day, else empty.
QString GetJQ(const QDate &date);
