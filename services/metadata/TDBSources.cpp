#include "TDBSources.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TZClientDataSet.h"
#include "data/ZDBRoutines.h"
#include "ini/TZMemIniFile.h"
#include "metadata/ZDSProperties.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <map>
#include <memory>

namespace {

const char *const kMainTables[] = {
    " create table defDataSource( DataSource varchar(50), DataSourceIndex int, Propertys text)",
    " create table defDataset( DataSource varchar(50), Dataset varchar(50), DatasetIndex int, Propertys text)",
    " create table defDsTable( DataSource varchar(50), Dataset varchar(50), TableName varchar(50), TableIndex int, "
    "Propertys text)",
    " create table defFields( DataSource varchar(50), Dataset varchar(50), TableName varchar(50), FieldName "
    "varchar(50),  DisplayName varchar(50),  FieldIndex int, Propertys text)",
};

const char *const kTableNames[] = {"defDataSource", "defDataset", "defDsTable", "defFields"};

QString withSlash(const QString &folder)
{
    QString f = ZNormalizePath(folder);
    return f.endsWith(QLatin1Char('/')) ? f : f + QLatin1Char('/');
}

// The stored property text in the "[##]" form.
QString longForm(const QString &propertys)
{
    if (propertys.contains(QLatin1String("[##]")))
        return propertys;
    QString t = propertys;
    t.replace(QLatin1Char('='), QLatin1String("[##]"));
    return t;
}

QString joinProperties(const QString &merged, const QString &own)
{
    if (merged.isEmpty())
        return own;
    if (own.isEmpty())
        return merged;
    return merged + QLatin1Char(';') + own;
}

void openEmpty(TZClientDataSet &dataSet, const char *table)
{
    DBConn().DBOpenDataSet(dataSet, QStringLiteral("Select * From %1 where 1=2").arg(QLatin1String(table)));
}

void setText(TZClientDataSet &row, const char *field, const QString &value)
{
    if (TZDataField *f = row.FindField(QLatin1String(field)))
        f->SetAsString(value);
}

// Appends the row of one section to the table of its level.
void appendRow(TZClientDataSet &table, const TZMemIniFile &file, const QString &section, const char *const *names,
               int nameCount, const char *indexKey)
{
    table.Append();
    for (int i = 0; i < nameCount; ++i)
        setText(table, names[i], ZTrim(file.ReadString(section, QLatin1String(names[i]), QString())));
    table.FieldByName(QLatin1String(indexKey))
        .SetAsInteger(ZDSInt(file.ReadString(section, QLatin1String(indexKey), QStringLiteral("0")), 0));
    setText(table, "Propertys",
            joinProperties(MergePropertyItems(file, section),
                           longForm(ZTrim(file.ReadString(section, QStringLiteral("Propertys"), QString())))));
    table.Post();
}

const char *const kSourceNames[] = {"DataSource"};
const char *const kDatasetNames[] = {"DataSource", "Dataset"};
const char *const kTableNamesOfRow[] = {"DataSource", "Dataset", "TableName"};
const char *const kFieldNames[] = {"DataSource", "Dataset", "TableName", "FieldName"};

} // namespace

void DEFTableInit(TZDbConnection &connection)
{
    for (const char *table : kTableNames)
        DropTable(connection, QLatin1String(table));
    for (int i = 0; i < 4; ++i) {
        if (!ExistTable(connection, QLatin1String(kTableNames[i])))
            DBExcuteSql(connection, QLatin1String(kMainTables[i]));
    }
}

QStringList DefinitionsDatabaseTableSql()
{
    return {QStringLiteral(" create table defDataSource( DataSource char(30), DataSourceIndex int, Propertys Memo)"),
            QStringLiteral(" create table defDataset( DataSource char(30), Dataset char(30), DatasetIndex int, "
                           "Propertys Memo)"),
            QStringLiteral(" create table defDsTable( DataSource char(30), Dataset char(30), TableName char(30), "
                           "TableIndex int, Propertys Memo)"),
            QStringLiteral(" create table defFields( DataSource char(30), Dataset char(30), TableName char(30), "
                           "FieldName char(30), FieldIndex int, Propertys Memo)")};
}

