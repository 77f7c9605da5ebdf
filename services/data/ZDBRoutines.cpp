#include "ZDBRoutines.h"

#include "common/ZClock.h"
#include "common/ZFiles.h"
#include "common/ZNumbers.h"
#include "common/ZSqlQuote.h"
#include "common/ZStrList.h"
#include "common/ZTrim.h"
#include "data/ZAccessSql.h"
#include "data/ZDataSetRoutines.h"
#include "data/ZRowIdSql.h"
#include "ini/TZIniFile.h"
#include "settings/ZSession.h"

#include <QRandomGenerator>

namespace {

// The statement as it reaches the engine, remembered and logged on the way.
QString prepareText(TZDbConnection &connection, const QString &sql, bool query)
{
    FLastExecSql = sql;
    const QString text = query && connection.kind() != dtMSSQL ? TranToAccessSQL(sql) : sql;
    RecordACCESSSql(connection.kind(), text);
    return text;
}

std::unique_ptr<TZDbStatement> openQuery(TZDbConnection &connection, const QString &systemText)
{
    try {
        return connection.prepare(connection.adapt(systemText));
    } catch (const TZDbError &e) {
        throw ZStatementError(e.message(), systemText);
    }
}

} // namespace

std::unique_ptr<TZDbStatement> DBOpenCursor(TZDbConnection &connection, const QString &sql)
{
    return openQuery(connection, prepareText(connection, sql, true));
}

bool DBExcuteSql(TZDbConnection &connection, const QString &sql)
{
    const QString text = prepareText(connection, sql, false);
    try {
        connection.execute(connection.adapt(text));
    } catch (const TZDbError &e) {
        throw ZStatementError(e.message(), text);
    }
    return true;
}

namespace {

// The statement of a query as a dataset opens it: rows of one table carry
// its row identity, so that UpdateBatch finds exactly them; a statement that
// cannot take it opens as written.
std::unique_ptr<TZDbStatement> openDataSetQuery(TZDbConnection &connection, const QString &text, bool &hasRowId)
{
    std::unique_ptr<TZDbStatement> statement;
    const QString withRowId = connection.kind() == dtMSSQL ? QString() : ZStatementWithRowId(text);
    if (!withRowId.isEmpty()) {
        try {
            statement = connection.prepare(connection.adapt(withRowId));
        } catch (const TZDbError &) {
            statement.reset(); // a view or a table without row identities
        }
    }
    hasRowId = statement != nullptr;
    if (!statement)
        statement = openQuery(connection, text);
    return statement;
}

} // namespace

void DBOpenDataSet(TZDbConnection &connection, TZClientDataSet &dataSet, const QString &sql)
{
    const QString text = prepareText(connection, ZIsBlank(sql) ? dataSet.CommandText() : sql, true);
    bool hasRowId = false;
    const std::unique_ptr<TZDbStatement> statement = openDataSetQuery(connection, text, hasRowId);
    try {
        dataSet.LoadFromStatement(*statement, &connection, text, hasRowId);
    } catch (const TZDbError &e) {
        throw ZStatementError(e.message(), text);
    }
}

void DBOpenDataSetInPieces(TZDbConnection &connection, TZClientDataSet &dataSet, const QString &sql, int firstRows)
{
    const QString text = prepareText(connection, ZIsBlank(sql) ? dataSet.CommandText() : sql, true);
    bool hasRowId = false;
    std::unique_ptr<TZDbStatement> statement = openDataSetQuery(connection, text, hasRowId);
    try {
        dataSet.LoadInPieces(std::move(statement), &connection, text, hasRowId, firstRows);
    } catch (const TZDbError &e) {
        throw ZStatementError(e.message(), text);
    }
}

std::unique_ptr<TZClientDataSet> DBOpenDataSet(TZDbConnection &connection, const QString &sql)
{
    auto dataSet = std::make_unique<TZClientDataSet>();
    DBOpenDataSet(connection, *dataSet, sql);
    return dataSet;
}

