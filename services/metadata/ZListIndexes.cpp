#include "ZListIndexes.h"

#include "common/ZFiles.h"
#include "common/ZTrim.h"
#include "ini/TZMemIniFile.h"
#include "metadata/TDBSources.h"
#include "metadata/ZDSProperties.h"

#include <QDir>

#include <algorithm>

namespace {

QString property(const TZMemIniFile &file, const QString &section, const QString &name)
{
    return ZTrim(ReadDSProperty(file, section, file.ReadString(section, QStringLiteral("Propertys"), QString()), name));
}

// The section of the first table of the master dataset, or empty.
QString masterTableSection(const TZMemIniFile &file)
{
    const QStringList sections = file.ReadSections();
    QString dataset;
    for (const QString &section : sections) {
        if (section.startsWith(kDSDatasetTag, Qt::CaseInsensitive)
            && property(file, section, QStringLiteral("DatasetIndex")).toInt() == 0) {
            dataset = section.mid(kDSDatasetTag.size());
            break;
        }
    }
    if (dataset.isEmpty())
        return {};
    const QString prefix = kDSTableTag + dataset + QLatin1Char('-');
    QString first;
    int firstIndex = 0;
    for (const QString &section : sections) {
        if (!section.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        const int index = property(file, section, QStringLiteral("TableIndex")).toInt();
        if (first.isEmpty() || index < firstIndex) {
            first = section;
            firstIndex = index;
        }
    }
    return first;
}

// The column's name as the table definitions spell it, or empty.
QString definedColumn(const QList<TZTableColumnDef> &tables, const QString &table, const QString &column)
{
    for (const TZTableColumnDef &c : tables) {
        if (c.TableName.compare(table, Qt::CaseInsensitive) == 0
            && c.FieldName.compare(column, Qt::CaseInsensitive) == 0)
            return c.FieldName;
    }
    return {};
}

// Adds the index unless one on the same table and columns is there.
void addIndex(QList<TZIndexDef> &indexes, const TZIndexDef &index)
{
    const bool known = std::any_of(indexes.begin(), indexes.end(), [&index](const TZIndexDef &other) {
        return other.TableName == index.TableName && other.Columns == index.Columns;
    });
    if (!known)
        indexes << index;
}

// The indexes Indexes.ini in the folder declares, spelt as the table
// definitions spell their tables and columns.
void addDeclaredIndexes(QList<TZIndexDef> &indexes, const QString &folder, const QList<TZTableColumnDef> &tables)
{
    const TZMemIniFile file(QDir(folder).filePath(QStringLiteral("Indexes.ini")));
    for (const QString &section : file.ReadSections()) {
        for (const auto &[key, value] : file.ReadSectionValues(section)) {
            Q_UNUSED(key);
            TZIndexDef index;
            for (const QString &column : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                const QString defined = definedColumn(tables, ZTrim(section), ZTrim(column));
                if (defined.isEmpty()) {
                    index.Columns.clear();
                    break;
                }
                index.Columns << defined;
            }
            if (index.Columns.isEmpty())
                continue;
            for (const TZTableColumnDef &c : tables) {
                if (c.TableName.compare(ZTrim(section), Qt::CaseInsensitive) == 0) {
                    index.TableName = c.TableName;
                    break;
                }
            }
            addIndex(indexes, index);
        }
    }
}

} // namespace

QList<TZIndexDef> LoadListIndexDefinitions(const QString &dbSourceFolder, const QList<TZTableColumnDef> &tables)
{
    const QString path = QDir::isAbsolutePath(dbSourceFolder) ? dbSourceFolder : GetCurrPath() + dbSourceFolder;
    QList<TZIndexDef> indexes;
    const QFileInfoList files =
        QDir(path).entryInfoList({QStringLiteral("*.dbs")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &info : files) {
        const TZMemIniFile file(info.absoluteFilePath());
        const QString tableSection = masterTableSection(file);
        if (tableSection.isEmpty())
            continue;
        const QString table = property(file, tableSection, QStringLiteral("TableName"));
        const QString date =
            definedColumn(tables, table, property(file, kDSDataSourceTag, QStringLiteral("DateField")));
        const QString key = definedColumn(tables, table, property(file, kDSDataSourceTag, QStringLiteral("MasterKey")));
        if (date.isEmpty() || key.isEmpty())
            continue;
        TZIndexDef index;
        for (const TZTableColumnDef &c : tables) {
            if (c.TableName.compare(table, Qt::CaseInsensitive) == 0) {
                index.TableName = c.TableName;
                break;
            }
        }
        const QString flag = definedColumn(tables, table, QStringLiteral("Flag"));
        if (!flag.isEmpty() && property(file, tableSection, QStringLiteral("Flag")).toInt() != 0)
            index.Columns << flag;
        index.Columns << date << key;
        addIndex(indexes, index);
    }
    addDeclaredIndexes(indexes, path, tables);
    return indexes;
}
