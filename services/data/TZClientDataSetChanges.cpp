// The change log of a client dataset: counting, dropping and accepting the
// pending changes (UpdateBatch writes them, TZClientDataSetBatch.cpp).

#include "TZClientDataSet.h"

#include <algorithm>

int TZClientDataSet::ChangeCount() const
{
    if (!m_store)
        return 0;
    int count = int(m_store->deleted.size());
    for (const TZRowPtr &row : m_store->rows)
        count += row->status != TZRowData::Unchanged ? 1 : 0;
    return count;
}

void TZClientDataSet::CancelBatch()
{
    checkActive();
    forEachCursor([](TZClientDataSet &cursor) {
        cursor.Cancel(); // an edit pending in any cursor goes with the rest
        cursor.emitRow(TZRowEvent::AboutToReset);
    });
    auto &rows = m_store->rows;
    const std::vector<TZRowPtr> leaving = rows; // new rows stay alive until no view shows them
    rows.erase(
        std::remove_if(rows.begin(), rows.end(), [](const TZRowPtr &r) { return r->status == TZRowData::Inserted; }),
        rows.end());
    for (const TZRowPtr &row : rows) {
        if (row->status == TZRowData::Modified) {
            row->values() = row->original;
            row->original.clear();
            row->status = TZRowData::Unchanged;
        }
    }
    for (const TZRowPtr &row : m_store->deleted) {
        if (row->status == TZRowData::Modified) {
            row->values() = row->original;
            row->original.clear();
            row->status = TZRowData::Unchanged;
        }
        rows.push_back(row);
    }
    m_store->deleted.clear();
    ++m_store->version;
    forEachCursor([](TZClientDataSet &cursor) {
        cursor.rebuildView();
        cursor.emitRow(TZRowEvent::Reset);
    });
}

void TZClientDataSet::MergeChangeLog()
{
    checkActive();
    CheckBrowseMode();
    for (const TZRowPtr &row : m_store->rows) {
        row->status = TZRowData::Unchanged;
        row->original.clear();
    }
    m_store->deleted.clear();
}
