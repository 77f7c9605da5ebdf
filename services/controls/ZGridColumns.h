#pragma once

#include <QString>

#include <functional>

class TZDBGrid;

/// Sets up the columns of a grid whose dataset is a TOrvDataSet from its
/// module's definitions (the module ProgID, the dataset ProgDSIndex); a grid
/// of another dataset, of a blank ProgID or of a dataset not open yet is
/// left as it is. The settings stay with the field names, so one call after
/// the first opening serves every reload.
///
/// For every column whose field has a definition:
/// - caption: the field's custom caption (ZCustomColumnCaption), else its
///   DisplayName (the field name when that is blank). A field that cannot be
///   edited in the grid (read-only, the line number SerNo, not permitted for
///   the user, or not visible) shows its caption in parentheses and its
///   column cannot be edited; a field that is not visible is hidden and not
///   offered by the header menu (SetColumnAvailable).
/// - a field that may not be empty (AllowEmpty false) gets a navy, bold header.
/// - a pick-list or related field is aligned left (its number shows as a text).
/// - the cell editor, for a field that is not read-only: a date or time
///   editor for date and time fields; for a field with a RelativeDS, a
///   button editor when ShowDataList is false (its button runs
///   `buttonClick` with the field name), a combo box of the related module's
///   combo-box list when ShowDataListType is not 0, else a look-up combo box
///   of the related module's rows; a check box for booleans; a combo box of
///   the pick-list texts for a field with a PickList; else the default
///   editor.
///
/// Raises the data source cache's error when a related module of a combo or
/// look-up column is not defined.
void RefreshGridByDS(TZDBGrid &grid, std::function<void(const QString &field)> buttonClick = {});

/// The caption a user stored for a field of a module's dataset (section
/// "Dataset" + index of the custom caption file). No captions are stored
/// yet: always empty.
QString ZCustomColumnCaption(const QString &progID, int datasetIndex, const QString &field);
