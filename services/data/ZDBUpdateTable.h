#pragma once

#include "data/TZDbConnection.h"
#include "data/ZTableDefs.h"

#include <QList>
#include <QString>

// Rebuilding one table of a data file from its definition while keeping its
// rows (the database update).

/// Whether the rows of a table are exchanged by the synchronisation: a table
/// with a SyncCompleted column on the server kind, other than the tables of
/// the session itself (comLock, comParams, comParamsEx, comUpdateTag,
/// comChangelog). Never on the file kinds.
bool ZTableIsNeedSync(TZDbConnection &connection, const QString &table);

/// Appends the rows of the table `temp` to `table`, column by column by
/// name: a value that is neither null nor empty is converted to the new
/// column's kind (integers, floats and money are read as numbers, everything
/// else is copied as it is); a missing or empty one gets the kind's empty
/// value (0, false, or an empty text). A synchronised table's rows without
/// SyncCompleted get `orgCode` + ",". A value that cannot be read as the
/// number its new column holds raises EZError naming table, column and
/// value.
void CopyOldData(TZDbConnection &connection, const QString &temp, const QString &table,
                 const QString &orgCode = QStringLiteral("ZB"));

/// Drops and recreates `table` from the definitions. With `keepOldData` and
/// an existing table, its rows are first copied to "<table>_Temp" and copied
/// back with CopyOldData. The whole rebuild is one transaction (on engines
/// with transactional DDL): a failure leaves the table as it was. The table's
/// list indexes among `indexes`, its key, its money triggers and its
/// time-of-day indexes are created again with it.
void RebuildTable(TZDbConnection &connection, const QList<TZTableColumnDef> &defs, const QString &table,
                  bool keepOldData, const QList<TZIndexDef> &indexes, const QString &orgCode = QStringLiteral("ZB"));
