#include "TZDBGrid.h"

#include "common/ZGuard.h"
#include "controls/TZGridDelegate.h"
#include "controls/TZGridFooter.h"
#include "controls/TZGridGroupModel.h"
#include "data/TZClientDataSet.h"
#include "data/TZDataSetModel.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

/// The view of the grid: Enter and Tab move through the editable cells,
/// and an editor closed by them hands over to the next cell.
class TZGridView final : public QTreeView
{
public:
    TZGridView(TZDBGrid &grid, QWidget *parent) : QTreeView(parent), m_grid(grid) {}

    bool editing() const { return state() == EditingState; }

    /// A group row is one line across the view: its branch in the tree
    /// column, then its text, whatever the columns' widths.
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const TZGridGroupModel &groups = *m_grid.GroupModel();
        if (!groups.IsGroupRow(index)) {
            QTreeView::drawRow(painter, option, index);
            return;
        }
        int depth = 1;
        for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
            ++depth;
        const int x = columnViewportPosition(groups.LabelColumn());
        const int indent = indentation() * depth;
        painter->fillRect(option.rect, palette().button());
        drawBranches(painter, QRect(x, option.rect.y(), indent, option.rect.height()), index);
        QFont font = option.font;
        font.setBold(true);
        painter->save();
        painter->setFont(font);
        painter->setPen(palette().color(QPalette::ButtonText));
        const QRect text(x + indent + 2, option.rect.y(), viewport()->width() - x - indent - 2, option.rect.height());
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                          groups.index(index.row(), groups.LabelColumn(), index.parent()).data().toString());
        painter->restore();
    }

    /// The width that shows a column's header and contents whole. The
    /// texts of the first rows are measured too: before the view is shown
    /// and laid out it measures no rows of its own.
    int contentWidth(int column) const
    {
        int width = qMax(sizeHintForColumn(column), header()->sectionSizeHint(column));
        const QAbstractItemModel *rows = model();
        if (!rows)
            return width;
        const QFontMetrics metrics(font());
        const int count = qMin(rows->rowCount(), kMeasuredRows);
        for (int r = 0; r < count; ++r)
            width = qMax(width, metrics.horizontalAdvance(rows->index(r, column).data().toString()) + kCellMargins);
        return width;
    }

    static constexpr int kMeasuredRows = 50;
    static constexpr int kCellMargins = 14;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const int key = event->key();
        const bool move = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab;
        if (move && !m_grid.ReadOnly() && state() != EditingState) {
            m_grid.MoveToNextCell(key == Qt::Key_Backtab);
            event->accept();
            return;
        }
        QTreeView::keyPressEvent(event);
    }

    bool focusNextPrevChild(bool next) override
    {
        // Tab stays inside an editable grid.
        if (!m_grid.ReadOnly())
            return false;
        return QTreeView::focusNextPrevChild(next);
    }

    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override
    {
        if (hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem) {
            QTreeView::closeEditor(editor, QAbstractItemDelegate::NoHint);
            m_grid.MoveToNextCell(hint == QAbstractItemDelegate::EditPreviousItem);
            return;
        }
        QTreeView::closeEditor(editor, hint);
    }

private:
    TZDBGrid &m_grid;
};

} // namespace

