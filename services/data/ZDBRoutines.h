#pragma once

#include "data/TZClientDataSet.h"
#include "data/TZDbConnection.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

// Statement routines on one connection. Statements are the system's texts in
// the server dialect: queries on the file kinds pass TranToAccessSQL first,
// then every statement passes the connection's engine adapter. Each statement
// is remembered in FLastExecSql and written to the statement log when that is
// on. A failing statement raises the system's statement error.

/// Runs a command (no file-kind query rewrite); true on success.
bool DBExcuteSql(TZDbConnection &connection, const QString &sql);

/// Opens a query into the dataset.
void DBOpenDataSet(TZDbConnection &connection, TZClientDataSet &dataSet, const QString &sql);

/// Opens a query into the dataset in pieces (TZClientDataSet::LoadInPieces):
/// its first `firstRows` rows now, the rest from the event loop. The list
/// windows open their rows this way.
void DBOpenDataSetInPieces(TZDbConnection &connection, TZClientDataSet &dataSet, const QString &sql,
                           int firstRows = TZClientDataSet::kFirstPieceRows);

/// Opens a query and hands its rows to the dataset (the form the LAN
/// messages carry as XML).
inline void DBOpenDatasetXML(TZDbConnection &connection, TZClientDataSet &dataSet, const QString &sql)
{
    DBOpenDataSet(connection, dataSet, sql);
}

/// Opens a query into a new dataset.
std::unique_ptr<TZClientDataSet> DBOpenDataSet(TZDbConnection &connection, const QString &sql);

/// Prepares a query for reading its rows once, forward, without a client
/// dataset (for callers that only count or summarise rows). Raises the
/// statement error as DBOpenDataSet does.
std::unique_ptr<TZDbStatement> DBOpenCursor(TZDbConnection &connection, const QString &sql);

/// Opens the first query into the dataset and appends the rows of each
/// further one (by field name).
void DBOpenDataSet(TZDbConnection &connection, TZClientDataSet &dataSet, const QStringList &sqls);

/// The fields of the first row, trimmed and joined by "," (MergeStrings).
QString DBSelectValue(TZDbConnection &connection, const QString &sql);

/// The fields of the first row, each trimmed; empty entries (one per field)
/// when there is no row.
QStringList DBSelectValues(TZDbConnection &connection, const QString &sql);

/// The number of rows of a query.
int GetRecordCount(TZDbConnection &connection, const QString &sql);

/// " select F from T where W": the first row's field as text; empty when none.
QString GetFieldValue(TZDbConnection &connection, const QString &table, const QString &field, const QString &where);

/// "select Max(F) as MaxValue from T", with " where 1=1 " + W when W is not
/// blank (callers pass conditions starting with " And ").
QString GetFieldMaxValue(TZDbConnection &connection, const QString &table, const QString &field, const QString &where);
QString GetFieldMinValue(TZDbConnection &connection, const QString &table, const QString &field, const QString &where);

/// True when another row already holds the new value: false without a query
/// when the trimmed values are equal ignoring case.
bool RepeatFieldValueCheck(TZDbConnection &connection, const QString &table, const QString &field,
                           const QString &extraWhere, const QString &oldValue, const QString &newValue);

bool ExistTable(TZDbConnection &connection, const QString &name);
void DropTable(TZDbConnection &connection, const QString &name);
bool ExistTableField(TZDbConnection &connection, const QString &table, const QString &field);

/// The primary-key columns of a table in key order.
QStringList GetKeyFieldList(TZDbConnection &connection, const QString &table);

/// The statement that adds the primary key of a table (server and file forms).
QString GetCreatePrimaryKeySQL(const QString &table, const QString &fields, TDBType kind = dtNone);

/// The statement that creates a server database (with files when a path is
/// given).
QString CreateDBSql(const QString &name, const QString &path);

/// The time of the database: the server's clock on the server kind, the
/// system's clock on the file kinds.
QDateTime DBGetServerDateTime(TZDbConnection &connection);

/// Writes a statement to the statement log (log/ACCESSSql.log) when the log is
/// on and the kind is a data file kind.
void RecordACCESSSql(TDBType kind, const QString &sql);
