#pragma once

#include <QString>

class TZDataSource;
class TZTable;

/// The statement of a report in source mode: the select list over the
/// source module's master table (alias A) and, for a master-detail module,
/// its first detail table (alias B) joined on the first key column of each,
/// with the flag conditions of the two tables. The caller appends the
/// condition fragments.
QString ZRptSourceSql(const TZDataSource &source, const QString &selectList);

/// The master table of dataset `index` of a data source; null when there is
/// none.
const TZTable *ZRptMasterTable(const TZDataSource &source, int index = 0);

/// Whether a table of the data file has a HasCheck column: reports count
/// checked rows only.
bool ZRptTableHasCheck(const QString &tableName);

/// The data-file table a report statement is about, for its HasCheck rule.
QString ZRptTableName(const TZDataSource &source, int index = 0);
