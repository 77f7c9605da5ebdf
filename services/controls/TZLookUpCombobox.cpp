#include "TZLookUpCombobox.h"

#include "common/ZGuard.h"
#include "common/ZPinyin.h"
#include "common/ZTrim.h"
#include "data/TZClientDataSet.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <QCompleter>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>

namespace {

// Column 0 of the rows holds what the edit shows, with the key and the name
// in these roles; the list columns follow it.
constexpr int kKeyRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

} // namespace

/// The rows a typed text matches: its key or name contains the text
/// (ignoring case), or the pinyin initials of its name contain the text's
/// initials.
class TZLookUpFilter final : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetTyped(const QString &typed)
    {
        m_typed = typed;
        m_initials = GetPinyinInitials(typed).toUpper();
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override
    {
        if (m_typed.isEmpty())
            return true;
        const QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
        const QString key = index.data(kKeyRole).toString();
        const QString name = index.data(kNameRole).toString();
        return key.contains(m_typed, Qt::CaseInsensitive) || name.contains(m_typed, Qt::CaseInsensitive)
               || PinyinInitialsContain(name, m_initials);
    }

private:
    QString m_typed;
    QString m_initials;
};

TZLookUpComboBase::TZLookUpComboBase(QWidget *parent)
    : QComboBox(parent),
      m_rows(new QStandardItemModel(this)),
      m_filter(new TZLookUpFilter(this)),
      m_completer(new QCompleter(this))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(m_properties.DropDownRows);
    setModel(m_rows);
    auto *view = new QTableView(this);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(false);
    setView(view);
    setModelColumn(0);

    m_filter->setSourceModel(m_rows);
    m_completer->setModel(m_filter);
    m_completer->setCompletionColumn(0);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setMaxVisibleItems(m_properties.DropDownRows);
    setCompleter(m_completer);
    connect(m_completer, qOverload<const QModelIndex &>(&QCompleter::activated), this,
            [this](const QModelIndex &index) {
                const auto *shown = qobject_cast<const QAbstractProxyModel *>(m_completer->completionModel());
                const QModelIndex row = m_filter->mapToSource(shown ? shown->mapToSource(index) : index);
                if (row.isValid())
                    setCurrentIndex(row.row());
            });
    connect(lineEdit(), &QLineEdit::textEdited, this, &TZLookUpComboBase::textTyped);
    // Connected before any field link, so a typed name is added before the
    // link writes the key.
    connect(lineEdit(), &QLineEdit::editingFinished, this, &TZLookUpComboBase::validateTyped);
}

TZLookUpComboBase::~TZLookUpComboBase()
{
    watchList(nullptr);
}

void TZLookUpComboBase::watchList(TZClientDataSet *list)
{
    if (list == m_watched)
        return;
    if (m_watched)
        m_watched->RemoveRowListener(m_watchToken);
    m_watched = list;
    if (!list)
        return;
    m_watchToken = list->AddRowListener([this](const TZRowEvent &event) {
        switch (event.kind) {
        case TZRowEvent::Destroyed:
            m_watched = nullptr;
            m_listChanged = true;
            break;
        case TZRowEvent::Inserted:
        case TZRowEvent::Removed:
        case TZRowEvent::Changed:
        case TZRowEvent::Reset:
            m_listChanged = true;
            break;
        default:
            break;
        }
    });
}

void TZLookUpComboBase::BindSource(const QString &progID)
{
    const QString name = ZTrim(progID);
    if (name.isEmpty()) {
        watchList(nullptr);
        m_source.reset();
        m_properties = {};
        RefreshList();
        return;
    }
    m_source = GetDataSourcePtr(name);
    SetLookUpList(m_properties, *m_source);
    setMaxVisibleItems(m_properties.DropDownRows);
    RefreshList();
}

void TZLookUpComboBase::RefreshList()
{
    const QString value = KeyValue();
    const QSignalBlocker blocker(this);
    m_rows->clear();
    if (!m_source) {
        setEditText(value);
        return;
    }
    TZClientDataSet &list = m_source->GetListSource(false);
    m_properties.ListSource = &list;
    watchList(&list);
    QList<TZDataField *> columns;
    QStringList headers{QString()};
    for (const QString &name : m_properties.ListFieldNames.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        // A field the list names twice (the key and name before the
        // module's own list fields) shows once.
        TZDataField *field = list.FindField(ZTrim(name));
        if (field && !columns.contains(field)) {
            columns << field;
            headers << (field->DisplayLabel.isEmpty() ? field->FieldName() : field->DisplayLabel);
        }
    }
    m_rows->setHorizontalHeaderLabels(headers);
    TZDataField *keyField = list.FindField(m_source->MasterKey);
    TZDataField *nameField = list.FindField(m_source->SubKey);
    list.DisableControls();
    for (list.First(); !list.Eof(); list.Next()) {
        QList<QStandardItem *> row;
        const QString key = keyField ? keyField->AsString() : QString();
        const QString name = nameField ? nameField->Text() : QString();
        auto *shown = new QStandardItem(ZIsBlank(name) ? key : name);
        shown->setData(key, kKeyRole);
        shown->setData(name, kNameRole);
        row << shown;
        for (TZDataField *field : std::as_const(columns))
            row << new QStandardItem(field->Text());
        m_rows->appendRow(row);
    }
    list.EnableControls();
    m_listChanged = false;

    if (auto *table = qobject_cast<QTableView *>(view())) {
        table->setColumnHidden(0, true);
        table->resizeColumnsToContents();
        int width = 4;
        for (int c = 1; c < m_rows->columnCount(); ++c)
            width += table->columnWidth(c);
        table->setMinimumWidth(width);
    }
    SetKeyValue(value);
}

