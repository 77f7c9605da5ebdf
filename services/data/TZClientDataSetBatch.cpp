// Writing the pending changes of a client dataset back to its base table.

#include "TZClientDataSet.h"

#include "common/ZErrors.h"
#include "data/TZDbConnection.h"

#include <QHash>

namespace {

QString bracket(const QString &name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

class BatchWriter
{
public:
    BatchWriter(TZDbConnection &connection, const TZRowStore &store) : m_db(connection), m_store(store)
    {
        for (int c = 0; c < store.columns.size(); ++c) {
            if (!store.columns.at(c).baseColumn.isEmpty())
                m_writable << c;
        }
        if (m_writable.isEmpty())
            throw EZError(QStringLiteral("数据集没有可以保存的数据表：%1").arg(store.baseTable));
        // The key columns, when the dataset holds all of them.
        for (const QString &key : m_db.keyColumns(store.baseTable)) {
            int found = -1;
            for (int c : std::as_const(m_writable)) {
                if (store.columns.at(c).baseColumn.compare(key, Qt::CaseInsensitive) == 0)
                    found = c;
            }
            if (found < 0) {
                m_keys.clear();
                break;
            }
            m_keys << found;
        }
    }

    void remove(const TZRowData &row)
    {
        QVariantList params;
        const QString where = locate(row, params);
        run(QStringLiteral("delete from %1 where %2").arg(bracket(m_store.baseTable), where), params);
    }

    void update(const TZRowData &row)
    {
        QStringList sets;
        QVariantList params;
        for (int c : std::as_const(m_writable)) {
            if (!sameValue(row.values.at(c), row.original.at(c))) {
                params << row.values.at(c);
                sets << QStringLiteral("%1 = ?%2").arg(bracket(m_store.columns.at(c).baseColumn)).arg(params.size());
            }
        }
        if (sets.isEmpty())
            return;
        const QString where = locate(row, params);
        run(QStringLiteral("update %1 set %2 where %3")
                .arg(bracket(m_store.baseTable), sets.join(QStringLiteral(", ")), where),
            params);
    }

    void insert(const TZRowData &row)
    {
        // Only the columns that hold a value: the others keep the table's defaults.
        QStringList names;
        QStringList marks;
        QVariantList params;
        for (int c : std::as_const(m_writable)) {
            if (row.values.at(c).isNull())
                continue;
            params << row.values.at(c);
            names << bracket(m_store.columns.at(c).baseColumn);
            marks << QStringLiteral("?%1").arg(params.size());
        }
        QString sql;
        if (names.isEmpty())
            sql = QStringLiteral("insert into %1 default values").arg(bracket(m_store.baseTable));
        else
            sql = QStringLiteral("insert into %1 (%2) values (%3)")
                      .arg(bracket(m_store.baseTable), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        run(sql, params);
    }

private:
    static bool sameValue(const QVariant &a, const QVariant &b)
    {
        if (a.isNull() || b.isNull())
            return a.isNull() == b.isNull();
        return a == b;
    }

    // The condition that finds the row as it was loaded.
    QString locate(const TZRowData &row, QVariantList &params) const
    {
        QStringList parts;
        if (!m_keys.isEmpty()) {
            for (int c : m_keys) {
                params << row.oldValue(c);
                parts << QStringLiteral("%1 = ?%2").arg(bracket(m_store.columns.at(c).baseColumn)).arg(params.size());
            }
            return parts.join(QStringLiteral(" and "));
        }
        for (int c : m_writable) {
            const TZColumnInfo &column = m_store.columns.at(c);
            if (column.type == ftZBlob)
                continue;
            const QVariant old = row.oldValue(c);
            const QString name = bracket(column.baseColumn);
            if (old.isNull()) {
                parts << name + QStringLiteral(" is null");
                continue;
            }
            params << old;
            const int n = int(params.size());
            switch (column.type) {
            case ftZFloat:
            case ftZCurrency:
                parts << QStringLiteral("round(%1, 4) = round(?%2, 4)").arg(name).arg(n);
                break;
            case ftZDate:
            case ftZTime:
                parts << QStringLiteral("ZDateText(%1) = ZDateText(?%2)").arg(name).arg(n);
                break;
            default:
                parts << QStringLiteral("%1 = ?%2").arg(name).arg(n);
                break;
            }
        }
        return m_db.oneRowCondition(m_store.baseTable, parts.join(QStringLiteral(" and ")));
    }

    void run(const QString &sql, const QVariantList &params)
    {
        auto found = m_statements.find(sql);
        if (found == m_statements.end()) {
            try {
                found = m_statements.emplace(sql, m_db.prepare(sql)).first;
            } catch (const TZDbError &e) {
                throw ZStatementError(e.message(), sql);
            }
        }
        TZDbStatement &statement = *found->second;
        statement.reset();
        for (int i = 0; i < params.size(); ++i)
            statement.bind(i + 1, params.at(i));
        try {
            while (statement.step()) {}
        } catch (const TZDbError &e) {
            throw ZStatementError(e.message(), sql);
        }
        if (statement.changes() == 0)
            throw EZError(QStringLiteral("保存失败：要保存的记录已被修改或删除，请刷新后重试。\r\n执行语法：") + sql);
    }

    TZDbConnection &m_db;
    const TZRowStore &m_store;
    QList<int> m_writable;
    QList<int> m_keys;
    std::unordered_map<QString, std::unique_ptr<TZDbStatement>> m_statements;
};

} // namespace

void TZClientDataSet::UpdateBatch()
{
    checkActive();
    CheckBrowseMode();
    if (ChangeCount() == 0)
        return;
    TZDbConnection *db = m_store->connection;
    if (!db || m_store->baseTable.isEmpty())
        throw EZError(QStringLiteral("数据集没有可以保存的数据表"));
    const bool ownTransaction = !db->inTransaction();
    if (ownTransaction)
        db->begin();
    try {
        BatchWriter writer(*db, *m_store);
        for (const TZRowPtr &row : m_store->deleted)
            writer.remove(*row);
        for (const TZRowPtr &row : m_store->rows) {
            if (row->status == TZRowData::Modified)
                writer.update(*row);
        }
        for (const TZRowPtr &row : m_store->rows) {
            if (row->status == TZRowData::Inserted)
                writer.insert(*row);
        }
        if (ownTransaction)
            db->commit();
    } catch (...) {
        if (ownTransaction)
            db->rollback();
        throw;
    }
    for (const TZRowPtr &row : m_store->rows) {
        row->status = TZRowData::Unchanged;
        row->original.clear();
    }
    m_store->deleted.clear();
}
