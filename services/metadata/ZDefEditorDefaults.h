#pragma once

#include <QString>

class TZClientDataSet;

// The definition editor's bookkeeping for new items (the property texts of
// new items are the Default…Propertys routines of ZDSProperties).

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