TZDBGrid::TZDBGrid(QWidget *parent)
    : QWidget(parent),
      m_view(new TZGridView(*this, this)),
      m_groups(new TZGridGroupModel(this)),
      m_delegate(new TZGridDelegate(*this)),
      m_footer(new TZGridFooter(*m_view, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_footer);
    m_footer->hide();

    m_view->setModel(m_groups);
    m_view->setItemDelegate(m_delegate);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setUniformRowHeights(true);
    m_view->setRootIsDecorated(false);
    m_view->setAlternatingRowColors(true);
    m_view->setAllColumnsShowFocus(true);
    m_view->setExpandsOnDoubleClick(true);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    QHeaderView *header = m_view->header();
    header->setSectionsMovable(true);
    header->setStretchLastSection(false);
    header->setSectionsClickable(false);
    header->setContextMenuPolicy(Qt::CustomContextMenu);

    connect(m_groups, &QAbstractItemModel::modelAboutToBeReset, this, &TZDBGrid::captureLayout);
    connect(m_groups, &QAbstractItemModel::modelReset, this, [this] {
        applyLayout();
        refreshFooter();
    });
    connect(m_groups, &QAbstractItemModel::dataChanged, this, &TZDBGrid::refreshFooter);
    connect(m_groups, &QAbstractItemModel::rowsInserted, this, &TZDBGrid::refreshFooter);
    connect(m_groups, &QAbstractItemModel::rowsRemoved, this, &TZDBGrid::refreshFooter);
    connect(header, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (size > 0 && !m_applying)
            column(FieldOfColumn(logical)).width = size;
    });
    connect(header, &QHeaderView::sectionMoved, this, [this] {
        if (!m_applying)
            m_order = FieldsInViewOrder();
        applyGrouping(); // the label column may be another now
    });
    connect(header, &QHeaderView::sectionClicked, this, &TZDBGrid::headerClicked);
    connect(header, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        QMenu *menu = CreateHeaderMenu(m_view->header()->logicalIndexAt(pos));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(m_view->header()->mapToGlobal(pos));
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (current.isValid())
            m_lastColumn = current.column();
        followView(current);
    });
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (m_groups->SourceRow(index) >= 0)
            emit rowDoubleClicked();
    });
    connect(m_delegate, &TZGridDelegate::buttonClicked, this, &TZDBGrid::buttonClicked);
}

TZDBGrid::~TZDBGrid()
{
    if (m_dataSet)
        m_dataSet->RemoveRowListener(m_listener);
    m_groups->setSourceModel(nullptr);
}

QTreeView *TZDBGrid::View() const
{
    return m_view;
}

void TZDBGrid::SetDataSet(TZClientDataSet *dataSet)
{
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet)
        m_dataSet->RemoveRowListener(m_listener);
    TZDataSetModel *old = m_model;
    m_dataSet = dataSet;
    m_model = dataSet ? new TZDataSetModel(dataSet, this) : nullptr;
    m_groups->setSourceModel(m_model);
    delete old;
    if (m_dataSet) {
        m_listener = m_dataSet->AddRowListener([this](const TZRowEvent &event) { onRowEvent(event.kind); });
        followDataSet();
    }
    m_groups->SetGroupingHeld(m_dataSet && m_dataSet->Fetching());
    syncSortIndicator();
}

