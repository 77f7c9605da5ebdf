#include "TZSqliteConnection.h"

#include "common/Currency.h"
#include "data/ZDbValues.h"
#include "data/ZRawCells.h"
#include "data/ZSqliteAdapter.h"
#include "data/ZSqliteFunctions.h"

#include <QByteArray>
#include <QFile>

#include <sqlite3.h>

#include <cmath>
#include <limits>

namespace {

// Views that answer the catalogue look-ups the system's statements make.
const char *const kCatalogueViews = R"SQL(
create temp view if not exists MSysObjects as
  select name collate nocase as Name, 1 as Type, 0 as Flags from main.sqlite_master where type = 'table'
  union all select name collate nocase, 5, 0 from main.sqlite_master where type = 'view';
create temp view if not exists sysobjects as
  select rowid as id, name collate nocase as name, 'U' as xtype, 'U' as type
  from main.sqlite_master where type = 'table';
create temp view if not exists syscolumns as
  select m.rowid as id, p.name collate nocase as name, p.type as xtype, p.cid + 1 as colid
  from main.sqlite_master m join pragma_table_info(m.name) p where m.type = 'table';
create temp view if not exists zInfoSchemaKeyColumnUsage as
  select ii.seqno + 1 as Ordinal_Position, i.tbl_name collate nocase as Table_Name, ii.name as Column_Name
  from main.sqlite_master i join pragma_index_info(i.name) ii
  where i.type = 'index' and i.name = 'PK_' || i.tbl_name collate nocase
  union all
  select p.pk, m.name collate nocase, p.name from main.sqlite_master m join pragma_table_info(m.name) p
  where m.type = 'table' and p.pk > 0 and not exists
    (select 1 from main.sqlite_master x where x.type = 'index' and x.name = 'PK_' || m.name collate nocase);
)SQL";

} // namespace

/// Prepared statements of a connection that are not in use, by their text:
/// a statement the program runs again (a record's statements, the writes
/// of a batch, the key look-ups) skips SQLite's parse and plan. Each is
/// handed to one user at a time and comes back reset when that user is done.
/// The oldest idle ones are finalised beyond a bound; closing the connection
/// finalises all, and statements still in use then finalise themselves.
class TZSqliteStatementCache
{
public:
    ~TZSqliteStatementCache() { clear(); }

    sqlite3_stmt *take(const QByteArray &sql)
    {
        const auto found = m_idle.find(sql);
        if (found == m_idle.end())
            return nullptr;
        sqlite3_stmt *stmt = found.value();
        m_idle.erase(found);
        m_order.removeOne(sql);
        return stmt;
    }

    void giveBack(const QByteArray &sql, sqlite3_stmt *stmt)
    {
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
        if (!m_open || m_idle.contains(sql)) {
            sqlite3_finalize(stmt);
            return;
        }
        m_idle.insert(sql, stmt);
        m_order.append(sql);
        while (m_order.size() > kBound)
            sqlite3_finalize(m_idle.take(m_order.takeFirst()));
    }

    void clear()
    {
        m_open = false;
        for (sqlite3_stmt *stmt : std::as_const(m_idle))
            sqlite3_finalize(stmt);
        m_idle.clear();
        m_order.clear();
    }

private:
    static constexpr int kBound = 64;
    QHash<QByteArray, sqlite3_stmt *> m_idle;
    QList<QByteArray> m_order; ///< idle statements, oldest first
    bool m_open = true;
};

namespace {

class SqliteStatement final : public TZDbStatement
{
public:
    SqliteStatement(sqlite3 *db, sqlite3_stmt *stmt, std::weak_ptr<TZSqliteStatementCache> cache, QByteArray sql)
        : m_db(db), m_stmt(stmt), m_cache(std::move(cache)), m_sql(std::move(sql))
    {
    }
    ~SqliteStatement() override
    {
        if (const auto cache = m_cache.lock())
            cache->giveBack(m_sql, m_stmt);
        else
            sqlite3_finalize(m_stmt);
    }

    void bind(int index, const QVariant &value) override
    {
        int rc = SQLITE_OK;
        if (value.isNull() || !value.isValid()) {
            rc = sqlite3_bind_null(m_stmt, index);
        } else {
            switch (value.typeId()) {
            case QMetaType::Bool:
                rc = sqlite3_bind_int64(m_stmt, index, value.toBool() ? -1 : 0);
                break;
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Char:
            case QMetaType::UChar:
                rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray bytes = value.toByteArray();
                rc = sqlite3_bind_blob64(m_stmt, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                                         SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QDateTime:
                rc = bindText(index, ZDateTimeToDbText(value.toDateTime()));
                break;
            case QMetaType::QDate:
                rc = bindText(index, ZDateTimeToDbText(QDateTime(value.toDate(), QTime(0, 0))));
                break;
            case QMetaType::QTime:
                rc = bindText(index, ZDateTimeToDbText(QDateTime(QDate(1899, 12, 30), value.toTime())));
                break;
            default:
                if (value.typeId() == qMetaTypeId<Currency>())
                    rc = sqlite3_bind_double(m_stmt, index, double(value.value<Currency>().raw()) / Currency::Scale);
                else
                    rc = bindText(index, value.toString());
                break;
            }
        }
        if (rc != SQLITE_OK)
            throw TZDbError(QString::fromUtf8(sqlite3_errmsg(m_db)));
    }

    bool step() override
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE) {
            m_changes = sqlite3_changes(m_db);
            return false;
        }
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_reset(m_stmt);
        throw TZDbError(message);
    }

