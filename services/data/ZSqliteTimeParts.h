#pragma once

#include "data/TZDbConnection.h"
#include "data/ZDateSql.h"
#include "data/ZSqlTokens.h"

#include <QString>

// The hour and the minute of a date column in SQLite's own functions, so
// that an index on a column's time of day needs nothing of this program:
// any tool can still write the table.

/// The hour (dpHour) or minute (dpMinute) of the column `column` (as it is
/// written in the statement) with built-in functions only: the stored text
/// form read by strftime, a stored number of days since 1899-12-30 moved to
/// SQLite's day count first. It gives what DatePart gives for every form the
/// data layer stores.
QString ZSqliteTimePart(const QString &column, TDatePart part);

/// The adapter pass: DatePart of the hour or the minute ('h', 'hh', 'Hour',
/// 'n', 'mi', 'Minute') of a bare column (T.Col, [Col]) becomes
/// ZSqliteTimePart, which an expression index on the column's time of day
/// serves. Other arguments keep the program's DatePart, which reads more
/// text forms.
void ZBuiltInTimeParts(QList<TZSqlToken> &tokens);

/// The time-of-day index of a column: "hour * 100 + minute", in the form
/// ZBuiltInTimeParts gives a statement's "DatePart('h', C) * 100 +
/// DatePart('n', C)", so the engine uses it for such a condition.
QString ZTimeOfDayIndexSql(const QString &table, const QString &column);

/// Creates the time-of-day indexes the program's lookups need on the tables
/// the connection holds: moxRemind.RemindTime, which the reminder poll reads
/// once a minute by its hour and minute.
void ZCreateTimeOfDayIndexes(TZDbConnection &connection);