void DBOpenDataSet(TZDbConnection &connection, TZClientDataSet &dataSet, const QStringList &sqls)
{
    if (sqls.isEmpty())
        return;
    DBOpenDataSet(connection, dataSet, sqls.first());
    for (qsizetype i = 1; i < sqls.size(); ++i) {
        TZClientDataSet more;
        DBOpenDataSet(connection, more, sqls.at(i));
        CopyDataSet(more, dataSet);
    }
}

QStringList DBSelectValues(TZDbConnection &connection, const QString &sql)
{
    const QString text = prepareText(connection, sql, true);
    auto statement = openQuery(connection, text);
    QStringList values;
    try {
        const bool hasRow = statement->step();
        for (int c = 0; c < statement->columnCount(); ++c)
            values << (hasRow ? ZTrim(statement->value(c, ftZString).toString()) : QString());
    } catch (const TZDbError &e) {
        throw ZStatementError(e.message(), text);
    }
    return values;
}

QString DBSelectValue(TZDbConnection &connection, const QString &sql)
{
    return MergeStrings(DBSelectValues(connection, sql), QStringLiteral(","));
}

int GetRecordCount(TZDbConnection &connection, const QString &sql)
{
    const QString text = prepareText(connection, sql, true);
    auto statement = openQuery(connection, text);
    int count = 0;
    try {
        while (statement->step())
            ++count;
    } catch (const TZDbError &e) {
        throw ZStatementError(e.message(), text);
    }
    return count;
}

QString GetFieldValue(TZDbConnection &connection, const QString &table, const QString &field, const QString &where)
{
    const QString sql =
        QStringLiteral(" select ") + field + QStringLiteral(" from ") + table + QStringLiteral(" where ") + where;
    return DBSelectValues(connection, sql).value(0);
}

namespace {

QString aggregate(TZDbConnection &connection, const char *function, const char *alias, const QString &table,
                  const QString &field, const QString &where)
{
    QString sql =
        QStringLiteral("select %1(%2) as %3 from %4").arg(QLatin1String(function), field, QLatin1String(alias), table);
    if (!ZIsBlank(where))
        sql += QStringLiteral(" where 1=1 ") + where;
    return DBSelectValues(connection, sql).value(0);
}

} // namespace

QString GetFieldMaxValue(TZDbConnection &connection, const QString &table, const QString &field, const QString &where)
{
    return aggregate(connection, "Max", "MaxValue", table, field, where);
}

QString GetFieldMinValue(TZDbConnection &connection, const QString &table, const QString &field, const QString &where)
{
    return aggregate(connection, "Min", "MinValue", table, field, where);
}

bool RepeatFieldValueCheck(TZDbConnection &connection, const QString &table, const QString &field,
                           const QString &extraWhere, const QString &oldValue, const QString &newValue)
{
    if (TrimSameText(oldValue, newValue))
        return false;
    const QString sql = QStringLiteral(" select ") + field + QStringLiteral(" from ") + table
                        + QStringLiteral(" where Ltrim(Rtrim(") + field + QStringLiteral(")) = ")
                        + ZQuotedStr(ZTrim(newValue)) + QStringLiteral(" and Ltrim(Rtrim(") + field
                        + QStringLiteral(")) <> ") + ZQuotedStr(ZTrim(oldValue)) + QStringLiteral(" ") + extraWhere;
    return GetRecordCount(connection, sql) > 0;
}

bool ExistTable(TZDbConnection &connection, const QString &name)
{
    const QString sql = connection.kind() == dtMSSQL
                            ? QStringLiteral("select name from sysobjects where name =") + ZQuotedStr(name)
                            : QStringLiteral("select * from MSysObjects where type=1 and name = ") + ZQuotedStr(name);
    return GetRecordCount(connection, sql) > 0;
}

void DropTable(TZDbConnection &connection, const QString &name)
{
    if (ExistTable(connection, name))
        DBExcuteSql(connection, QStringLiteral("drop table ") + name);
}

