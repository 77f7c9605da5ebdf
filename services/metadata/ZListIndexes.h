#pragma once

#include "data/ZTableDefs.h"

/// The indexes the list statements of the modules need, from the data source
/// definitions (DBSource/*.dbs; the folder is taken below the program folder
/// when relative): for a module with a DateField, on the master table of its
/// master dataset, (Flag, date, key) when the module's rows carry a Flag,
/// else (date, key), so that a period list reads a range of the index in its
/// order (Order By date Desc, key Desc). Only columns the table definitions
/// `tables` hold are used; a table shared by modules gets one index per
/// column list.
///
/// Then the indexes `Indexes.ini` in the same folder declares: a section per
/// table, each value a column list ("AccountID,Flag,ItemMoney"), for the
/// statements that sum one table's rows per row of another (an account's
/// balance from its bookings) and can read such an index alone. A table or
/// column the definitions lack leaves its index out.
QList<TZIndexDef> LoadListIndexDefinitions(const QString &dbSourceFolder, const QList<TZTableColumnDef> &tables);
