#pragma once

#include "common/ZErrors.h"
#include "data/ZDBType.h"
#include "data/ZFieldType.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TZRawBlock;

/// A failure reported by the database engine; the message is the engine's
/// own text. Statement routines wrap it into the system's statement error.
class TZDbError : public EZError
{
public:
    using EZError::EZError;
};

/// A prepared statement of one connection. Values travel as QVariant: a null
/// QVariant is NULL; texts, integers, doubles, booleans, Currency, dates and
/// times, and byte arrays map to the engine's kinds.
class TZDbStatement
{
public:
    virtual ~TZDbStatement();

    /// Binds a value to the parameter `index` (1-based).
    virtual void bind(int index, const QVariant &value) = 0;

    /// Runs the statement to its next row: true when a row is ready, false
    /// when done. Raises TZDbError on failure.
    virtual bool step() = 0;

    /// Makes the statement ready to run again (bindings kept).
    virtual void reset() = 0;

    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    /// The declared type of a column of a table; empty for an expression.
    virtual QString columnDeclaredType(int column) const = 0;
    /// The table and column a result column comes from; empty for an
    /// expression.
    virtual QString columnTable(int column) const = 0;
    virtual QString columnOrigin(int column) const = 0;

    /// The kind of a result column: from its declared type, else from the
    /// value of the current row (ftZString when there is none).
    virtual TZFieldType columnKind(int column) const = 0;

    /// The value of a column of the current row read as `kind`.
    virtual QVariant value(int column, TZFieldType kind) const = 0;

    /// Adds the current row to `block`: the columns from `first` on, one per
    /// column of the block, read as the block's kinds. Engines that can keep
    /// their values compact do so; the others go through value().
    virtual void readRawRow(int first, TZRawBlock &block) const;

    /// Rows written by the last run of a command.
    virtual int changes() const = 0;
};

/// One open database: a data file or a server database. The session owns one
/// per database kind; worker threads open their own.
class TZDbConnection
{
public:
    virtual ~TZDbConnection();

    virtual TDBType kind() const = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;

    /// The engine's form of a statement of the system.
    virtual QString adapt(const QString &systemSql) const = 0;

    /// Prepares one statement already in the engine's form.
    virtual std::unique_ptr<TZDbStatement> prepare(const QString &engineSql) = 0;

    /// Runs statements in the engine's form (several, separated by ";"),
    /// returning the rows written by the last one.
    virtual int execute(const QString &engineSql) = 0;

    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    virtual bool inTransaction() const = 0;

    virtual bool tableExists(const QString &table) = 0;
    /// The columns of a table in their order.
    virtual QStringList tableColumns(const QString &table) = 0;
    /// The key columns of a table in key order; empty when it has none.
    virtual QStringList keyColumns(const QString &table) = 0;

    /// A condition that picks exactly one row of `table` among those that
    /// meet `condition` (for tables without a key, whose rows may repeat).
    virtual QString oneRowCondition(const QString &table, const QString &condition) const = 0;

    /// Work that must end before the connection closes (a dataset still
    /// reading a statement in pieces) asks to be told: the listener runs
    /// when close() starts, before any statement is finalised. Returns a
    /// token for RemoveCloseListener.
    int AddCloseListener(std::function<void()> listener);
    void RemoveCloseListener(int token);

protected:
    /// Tells the close listeners (each once; they are forgotten).
    void tellClosing();

private:
    std::vector<std::pair<int, std::function<void()>>> m_closeListeners;
    int m_nextCloseListener = 1;
};

/// The statement error of the system: "语法执行错误！", the database's text
/// and the statement.
EZError ZStatementError(const QString &databaseText, const QString &statement);

/// Opens a data file of the file kinds (an SQLite file that must exist),
/// exclusively against other processes. Raises EZError with the reason.
std::unique_ptr<TZDbConnection> ZOpenDataFile(const QString &path, TDBType kind);

/// Creates an empty data file (for the template builder and tests).
std::unique_ptr<TZDbConnection> ZCreateDataFile(const QString &path);