bool ExistTableField(TZDbConnection &connection, const QString &table, const QString &field)
{
    if (connection.kind() == dtMSSQL) {
        const QString sql = QStringLiteral(" select Count(*) from sysObjects A left join sysColumns B on A.ID = B.ID "
                                           "where A.Name = %1 and B.name = %2")
                                .arg(ZQuotedStr(table), ZQuotedStr(field));
        return ZStrToInt(DBSelectValues(connection, sql).value(0)) > 0;
    }
    const auto dataSet =
        DBOpenDataSet(connection, QStringLiteral("Select * From ") + table + QStringLiteral(" Where 1=2"));
    return dataSet->FindField(field) != nullptr;
}

QStringList GetKeyFieldList(TZDbConnection &connection, const QString &table)
{
    const auto dataSet = DBOpenDataSet(
        connection,
        QStringLiteral(" select Ordinal_Position,Table_Name,Column_Name from "
                       "Information_Schema.Key_Column_Usage where Table_Name = %1 order by Ordinal_Position")
            .arg(ZQuotedStr(table)));
    QStringList keys;
    for (dataSet->First(); !dataSet->Eof(); dataSet->Next())
        keys << ZTrim(dataSet->FieldByName(QStringLiteral("Column_Name")).AsString());
    return keys;
}

QString GetCreatePrimaryKeySQL(const QString &table, const QString &fields, TDBType kind)
{
    if (ResolveDBType(kind) == dtMSSQL)
        return QStringLiteral(" ALTER TABLE [dbo].[") + table + QStringLiteral("] WITH NOCHECK ADD ")
               + QStringLiteral("\tCONSTRAINT [PK_") + table + QStringLiteral("] PRIMARY KEY  CLUSTERED ")
               + QStringLiteral(" (") + QStringLiteral("\t") + fields + QStringLiteral("\t) ON [PRIMARY] ");
    return QStringLiteral(" ALTER TABLE [") + table + QStringLiteral("] ADD ") + QStringLiteral("\tCONSTRAINT [PK_")
           + table + QStringLiteral("] PRIMARY KEY ") + QStringLiteral(" (") + QStringLiteral("\t") + fields
           + QStringLiteral("\t)");
}

QString CreateDBSql(const QString &name, const QString &path)
{
    if (ZIsBlank(path))
        return QStringLiteral(" CREATE DATABASE [%1]").arg(name);
    return QStringLiteral(
               " CREATE DATABASE [%1] ON (NAME = N%2,        FILENAME = N%3,        SIZE = 6, FILEGROWTH = %4) "
               "LOG ON (NAME = N%5, FILENAME = N%6, SIZE = 1, FILEGROWTH = %7) COLLATE Chinese_PRC_CI_AS")
        .arg(name, ZQuotedStr(name + QStringLiteral("_Data")), ZQuotedStr(path + name + QStringLiteral("_Data.MDF")),
             QStringLiteral("10%"), ZQuotedStr(name + QStringLiteral("_Log")),
             ZQuotedStr(path + name + QStringLiteral("_Log.LDF")), QStringLiteral("10%"));
}

QDateTime DBGetServerDateTime(TZDbConnection &connection)
{
    if (connection.kind() == dtMSSQL) {
        const auto dataSet = DBOpenDataSet(connection, QStringLiteral("select getdate()"));
        return dataSet->Fields(0).AsDateTime();
    }
    return ZNow();
}

void RecordACCESSSql(TDBType kind, const QString &sql)
{
    if (!FRecordACCESSSql || (kind != dtDbACCESS && kind != dtDbDemo))
        return;
    const QString key = QString::number(QRandomGenerator::global()->bounded(100, 1000)) + QLatin1Char('-')
                        + ZNow().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    try {
        TZIniFile(GetLogPath() + QStringLiteral("ACCESSSql.log"))
            .WriteString(QStringLiteral("ACCESS_SQL_LOG"), key, sql);
    } catch (const EZError &) {
        // the log is a developer's aid; a full disk must not stop the statement
    }
}
