#pragma once

#include <QString>

/// Rewrites a statement of the system (written in the server dialect, queries
/// already through TranToAccessSQL) into one SQLite runs the same way:
/// - functions whose names SQLite keeps as key words: Left( → ZLeft(,
///   Right( → ZRight(, IsNull( → IfNull(;
/// - the date part of DatePart, DateAdd and DateDiff written as a bare name
///   (DatePart(Hour, X)) becomes a text ('Hour');
/// - Top n → LIMIT n at the end of its select;
/// - select … into T from … → create table T as select … from …;
/// - ALTER TABLE T … ADD CONSTRAINT [PK_T] PRIMARY KEY … (cols) → a unique
///   index PK_T on T(cols);
/// - Information_Schema.Key_Column_Usage → the session's view of key columns,
///   "dbo." qualifiers dropped, N'…' → '…', ON [PRIMARY] dropped;
/// - True / False → -1 / 0 (booleans are stored as -1 and 0, as the file kind
///   compares them);
/// - "+" next to a text literal → "||" (text concatenation);
/// - text columns of a new table compare ignoring case (COLLATE NOCASE), as
///   the system's statements expect of every kind;
/// - period conditions of list statements on a date column → a range of the
///   column (ZPeriodRanges);
/// - text literals compared with expressions → COLLATE NOCASE
///   (ZCollateTextLiterals);
/// - money columns of a new table or a new money column → the triggers that
///   store money rounded to four decimals (ZAddMoneyTriggers);
/// - the hour and the minute of a bare date column (DatePart('h', C),
///   DatePart('n', C)) → SQLite's strftime, so an index on the column's time
///   of day serves the condition (ZBuiltInTimeParts).
QString ZAdaptSqlForSqlite(const QString &sql);