QString TZLookUpComboBase::KeyOfRow(int row) const
{
    return m_rows->index(row, 0).data(kKeyRole).toString();
}

int TZLookUpComboBase::RowOfText(const QString &text) const
{
    const int count = m_rows->rowCount();
    const auto find = [&](int role, const QString &wanted) {
        for (int r = 0; r < count; ++r) {
            if (m_rows->index(r, 0).data(role).toString() == wanted)
                return r;
        }
        return -1;
    };
    for (const QString &wanted : {text, ZTrim(text)}) {
        if (wanted.isEmpty())
            continue;
        for (int role : {kKeyRole, int(Qt::DisplayRole)}) {
            if (const int row = find(role, wanted); row >= 0)
                return row;
        }
    }
    return -1;
}

QString TZLookUpComboBase::KeyValue() const
{
    const QString text = currentText();
    const int current = currentIndex();
    if (current >= 0 && itemText(current) == text)
        return KeyOfRow(current);
    const int row = RowOfText(text);
    return row >= 0 ? KeyOfRow(row) : text;
}

void TZLookUpComboBase::SetKeyValue(const QString &key)
{
    int found = -1;
    for (int r = 0; r < m_rows->rowCount() && found < 0; ++r) {
        if (KeyOfRow(r) == key)
            found = r;
    }
    for (int r = 0; r < m_rows->rowCount() && found < 0 && !key.isEmpty(); ++r) {
        if (KeyOfRow(r).compare(key, Qt::CaseInsensitive) == 0)
            found = r;
    }
    setCurrentIndex(found);
    if (found < 0)
        setEditText(key);
}

void TZLookUpComboBase::showPopup()
{
    if (m_source && (m_listChanged || m_source->NeedReGetLookUp))
        ZGuard([this] { RefreshList(); });
    QComboBox::showPopup();
    fitPopup();
}

void TZLookUpComboBase::fitPopup()
{
    // The combo box measures its drop-down by the rows' cells in its model
    // column, which this table hides (it holds the shown text): it would
    // open with the column captions alone. The rows get their height here.
    auto *table = qobject_cast<QTableView *>(view());
    QWidget *popup = view()->window();
    if (!table || popup == window() || count() == 0)
        return;
    const int rows = qMin(count(), qMax(1, maxVisibleItems()));
    const QRect screen = this->screen()->availableGeometry();
    // Twice: the popup's own layout (scroll bar, margins) settles after the
    // first size.
    for (int pass = 0; pass < 2; ++pass) {
        const int missing = rows * table->rowHeight(0) - table->viewport()->height();
        if (missing <= 0)
            return;
        const int wanted = qMin(popup->height() + missing, screen.height());
        QRect geometry = popup->geometry();
        geometry.setHeight(wanted);
        const int below = mapToGlobal(QPoint(0, height())).y();
        if (below + wanted <= screen.bottom() + 1)
            geometry.moveTop(below);
        else
            geometry.moveBottom(qMax(mapToGlobal(QPoint(0, 0)).y() - 1, screen.top() + wanted - 1));
        popup->setGeometry(geometry);
        QCoreApplication::sendPostedEvents(popup, QEvent::LayoutRequest);
    }
}

void TZLookUpComboBase::focusInEvent(QFocusEvent *event)
{
    QComboBox::focusInEvent(event);
    if (!m_properties.AutoSelect && lineEdit())
        lineEdit()->deselect();
}

bool TZLookUpComboBase::_OnValidate(const QString &displayValue)
{
    if (!m_source || !m_source->AutoSaveNewDataRemind || ZIsBlank(displayValue) || RowOfText(displayValue) >= 0)
        return false;
    if (!AddNewMasterData(window(), displayValue, *m_source))
        return false;
    RefreshList();
    const int row = RowOfText(displayValue);
    if (row >= 0)
        setCurrentIndex(row);
    return true;
}

void TZLookUpComboBase::validateTyped()
{
    if (m_validating)
        return;
    m_validating = true;
    ZGuard([this] { _OnValidate(currentText()); });
    m_validating = false;
}

void TZLookUpComboBase::textTyped(const QString &text)
{
    // Rows added since the list was read (through the chooser, or in
    // another window) are offered too; the typed text stays as it is.
    if (m_source && (m_listChanged || m_source->NeedReGetLookUp)) {
        const int cursor = lineEdit()->cursorPosition();
        ZGuard([this] { RefreshList(); });
        lineEdit()->setText(text);
        lineEdit()->setCursorPosition(cursor);
    }
    m_filter->SetTyped(text);
    if (!text.isEmpty() && m_filter->rowCount() > 0)
        m_completer->complete();
}

void TZDBLookUpCombobox::InitSource(TOrvDataSet &dataSet, const QString &fieldName)
{
    if (ZIsBlank(dataSet.ProgID))
        return;
    const std::shared_ptr<TZDataSource> module = dataSet.DataSource();
    if (module->Datasets.empty())
        return;
    const int index =
        dataSet.ProgDSIndex >= 0 && dataSet.ProgDSIndex < module->DatasetCount() ? dataSet.ProgDSIndex : 0;
    const TZField *field = module->Datasets.at(std::size_t(index))->GetZField(fieldName);
    if (field && !ZIsBlank(field->RelativeDS))
        BindSource(field->RelativeDS);
}

void TZLookUpCombobox::InitSource()
{
    if (!ZIsBlank(ProgID))
        BindSource(ProgID);
}
