#pragma once

#include "data/TZClientDataSet.h"

#include <memory>

/// A pivot of a dataset: the distinct values of `columnField` become value
/// columns "_AutoField1", "_AutoField2", … (in the order of those values)
/// holding `valueField`, one result row per change of the row-key fields
/// (`rowFields`, separated by ";" or ","), the other fields copied. Each value
/// column is captioned with the `captionField` of its rows; with `addSum` a
/// column "_AutoField_Sum" captioned "合计" holds each row's total. The shape
/// comes from comVirtual, so a session is needed.
std::unique_ptr<TZClientDataSet> RowToColumn(TZClientDataSet &dataSet, const QString &columnField, bool addSum,
                                             const QString &rowFields, const QString &valueField,
                                             const QString &captionField);
