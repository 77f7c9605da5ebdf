#include "TZRowLoader.h"

#include "data/TZDbConnection.h"

TZRowReader::TZRowReader(TZDbStatement &statement, const QList<TZColumnInfo> &columns, bool firstColumnIsRowId,
                         bool hasRow)
    : m_statement(statement), m_rowId(firstColumnIsRowId), m_hasRow(hasRow)
{
    m_kinds.reserve(std::size_t(columns.size()));
    for (const TZColumnInfo &column : columns)
        m_kinds.push_back(column.type);
}

void TZRowReader::readRow(std::vector<TZRowPtr> &rows)
{
    if (!m_block || m_block->full()) {
        auto next = std::make_shared<TZRawBlock>(m_kinds);
        const int count = int(m_kinds.size());
        if (m_block) // more full blocks are likely: room for one at once
            next->reserve(std::size_t(TZRawBlock::capacity(count)) * std::size_t(count), m_block->arenaSize());
        m_block = std::move(next);
    }
    m_statement.readRawRow(m_rowId ? 1 : 0, *m_block);
    auto row = std::make_shared<TZRowData>();
    row->setRaw(m_block, m_block->rowCount() - 1);
    if (m_rowId)
        row->rowId = m_statement.value(0, ftZInteger).toLongLong();
    rows.push_back(std::move(row));
}

int TZRowReader::Read(std::vector<TZRowPtr> &rows, int maxRows, std::chrono::nanoseconds budget)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = budget.count() > 0 ? Clock::now() : Clock::time_point();
    int read = 0;
    while (m_hasRow && read < maxRows) {
        readRow(rows);
        ++read;
        m_hasRow = false; // a failing step leaves no row behind
        m_hasRow = m_statement.step();
        // The clock is asked now and then: it costs more than a row.
        if (budget.count() > 0 && read % 64 == 0 && Clock::now() - start >= budget)
            break;
    }
    return read;
}

TZRowLoader::TZRowLoader(std::unique_ptr<TZDbStatement> statement, TZDbConnection *connection,
                         const QList<TZColumnInfo> &columns, bool firstColumnIsRowId, bool hasRow)
    : m_statement(std::move(statement)), m_connection(connection)
{
    m_reader = std::make_unique<TZRowReader>(*m_statement, columns, firstColumnIsRowId, hasRow);
    if (!hasRow) {
        Stop();
        return;
    }
    if (m_connection) {
        m_closeToken = m_connection->AddCloseListener([this] {
            m_connection = nullptr; // the connection forgets its listeners as it tells them
            Stop();
            // The handler may drop this loader: it runs from a copy.
            if (const auto closing = m_closing)
                closing();
        });
    }
}

TZRowLoader::~TZRowLoader()
{
    Stop();
}

int TZRowLoader::Read(std::vector<TZRowPtr> &rows, int maxRows, std::chrono::nanoseconds budget)
{
    if (!m_statement || m_reading)
        return 0;
    m_reading = true;
    int read = 0;
    try {
        read = m_reader->Read(rows, maxRows, budget);
    } catch (...) {
        m_reading = false;
        Stop();
        throw;
    }
    m_reading = false;
    if (!m_reader->HasRow())
        Stop();
    return read;
}

void TZRowLoader::Stop()
{
    if (m_connection && m_closeToken)
        m_connection->RemoveCloseListener(m_closeToken);
    m_connection = nullptr;
    m_closeToken = 0;
    m_reader.reset();
    m_statement.reset(); // back to the connection's idle statements
}
