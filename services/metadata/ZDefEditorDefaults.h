#pragma once

#include <QString>

class TZClientDataSet;

// What the definition editor puts into a new item, so that a definition made
// by hand starts from the same properties as one made by the editor.

/// The property text of a new data source `name`.
QString NewDataSourcePropertys(const QString &name);

/// The property text of a new dataset.
QString NewDatasetPropertys();

/// The property text of a new table.
QString NewTablePropertys();

/// The property text of a field added from the table catalogue.
QString NewFieldPropertys(const QString &caption, const QString &fieldType, int length);

/// The next free DataSourceIndex of an open defDataSource dataset.
int NextDataSourceIndex(TZClientDataSet &dataSources);

/// Appends the catalogue columns of `table` (an open DefTable dataset) as
/// fields of `dataSource`/`dataset` to an open defFields dataset, numbering
/// FieldIndex on from the number of field rows already there. Returns the
/// number of fields added.
int AddCatalogueFields(TZClientDataSet &catalogue, TZClientDataSet &fields, const QString &dataSource,
                       const QString &dataset, const QString &table);

/// The definition the editor opened last (sysconfig.ini, SysLog/LastReadDS).
QString LastReadDS();
void SetLastReadDS(const QString &name);
