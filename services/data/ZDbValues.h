#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

// Date-time values as the file kinds store them: text "yyyy-MM-dd hh:mm:ss"
// (with ".zzz" when there are milliseconds). Older rows may hold the date-time
// number of the framework (days since 30 December 1899, the time as the
// fraction); both read back as the same moment.

/// The stored text of a moment.
QString ZDateTimeToDbText(const QDateTime &moment);

/// The moment of a stored text ("2011-06-21 09:05:03", "2011-06-21",
/// "2011-06-21T09:05:03.250", "2011/6/21 9:05"); an invalid QDateTime when the
/// text is none.
QDateTime ZDbTextToDateTime(const QString &text);

/// The date-time number of a moment: days since 30 December 1899, the time as
/// the fraction.
double ZDateTimeToNumber(const QDateTime &moment);
QDateTime ZNumberToDateTime(double days);

/// The moment a stored value stands for: a text as above, or a number.
QDateTime ZDbValueToDateTime(const QVariant &value);

/// An empty date: no moment, or a day no later than 1 January 1900. The
/// framework's own empty dates are among them: the zero date (30 December
/// 1899, the number 0), the default "NULL" (day 1) and what a record window
/// stores for a date left empty (day 2). Grids and editors show it blank.
bool ZIsEmptyDate(const QDateTime &moment);

/// The moment of a stored text given as UTF-8 bytes (the fast path of
/// reading a data file).
QDateTime ZDbUtf8ToDateTime(const char *text, int length);

/// A local wall-clock moment. Built with the local offset of its day, which
/// is much cheaper than a full time-zone look-up per value and reads and
/// compares the same.
QDateTime ZLocalDateTime(const QDate &date, const QTime &time);
