#include "ZDBUpdateTable.h"

#include "common/Currency.h"
#include "common/ZErrors.h"
#include "data/ZDBRoutines.h"
#include "data/ZFieldType.h"
#include "data/ZSqliteMoney.h"
#include "data/ZSqliteTimeParts.h"

#include <QHash>
#include <QVariant>

#include <cmath>

bool ZTableIsNeedSync(TZDbConnection &connection, const QString &table)
{
    if (ResolveDBType(connection.kind()) != dtMSSQL)
        return false;
    static const QStringList own = {QStringLiteral("comLock"), QStringLiteral("comParams"),
                                    QStringLiteral("comParamsEx"), QStringLiteral("comUpdateTag"),
                                    QStringLiteral("comChangelog")};
    return !own.contains(table, Qt::CaseInsensitive)
           && connection.tableColumns(table).contains(QStringLiteral("SyncCompleted"), Qt::CaseInsensitive);
}

namespace {

QString bracketed(const QString &name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

[[noreturn]] void notConvertible(const QString &table, const QString &column, const QString &value)
{
    throw EZError(QStringLiteral("表 %1 的字段 %2 的值“%3”不是数字，无法转换。").arg(table, column, value));
}

// The value an old text takes in a column of `kind`; the text is not empty.
QVariant converted(const QString &text, TZFieldType kind, const QString &table, const QString &column)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    switch (kind) {
    case ftZInteger:
    case ftZSmallint: {
        const qint64 whole = trimmed.toLongLong(&ok);
        if (ok)
            return whole;
        const double real = trimmed.toDouble(&ok);
        if (!ok || !std::isfinite(real))
            notConvertible(table, column, text);
        return qint64(std::llround(real));
    }
    case ftZFloat: {
        const double real = trimmed.toDouble(&ok);
        if (!ok)
            notConvertible(table, column, text);
        return real;
    }
    case ftZCurrency: {
        const Currency money = Currency::fromString(trimmed, &ok);
        if (ok)
            return QVariant::fromValue(money);
        const double real = trimmed.toDouble(&ok);
        if (!ok || !std::isfinite(real))
            notConvertible(table, column, text);
        return QVariant::fromValue(Currency::fromDouble(real));
    }
    default:
        return text;
    }
}

QVariant emptyValue(TZFieldType kind)
{
    switch (kind) {
    case ftZInteger:
    case ftZSmallint:
        return qint64(0);
    case ftZFloat:
        return 0.0;
    case ftZCurrency:
        return QVariant::fromValue(Currency());
    case ftZBoolean:
        return false;
    default:
        return QString();
    }
}

} // namespace

void CopyOldData(TZDbConnection &connection, const QString &temp, const QString &table, const QString &orgCode)
{
    // The new table's columns and kinds, from its declared types.
    QStringList columns;
    QList<TZFieldType> kinds;
    {
        auto shape = connection.prepare(
            connection.adapt(QStringLiteral("select * from ") + bracketed(table) + QStringLiteral(" where 1=2")));
        shape->step();
        for (int c = 0; c < shape->columnCount(); ++c) {
            columns << shape->columnName(c);
            kinds << ZFieldTypeOfDeclared(shape->columnDeclaredType(c));
        }
    }
    if (columns.isEmpty())
        return;
    const int syncColumn =
        ZTableIsNeedSync(connection, table) ? int(columns.indexOf(QStringLiteral("SyncCompleted"))) : -1;

    auto old = connection.prepare(connection.adapt(QStringLiteral("select * from ") + bracketed(temp)));
    QHash<QString, int> oldColumn; // case-folded name → column of the old table
    for (int c = 0; c < old->columnCount(); ++c)
        oldColumn.insert(old->columnName(c).toLower(), c);

    QStringList names, marks;
    for (const QString &c : std::as_const(columns)) {
        names << bracketed(c);
        marks << QStringLiteral("?");
    }
    auto insert = connection.prepare(
        connection.adapt(QStringLiteral("insert into %1(%2) values(%3)")
                             .arg(bracketed(table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))));
    while (old->step()) {
        for (int c = 0; c < columns.size(); ++c) {
            const TZFieldType kind = kinds.at(c);
            const int from = oldColumn.value(columns.at(c).toLower(), -1);
            QVariant value;
            if (from >= 0)
                value = old->value(from, kind == ftZBlob ? ftZBlob : ftZString);
            const bool empty =
                value.isNull() || (kind == ftZBlob ? value.toByteArray().isEmpty() : value.toString().isEmpty());
            if (empty)
                value = c == syncColumn ? QVariant(orgCode + QLatin1Char(',')) : emptyValue(kind);
            else if (kind != ftZBlob) {
                value = converted(value.toString(), kind, table, columns.at(c));
                // A number stored as a number is taken as it is stored: its
                // text form keeps only 15 digits.
                if (kind == ftZFloat || kind == ftZCurrency)
                    value = old->value(from, kind);
            }
            insert->bind(c + 1, value);
        }
        insert->step();
        insert->reset();
    }
}

void RebuildTable(TZDbConnection &connection, const QList<TZTableColumnDef> &defs, const QString &table,
                  bool keepOldData, const QList<TZIndexDef> &indexes, const QString &orgCode)
{
    const QString temp = table + QStringLiteral("_Temp");
    const bool own = !connection.inTransaction();
    if (own)
        connection.begin();
    try {
        if (keepOldData && ExistTable(connection, table)) {
            if (ExistTable(connection, temp))
                DropTable(connection, temp);
            DBExcuteSql(connection, QStringLiteral("select * into ") + temp + QStringLiteral(" from ") + table);
            DropTable(connection, table);
            CreateTable(connection, defs, table);
            CopyOldData(connection, temp, table, orgCode);
            DropTable(connection, temp);
        } else {
            if (ExistTable(connection, table))
                DropTable(connection, table);
            CreateTable(connection, defs, table);
        }
        // What the table's definition does not say but its lists and the
        // engine rules need: the list indexes and, on the file kinds, the
        // money triggers and time-of-day indexes.
        QList<TZIndexDef> tableIndexes;
        for (const TZIndexDef &index : indexes) {
            if (index.TableName.compare(table, Qt::CaseInsensitive) == 0)
                tableIndexes << index;
        }
        CreateIndexes(connection, tableIndexes);
        if (ResolveDBType(connection.kind()) != dtMSSQL) {
            for (const TZTableColumnDef &c : defs) {
                if (c.TableName.compare(table, Qt::CaseInsensitive) == 0 && StrToZFieldType(c.FieldType) == ftZCurrency)
                    connection.execute(ZMoneyTriggersSql(table, c.FieldName));
            }
            ZCreateTimeOfDayIndexes(connection);
        }
        if (own)
            connection.commit();
    } catch (...) {
        if (own)
            connection.rollback();
        throw;
    }
}
