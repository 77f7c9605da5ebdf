// The structure of a client dataset: opening rows (from a statement, from
// memory, from another dataset), closing, and its fields.

#include "TZClientDataSet.h"

#include "common/ZErrors.h"
#include "common/ZTrim.h"
#include "data/TZDataFilter.h"
#include "data/TZDbConnection.h"
#include "data/TZRowLoader.h"
#include "data/ZSqlTokens.h"

#include <algorithm>
#include <limits>

namespace {

int sizeOfDeclared(const QString &declared)
{
    const qsizetype open = declared.indexOf(QLatin1Char('('));
    const qsizetype close = declared.indexOf(QLatin1Char(')'), open + 1);
    if (open < 0 || close < 0)
        return 0;
    return declared.mid(open + 1, close - open - 1).split(QLatin1Char(',')).value(0).trimmed().toInt();
}

} // namespace

QString ZBaseTableOf(const QString &statement);

TZClientDataSet::TZClientDataSet() = default;

TZClientDataSet::~TZClientDataSet()
{
    // Views and editors bound to this dataset let go of it now.
    const auto listeners = std::move(m_listeners);
    for (const auto &[token, listener] : listeners)
        listener(TZRowEvent{TZRowEvent::Destroyed});
    detach();
}

void TZClientDataSet::checkActive() const
{
    if (m_state == dsInactive)
        throw EZError(QStringLiteral("数据集没有打开"));
}

void TZClientDataSet::detach()
{
    if (m_store) {
        auto &cursors = m_store->cursors;
        cursors.erase(std::remove(cursors.begin(), cursors.end(), this), cursors.end());
    }
}

TZClientDataSet::TResetScope::TResetScope(TZClientDataSet &dataSet) : m_dataSet(dataSet)
{
    m_dataSet.emitRow(TZRowEvent::AboutToReset);
}

TZClientDataSet::TResetScope::~TResetScope()
{
    try {
        m_dataSet.emitRow(TZRowEvent::Reset);
    } catch (...) { // listeners do not throw; a destructor must not either
    }
}

void TZClientDataSet::attach(std::shared_ptr<TZRowStore> store)
{
    // Views hear the end of the reset even when opening fails on the way (a
    // filter or sort field the new rows lack, an after-open handler).
    const TResetScope reset(*this);
    detach();
    m_store = std::move(store);
    m_store->cursors.push_back(this);
    rebuildFields();
    m_state = dsBrowse;
    m_buffer.clear();
    m_filter.reset();
    if (!m_filterText.isEmpty())
        m_filter = std::make_unique<TZDataFilter>(m_filterText, *m_store);
    m_sort = sortOf(m_indexFieldNames);
    m_currentRow = nullptr;
    rebuildView();
    setCurrent(m_view.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_view.empty();
    doAfterOpen();
}

void TZClientDataSet::rebuildFields()
{
    m_fields.clear();
    for (int i = 0; i < m_store->columns.size(); ++i)
        m_fields.push_back(std::make_unique<TZDataField>(this, i));
}

void TZClientDataSet::CreateDataSet(const QList<TZColumnInfo> &columns)
{
    Close();
    auto store = std::make_shared<TZRowStore>();
    store->setColumns(columns);
    attach(std::move(store));
}

QString ZBaseTableOf(const QString &statement)
{
    const QList<TZSqlToken> tokens = ZTokenizeSql(statement);
    int depth = 0;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const TZSqlToken &t = tokens.at(i);
        if (t.isSymbol("("))
            ++depth;
        else if (t.isSymbol(")"))
            --depth;
        else if (depth <= 0 && t.isWord("from")) {
            QString name;
            for (qsizetype k = i + 1; k < tokens.size(); ++k) {
                const TZSqlToken &n = tokens.at(k);
                if (n.kind == TZSqlToken::Space || n.isSymbol("("))
                    continue;
                if (n.kind != TZSqlToken::Word && n.kind != TZSqlToken::Quoted)
                    return {};
                name = n.name();
                // schema-qualified names: keep the last part
                while (k + 2 < tokens.size() && tokens.at(k + 1).isSymbol(".")) {
                    k += 2;
                    name = tokens.at(k).name();
                }
                return name;
            }
            return {};
        }
    }
    return {};
}

