#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class TZClientDataSet;
struct TZTableColumnDef;

/// The name of the table-structure catalogue table.
QString GetDBDefileTableName();

/// The table-structure catalogue: the columns of the database tables, from
/// the .tbl files of DBTables/ below the program folder, held in the table
/// DefTable of the main database (re-created by every construction).
class TDBTables
{
public:
    explicit TDBTables(const QString &folder = QStringLiteral("DBTables"));

    /// Opens DefTable into the dataset and fills it from the .tbl files; with
    /// `merge` also with the fields of every loaded data source that the files
    /// do not list (see SetDefinesMergeSource).
    void GetDefinesData(TZClientDataSet &dataSet, bool merge);

    /// The distinct table names of a DefTable dataset, sorted.
    QStringList GetTableList(TZClientDataSet &dataSet);
    /// The same after loading the catalogue with merge.
    QStringList GetTableList();

    /// The names of the .tbl files (the tables), sorted.
    QStringList GetFixTableList() const;

    /// Writes the rows back into .tbl files: each table's file is written anew.
    void SaveDefines(TZClientDataSet &dataSet);

    /// Sets the current row's FieldIndex by the catalogue's rule.
    static void SetFieldIndex(TZClientDataSet &dataSet);

private:
    QString m_folder;
};

/// The fields of the loaded data sources, offered to GetDefinesData's merge.
/// The data source cache installs it.
using TZDefinesMergeSource = std::function<QList<TZTableColumnDef>()>;
void SetDefinesMergeSource(TZDefinesMergeSource source);
