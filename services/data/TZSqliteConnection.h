#pragma once

#include "data/TZDbConnection.h"
#include "data/ZDataFileLock.h"

#include <QHash>
#include <QStringList>

#include <memory>

struct sqlite3;
class TZSqliteStatementCache;

/// A data file of the file kinds on SQLite. Opened exclusively against other
/// processes; statements of the system are adapted with ZAdaptSqlForSqlite;
/// the function library of ZRegisterSqliteFunctions and views of the
/// catalogue (MSysObjects, sysobjects, syscolumns, the key columns) are there.
/// Writes are durable once committed (rollback journal, full sync).
class TZSqliteConnection final : public TZDbConnection
{
public:
    /// Opens an existing file (`create` false) or creates it.
    TZSqliteConnection(const QString &path, TDBType kind, bool create);
    ~TZSqliteConnection() override;

    TDBType kind() const override { return m_kind; }
    bool isOpen() const override { return m_db != nullptr; }
    void close() override;

    QString adapt(const QString &systemSql) const override;
    std::unique_ptr<TZDbStatement> prepare(const QString &engineSql) override;
    int execute(const QString &engineSql) override;

    void begin() override;
    void commit() override;
    void rollback() override;
    bool inTransaction() const override;

    bool tableExists(const QString &table) override;
    QStringList tableColumns(const QString &table) override;
    QStringList keyColumns(const QString &table) override;
    QString oneRowCondition(const QString &table, const QString &condition) const override;

    const QString &path() const { return m_path; }

private:
    QString errorText() const;
    QStringList singleColumn(const QString &sql, const QString &argument);

    QString m_path;
    TDBType m_kind;
    std::unique_ptr<TZDataFileLock> m_lock;
    sqlite3 *m_db = nullptr;
    std::shared_ptr<TZSqliteStatementCache> m_statements;
    QHash<QString, QStringList> m_keyColumns; ///< by case-folded table name, for schema m_keySchema
    int m_keySchema = -1;
};