    void reset() override { sqlite3_reset(m_stmt); }

    int columnCount() const override { return sqlite3_column_count(m_stmt); }
    QString columnName(int c) const override { return utf8(sqlite3_column_name(m_stmt, c)); }
    QString columnDeclaredType(int c) const override { return utf8(sqlite3_column_decltype(m_stmt, c)); }
    QString columnTable(int c) const override { return utf8(sqlite3_column_table_name(m_stmt, c)); }
    QString columnOrigin(int c) const override { return utf8(sqlite3_column_origin_name(m_stmt, c)); }

    TZFieldType columnKind(int c) const override
    {
        const char *declared = sqlite3_column_decltype(m_stmt, c);
        if (declared && *declared)
            return ZFieldTypeOfDeclared(QString::fromUtf8(declared));
        switch (sqlite3_column_type(m_stmt, c)) {
        case SQLITE_INTEGER:
            return ftZInteger;
        case SQLITE_FLOAT:
            return ftZFloat;
        case SQLITE_BLOB:
            return ftZBlob;
        default:
            return ftZString;
        }
    }

    QVariant value(int c, TZFieldType kind) const override { return ZRawToVariant(raw(c, kind), kind); }

    void readRawRow(int first, TZRawBlock &block) const override
    {
        block.beginRow();
        for (int f = 0; f < block.columnCount(); ++f)
            block.append(raw(f + first, block.kind(f)));
    }

    int changes() const override { return m_changes; }

private:
    int bindText(int index, const QString &text)
    {
        const QByteArray utf8 = text.toUtf8();
        return sqlite3_bind_text64(m_stmt, index, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT,
                                   SQLITE_UTF8);
    }

    // What reading column c as `kind` needs of SQLite's value; the bytes stay
    // valid until the next step.
    TZRawValue raw(int c, TZFieldType kind) const
    {
        TZRawValue raw;
        const int type = sqlite3_column_type(m_stmt, c);
        if (type == SQLITE_NULL)
            return raw;
        switch (kind) {
        case ftZString:
        case ftZMemo:
            if (type == SQLITE_TEXT || type == SQLITE_BLOB)
                return text(c);
            if (type == SQLITE_INTEGER) {
                raw.type = TZRawValue::Integer;
                raw.integer = sqlite3_column_int64(m_stmt, c);
            } else {
                raw.type = TZRawValue::Float;
                raw.real = sqlite3_column_double(m_stmt, c);
            }
            return raw;
        case ftZInteger:
        case ftZSmallint:
            raw.type = TZRawValue::Integer;
            raw.integer = type == SQLITE_FLOAT ? qint64(std::llround(sqlite3_column_double(m_stmt, c)))
                                               : sqlite3_column_int64(m_stmt, c);
            return raw;
        case ftZBoolean:
            raw.type = TZRawValue::Integer;
            raw.integer = type == SQLITE_FLOAT ? sqlite3_column_double(m_stmt, c) != 0
                                               : sqlite3_column_int64(m_stmt, c) != 0;
            return raw;
        case ftZFloat:
        case ftZCurrency:
            raw.type = TZRawValue::Float;
            raw.real = sqlite3_column_double(m_stmt, c);
            return raw;
        case ftZDate:
        case ftZTime:
            if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
                raw.type = TZRawValue::Float;
                raw.real = sqlite3_column_double(m_stmt, c);
                return raw;
            }
            return text(c);
        case ftZBlob:
            raw.type = TZRawValue::Blob;
            raw.bytes = static_cast<const char *>(sqlite3_column_blob(m_stmt, c));
            raw.length = sqlite3_column_bytes(m_stmt, c);
            return raw;
        }
        return raw;
    }

    TZRawValue text(int c) const
    {
        TZRawValue raw;
        raw.type = TZRawValue::Text;
        raw.bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, c));
        raw.length = sqlite3_column_bytes(m_stmt, c);
        return raw;
    }

    static QString utf8(const char *text) { return text ? QString::fromUtf8(text) : QString(); }

    sqlite3 *m_db;
    sqlite3_stmt *m_stmt;
    std::weak_ptr<TZSqliteStatementCache> m_cache;
    QByteArray m_sql;
    int m_changes = 0;
};

} // namespace