void TZDBGrid::syncSortIndicator()
{
    // The header shows the order the dataset really has: the column it is
    // sorted by ("Field" or "Field DESC"), or none while the rows keep the
    // order of their statement.
    QString order = m_dataSet ? m_dataSet->IndexFieldNames().trimmed() : QString();
    const bool descending = order.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive);
    if (descending)
        order.chop(5);
    const int logical = order.isEmpty() || order.contains(QLatin1Char(';')) ? -1 : ColumnOf(order.trimmed());
    m_view->header()->setSortIndicator(logical, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TZDBGrid::onRowEvent(int kind)
{
    switch (kind) {
    case TZRowEvent::Destroyed:
        m_dataSet = nullptr; // the model empties itself
        m_groups->SetGroupingHeld(false);
        break;
    case TZRowEvent::Reset:
    case TZRowEvent::Fetched:
        // Groups and sums wait for the last piece of rows read in pieces.
        m_groups->SetGroupingHeld(m_dataSet->Fetching());
        if (kind == TZRowEvent::Fetched)
            refreshFooter();
        followDataSet();
        syncSortIndicator();
        break;
    case TZRowEvent::CurrentChanged:
    case TZRowEvent::Inserted:
    case TZRowEvent::Moved:
        followDataSet();
        break;
    default:
        break;
    }
}

// --- columns ---

int TZDBGrid::ColumnCount() const
{
    return m_groups->columnCount();
}

int TZDBGrid::ColumnOf(const QString &field) const
{
    if (!m_dataSet || !m_dataSet->Active())
        return -1;
    const TZDataField *found = m_dataSet->FindField(field);
    return found ? found->Index() : -1;
}

QString TZDBGrid::FieldOfColumn(int column) const
{
    if (!m_dataSet || !m_dataSet->Active() || column < 0 || column >= m_dataSet->FieldCount())
        return {};
    return m_dataSet->Fields(column).FieldName();
}

QStringList TZDBGrid::FieldsInViewOrder() const
{
    QStringList fields;
    const QHeaderView *header = m_view->header();
    for (int visual = 0; visual < header->count(); ++visual)
        fields << FieldOfColumn(header->logicalIndex(visual));
    return fields;
}

void TZDBGrid::SetColumnCaption(const QString &field, const QString &caption)
{
    column(field).caption = caption;
    const int logical = ColumnOf(field);
    if (logical < 0)
        return;
    m_groups->SetColumnCaption(logical, caption);
}

QString TZDBGrid::ColumnCaption(const QString &field) const
{
    const int logical = ColumnOf(field);
    return logical < 0 ? columnOf(field).caption : m_groups->headerData(logical, Qt::Horizontal).toString();
}

void TZDBGrid::SetColumnVisible(const QString &field, bool visible)
{
    column(field).visible = visible;
    applyHidden(ColumnOf(field));
    applyGrouping();
}

bool TZDBGrid::ColumnVisible(const QString &field) const
{
    return columnOf(field).visible;
}

void TZDBGrid::SetColumnAvailable(const QString &field, bool available)
{
    column(field).available = available;
    applyHidden(ColumnOf(field));
    applyGrouping();
}

bool TZDBGrid::ColumnAvailable(const QString &field) const
{
    return columnOf(field).available;
}

bool TZDBGrid::ColumnShown(const QString &field) const
{
    const int logical = ColumnOf(field);
    return logical >= 0 && !m_view->header()->isSectionHidden(logical);
}

void TZDBGrid::SetColumnReadOnly(const QString &field, bool readOnly)
{
    column(field).readOnly = readOnly;
    const int logical = ColumnOf(field);
    if (logical >= 0)
        m_groups->SetColumnReadOnly(logical, readOnly);
}

bool TZDBGrid::ColumnReadOnly(const QString &field) const
{
    const int logical = ColumnOf(field);
    return columnOf(field).readOnly || (logical >= 0 && m_dataSet->Fields(logical).ReadOnly);
}

void TZDBGrid::SetColumnAlignment(const QString &field, Qt::Alignment alignment)
{
    column(field).alignment = alignment;
    const int logical = ColumnOf(field);
    if (logical >= 0) {
        m_groups->SetColumnAlignment(logical, alignment);
        m_view->viewport()->update();
    }
}

void TZDBGrid::SetColumnRequired(const QString &field, bool required)
{
    column(field).required = required;
    const int logical = ColumnOf(field);
    if (logical >= 0)
        m_groups->SetColumnRequired(logical, required);
}

bool TZDBGrid::ColumnRequired(const QString &field) const
{
    return columnOf(field).required;
}

void TZDBGrid::SetColumnGroupIndex(const QString &field, int index)
{
    column(field).groupIndex = index < 0 ? -1 : index;
    applyHidden(ColumnOf(field));
    applyGrouping();
}

int TZDBGrid::ColumnGroupIndex(const QString &field) const
{
    return columnOf(field).groupIndex;
}

void TZDBGrid::SetColumnWidth(const QString &field, int width)
{
    column(field).width = width;
    const int logical = ColumnOf(field);
    if (logical >= 0)
        m_view->header()->resizeSection(logical, width);
}

int TZDBGrid::ColumnWidth(const QString &field) const
{
    const int logical = ColumnOf(field);
    if (logical < 0)
        return 0;
    const QHeaderView *header = m_view->header();
    if (header->isSectionHidden(logical)) {
        const int kept = columnOf(field).width;
        return kept > 0 ? kept : header->defaultSectionSize();
    }
    return header->sectionSize(logical);
}

int TZDBGrid::FitColumnToContent(const QString &field)
{
    const int logical = ColumnOf(field);
    if (logical < 0)
        return 0;
    const int width = static_cast<TZGridView *>(m_view)->contentWidth(logical);
    SetColumnWidth(field, width);
    return width;
}

int TZDBGrid::ColumnPosition(const QString &field) const
{
    const int logical = ColumnOf(field);
    return logical < 0 ? -1 : m_view->header()->visualIndex(logical);
}

void TZDBGrid::SetColumnPosition(const QString &field, int position)
{
    const int logical = ColumnOf(field);
    QHeaderView *header = m_view->header();
    if (logical < 0 || position < 0 || position >= header->count())
        return;
    header->moveSection(header->visualIndex(logical), position);
}

// --- layout kept across resets of the model ---

void TZDBGrid::captureLayout()
{
    if (m_view->header()->count() > 0)
        m_order = FieldsInViewOrder();
}

void TZDBGrid::applyLayout()
{
    if (m_applying)
        return;
    m_applying = true;
    QHeaderView *header = m_view->header();
    m_groups->ClearColumnMarks();
    for (int logical = 0; logical < ColumnCount(); ++logical) {
        const QString field = FieldOfColumn(logical);
        const Column settings = columnOf(field);
        if (!settings.caption.isEmpty())
            m_groups->SetColumnCaption(logical, settings.caption);
        m_groups->SetColumnReadOnly(logical, settings.readOnly);
        m_groups->SetColumnRequired(logical, settings.required);
        if (settings.alignment)
            m_groups->SetColumnAlignment(logical, settings.alignment);
        if (settings.width > 0)
            header->resizeSection(logical, settings.width);
        applyHidden(logical);
    }
    int position = 0;
    for (const QString &field : std::as_const(m_order)) {
        const int logical = ColumnOf(field);
        if (logical >= 0)
            header->moveSection(header->visualIndex(logical), position++);
    }
    m_applying = false;
    applyGrouping();
}

void TZDBGrid::applyHidden(int logical)
{
    if (logical < 0)
        return;
    const Column settings = columnOf(FieldOfColumn(logical));
    m_view->header()->setSectionHidden(logical, !settings.available || !settings.visible || settings.groupIndex >= 0);
}

void TZDBGrid::applyGrouping()
{
    if (m_applying)
        return;
    QList<QPair<int, int>> grouping; // group index, column
    for (int logical = 0; logical < ColumnCount(); ++logical) {
        const int index = columnOf(FieldOfColumn(logical)).groupIndex;
        if (index >= 0)
            grouping.append({index, logical});
    }
    std::sort(grouping.begin(), grouping.end());
    QList<int> columns;
    for (const auto &entry : std::as_const(grouping))
        columns << entry.second;
    // Group rows show their text in the first column the view shows.
    const QHeaderView *header = m_view->header();
    int label = 0;
    for (int visual = 0; visual < header->count(); ++visual) {
        if (!header->isSectionHidden(header->logicalIndex(visual))) {
            label = header->logicalIndex(visual);
            break;
        }
    }
    m_groups->SetLabelColumn(label);
    m_groups->SetGroupColumns(columns); // a change resets and comes back here
    m_view->setRootIsDecorated(!columns.isEmpty());
    m_view->setTreePosition(label);
    if (!columns.isEmpty())
        m_view->expandAll();
}

// --- cursor ---

void TZDBGrid::followDataSet()
{
    if (!m_dataSet || !m_dataSet->Active() || m_following)
        return;
    const int row = m_dataSet->currentIndex();
    if (row < 0)
        return;
    const QModelIndex current = m_view->currentIndex();
    // A regrouping forgets the current cell: its column is kept here.
    int column = current.isValid() ? current.column() : m_lastColumn;
    if (column < 0 || column >= ColumnCount())
        column = m_view->header()->logicalIndex(0);
    const QModelIndex target = m_groups->IndexOfSourceRow(row, qMax(column, 0));
    if (!target.isValid() || target == current)
        return;
    m_following = true;
    m_view->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(target);
    m_following = false;
}

void TZDBGrid::followView(const QModelIndex &current)
{
    if (m_following || !m_dataSet || !m_dataSet->Active())
        return;
    const int row = m_groups->SourceRow(current);
    if (row < 0 || m_dataSet->currentIndex() == row)
        return;
    m_following = true;
    ZGuard([&] { m_dataSet->SetRecNo(row + 1); });
    m_following = false;
    followDataSet(); // a refused move (a pending edit that cannot post) goes back
}

bool TZDBGrid::IsEditing() const
{
    return static_cast<const TZGridView *>(m_view)->editing();
}
