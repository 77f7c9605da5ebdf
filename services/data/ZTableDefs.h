#pragma once

#include "data/TZDbConnection.h"
#include "data/ZDBType.h"

#include <QList>
#include <QString>
#include <QStringList>

/// One column of the table-structure catalogue (a section of a .tbl file).
struct TZTableColumnDef
{
    QString TableName;
    QString FieldName;
    QString FieldDesc;
    QString FieldType;
    int FieldLength = 0;
    bool IsKeyField = false;
    int FieldIndex = 99;
    /// The column's default when the table is created (key DefaultValue of
    /// the .tbl section); empty gives the kind's default: '' or 0.
    QString DefaultValue;
};

/// The order key of a column among its table's: comObjUser.PersonID and
/// PowerDesign.UserID 0, Flag 1, BillNo 2, ParentRowNo 3, RowNo 4, other key
/// columns 5, all others 99.
int ZFieldIndexRule(const QString &table, const QString &field, bool isKey);

/// Reads the .tbl files of a folder (DBTables below the program folder when
/// the folder is relative): one table per file, one column per section, with
/// the catalogue's rules (Flag, BillNo, RowNo and ParentRowNo are keys;
/// HasCheck is ftZSmallint; the synchronisation stamps are left out except in
/// DeleteSync). Columns come ordered by FieldIndex, file order within.
///
/// With `withStamps` (creating tables) every table instead ends with the
/// three stamp columns every data source field list carries:
/// SysLastUpdateTime and SysCreateTime (text, 14) and SyncCompleted (text,
/// 100), so that statements built from the definitions find them.
QList<TZTableColumnDef> LoadTableDefinitions(const QString &folder, bool withStamps = false);

/// The names of the tables of the definitions, in file order.
QStringList ZDefinedTables(const QList<TZTableColumnDef> &defs);

/// The statement that creates `table` from its definition rows, named
/// `createName` when given (a scratch or temporary copy).
QString GetCreateDefTableSQL(const QList<TZTableColumnDef> &defs, const QString &table, TDBType kind,
                             const QString &createName = QString());

/// Creates the table and adds its primary key when it has key columns.
void CreateTable(TZDbConnection &connection, const QList<TZTableColumnDef> &defs, const QString &table,
                 const QString &createName = QString());

/// An index a table's lists and look-ups need: its columns in order.
struct TZIndexDef
{
    QString TableName;
    QStringList Columns;
};

/// "CREATE INDEX IF NOT EXISTS [IX_<table>_<columns>] ON [table](…)": the
/// statement runs again without harm on a file that has the index.
QString GetCreateIndexSQL(const TZIndexDef &index);

/// Creates the indexes whose table exists on the connection (the table
/// creation of the template, and the database update on existing files).
void CreateIndexes(TZDbConnection &connection, const QList<TZIndexDef> &indexes);

/// Brings an existing data file to the engine rules of the current program
/// (for the database update): money columns of every table get their
/// rounding triggers, and the indexes on case-insensitive text are rebuilt
/// with the current NOCASE (which ignores case for every letter); the
/// columns looked up by their time of day get their index
/// (ZCreateTimeOfDayIndexes).
void ApplyEngineRules(TZDbConnection &connection);

/// The version of the engine rules a data file carries (pragma user_version):
/// 1 money triggers and NOCASE indexes, 2 the time-of-day indexes.
constexpr int kZEngineRulesVersion = 2;

/// Applies the engine rules once to a data file made before them, inside one
/// transaction, and records it in the file (pragma user_version), so every
/// later open costs one pragma read. Raises EZError when the file holds key
/// values that differ only in case, which the rules cannot index.
void ZEnsureEngineRules(TZDbConnection &connection);
