#pragma once

#include <QString>
#include <QStringList>

class TZClientDataSet;
class TZCustomIniFile;
class TZDbConnection;

// The relational working copy of definition files: the four metadata tables
// defDataSource, defDataset, defDsTable and defFields, loaded from .dbs files
// and saved back into them.

/// The section tags of a definition file.
inline const QString kDSDataSourceTag = QStringLiteral("<DSDataSource>");
inline const QString kDSDatasetTag = QStringLiteral("<DSDataset>");
inline const QString kDSTableTag = QStringLiteral("<DSTable>");
inline const QString kDSFieldTag = QStringLiteral("<DSField>");

/// Drops the four metadata tables and creates them again (main-database
/// layout, with DisplayName in defFields).
void DEFTableInit(TZDbConnection &connection);

/// The statements of the definitions database's layout (fixed-width names,
/// memo property texts), for a definitions database of its own.
QStringList DefinitionsDatabaseTableSql();

/// A property text of every non-empty key of a section except Propertys, each
/// as key "[##]" value, joined by ";".
QString MergePropertyItems(const TZCustomIniFile &file, const QString &section);

/// The folder of definition files: the folder name below the program folder,
/// with a trailing "/".
class TDBSources
{
public:
    explicit TDBSources(const QString &folder = QStringLiteral("DBSource"));

    const QString &Folder() const { return m_folder; }

    /// The definition names of the folder (files ending in ".dbs", any case),
    /// sorted.
    QStringList GetDBSourceList() const;

    /// Opens the empty defDataSource shape and appends one row per definition
    /// file, data source level only.
    void _GetSources(TZClientDataSet &dataSources);

    /// Opens all four empty tables and loads every definition file fully.
    void _GetSources(TZClientDataSet &dataSources, TZClientDataSet &datasets, TZClientDataSet &fields,
                     TZClientDataSet &tables);

    /// The data source row of one file (opening the empty table first when
    /// `openFirst`).
    void _GetOneSource(TZClientDataSet &dataSources, const QString &name, bool openFirst);

    /// All rows of one file.
    void _GetOneSource(TZClientDataSet &dataSources, TZClientDataSet &datasets, bool openFirst, const QString &name,
                       TZClientDataSet &fields, TZClientDataSet &tables);

private:
    QString fileOf(const QString &name) const;

    QString m_folder;
};

/// Writes the four tables back into definition files in `folder` (below the
/// program folder): every property item becomes a key of its row's section,
/// the name and index keys follow, and Propertys is left empty. When exactly
/// one data source row was saved, the sections of its file that this save did
/// not write are erased.
void SaveSources(TZClientDataSet &dataSources, TZClientDataSet &datasets, TZClientDataSet &tables,
                 const QString &folder, TZClientDataSet &fields);
