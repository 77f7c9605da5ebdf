#pragma once

#include <QString>

/// The name the row identity column carries in a statement read with
/// ZStatementWithRowId (the dataset keeps it out of its fields).
extern const char *const kZRowIdColumn;

/// The statement with SQLite's row identity of its table as an extra first
/// column, for statements whose rows are the rows of one table one for one: a
/// single select from one table (no join, no distinct, no group by, no
/// compound). Empty for every other statement, whose rows are then found by
/// their values.
QString ZStatementWithRowId(const QString &statement);
