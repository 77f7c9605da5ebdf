#include "ZTableDefs.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/ZDBRoutines.h"
#include "data/ZFieldType.h"
#include "data/ZSqliteMoney.h"
#include "data/ZSqliteTimeParts.h"
#include "ini/TZMemIniFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

int ZFieldIndexRule(const QString &table, const QString &field, bool isKey)
{
    const auto is = [](const QString &a, const char *b) {
        return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
    };
    if (is(table, "comObjUser") && is(field, "PersonID"))
        return 0;
    if (is(table, "PowerDesign") && is(field, "UserID"))
        return 0;
    if (is(field, "Flag"))
        return 1;
    if (is(field, "BillNo"))
        return 2;
    if (is(field, "ParentRowNo"))
        return 3;
    if (is(field, "RowNo"))
        return 4;
    return isKey ? 5 : 99;
}

QList<TZTableColumnDef> LoadTableDefinitions(const QString &folder, bool withStamps)
{
    const QString path = QDir::isAbsolutePath(folder) ? folder : GetCurrPath() + folder;
    QList<TZTableColumnDef> all;
    const QFileInfoList files =
        QDir(path).entryInfoList({QStringLiteral("*.tbl")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &file : files) {
        const QString table = file.completeBaseName();
        const TZMemIniFile ini(file.absoluteFilePath());
        QList<TZTableColumnDef> columns;
        for (const QString &field : ini.ReadSections()) {
            if (ZIsBlank(field))
                continue;
            const bool stamp = field.compare(QLatin1String("SysLastUpdateTime"), Qt::CaseInsensitive) == 0
                               || field.compare(QLatin1String("SysCreateTime"), Qt::CaseInsensitive) == 0
                               || field.compare(QLatin1String("SyncCompleted"), Qt::CaseInsensitive) == 0;
            if (stamp && table.compare(QLatin1String("DeleteSync"), Qt::CaseInsensitive) != 0)
                continue;
            TZTableColumnDef c;
            c.TableName = table;
            c.FieldName = field;
            const bool fixedKey = field.compare(QLatin1String("Flag"), Qt::CaseInsensitive) == 0
                                  || field.compare(QLatin1String("BillNo"), Qt::CaseInsensitive) == 0
                                  || field.compare(QLatin1String("RowNo"), Qt::CaseInsensitive) == 0
                                  || field.compare(QLatin1String("ParentRowNo"), Qt::CaseInsensitive) == 0;
            c.IsKeyField =
                fixedKey || ZTrim(ini.ReadString(field, QStringLiteral("IsKeyField"), QString())) == QLatin1String("1");
            c.FieldDesc = ini.ReadString(field, QStringLiteral("FieldDesc"), QString());
            c.FieldType = field.compare(QLatin1String("HasCheck"), Qt::CaseInsensitive) == 0
                              ? QStringLiteral("ftZSmallint")
                              : ini.ReadString(field, QStringLiteral("FieldType"), QString());
            c.FieldLength = ini.ReadInteger(field, QStringLiteral("FieldLength"), 0);
            c.FieldIndex = ZFieldIndexRule(table, field, c.IsKeyField);
            c.DefaultValue = ZTrim(ini.ReadString(field, QStringLiteral("DefaultValue"), QString()));
            columns << c;
        }
        std::stable_sort(columns.begin(), columns.end(), [](const TZTableColumnDef &a, const TZTableColumnDef &b) {
            return a.FieldIndex < b.FieldIndex;
        });
        if (withStamps) {
            const auto has = [&columns](const char *name) {
                return std::any_of(columns.begin(), columns.end(), [name](const TZTableColumnDef &c) {
                    return c.FieldName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
                });
            };
            const struct
            {
                const char *name;
                const char16_t *caption;
                int length;
            } stamps[] = {{"SysLastUpdateTime", u"更新时间", 14},
                          {"SysCreateTime", u"创建时间", 14},
                          {"SyncCompleted", u"同步标识", 100}};
            for (const auto &stamp : stamps) {
                if (!has(stamp.name))
                    columns << TZTableColumnDef{table,
                                                QLatin1String(stamp.name),
                                                QString::fromUtf16(stamp.caption),
                                                QStringLiteral("ftZString"),
                                                stamp.length,
                                                false,
                                                99,
                                                QString()};
            }
        }
        all << columns;
    }
    return all;
}

QStringList ZDefinedTables(const QList<TZTableColumnDef> &defs)
{
    QStringList tables;
    for (const TZTableColumnDef &c : defs) {
        if (!tables.contains(c.TableName, Qt::CaseInsensitive))
            tables << c.TableName;
    }
    return tables;
}

namespace {

QList<TZTableColumnDef> columnsOf(const QList<TZTableColumnDef> &defs, const QString &table)
{
    QList<TZTableColumnDef> columns;
    for (const TZTableColumnDef &c : defs) {
        if (c.TableName.compare(table, Qt::CaseInsensitive) == 0)
            columns << c;
    }
    std::stable_sort(columns.begin(), columns.end(),
                     [](const TZTableColumnDef &a, const TZTableColumnDef &b) { return a.FieldIndex < b.FieldIndex; });
    return columns;
}

QString columnClause(const TZTableColumnDef &c, TDBType kind)
{
    const TZFieldType type = StrToZFieldType(c.FieldType);
    QString clause = QLatin1Char('[') + c.FieldName + QStringLiteral("] ") + GetDBFieldType(c.FieldType, kind);
    if (type == ftZString)
        clause += QStringLiteral("(%1)").arg(c.FieldLength > 0 ? c.FieldLength : 20);
    if (c.IsKeyField)
        clause += QStringLiteral(" NOT NULL");
    const bool text = type == ftZString || type == ftZMemo;
    bool isNumber = false;
    c.DefaultValue.toDouble(&isNumber);
    if (text)
        clause += QStringLiteral(" DEFAULT ") + ZQuotedStr(c.DefaultValue);
    else if (type != ftZBlob)
        clause += QStringLiteral(" DEFAULT ") + (isNumber ? c.DefaultValue : QStringLiteral("0"));
    return clause;
}

} // namespace

QString GetCreateDefTableSQL(const QList<TZTableColumnDef> &defs, const QString &table, TDBType kind,
                             const QString &createName)
{
    const QString name = createName.isEmpty() ? table : createName;
    QList<TZTableColumnDef> columns = columnsOf(defs, table);
    if (columns.isEmpty())
        throw EZError(QStringLiteral("表 %1 没有字段定义").arg(table));
    QStringList clauses;
    if (ResolveDBType(kind) == dtMSSQL) {
        std::stable_partition(columns.begin(), columns.end(), [](const TZTableColumnDef &c) { return c.IsKeyField; });
        for (const TZTableColumnDef &c : std::as_const(columns))
            clauses << columnClause(c, kind);
        return QStringLiteral(" CREATE TABLE [dbo].[") + name + QStringLiteral("](") + clauses.join(QLatin1Char(','))
               + QStringLiteral(") ON [PRIMARY]");
    }
    for (const TZTableColumnDef &c : std::as_const(columns))
        clauses << columnClause(c, kind);
    return QStringLiteral(" CREATE TABLE [") + name + QStringLiteral("](") + clauses.join(QLatin1Char(','))
           + QStringLiteral(")");
}

void CreateTable(TZDbConnection &connection, const QList<TZTableColumnDef> &defs, const QString &table,
                 const QString &createName)
{
    const QString name = createName.isEmpty() ? table : createName;
    DBExcuteSql(connection, GetCreateDefTableSQL(defs, table, connection.kind(), createName));
    QStringList keys;
    for (const TZTableColumnDef &c : columnsOf(defs, table)) {
        if (c.IsKeyField)
            keys << c.FieldName;
    }
    if (!keys.isEmpty())
        DBExcuteSql(connection, GetCreatePrimaryKeySQL(name, keys.join(QLatin1Char(',')), connection.kind()));
}

QString GetCreateIndexSQL(const TZIndexDef &index)
{
    QStringList columns;
    for (const QString &c : index.Columns)
        columns << QLatin1Char('[') + c + QLatin1Char(']');
    return QStringLiteral("CREATE INDEX IF NOT EXISTS [IX_%1_%2] ON [%1](%3)")
        .arg(index.TableName, index.Columns.join(QLatin1Char('_')), columns.join(QLatin1Char(',')));
}

void CreateIndexes(TZDbConnection &connection, const QList<TZIndexDef> &indexes)
{
    for (const TZIndexDef &index : indexes) {
        if (connection.tableExists(index.TableName))
            DBExcuteSql(connection, GetCreateIndexSQL(index));
    }
}

void ApplyEngineRules(TZDbConnection &connection)
{
    auto tables = connection.prepare(
        QStringLiteral("select m.name, p.name, p.type from main.sqlite_master m join pragma_table_info(m.name) p "
                       "where m.type = 'table' and m.name not like 'sqlite\\_%' escape '\\'"));
    QString triggers;
    while (tables->step()) {
        if (ZIsMoneyDeclaredType(tables->value(2, ftZString).toString()))
            triggers +=
                ZMoneyTriggersSql(tables->value(0, ftZString).toString(), tables->value(1, ftZString).toString());
    }
    tables.reset();
    if (!triggers.isEmpty())
        connection.execute(triggers);
    connection.execute(QStringLiteral("REINDEX NOCASE"));
    ZCreateTimeOfDayIndexes(connection);
}

void ZEnsureEngineRules(TZDbConnection &connection)
{
    int version = 0;
    {
        auto read = connection.prepare(QStringLiteral("pragma user_version"));
        if (read->step())
            version = read->value(0, ftZInteger).toInt();
    }
    if (version >= kZEngineRulesVersion)
        return;
    const bool own = !connection.inTransaction();
    if (own)
        connection.begin();
    try {
        ApplyEngineRules(connection);
        connection.execute(QStringLiteral("pragma user_version = %1").arg(kZEngineRulesVersion));
        if (own)
            connection.commit();
    } catch (const EZError &e) {
        if (own)
            connection.rollback();
        throw EZError(QStringLiteral("数据文件无法更新到本程序的规则：%1").arg(e.message()));
    }
}
