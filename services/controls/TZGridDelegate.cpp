#include "TZGridDelegate.h"

#include "common/ZClock.h"
#include "common/ZGuard.h"
#include "controls/TZDBGrid.h"
#include "controls/TZGridGroupModel.h"
#include "data/TZClientDataSet.h"
#include "data/ZDbValues.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimeEdit>
#include <QToolButton>

namespace {

// Properties an editor carries: it is a cell editor, its source row and
// column, its kind, and the value it started with (nothing is written while
// the user leaves it unchanged).
const char *const kEditor = "zCellEditor";
const char *const kRow = "zRow";
const char *const kColumn = "zColumn";
const char *const kKind = "zKind";
const char *const kInitial = "zInitial";
const char *const kWritten = "zWritten";
const char *const kRefused = "zRefused"; // the last value the field refused (already shown)

TZCellEditor::Kind kindOf(const QWidget *editor)
{
    return TZCellEditor::Kind(editor->property(kKind).toInt());
}

QLineEdit *buttonLine(QWidget *editor)
{
    return editor->findChild<QLineEdit *>();
}

// The value an editor holds, in the form its kind writes.
QVariant editorValue(QWidget *editor)
{
    switch (kindOf(editor)) {
    case TZCellEditor::Date:
        return static_cast<QDateEdit *>(editor)->date();
    case TZCellEditor::Time:
        return static_cast<QTimeEdit *>(editor)->time();
    case TZCellEditor::Check:
        return static_cast<QCheckBox *>(editor)->isChecked();
    case TZCellEditor::ComboList:
    case TZCellEditor::LookUp:
    case TZCellEditor::PickList:
        return static_cast<QComboBox *>(editor)->currentText();
    case TZCellEditor::Button:
        return buttonLine(editor)->text();
    case TZCellEditor::Default:
        break;
    }
    return static_cast<QLineEdit *>(editor)->text();
}

// The cell editor an object belongs to (the editor itself or a widget inside it).
QWidget *editorOf(QObject *object)
{
    for (auto *widget = qobject_cast<QWidget *>(object); widget; widget = widget->parentWidget()) {
        if (widget->property(kEditor).toBool())
            return widget;
    }
    return nullptr;
}

QComboBox *makeCombo(QWidget *parent, const QStringList &items, bool freeText)
{
    auto *combo = new QComboBox(parent);
    combo->setEditable(freeText);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(16);
    combo->addItems(items);
    return combo;
}

} // namespace

TZGridDelegate::TZGridDelegate(TZDBGrid &grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

void TZGridDelegate::SetColumnEditor(const QString &field, const TZCellEditor &editor)
{
    m_editors.insert(field.toLower(), editor);
}

TZCellEditor TZGridDelegate::ColumnEditor(const QString &field) const
{
    return m_editors.value(field.toLower());
}

QWidget *TZGridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const int row = m_grid.GroupModel()->SourceRow(index);
    if (row < 0)
        return nullptr;
    const QString field = m_grid.FieldOfColumn(index.column());
    const TZCellEditor cell = ColumnEditor(field);
    QWidget *editor = nullptr;
    switch (cell.kind) {
    case TZCellEditor::Date: {
        auto *edit = new QDateEdit(parent);
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        editor = edit;
        break;
    }
    case TZCellEditor::Time: {
        auto *edit = new QTimeEdit(parent);
        edit->setDisplayFormat(QStringLiteral("hh:mm:ss"));
        editor = edit;
        break;
    }
    case TZCellEditor::Check:
        editor = new QCheckBox(parent);
        editor->setAutoFillBackground(true);
        break;
    case TZCellEditor::PickList:
        editor = makeCombo(parent, cell.items, false);
        break;
    case TZCellEditor::ComboList: {
        QStringList items;
        ZGuard([&] { items = GetDataSource(cell.relativeDS).GetComboboxList(); });
        editor = makeCombo(parent, items, true);
        break;
    }
    case TZCellEditor::LookUp: {
        QComboBox *combo = makeCombo(parent, {}, true);
        ZGuard([&] {
            TZDataSource &related = GetDataSource(cell.relativeDS);
            const QStringList ids = related.GetIDList();
            const QStringList texts = related.GetIDNameList();
            for (int i = 0; i < ids.size(); ++i)
                combo->addItem(texts.value(i), ids.at(i));
        });
        editor = combo;
        break;
    }
    case TZCellEditor::Button: {
        auto *box = new QWidget(parent);
        box->setAutoFillBackground(true);
        auto *layout = new QHBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        auto *line = new QLineEdit(box);
        line->setFrame(false);
        auto *button = new QToolButton(box);
        button->setText(QStringLiteral("…"));
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(line, 1);
        layout->addWidget(button);
        box->setFocusProxy(line);
        auto *self = const_cast<TZGridDelegate *>(this);
        connect(button, &QToolButton::clicked, self, [self, field] { emit self->buttonClicked(field); });
        editor = box;
        break;
    }
    case TZCellEditor::Default: {
        auto *line = new QLineEdit(parent);
        line->setFrame(false);
        editor = line;
        break;
    }
    }
    editor->setProperty(kEditor, true);
    editor->setProperty(kRow, row);
    editor->setProperty(kColumn, index.column());
    editor->setProperty(kKind, int(cell.kind));
    // Keys typed into an inner widget (a combo box's or a button editor's
    // line edit) reach the delegate too.
    for (QWidget *child : editor->findChildren<QWidget *>())
        child->installEventFilter(const_cast<TZGridDelegate *>(this));
    return editor;
}

void TZGridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QVariant value = index.data(Qt::EditRole);
    const QString shown = index.data(Qt::DisplayRole).toString();
    TZClientDataSet *dataSet = m_grid.DataSet();
    const int column = editor->property(kColumn).toInt();
    const int kind = dataSet && column < dataSet->FieldCount() ? dataSet->Fields(column).DataType() : ftZString;
    switch (kindOf(editor)) {
    case TZCellEditor::Date: {
        // An empty date starts the editor at today, as a null one does.
        const QDateTime moment = ZDbValueToDateTime(value);
        static_cast<QDateEdit *>(editor)->setDate(ZIsEmptyDate(moment) ? ZDate() : moment.date());
        break;
    }
    case TZCellEditor::Time: {
        const QDateTime moment = ZDbValueToDateTime(value);
        static_cast<QTimeEdit *>(editor)->setTime(moment.isValid() ? moment.time() : QTime(0, 0));
        break;
    }
    case TZCellEditor::Check:
        static_cast<QCheckBox *>(editor)->setChecked(value.toBool());
        break;
    case TZCellEditor::LookUp: {
        auto *combo = static_cast<QComboBox *>(editor);
        const int at = combo->findData(ZValueText(value, kind).trimmed());
        if (at >= 0)
            combo->setCurrentIndex(at);
        else
            combo->setEditText(shown);
        break;
    }
    case TZCellEditor::ComboList:
    case TZCellEditor::PickList: {
        auto *combo = static_cast<QComboBox *>(editor);
        const int at = combo->findText(shown);
        combo->setCurrentIndex(at);
        if (combo->isEditable())
            combo->setEditText(shown);
        break;
    }
    case TZCellEditor::Button:
        buttonLine(editor)->setText(ZDisplayText(value, kind));
        break;
    case TZCellEditor::Default:
        static_cast<QLineEdit *>(editor)->setText(ZDisplayText(value, kind));
        break;
    }
    editor->setProperty(kInitial, editorValue(editor));
}

void TZGridDelegate::write(QWidget *editor) const
{
    TZClientDataSet *dataSet = m_grid.DataSet();
    const QVariant value = editorValue(editor);
    if (!dataSet || !dataSet->Active() || value == editor->property(kInitial))
        return;
    const int row = editor->property(kRow).toInt();
    const int column = editor->property(kColumn).toInt();
    if (row >= int(dataSet->visibleRows().size()) || column >= dataSet->FieldCount())
        return;
    if (dataSet->RecNo() != row + 1)
        dataSet->SetRecNo(row + 1);
    TZDataField &field = dataSet->Fields(column);
    dataSet->Edit();
    try {
        switch (kindOf(editor)) {
        case TZCellEditor::Date:
            field.SetValue(value.toDate().startOfDay());
            break;
        case TZCellEditor::Time:
        case TZCellEditor::Check:
            field.SetValue(value);
            break;
        case TZCellEditor::LookUp: {
            // A chosen item stores its key; a typed text goes through the
            // field's text rules.
            auto *combo = static_cast<QComboBox *>(editor);
            const int at = combo->currentIndex();
            if (at >= 0 && combo->itemText(at) == value.toString())
                field.SetValue(combo->itemData(at));
            else
                field.SetText(value.toString());
            break;
        }
        default:
            field.SetText(value.toString());
            break;
        }
        dataSet->Post();
    } catch (...) {
        dataSet->Cancel();
        throw;
    }
    editor->setProperty(kInitial, value);
}

bool TZGridDelegate::tryWrite(QWidget *editor) const
{
    if (ZGuard([&] { write(editor); }))
        return true;
    editor->setProperty(kRefused, editorValue(editor));
    return false;
}

void TZGridDelegate::setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &) const
{
    // Enter, Tab and leaving the editor have written already; any other
    // commit (the view closing editors) writes here, unless the value is
    // one the field has just refused and the user has been told.
    if (!editor->property(kWritten).toBool() && editorValue(editor) != editor->property(kRefused))
        tryWrite(editor);
}

void TZGridDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                          const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

bool TZGridDelegate::eventFilter(QObject *object, QEvent *event)
{
    QWidget *editor = editorOf(object);
    if (!editor)
        return QStyledItemDelegate::eventFilter(object, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            if (!tryWrite(editor))
                return true; // refused: the editor stays with the typed text
            editor->setProperty(kWritten, true);
            emit commitData(editor);
            emit closeEditor(editor, key == Qt::Key_Backtab ? QAbstractItemDelegate::EditPreviousItem
                                                            : QAbstractItemDelegate::EditNextItem);
            return true;
        }
    }
    if (object != editor)
        return false;
    if (event->type() == QEvent::FocusOut) {
        // Focus going into the editor itself (its pop-up, its line edit) is no leaving.
        for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget()) {
            if (w == editor)
                return false;
        }
        if (QApplication::activePopupWidget())
            return false;
        if (!editor->property(kWritten).toBool()) {
            if (!tryWrite(editor))
                return true;
            editor->setProperty(kWritten, true);
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
