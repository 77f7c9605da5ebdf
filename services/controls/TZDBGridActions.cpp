// The grid's behaviour: sorting by a header click, read-only, walking the
// cells with Enter, the footer sums and the header menu.
#include "TZDBGrid.h"

#include "common/ZGuard.h"
#include "controls/TZGridFooter.h"
#include "controls/TZGridGroupModel.h"
#include "controls/ZGridSums.h"
#include "data/TZClientDataSet.h"

#include <QHeaderView>
#include <QMenu>
#include <QTreeView>

namespace {

const QString kGroupBy = QStringLiteral("按此列分组");
const QString kUngroup = QStringLiteral("取消分组: %1");
const QString kUngroupAll = QStringLiteral("取消全部分组");
const QString kColumns = QStringLiteral("显示的列");

} // namespace

// --- behaviour ---

void TZDBGrid::SetSortingAllowed(bool allowed)
{
    m_sortingAllowed = allowed;
    m_view->header()->setSectionsClickable(allowed);
    m_view->header()->setSortIndicatorShown(allowed);
    syncSortIndicator();
}

void TZDBGrid::headerClicked(int logical)
{
    if (!m_sortingAllowed || !m_dataSet || !m_dataSet->Active())
        return;
    // The header flips its own indicator on a click; the order is decided
    // here from the dataset's sort, and the indicator follows it.
    const QString field = FieldOfColumn(logical);
    const bool ascendingNow = m_dataSet->IndexFieldNames().compare(field, Qt::CaseInsensitive) == 0;
    const Qt::SortOrder order = ascendingNow ? Qt::DescendingOrder : Qt::AscendingOrder;
    ZGuard([&] { m_groups->sort(logical, order); });
    m_view->header()->setSortIndicator(logical, order);
}

void TZDBGrid::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    m_groups->SetReadOnly(readOnly);
    m_view->setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                                     : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                           | QAbstractItemView::AnyKeyPressed);
}

QList<int> TZDBGrid::editableColumns() const
{
    QList<int> columns;
    const QHeaderView *header = m_view->header();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical) && !ColumnReadOnly(FieldOfColumn(logical)))
            columns << logical;
    }
    return columns;
}

bool TZDBGrid::MoveToNextCell(bool backwards)
{
    if (m_readOnly || !m_dataSet || !m_dataSet->Active())
        return false;
    const QList<int> columns = editableColumns();
    if (columns.isEmpty())
        return false;
    const QHeaderView *header = m_view->header();
    QModelIndex current = m_view->currentIndex();
    if (m_groups->SourceRow(current) < 0)
        current = QModelIndex();
    QModelIndex target;
    if (current.isValid()) {
        const int here = header->visualIndex(current.column());
        for (int i = 0; i < columns.size() && !target.isValid(); ++i) {
            const int logical = columns.at(backwards ? columns.size() - 1 - i : i);
            const int visual = header->visualIndex(logical);
            if (backwards ? visual < here : visual > here)
                target = current.siblingAtColumn(logical);
        }
        if (!target.isValid()) {
            const QModelIndex row = m_groups->NextDataRow(current, backwards);
            if (row.isValid())
                target = row.siblingAtColumn(backwards ? columns.last() : columns.first());
        }
    } else {
        target = m_groups->FirstDataRow(columns.first());
    }
    if (!target.isValid() && !backwards) {
        // Past the last cell: a new row, as a spreadsheet would.
        const bool appended = ZGuard([this] {
            m_dataSet->Append();
            try {
                m_dataSet->Post();
            } catch (...) {
                m_dataSet->Cancel();
                throw;
            }
        });
        if (appended)
            target = m_groups->IndexOfSourceRow(m_dataSet->currentIndex(), columns.first());
    }
    if (!target.isValid())
        return false;
    m_view->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(target);
    m_view->edit(target);
    return true;
}

// --- footer ---

void TZDBGrid::SetFooterSums(bool on)
{
    m_footerAll = on;
    refreshFooter();
}

void TZDBGrid::SetColumnFooterSum(const QString &field, bool on)
{
    column(field).footer = on;
    refreshFooter();
}

bool TZDBGrid::FooterShown() const
{
    return !m_footer->isHidden();
}

void TZDBGrid::SetFooterFormat(std::function<QString(const QString &, const QVariant &)> format)
{
    m_footerFormat = std::move(format);
    refreshFooter();
}

QString TZDBGrid::FooterText(const QString &field) const
{
    const int logical = ColumnOf(field);
    return logical < 0 ? QString() : m_footer->Text(logical);
}

void TZDBGrid::refreshFooter()
{
    QHash<int, QString> texts;
    bool wanted = m_footerAll;
    // Rows still coming in pieces: the sums wait for the last piece.
    const bool complete = m_dataSet && !m_dataSet->Fetching();
    for (int logical = 0; logical < ColumnCount(); ++logical) {
        const bool on = columnOf(FieldOfColumn(logical)).footer;
        wanted = wanted || on;
        if (!complete || !(on || m_footerAll) || !ZIsSummableColumn(*m_dataSet, logical))
            continue;
        QString text;
        if (m_footerFormat)
            text = m_footerFormat(FieldOfColumn(logical), ZColumnSum(*m_dataSet, logical));
        texts.insert(logical, text.isEmpty() ? ZColumnSumText(*m_dataSet, logical) : text);
    }
    m_footer->SetTexts(texts);
    m_footer->setVisible(wanted);
}

// --- header menu ---

QMenu *TZDBGrid::CreateHeaderMenu(int logical)
{
    auto *menu = new QMenu(this);
    const QString field = FieldOfColumn(logical);
    if (!field.isEmpty()) {
        QAction *group = menu->addAction(kGroupBy);
        connect(group, &QAction::triggered, this, [this, field] {
            int next = 0;
            for (const Column &settings : std::as_const(m_columns))
                next = qMax(next, settings.groupIndex + 1);
            SetColumnGroupIndex(field, next);
        });
    }
    bool grouped = false;
    for (int column = 0; column < ColumnCount(); ++column) {
        const QString name = FieldOfColumn(column);
        if (ColumnGroupIndex(name) < 0)
            continue;
        grouped = true;
        QAction *ungroup = menu->addAction(kUngroup.arg(ColumnCaption(name)));
        connect(ungroup, &QAction::triggered, this, [this, name] {
            SetColumnGroupIndex(name, -1);
            SetColumnVisible(name, true);
        });
    }
    if (grouped) {
        QAction *all = menu->addAction(kUngroupAll);
        connect(all, &QAction::triggered, this, [this] {
            for (int column = 0; column < ColumnCount(); ++column) {
                const QString name = FieldOfColumn(column);
                if (ColumnGroupIndex(name) >= 0) {
                    SetColumnGroupIndex(name, -1);
                    SetColumnVisible(name, true);
                }
            }
        });
    }
    QMenu *columns = menu->addMenu(kColumns);
    for (const QString &name : FieldsInViewOrder()) {
        if (ColumnGroupIndex(name) >= 0 || !ColumnAvailable(name))
            continue;
        QAction *toggle = columns->addAction(ColumnCaption(name));
        toggle->setCheckable(true);
        toggle->setChecked(ColumnVisible(name));
        connect(toggle, &QAction::toggled, this, [this, name](bool on) { SetColumnVisible(name, on); });
    }
    return menu;
}
