#pragma once

#include <QString>
#include <QVariant>

class TZClientDataSet;

// The footer sums of grid columns.

/// True for a column whose footer can show a sum: money, float and integer
/// fields, less integers that stand for pick-list items and the line
/// numbering fields (RowNo, SerNo, ParentRowNo).
bool ZIsSummableColumn(TZClientDataSet &dataSet, int column);

/// The sum of a column over the rows the dataset shows (after its filter),
/// as the field shows a number of its kind: money is added exactly (fixed
/// point, held at the largest amount instead of wrapping), and shown by the
/// field's number type when its definition gives one (two decimals for
/// money otherwise).
QString ZColumnSumText(TZClientDataSet &dataSet, int column);

/// The sum itself: Currency for money, double for floats, qint64 else;
/// invalid for a column the dataset lacks.
QVariant ZColumnSum(TZClientDataSet &dataSet, int column);