TZSqliteConnection::TZSqliteConnection(const QString &path, TDBType kind, bool create) : m_path(path), m_kind(kind), m_statements(std::make_shared<TZSqliteStatementCache>())
{
    if (!create && !QFile::exists(path))
        throw EZError(QStringLiteral("数据文件%1不存在！").arg(path));
    m_lock = std::make_unique<TZDataFileLock>(path);
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = m_db ? errorText() : QStringLiteral("SQLite error %1").arg(rc);
        close();
        throw TZDbError(message);
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, 5000);
    try {
        // The first statement reads the file: a file that is no database fails here.
        execute(QStringLiteral("pragma journal_mode = delete; pragma synchronous = full; pragma foreign_keys = off"));
        execute(QString::fromUtf8(kCatalogueViews));
    } catch (...) {
        close();
        throw;
    }
    ZRegisterSqliteFunctions(m_db);
}

TZSqliteConnection::~TZSqliteConnection()
{
    close();
}

void TZSqliteConnection::close()
{
    tellClosing(); // statements read in pieces are given back first
    m_statements->clear();
    m_keyColumns.clear();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_lock.reset();
}

QString TZSqliteConnection::errorText() const
{
    return QString::fromUtf8(sqlite3_errmsg(m_db));
}

QString TZSqliteConnection::adapt(const QString &systemSql) const
{
    return ZAdaptSqlForSqlite(systemSql);
}

std::unique_ptr<TZDbStatement> TZSqliteConnection::prepare(const QString &engineSql)
{
    if (!m_db)
        throw TZDbError(QStringLiteral("数据库连接已关闭"));
    QByteArray utf8 = engineSql.toUtf8();
    if (sqlite3_stmt *cached = m_statements->take(utf8))
        return std::make_unique<SqliteStatement>(m_db, cached, m_statements, std::move(utf8));
    sqlite3_stmt *stmt = nullptr;
    const char *tail = nullptr;
    const int rc =
        sqlite3_prepare_v3(m_db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt, &tail);
    if (rc != SQLITE_OK)
        throw TZDbError(errorText());
    if (!stmt) // only blanks or comments
        throw TZDbError(QStringLiteral("语句为空"));
    return std::make_unique<SqliteStatement>(m_db, stmt, m_statements, std::move(utf8));
}

int TZSqliteConnection::execute(const QString &engineSql)
{
    if (!m_db)
        throw TZDbError(QStringLiteral("数据库连接已关闭"));
    char *error = nullptr;
    const int rc = sqlite3_exec(m_db, engineSql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message = error ? QString::fromUtf8(error) : errorText();
        sqlite3_free(error);
        throw TZDbError(message);
    }
    return sqlite3_changes(m_db);
}

void TZSqliteConnection::begin()
{
    execute(QStringLiteral("begin immediate"));
}

void TZSqliteConnection::commit()
{
    execute(QStringLiteral("commit"));
}

void TZSqliteConnection::rollback()
{
    if (inTransaction())
        execute(QStringLiteral("rollback"));
}

bool TZSqliteConnection::inTransaction() const
{
    return m_db && sqlite3_get_autocommit(m_db) == 0;
}

QStringList TZSqliteConnection::singleColumn(const QString &sql, const QString &argument)
{
    auto stmt = prepare(sql);
    stmt->bind(1, argument);
    QStringList values;
    while (stmt->step())
        values << stmt->value(0, ftZString).toString();
    return values;
}

bool TZSqliteConnection::tableExists(const QString &table)
{
    return !singleColumn(QStringLiteral("select name from main.sqlite_master where type in ('table', 'view') "
                                        "and name = ?1 collate nocase"),
                         table)
                .isEmpty();
}

QStringList TZSqliteConnection::tableColumns(const QString &table)
{
    return singleColumn(QStringLiteral("select name from pragma_table_info(?1) order by cid"), table);
}

QStringList TZSqliteConnection::keyColumns(const QString &table)
{
    // The answer holds until the schema changes (SQLite counts its changes).
    int schema = 0;
    {
        auto version = prepare(QStringLiteral("pragma schema_version"));
        if (version->step())
            schema = version->value(0, ftZInteger).toInt();
    }
    if (schema != m_keySchema) {
        m_keyColumns.clear();
        m_keySchema = schema;
    }
    const QString folded = table.toCaseFolded();
    const auto found = m_keyColumns.constFind(folded);
    if (found != m_keyColumns.constEnd())
        return found.value();
    const QStringList columns = singleColumn(QStringLiteral("select Column_Name from zInfoSchemaKeyColumnUsage "
                                                            "where Table_Name = ?1 order by Ordinal_Position"),
                                             table);
    m_keyColumns.insert(folded, columns);
    return columns;
}

QString TZSqliteConnection::oneRowCondition(const QString &table, const QString &condition) const
{
    return QStringLiteral("rowid = (select rowid from [%1] where %2 limit 1)").arg(table, condition);
}

std::unique_ptr<TZDbConnection> ZOpenDataFile(const QString &path, TDBType kind)
{
    return std::make_unique<TZSqliteConnection>(path, kind, false);
}

std::unique_ptr<TZDbConnection> ZCreateDataFile(const QString &path)
{
    return std::make_unique<TZSqliteConnection>(path, dtDbACCESS, true);
}