std::shared_ptr<TZRowStore> TZClientDataSet::newStore(TZDbStatement &statement, TZDbConnection *connection,
                                                      const QString &statementText, bool firstColumnIsRowId,
                                                      bool &hasRow)
{
    auto store = std::make_shared<TZRowStore>();
    store->connection = connection;
    store->statement = statementText;
    store->baseTable = ZBaseTableOf(statementText);

    const int first = firstColumnIsRowId ? 1 : 0; // the statement's column of field 0
    const int count = statement.columnCount() - first;
    // A column without a declared type takes its kind from the first row.
    hasRow = statement.step();
    QList<TZColumnInfo> columns;
    QSet<QString> seenOrigins;
    for (int f = 0; f < count; ++f) {
        const int c = f + first;
        TZColumnInfo column;
        column.name = statement.columnName(c);
        column.type = statement.columnKind(c);
        // The shape table's columns are named after their kinds; its time
        // column is declared as a date-time like the date column.
        if (statement.columnTable(c).compare(QLatin1String("comVirtual"), Qt::CaseInsensitive) == 0
            && IsZFieldTypeName(statement.columnOrigin(c)))
            column.type = StrToZFieldType(statement.columnOrigin(c));
        const QString declared = statement.columnDeclaredType(c);
        column.size = sizeOfDeclared(declared);
        if (column.size == 0 && (column.type == ftZString))
            column.size = declared.isEmpty() ? 0 : 255;
        const QString table = statement.columnTable(c);
        const QString origin = statement.columnOrigin(c);
        // A column belongs to the base table once: a second column of the same
        // origin comes from another alias of the table (a self-join).
        const QString originKey = origin.toCaseFolded();
        if (!origin.isEmpty() && table.compare(store->baseTable, Qt::CaseInsensitive) == 0
            && !seenOrigins.contains(originKey)) {
            column.baseTable = table;
            column.baseColumn = origin;
            seenOrigins.insert(originKey);
        }
        columns << column;
    }
    store->setColumns(columns);
    return store;
}

void TZClientDataSet::LoadFromStatement(TZDbStatement &statement, TZDbConnection *connection,
                                        const QString &statementText, bool firstColumnIsRowId)
{
    Close();
    bool hasRow = false;
    auto store = newStore(statement, connection, statementText, firstColumnIsRowId, hasRow);
    TZRowReader(statement, store->columns, firstColumnIsRowId, hasRow)
        .Read(store->rows, std::numeric_limits<int>::max(), {});
    attach(std::move(store));
}

void TZClientDataSet::LoadRows(const QList<TZColumnInfo> &columns, std::vector<TZRowPtr> rows,
                               std::vector<TZRowPtr> deleted, const QString &baseTable)
{
    Close();
    auto store = std::make_shared<TZRowStore>();
    store->setColumns(columns);
    store->rows = std::move(rows);
    store->deleted = std::move(deleted);
    store->baseTable = baseTable;
    attach(std::move(store));
}

void TZClientDataSet::CloneCursor(TZClientDataSet &source)
{
    source.checkActive();
    if (!ZIsBlank(m_indexFieldNames))
        source.FetchAll(); // a sorted view is of all the rows
    Close();
    attach(source.m_store);
}

void TZClientDataSet::Close()
{
    if (m_state == dsInactive)
        return;
    if (BeforeClose)
        BeforeClose(*this);
    const TResetScope reset(*this);
    detach();
    m_store.reset();
    m_fields.clear();
    m_view.clear();
    m_currentRow = nullptr;
    m_current = -1;
    m_bof = m_eof = true;
    m_buffer.clear();
    m_filter.reset();
    m_state = dsInactive;
}

TZDataField *TZClientDataSet::FindField(const QString &name)
{
    if (!m_store)
        return nullptr;
    const int index = m_store->indexOf(name);
    return index < 0 ? nullptr : m_fields.at(std::size_t(index)).get();
}

TZDataField &TZClientDataSet::FieldByName(const QString &name)
{
    TZDataField *field = FindField(name);
    if (!field)
        throw EZError(QStringLiteral("数据集中不存在字段 %1").arg(name));
    return *field;
}

QStringList TZClientDataSet::FieldNames() const
{
    QStringList names;
    if (m_store) {
        for (const TZColumnInfo &c : m_store->columns)
            names << c.name;
    }
    return names;
}
