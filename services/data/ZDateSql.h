#pragma once

#include "data/ZDBType.h"

#include <QString>

/// A part of a date column, for the date-part expressions of statements.
enum TDatePart { dpYear, dpMonth, dpDay, dpHour, dpMinute, dpSecond, dpWeekDay };

/// The statement text for one part of a date expression: "Year(X)",
/// "DatePart(Hour, X)" on the server kind, "DatePart('h', X)" on the file
/// kinds (the forms the file kinds' engine accepts). `kind` dtNone means the
/// current kind.
QString DatePartField(const QString &expr, TDatePart part, TDBType kind = dtNone);

/// "Y * 10000 + M * 100 + D" of the year, month and day parts: the integer
/// date of a date column.
QString DateToIntField(const QString &expr, TDBType kind = dtNone);

/// "H * 10000 + N * 100 + S" of the hour, minute and second parts: the
/// integer time of a date column.
QString TimeToIntField(const QString &expr, TDBType kind = dtNone);
