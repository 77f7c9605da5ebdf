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

// Writes rows through prepared statements, one per shape of change: the
// statement text is built once for every combination of written and located
// columns and reused for all rows of that shape.
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
        QByteArray shape("D");
        locateShape(row, shape);
        Prepared &p = prepared(shape, [&] {
            Prepared made;
            made.sql = QStringLiteral("delete from %1 where %2").arg(bracket(m_store.baseTable), locate(row, made.params));
            return made;
        });
        run(p, row);
    }

    void update(const TZRowData &row)
    {
        QByteArray shape("U");
        bool any = false;
        for (int c : std::as_const(m_writable)) {
            const bool changed = !sameValue(row.values().at(c), row.original.at(c));
            shape += changed ? '1' : '0';
            any = any || changed;
        }
        if (!any)
            return;
        locateShape(row, shape);
        Prepared &p = prepared(shape, [&] {
            Prepared made;
            QStringList sets;
            for (int c : std::as_const(m_writable)) {
                if (!sameValue(row.values().at(c), row.original.at(c))) {
                    made.params << Param{c, false};
                    sets << QStringLiteral("%1 = ?%2").arg(bracket(m_store.columns.at(c).baseColumn)).arg(made.params.size());
                }
            }
            const QString where = locate(row, made.params);
            made.sql = QStringLiteral("update %1 set %2 where %3")
                           .arg(bracket(m_store.baseTable), sets.join(QStringLiteral(", ")), where);
            return made;
        });
        run(p, row);
    }

    void insert(const TZRowData &row)
    {
        // Only the columns that hold a value: the others keep the table's defaults.
        QByteArray shape("I");
        for (int c : std::as_const(m_writable))
            shape += row.values().at(c).isNull() ? '0' : '1';
        Prepared &p = prepared(shape, [&] {
            Prepared made;
            QStringList names;
            QStringList marks;
            for (int c : std::as_const(m_writable)) {
                if (row.values().at(c).isNull())
                    continue;
                made.params << Param{c, false};
                names << bracket(m_store.columns.at(c).baseColumn);
                marks << QStringLiteral("?%1").arg(made.params.size());
            }
            made.sql = names.isEmpty()
                ? QStringLiteral("insert into %1 default values").arg(bracket(m_store.baseTable))
                : QStringLiteral("insert into %1 (%2) values (%3)")
                      .arg(bracket(m_store.baseTable), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
            return made;
        });
        run(p, row);
    }

private:
    static constexpr int kRowIdParam = -1; // a parameter that takes the row's identity

    struct Param
    {
        int column;
        bool old; // the value as loaded, to find the row
    };
    struct Prepared
    {
        QString sql;
        QList<Param> params;
        std::unique_ptr<TZDbStatement> statement;
    };

    static bool sameValue(const QVariant &a, const QVariant &b)
    {
        if (a.isNull() || b.isNull())
            return a.isNull() == b.isNull();
        return a == b;
    }

    // The part of a shape that decides the locating condition: which original
    // values are null (they are compared with "is null").
    void locateShape(const TZRowData &row, QByteArray &shape) const
    {
        shape += '|';
        if (!m_keys.isEmpty())
            return;
        if (row.rowId != TZRowData::kNoRowId) {
            shape += 'r';
            return;
        }
        for (int c : m_writable)
            shape += row.oldValue(c).isNull() ? 'n' : 'v';
    }

    // The condition that finds the row as it was loaded.
    QString locate(const TZRowData &row, QList<Param> &params) const
    {
        QStringList parts;
        if (!m_keys.isEmpty()) {
            for (int c : m_keys) {
                params << Param{c, true};
                parts << QStringLiteral("%1 = ?%2").arg(bracket(m_store.columns.at(c).baseColumn)).arg(params.size());
            }
            return parts.join(QStringLiteral(" and "));
        }
        if (row.rowId != TZRowData::kNoRowId) {
            params << Param{kRowIdParam, true};
            return QStringLiteral("rowid = ?%1").arg(params.size());
        }
        // Exactly the stored values: texts compared byte for byte (text
        // columns ignore case otherwise), numbers without rounding.
        for (int c : m_writable) {
            const TZColumnInfo &column = m_store.columns.at(c);
            if (column.type == ftZBlob)
                continue;
            const QString name = bracket(column.baseColumn);
            if (row.oldValue(c).isNull()) {
                parts << name + QStringLiteral(" is null");
                continue;
            }
            params << Param{c, true};
            const int n = int(params.size());
            switch (column.type) {
            case ftZString:
            case ftZMemo:
                parts << QStringLiteral("%1 = ?%2 collate binary").arg(name).arg(n);
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

    template<typename Make>
    Prepared &prepared(const QByteArray &shape, Make make)
    {
        auto found = m_prepared.find(shape);
        if (found != m_prepared.end())
            return found->second;
        Prepared made = make();
        try {
            made.statement = m_db.prepare(made.sql);
        } catch (const TZDbError &e) {
            throw ZStatementError(e.message(), made.sql);
        }
        return m_prepared.emplace(shape, std::move(made)).first->second;
    }

    void run(Prepared &p, const TZRowData &row)
    {
        TZDbStatement &statement = *p.statement;
        statement.reset();
        for (int i = 0; i < p.params.size(); ++i) {
            const Param &param = p.params.at(i);
            if (param.column == kRowIdParam)
                statement.bind(i + 1, row.rowId);
            else
                statement.bind(i + 1, param.old ? row.oldValue(param.column) : row.values().at(param.column));
        }
        try {
            while (statement.step()) {
            }
        } catch (const TZDbError &e) {
            throw ZStatementError(e.message(), p.sql);
        }
        if (statement.changes() == 0)
            throw EZError(QStringLiteral("保存失败：要保存的记录已被修改或删除，请刷新后重试。\r\n执行语法：") + p.sql);
    }

    TZDbConnection &m_db;
    const TZRowStore &m_store;
    QList<int> m_writable;
    QList<int> m_keys;
    std::unordered_map<QByteArray, Prepared> m_prepared;
};

} // namespace

void TZClientDataSet::UpdateBatch()
{
    checkActive();
    CheckBrowseMode();
    FetchAll(); // the writes never run beside a statement still being read
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
