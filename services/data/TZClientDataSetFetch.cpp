// Reading the rows of a statement in pieces: the first rows at once, the
// rest from the event loop of the dataset's thread, each piece added to
// every cursor's view as one insertion. The loader belongs to the shared
// rows, so clones see the rows as they come and any cursor can read the
// rest.

#include "TZClientDataSet.h"

#include "common/ZErrors.h"
#include "common/ZGuard.h"
#include "common/ZTrim.h"
#include "data/TZDbConnection.h"
#include "data/TZRowLoader.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace {

// The work of one piece read from the event loop: short enough that typing
// and scrolling between pieces feel immediate.
constexpr std::chrono::milliseconds kPieceTime(8);
constexpr int kAllRows = std::numeric_limits<int>::max();

} // namespace

void TZClientDataSet::LoadInPieces(std::unique_ptr<TZDbStatement> statement, TZDbConnection *connection,
                                   const QString &statementText, bool firstColumnIsRowId, int firstRows)
{
    Close();
    bool hasRow = false;
    auto store = newStore(*statement, connection, statementText, firstColumnIsRowId, hasRow);
    auto loader =
        std::make_shared<TZRowLoader>(std::move(statement), connection, store->columns, firstColumnIsRowId, hasRow);
    // A sorted view shows its first rows only once all are read; without
    // an event loop no piece would ever come.
    const bool atOnce = !ZIsBlank(m_indexFieldNames) || !QCoreApplication::instance();
    loader->Read(store->rows, atOnce ? kAllRows : std::max(firstRows, 1), {});
    m_fetchError.clear();
    if (!loader->Done()) {
        store->loader = loader;
        const std::weak_ptr<TZRowStore> weak = store;
        loader->OnConnectionClosing([weak] {
            if (const auto rows = weak.lock())
                endFetch(rows, {});
        });
        schedulePiece(store);
    }
    attach(std::move(store));
}

bool TZClientDataSet::Fetching() const
{
    return m_store && m_store->loader;
}

void TZClientDataSet::FetchAll()
{
    const std::shared_ptr<TZRowStore> store = m_store;
    while (store && store->loader && !store->loader->Reading())
        readPiece(store, kAllRows, {});
}

void TZClientDataSet::fetchUntil(int rows)
{
    const std::shared_ptr<TZRowStore> store = m_store;
    while (store && store->loader && !store->loader->Reading() && m_store == store && int(m_view.size()) < rows)
        readPiece(store, std::max(rows - int(m_view.size()), kFirstPieceRows), {});
}

void TZClientDataSet::schedulePiece(const std::shared_ptr<TZRowStore> &store)
{
    // A zero timer on this thread: the piece runs once the events waiting
    // now (input, painting) are handled. It holds the rows only weakly: rows
    // dropped meanwhile end the reading.
    QTimer::singleShot(0, [weak = std::weak_ptr<TZRowStore>(store)] {
        const std::shared_ptr<TZRowStore> rows = weak.lock();
        if (!rows || !rows->loader || rows->loader->Reading())
            return;
        const std::shared_ptr<TZRowLoader> loader = rows->loader;
        ZGuard([&] { readPiece(rows, kAllRows, kPieceTime); });
        if (rows->loader == loader)
            schedulePiece(rows);
    });
}

void TZClientDataSet::readPiece(const std::shared_ptr<TZRowStore> &store, int maxRows,
                                std::chrono::nanoseconds budget)
{
    const std::shared_ptr<TZRowLoader> loader = store->loader;
    QString error;
    try {
        loader->Read(store->rows, maxRows, budget);
    } catch (const TZDbError &e) {
        error = ZStatementError(e.message(), store->statement).message();
    }
    // Each cursor takes in the new rows; a listener that reads further
    // meanwhile leaves the others already up to date.
    const std::vector<TZClientDataSet *> cursors = store->cursors;
    for (TZClientDataSet *cursor : cursors) {
        if (std::find(store->cursors.begin(), store->cursors.end(), cursor) != store->cursors.end())
            cursor->takeNewRows();
    }
    if (store->loader == loader && loader->Done())
        endFetch(store, error);
}

void TZClientDataSet::endFetch(const std::shared_ptr<TZRowStore> &store, const QString &error)
{
    if (store->loader) {
        store->loader->Stop();
        store->loader.reset();
    }
    const std::vector<TZClientDataSet *> cursors = store->cursors;
    for (TZClientDataSet *cursor : cursors) {
        if (std::find(store->cursors.begin(), store->cursors.end(), cursor) == store->cursors.end())
            continue;
        cursor->m_fetchError = error;
        cursor->emitRow(TZRowEvent::Fetched);
        cursor->doAfterFetch();
    }
    if (!error.isEmpty())
        throw EZError(error);
}

void TZClientDataSet::doAfterFetch()
{
    if (AfterFetch)
        AfterFetch(*this);
}

void TZClientDataSet::takeNewRows()
{
    const std::vector<TZRowPtr> &rows = m_store->rows;
    const std::size_t from = m_taken;
    m_taken = rows.size();
    if (from >= rows.size())
        return;
    if (!m_sort.isEmpty()) { // sorted anew with the rows (opening and cloning read all first)
        refreshView();
        return;
    }
    std::vector<TZRowData *> added;
    added.reserve(rows.size() - from);
    for (std::size_t i = from; i < rows.size(); ++i) {
        if (passesFilter(*rows[i]))
            added.push_back(rows[i].get());
    }
    if (added.empty())
        return;
    const int at = int(m_view.size());
    emitRow(TZRowEvent::AboutToInsert, at, -1, int(added.size()));
    m_view.insert(m_view.end(), added.begin(), added.end());
    if (!m_currentRow) {
        setCurrent(at);
        m_bof = true;
        m_eof = false;
    }
    emitRow(TZRowEvent::Inserted, at, -1, int(added.size()));
}
