#pragma once

#include <QVariant>

#include <functional>

class TZClientDataSet;
class TZDataField;

/// Runs `body` with the cursor on every row of the dataset in turn, in the
/// rows' natural order: a filter and a sort are lifted meanwhile (so a value
/// the body changes cannot move a row under the walk, and no row is
/// missed), no scroll events run, and views are told nothing until the end.
/// A pending edit is posted before and after. Filter, sort, scroll handler
/// and the current row are restored in every case.
void ZForEachRow(TZClientDataSet &dataSet, const std::function<void()> &body);

/// Stores a value in a field of the current row only when it differs from
/// the one there (typed comparison), putting the row into edit state first:
/// an unchanged row stays unchanged and is not written.
void ZSetChanged(TZClientDataSet &dataSet, TZDataField &field, const QVariant &value);
