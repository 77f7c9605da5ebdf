#pragma once

#include "data/TZRowStore.h"

#include <QString>

#include <chrono>
#include <memory>
#include <vector>

class TZDbConnection;
class TZDbStatement;

/// Reads the rows of a prepared statement into rows of a client dataset,
/// keeping the engine's values compact in blocks (TZRawBlock) that the rows
/// turn into values when first read; most rows of a large load never are.
class TZRowReader
{
public:
    /// The statement stands on its first row (`hasRow`) or is done.
    TZRowReader(TZDbStatement &statement, const QList<TZColumnInfo> &columns, bool firstColumnIsRowId, bool hasRow);

    bool HasRow() const { return m_hasRow; }
    /// Adds rows to `rows` until the statement ends, `maxRows` are read or
    /// `budget` has passed (zero: no limit of time); returns the rows read.
    /// Raises TZDbError when the statement fails; the rows read stay.
    int Read(std::vector<TZRowPtr> &rows, int maxRows, std::chrono::nanoseconds budget);

private:
    void readRow(std::vector<TZRowPtr> &rows);

    TZDbStatement &m_statement;
    std::vector<TZFieldType> m_kinds;
    bool m_rowId;
    bool m_hasRow;
    TZRawBlockPtr m_block;
};

/// A statement whose rows a client dataset reads in pieces: it stays open
/// on its connection between pieces (the connection hands a statement to
/// one user at a time, so nothing else running the same text is disturbed)
/// and lets go of it when the last row is read, when it fails, when the
/// rows it fills are dropped, or when the connection closes.
class TZRowLoader
{
public:
    TZRowLoader(std::unique_ptr<TZDbStatement> statement, TZDbConnection *connection,
                const QList<TZColumnInfo> &columns, bool firstColumnIsRowId, bool hasRow);
    ~TZRowLoader();
    TZRowLoader(const TZRowLoader &) = delete;
    TZRowLoader &operator=(const TZRowLoader &) = delete;

    /// True once the statement is done, failed or was let go.
    bool Done() const { return !m_statement; }
    /// True while a piece is read (reading never nests).
    bool Reading() const { return m_reading; }

    /// Reads a piece (see TZRowReader::Read); the statement is let go when
    /// it ends or fails (the failure is raised).
    int Read(std::vector<TZRowPtr> &rows, int maxRows, std::chrono::nanoseconds budget);
    /// Lets go of the statement and of the connection; reading ends.
    void Stop();
    /// Called when the connection starts closing, after the loader let go.
    void OnConnectionClosing(std::function<void()> handler) { m_closing = std::move(handler); }

private:
    std::unique_ptr<TZDbStatement> m_statement;
    std::unique_ptr<TZRowReader> m_reader;
    TZDbConnection *m_connection;
    int m_closeToken = 0;
    bool m_reading = false;
    std::function<void()> m_closing;
};
