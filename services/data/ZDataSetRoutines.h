#pragma once

#include "data/TZClientDataSet.h"

#include <QStringList>
#include <QVariant>

class QComboBox;
class TZDbConnection;

// Routines over open datasets.

/// Appends every row of `source` to `target`, field by field by name.
void CopyDataSet(TZClientDataSet &source, TZClientDataSet &target);

/// Moves `target` forward from its current row to the first row whose key
/// fields equal the current key values of `source` (key lists separated by ","
/// or ";"; empty target keys mean the same names). Both are ordered by those
/// keys, so the search stops, returning false, once it passes the place
/// where such a row would be.
bool MoveRec(TZClientDataSet &source, TZClientDataSet &target, const QString &keyFields,
             const QString &targetKeyFields = QString());

/// Negative, 0 or positive: the two fields' values compared by the kind of A.
int CompareFieldValue(TZDataField &a, TZDataField &b);

/// Sorts by the index fields (empty for none) and goes to the first row.
void InitDataset(TZClientDataSet &dataSet, const QString &indexFields);

/// Deletes every row, or with a filter text only the rows it selects (the
/// dataset's own filter is restored afterwards).
void DBClearDataSet(TZClientDataSet &dataSet, const QString &filter = QString());

/// Aggregates over one field of all visible rows (nulls are skipped).
QVariant GetMaxValue(TZClientDataSet &dataSet, const QString &field);
QVariant GetMinValue(TZClientDataSet &dataSet, const QString &field);
double GetSumValue(TZClientDataSet &dataSet, const QString &field);
double GetAvgValue(TZClientDataSet &dataSet, const QString &field);

/// Numbers the RowNo field 1, 2, 3 … in the current order.
void ResetRowNo(TZClientDataSet &dataSet);

int GetDatasetChangeCount(TZClientDataSet &dataSet);

/// The values of one column of a query.
void FillStringList(TZDbConnection &connection, QStringList &strings, const QString &sql, const QString &field);
void FillCombobox(TZDbConnection &connection, QComboBox *combo, const QString &sql, const QString &field);
