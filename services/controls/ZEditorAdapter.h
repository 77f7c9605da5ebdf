#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

#include <functional>

class QComboBox;
class QObject;
class QWidget;

/// The one place that knows how each kind of editor widget shows a value,
/// gives it back, is locked against typing and marks a required entry.
/// Settings windows, record windows and every other window bind editors
/// through it instead of asking each widget's kind themselves.
///
/// The kinds and the value each holds: line edit, memo (plain or rich) and
/// combo box: text; spin box: integer; decimal spin box: double; date edit:
/// QDate; date-time edit: QDateTime; time edit: QTime; list: the current
/// row; check box: bool; group box of radio buttons: the index of the
/// checked button (-1 when none); look-up combo box: the key text (see
/// TZLookUpComboBase); pick-list combo box: the integer of the chosen item
/// (see SetPickList); image editor (TZDBImage): the picture's bytes.
namespace ZEditorAdapter {

/// True for a widget of one of the kinds above (the line edit inside a spin
/// box or combo box belongs to it and is not one on its own).
bool IsEditor(const QWidget *widget);

/// A memo: its value is long text.
bool IsMemo(const QWidget *editor);

QVariant Value(const QWidget *editor);
/// Shows a value, converted to the editor's kind; a null value clears it,
/// and so does an empty date (ZIsEmptyDate) in a date editor: both set the
/// editor to its minimum, which a record window's date editor shows blank.
void SetValue(QWidget *editor, const QVariant &value);

/// Locks or unlocks typing. Kinds without a read-only mode (check boxes,
/// radio groups, lists, plain combo boxes) are disabled instead.
void SetReadOnly(QWidget *editor, bool readOnly);
bool IsReadOnly(const QWidget *editor);

/// Marks an entry that may not stay empty: a tinted background and the
/// dynamic property "zRequired".
void SetRequired(QWidget *editor, bool required);
bool IsRequired(const QWidget *editor);

/// Makes a combo box a pick list: it shows the texts and its value is the
/// integer of the chosen item (null when none is chosen), so that a field
/// bound to it stores the integer, never the text. The integers are kept in
/// the dynamic property "zPickValues" beside the items.
void SetPickList(QComboBox *combo, const QStringList &texts, const QList<int> &values);
bool IsPickList(const QWidget *editor);

/// True when the editor shows a field's display text and gives back text to
/// be read by the field's entry rules; false for the kinds whose value is
/// the field's raw value (look-ups give the key, pick lists the integer).
bool ShowsText(const QWidget *editor);

/// Calls `edited` when the user has finished changing the value (a line
/// edit or a look-up combo box on leaving it or Enter, the others on each
/// change).
void OnEdited(QWidget *editor, QObject *context, std::function<void()> edited);

} // namespace ZEditorAdapter
