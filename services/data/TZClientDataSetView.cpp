// The view of a client dataset's cursor: which shared rows it shows in which
// order (filter and sort), kept current on every change of the rows made
// through any cursor, and the row events its listeners hear.

#include "TZClientDataSet.h"

#include "common/ZErrors.h"
#include "common/ZTrim.h"
#include "data/TZDataFilter.h"

#include <algorithm>

QStringList ZFieldNameList(const QString &fields)
{
    QString t = fields;
    t.replace(QLatin1Char(','), QLatin1Char(';'));
    QStringList names;
    for (const QString &part : t.split(QLatin1Char(';'))) {
        const QString name = ZTrim(part);
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

int ZCompareValues(const QVariant &a, const QVariant &b, TZFieldType kind, bool caseInsensitive)
{
    const bool aNull = a.isNull() || !a.isValid();
    const bool bNull = b.isNull() || !b.isValid();
    if (aNull || bNull)
        return aNull == bNull ? 0 : (aNull ? -1 : 1);
    const auto order = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (kind) {
    case ftZInteger:
    case ftZSmallint:
        return order(a.toLongLong(), b.toLongLong());
    case ftZBoolean:
        return order(a.toBool(), b.toBool());
    case ftZFloat:
        return order(a.toDouble(), b.toDouble());
    case ftZCurrency:
        if (a.typeId() == qMetaTypeId<Currency>() && b.typeId() == qMetaTypeId<Currency>())
            return order(a.value<Currency>().raw(), b.value<Currency>().raw());
        return order(ZValueOfKind(a, kind).value<Currency>().raw(), ZValueOfKind(b, kind).value<Currency>().raw());
    case ftZDate:
    case ftZTime:
        return order(a.toDateTime(), b.toDateTime());
    case ftZBlob:
        return order(a.toByteArray(), b.toByteArray());
    case ftZString:
    case ftZMemo:
        break;
    }
    const int c = a.toString().compare(b.toString(), caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// --- the view ---

bool TZClientDataSet::passesFilter(const TZRowData &row) const
{
    return (!m_filtered || !m_filter || m_filter->matches(row))
           && (!m_rowFilter || m_rowFilter(const_cast<TZClientDataSet &>(*this), row))
           && (m_keyword.isEmpty() || keywordMatches(row));
}

bool TZClientDataSet::lessBySort(const TZRowData *a, const TZRowData *b) const
{
    for (const auto &[column, descending] : m_sort) {
        const int c = ZCompareValues(a->values().at(column), b->values().at(column), m_store->columns.at(column).type);
        if (c != 0)
            return descending ? c > 0 : c < 0;
    }
    return false;
}

void TZClientDataSet::ensureView()
{
    // Every change made through the dataset keeps the views current; rows
    // changed behind its back are shown anew.
    if (m_store && m_viewVersion != m_store->version)
        refreshView();
}

void TZClientDataSet::refreshView()
{
    const TResetScope reset(*this);
    if (m_store)
        rebuildView();
}

void TZClientDataSet::rebuildView()
{
    m_view.clear();
    m_view.reserve(m_store->rows.size());
    m_taken = m_store->rows.size();
    findKeywordColumns();
    for (const TZRowPtr &row : m_store->rows) {
        if (passesFilter(*row))
            m_view.push_back(row.get());
    }
    if (!m_sort.isEmpty())
        std::stable_sort(m_view.begin(), m_view.end(),
                         [this](const TZRowData *a, const TZRowData *b) { return lessBySort(a, b); });
    m_viewVersion = m_store->version;
    // Stay on the same row when it is still there.
    int index = -1;
    if (m_currentRow) {
        const auto found = std::find(m_view.begin(), m_view.end(), m_currentRow);
        if (found != m_view.end())
            index = int(found - m_view.begin());
        else
            index = std::min(m_current, int(m_view.size()) - 1);
    }
    if (index < 0 && !m_view.empty())
        index = 0;
    setCurrent(index);
}

void TZClientDataSet::setCurrent(int index)
{
    m_current = index;
    m_currentRow = index >= 0 && index < int(m_view.size()) ? m_view.at(std::size_t(index)) : nullptr;
    if (!m_currentRow)
        m_current = -1;
}

const std::vector<TZRowData *> &TZClientDataSet::visibleRows()
{
    ensureView();
    return m_view;
}

int TZClientDataSet::currentIndex()
{
    ensureView();
    return m_current;
}

TZRowPtr TZClientDataSet::sharedRow(const TZRowData *row) const
{
    return row ? const_cast<TZRowData *>(row)->shared_from_this() : TZRowPtr();
}

QString TZClientDataSet::displayText(int viewIndex, int column)
{
    return RowText(*visibleRows().at(std::size_t(viewIndex)), column);
}

// --- changes of the shared rows, as each cursor sees them ---

void TZClientDataSet::forEachCursor(const std::function<void(TZClientDataSet &)> &change)
{
    // A listener may open or close clones: walk a copy, skipping cursors gone meanwhile.
    const std::vector<TZClientDataSet *> cursors = m_store->cursors;
    const std::shared_ptr<TZRowStore> store = m_store;
    for (TZClientDataSet *cursor : cursors) {
        if (std::find(store->cursors.begin(), store->cursors.end(), cursor) != store->cursors.end()) {
            cursor->m_viewVersion = store->version; // the change below brings the view up to date
            change(*cursor);
        }
    }
}

int TZClientDataSet::viewIndexOf(const TZRowData *row) const
{
    if (row == m_currentRow && m_current >= 0)
        return m_current;
    const auto found = std::find(m_view.begin(), m_view.end(), row);
    return found == m_view.end() ? -1 : int(found - m_view.begin());
}

// Where a row that passes the filter belongs in the view: by the sort, or
// else before the next row of the natural order that the view shows.
int TZClientDataSet::placeFor(const TZRowData *row) const
{
    if (!m_sort.isEmpty())
        return int(std::upper_bound(m_view.begin(), m_view.end(), row,
                                    [this](const TZRowData *a, const TZRowData *b) { return lessBySort(a, b); })
                   - m_view.begin());
    const auto &rows = m_store->rows;
    if (!rows.empty() && rows.back().get() == row)
        return int(m_view.size());
    auto it = std::find_if(rows.begin(), rows.end(), [row](const TZRowPtr &r) { return r.get() == row; });
    for (it = it == rows.end() ? it : it + 1; it != rows.end(); ++it) {
        if (passesFilter(**it)) {
            const int index = viewIndexOf(it->get());
            if (index >= 0)
                return index;
        }
    }
    return int(m_view.size());
}

int TZClientDataSet::rowAdded(TZRowData *row)
{
    if (!passesFilter(*row))
        return -1;
    const int at = placeFor(row);
    emitRow(TZRowEvent::AboutToInsert, at);
    m_view.insert(m_view.begin() + at, row);
    if (m_currentRow && m_current >= at)
        ++m_current;
    else if (!m_currentRow)
        setCurrent(at);
    emitRow(TZRowEvent::Inserted, at);
    return at;
}

void TZClientDataSet::rowRemoved(TZRowData *row)
{
    const int at = viewIndexOf(row);
    if (at < 0)
        return;
    if (row == m_currentRow && m_state == dsEdit) { // another cursor took the row being edited
        m_state = dsBrowse;
        m_buffer.clear();
    }
    emitRow(TZRowEvent::AboutToRemove, at);
    m_view.erase(m_view.begin() + at);
    if (row == m_currentRow)
        setCurrent(std::min(at, int(m_view.size()) - 1));
    else if (m_current > at)
        --m_current;
    emitRow(TZRowEvent::Removed, at);
}

void TZClientDataSet::rowEdited(TZRowData *row, const QVector<QVariant> &before)
{
    const int at = viewIndexOf(row);
    const bool passes = passesFilter(*row);
    if (at < 0) {
        if (passes) // it enters this cursor's filter
            rowAdded(row);
        return;
    }
    if (!passes) {
        rowRemoved(row);
        return;
    }
    bool keysChanged = false;
    for (const auto &[column, descending] : std::as_const(m_sort))
        keysChanged = keysChanged || !(before.at(column) == row->values().at(column));
    int to = at;
    if (keysChanged) { // the place among the other rows, the row left out
        m_view.erase(m_view.begin() + at);
        to = placeFor(row);
        m_view.insert(m_view.begin() + at, row);
    }
    if (to == at) {
        emitRow(TZRowEvent::Changed, at);
        return;
    }
    emitRow(TZRowEvent::AboutToMove, at, to);
    m_view.erase(m_view.begin() + at);
    m_view.insert(m_view.begin() + to, row);
    if (row == m_currentRow)
        m_current = to;
    else if (at < m_current && to >= m_current)
        --m_current;
    else if (at > m_current && to <= m_current)
        ++m_current;
    emitRow(TZRowEvent::Moved, at, to);
    emitRow(TZRowEvent::Changed, to);
}

// --- listeners ---

void TZClientDataSet::emitRow(TZRowEvent::Kind kind, int row, int to, int count)
{
    if (m_listeners.empty())
        return;
    if (m_controlsDisabled > 0) {
        m_changedWhileDisabled = true;
        return;
    }
    const TZRowEvent event{kind, row, to, count};
    const auto listeners = m_listeners; // a listener may remove itself
    for (const auto &[token, listener] : listeners)
        listener(event);
}

int TZClientDataSet::AddRowListener(std::function<void(const TZRowEvent &)> listener)
{
    m_listeners.emplace_back(m_nextListener, std::move(listener));
    return m_nextListener++;
}

int TZClientDataSet::AddDataChangedListener(std::function<void()> listener)
{
    return AddRowListener([listener = std::move(listener)](const TZRowEvent &event) {
        switch (event.kind) {
        case TZRowEvent::Inserted:
        case TZRowEvent::Removed:
        case TZRowEvent::Changed:
        case TZRowEvent::Reset:
            listener();
            break;
        default:
            break;
        }
    });
}

void TZClientDataSet::RemoveDataChangedListener(int token)
{
    m_listeners.erase(std::remove_if(m_listeners.begin(), m_listeners.end(),
                                     [token](const auto &entry) { return entry.first == token; }),
                      m_listeners.end());
}

void TZClientDataSet::EnableControls()
{
    if (m_controlsDisabled > 0 && --m_controlsDisabled == 0 && m_changedWhileDisabled) {
        m_changedWhileDisabled = false;
        emitRow(TZRowEvent::AboutToReset);
        emitRow(TZRowEvent::Reset);
    }
}

// --- filter and sort ---

void TZClientDataSet::SetFilter(const QString &filter)
{
    std::unique_ptr<TZDataFilter> compiled;
    if (m_store && !ZIsBlank(filter))
        compiled = std::make_unique<TZDataFilter>(filter, *m_store);
    // A pending edit is posted first: the row it belongs to may leave the view.
    if (m_store && m_filtered && Active())
        CheckBrowseMode();
    if (m_filtered)
        FetchAll(); // a filter is over all the rows
    m_filterText = ZIsBlank(filter) ? QString() : filter;
    m_filter = std::move(compiled);
    if (m_store && m_filtered)
        refreshView();
}

void TZClientDataSet::RefreshFilter()
{
    if (!m_store || !m_filtered)
        return;
    if (Active())
        CheckBrowseMode();
    refreshView();
}

void TZClientDataSet::SetFiltered(bool filtered)
{
    if (m_filtered == filtered)
        return;
    CheckBrowseMode();
    FetchAll();
    m_filtered = filtered;
    if (m_store) {
        refreshView();
        setCurrent(m_view.empty() ? -1 : 0);
        m_bof = true;
        m_eof = m_view.empty();
    }
}

QList<QPair<int, bool>> TZClientDataSet::sortOf(const QString &fields)
{
    QList<QPair<int, bool>> sort;
    if (!m_store)
        return sort;
    for (const QString &item : ZFieldNameList(fields)) {
        QStringList words = item.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool descending = false;
        if (words.size() > 1
            && (words.last().compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0
                || words.last().compare(QLatin1String("asc"), Qt::CaseInsensitive) == 0)) {
            descending = words.takeLast().compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0;
        }
        sort << qMakePair(FieldByName(words.join(QLatin1Char(' '))).Index(), descending);
    }
    return sort;
}

void TZClientDataSet::SetIndexFieldNames(const QString &fields)
{
    QList<QPair<int, bool>> sort = sortOf(fields);
    if (!sort.isEmpty())
        FetchAll(); // a sort is over all the rows: they come in the order read, then all are sorted
    m_sort = std::move(sort);
    m_indexFieldNames = fields;
    if (m_store)
        refreshView(); // the edited row stays current: sorting loses no row
}