QString MergePropertyItems(const TZCustomIniFile &file, const QString &section)
{
    QStringList items;
    for (const auto &[key, value] : file.ReadSectionValues(section)) {
        if (key.compare(QLatin1String("Propertys"), Qt::CaseInsensitive) == 0 || ZIsBlank(value))
            continue;
        items << key + QStringLiteral("[##]") + value;
    }
    return items.join(QLatin1Char(';'));
}

TDBSources::TDBSources(const QString &folder) : m_folder(withSlash(folder)) {}

QStringList TDBSources::GetDBSourceList() const
{
    QStringList names;
    const QStringList files = QDir(m_folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &file : files) {
        if (file.endsWith(QLatin1String(".dbs"), Qt::CaseInsensitive))
            names << file.left(file.size() - 4);
    }
    return names;
}

QString TDBSources::fileOf(const QString &name) const
{
    // Definition files made on other systems may spell the name or the
    // extension in another case.
    const QString wanted = ZTrim(name) + QStringLiteral(".dbs");
    const QString exact = m_folder + wanted;
    if (QFileInfo::exists(exact))
        return exact;
    for (const QString &file : QDir(m_folder).entryList(QDir::Files)) {
        if (file.compare(wanted, Qt::CaseInsensitive) == 0)
            return m_folder + file;
    }
    return exact;
}

void TDBSources::_GetSources(TZClientDataSet &dataSources)
{
    openEmpty(dataSources, "defDatasource");
    for (const QString &name : GetDBSourceList())
        _GetOneSource(dataSources, name, false);
}

void TDBSources::_GetSources(TZClientDataSet &dataSources, TZClientDataSet &datasets, TZClientDataSet &fields,
                             TZClientDataSet &tables)
{
    openEmpty(dataSources, "defDatasource");
    openEmpty(datasets, "defDataset");
    openEmpty(tables, "defDsTable");
    openEmpty(fields, "defFields");
    for (const QString &name : GetDBSourceList())
        _GetOneSource(dataSources, datasets, false, name, fields, tables);
}

void TDBSources::_GetOneSource(TZClientDataSet &dataSources, const QString &name, bool openFirst)
{
    if (openFirst)
        openEmpty(dataSources, "defDatasource");
    const TZMemIniFile file(fileOf(name));
    for (const QString &section : file.ReadSections()) {
        if (section.startsWith(kDSDataSourceTag))
            appendRow(dataSources, file, section, kSourceNames, 1, "DataSourceIndex");
    }
}

void TDBSources::_GetOneSource(TZClientDataSet &dataSources, TZClientDataSet &datasets, bool openFirst,
                               const QString &name, TZClientDataSet &fields, TZClientDataSet &tables)
{
    if (openFirst) {
        openEmpty(dataSources, "defDatasource");
        openEmpty(datasets, "defDataset");
        openEmpty(tables, "defDsTable");
        openEmpty(fields, "defFields");
    }
    const TZMemIniFile file(fileOf(name));
    for (const QString &section : file.ReadSections()) {
        if (section.startsWith(kDSDataSourceTag))
            appendRow(dataSources, file, section, kSourceNames, 1, "DataSourceIndex");
        else if (section.startsWith(kDSDatasetTag))
            appendRow(datasets, file, section, kDatasetNames, 2, "DatasetIndex");
        else if (section.startsWith(kDSTableTag))
            appendRow(tables, file, section, kTableNamesOfRow, 3, "TableIndex");
        else if (section.startsWith(kDSFieldTag))
            appendRow(fields, file, section, kFieldNames, 4, "FieldIndex");
    }
}

namespace {

// The files of one save, kept open across the four passes.
class SaveSession
{
public:
    explicit SaveSession(const QString &folder) : m_folder(withSlash(folder)) {}

    TZMemIniFile &file(const QString &dataSource)
    {
        const QString key = dataSource.toCaseFolded();
        auto found = m_files.find(key);
        if (found == m_files.end())
            found = m_files.emplace(key, std::make_unique<TZMemIniFile>(m_folder + dataSource + QStringLiteral(".dbs")))
                        .first;
        return *found->second;
    }

    void written(const QString &dataSource, const QString &section)
    {
        m_written[dataSource.toCaseFolded()].insert(section.toCaseFolded());
    }

