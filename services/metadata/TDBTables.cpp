#include "TDBTables.h"

#include "common/ZFiles.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TZClientDataSet.h"
#include "data/ZDBRoutines.h"
#include "data/ZTableDefs.h"
#include "ini/TZMemIniFile.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <memory>

namespace {

TZDefinesMergeSource &mergeSource()
{
    static TZDefinesMergeSource installed;
    return installed;
}

void appendColumn(TZClientDataSet &ds, const TZTableColumnDef &c)
{
    ds.Append();
    ds.FieldByName(QStringLiteral("TableName")).SetAsString(c.TableName);
    ds.FieldByName(QStringLiteral("FieldName")).SetAsString(c.FieldName);
    ds.FieldByName(QStringLiteral("IsKeyField")).SetAsBoolean(c.IsKeyField);
    ds.FieldByName(QStringLiteral("FieldIndex")).SetAsInteger(ZFieldIndexRule(c.TableName, c.FieldName, c.IsKeyField));
    ds.FieldByName(QStringLiteral("FieldDesc")).SetAsString(c.FieldDesc);
    ds.FieldByName(QStringLiteral("FieldType")).SetAsString(c.FieldType);
    ds.FieldByName(QStringLiteral("FieldLength")).SetAsInteger(c.FieldLength);
    ds.Post();
}

} // namespace

QString GetDBDefileTableName()
{
    return QStringLiteral("DefTable");
}

void SetDefinesMergeSource(TZDefinesMergeSource source)
{
    mergeSource() = std::move(source);
}

TDBTables::TDBTables(const QString &folder) : m_folder(ZNormalizePath(folder))
{
    TDBConn &db = DBConn();
    const QString table = GetDBDefileTableName();
    db.DropTable(table);
    if (db.GetDBCONN().kind() == dtMSSQL) {
        db.DBExcuteSql(QStringLiteral("CREATE TABLE [dbo].[%1]( [TableName] [varchar](50) NOT NULL,[IsKeyField] [bit],"
                                      "[FieldName] [varchar](50) NOT NULL,[FieldDesc] [varchar](50) ,[FieldType] "
                                      "[varchar](50) ,[FieldLength] int ,[FieldIndex] int) ON [PRIMARY]")
                           .arg(table));
        db.DBExcuteSql(GetCreatePrimaryKeySQL(table, QStringLiteral("TableName,FieldName"), dtMSSQL));
    } else {
        db.DBExcuteSql(QStringLiteral("CREATE TABLE [%1]( [TableName] char(50) NOT NULL,[IsKeyField] bit,[FieldName] "
                                      "char(50) ,[FieldDesc] char(50) ,[FieldType] char(50) ,[FieldLength] int "
                                      ",[FieldIndex] int)")
                           .arg(table));
    }
}

void TDBTables::GetDefinesData(TZClientDataSet &dataSet, bool merge)
{
    DBConn().DBOpenDataSet(dataSet, QStringLiteral("Select * From ") + GetDBDefileTableName());
    QSet<QString> present;
    dataSet.DisableControls();
    const QList<TZTableColumnDef> defs = LoadTableDefinitions(m_folder);
    for (const TZTableColumnDef &c : defs) {
        appendColumn(dataSet, c);
        present.insert(c.TableName.toCaseFolded() + QLatin1Char('.') + c.FieldName.toCaseFolded());
    }
    if (merge && mergeSource()) {
        for (const TZTableColumnDef &c : mergeSource()()) {
            const QString key = c.TableName.toCaseFolded() + QLatin1Char('.') + c.FieldName.toCaseFolded();
            if (present.contains(key))
                continue;
            present.insert(key);
            appendColumn(dataSet, c);
        }
    }
    dataSet.EnableControls();
    dataSet.First();
}

QStringList TDBTables::GetTableList(TZClientDataSet &dataSet)
{
    QStringList tables;
    QSet<QString> seen;
    TZClientDataSet walk;
    walk.CloneCursor(dataSet);
    for (walk.First(); !walk.Eof(); walk.Next()) {
        const QString name = ZTrim(walk.FieldByName(QStringLiteral("TableName")).AsString());
        if (!name.isEmpty() && !seen.contains(name.toCaseFolded())) {
            seen.insert(name.toCaseFolded());
            tables << name;
        }
    }
    tables.sort(Qt::CaseInsensitive);
    return tables;
}

QStringList TDBTables::GetTableList()
{
    TZClientDataSet catalogue;
    DBConn().DBOpenDataSet(catalogue,
                           QStringLiteral("Select * From ") + GetDBDefileTableName() + QStringLiteral(" Where 1=2"));
    GetDefinesData(catalogue, true);
    return GetTableList(catalogue);
}

QStringList TDBTables::GetFixTableList() const
{
    QStringList tables;
    for (const QFileInfo &file :
         QDir(m_folder).entryInfoList({QStringLiteral("*.tbl")}, QDir::Files, QDir::Name | QDir::IgnoreCase))
        tables << file.completeBaseName();
    return tables;
}

void TDBTables::SaveDefines(TZClientDataSet &dataSet)
{
    dataSet.CheckBrowseMode();
    TZClientDataSet sorted;
    sorted.CloneCursor(dataSet);
    sorted.SetIndexFieldNames(QStringLiteral("TableName;FieldName"));
    QDir().mkpath(m_folder);
    std::unique_ptr<TZMemIniFile> file;
    QString current;
    for (sorted.First(); !sorted.Eof(); sorted.Next()) {
        const QString table = ZTrim(sorted.FieldByName(QStringLiteral("TableName")).AsString());
        if (table.isEmpty())
            continue;
        if (table.compare(current, Qt::CaseInsensitive) != 0) {
            if (file)
                file->UpdateFile();
            current = table;
            const QString path = m_folder + QLatin1Char('/') + table + QStringLiteral(".tbl");
            QFile::remove(path);
            file = std::make_unique<TZMemIniFile>(path);
        }
        const QString field = ZTrim(sorted.FieldByName(QStringLiteral("FieldName")).AsString());
        file->WriteString(field, QStringLiteral("IsKeyField"),
                          sorted.FieldByName(QStringLiteral("IsKeyField")).AsBoolean() ? QStringLiteral("1")
                                                                                       : QStringLiteral("0"));
        file->WriteString(field, QStringLiteral("FieldDesc"),
                          sorted.FieldByName(QStringLiteral("FieldDesc")).AsString());
        file->WriteString(field, QStringLiteral("FieldType"),
                          sorted.FieldByName(QStringLiteral("FieldType")).AsString());
        file->WriteString(field, QStringLiteral("FieldLength"),
                          QString::number(sorted.FieldByName(QStringLiteral("FieldLength")).AsInteger()));
    }
    if (file)
        file->UpdateFile();
}

void TDBTables::SetFieldIndex(TZClientDataSet &dataSet)
{
    const bool wasBrowsing = dataSet.State() == dsBrowse;
    if (wasBrowsing)
        dataSet.Edit();
    dataSet.FieldByName(QStringLiteral("FieldIndex"))
        .SetAsInteger(ZFieldIndexRule(ZTrim(dataSet.FieldByName(QStringLiteral("TableName")).AsString()),
                                      ZTrim(dataSet.FieldByName(QStringLiteral("FieldName")).AsString()),
                                      dataSet.FieldByName(QStringLiteral("IsKeyField")).AsBoolean()));
    if (wasBrowsing)
        dataSet.Post();
}
