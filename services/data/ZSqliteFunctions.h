#pragma once

struct sqlite3;

/// Registers on an SQLite connection the functions the system's statements
/// call: GetDate(), Now(), Date(), Time(), Year, Month, Day, Hour, Minute,
/// Second, DatePart (both the file kind's 'h' and the server's Hour forms),
/// DateAdd, DateDiff, CharIndex, Len, and ZLeft/ZRight (Left and Right, whose
/// names SQLite keeps as key words), ZPeriodStart/ZPeriodEnd (the bounds of
/// the current day, week, month or year for the period lists), the exact
/// money Sum (ZRegisterMoneySum) and the text rules (ZRegisterTextRules).
/// The clock functions read the system's clock (ZNow), so tests can set the
/// time, once per run of a statement.
void ZRegisterSqliteFunctions(sqlite3 *db);