    void finish(int sourceRows, const QString &onlySource)
    {
        if (sourceRows == 1) {
            TZMemIniFile &only = file(onlySource);
            const QSet<QString> kept = m_written.value(onlySource.toCaseFolded());
            for (const QString &section : only.ReadSections()) {
                if (!kept.contains(section.toCaseFolded()))
                    only.EraseSection(section);
            }
        }
        QDir().mkpath(m_folder);
        for (auto &[key, ini] : m_files)
            ini->UpdateFile();
    }

private:
    QString m_folder;
    std::map<QString, std::unique_ptr<TZMemIniFile>> m_files;
    QHash<QString, QSet<QString>> m_written;
};

void writeRow(SaveSession &session, TZClientDataSet &rows, const QString &section, const QStringList &nameKeys,
              const char *indexKey)
{
    const QString dataSource = ZTrim(rows.FieldByName(QStringLiteral("DataSource")).AsString());
    TZMemIniFile &file = session.file(dataSource);
    for (const QString &item : rows.FieldByName(QStringLiteral("Propertys")).AsString().split(QLatin1Char(';'))) {
        if (ZIsBlank(item))
            continue;
        const QStringList pieces =
            item.contains(QLatin1String("[##]")) ? item.split(QStringLiteral("[##]")) : item.split(QLatin1Char('='));
        const QString key = ZTrim(pieces.value(0));
        if (!key.isEmpty())
            file.WriteString(section, key, pieces.value(1));
    }
    for (const QString &key : nameKeys)
        file.WriteString(section, key, ZTrim(rows.FieldByName(key).AsString()));
    file.WriteString(section, QLatin1String(indexKey), rows.FieldByName(QLatin1String(indexKey)).AsString());
    file.WriteString(section, QStringLiteral("Propertys"), QString());
    session.written(dataSource, section);
}

template<typename SectionOf>
void savePass(SaveSession &session, TZClientDataSet &rows, const QString &order, const QStringList &nameKeys,
              const char *indexKey, SectionOf sectionOf, int *count = nullptr, QString *last = nullptr)
{
    TZClientDataSet sorted;
    sorted.CloneCursor(rows);
    sorted.SetIndexFieldNames(order);
    for (sorted.First(); !sorted.Eof(); sorted.Next()) {
        const QString dataSource = ZTrim(sorted.FieldByName(QStringLiteral("DataSource")).AsString());
        if (dataSource.isEmpty())
            continue;
        writeRow(session, sorted, sectionOf(sorted), nameKeys, indexKey);
        if (count)
            ++*count;
        if (last)
            *last = dataSource;
    }
}

QString text(TZClientDataSet &rows, const char *field)
{
    return ZTrim(rows.FieldByName(QLatin1String(field)).AsString());
}

} // namespace

void SaveSources(TZClientDataSet &dataSources, TZClientDataSet &datasets, TZClientDataSet &tables,
                 const QString &folder, TZClientDataSet &fields)
{
    dataSources.CheckBrowseMode();
    datasets.CheckBrowseMode();
    tables.CheckBrowseMode();
    fields.CheckBrowseMode();
    SaveSession session(folder);
    int sourceRows = 0;
    QString lastSource;
    savePass(
        session, dataSources, QString(), {QStringLiteral("DataSource")}, "DataSourceIndex",
        [](TZClientDataSet &) { return kDSDataSourceTag; }, &sourceRows, &lastSource);
    savePass(session, datasets, QStringLiteral("DataSource;Dataset"),
             {QStringLiteral("DataSource"), QStringLiteral("Dataset")}, "DatasetIndex",
             [](TZClientDataSet &r) { return kDSDatasetTag + text(r, "Dataset"); });
    savePass(
        session, tables, QStringLiteral("DataSource;Dataset;TableName"),
        {QStringLiteral("DataSource"), QStringLiteral("Dataset"), QStringLiteral("TableName")}, "TableIndex",
        [](TZClientDataSet &r) { return kDSTableTag + text(r, "Dataset") + QLatin1Char('-') + text(r, "TableName"); });
    savePass(session, fields, QStringLiteral("DataSource;Dataset;TableName;FieldName"),
             {QStringLiteral("DataSource"), QStringLiteral("Dataset"), QStringLiteral("TableName"),
              QStringLiteral("FieldName")},
             "FieldIndex", [](TZClientDataSet &r) {
                 return kDSFieldTag + text(r, "Dataset") + QLatin1Char('-') + text(r, "TableName") + QLatin1Char('-')
                        + text(r, "FieldName");
             });
    session.finish(sourceRows, lastSource);
}
