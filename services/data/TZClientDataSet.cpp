#include "TZClientDataSet.h"

#include "common/ZErrors.h"
#include "common/ZTrim.h"
#include "data/TZDataFilter.h"
#include "data/TZDbConnection.h"
#include "data/ZSqlTokens.h"

#include <algorithm>

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

QStringList ZFieldNameList(const QString &fields)
{
    QString t = fields;
    t.replace(QLatin1Char(','), QLatin1Char(';'));
    QStringList names;
    for (const QString &part : t.split(QLatin1Char(';'))) {
        const QString name = ZTrim(part);
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

int ZCompareValues(const QVariant &a, const QVariant &b, TZFieldType kind, bool caseInsensitive)
{
    const bool aNull = a.isNull() || !a.isValid();
    const bool bNull = b.isNull() || !b.isValid();
    if (aNull || bNull)
        return aNull == bNull ? 0 : (aNull ? -1 : 1);
    const auto order = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (kind) {
    case ftZInteger:
    case ftZSmallint:
        return order(a.toLongLong(), b.toLongLong());
    case ftZBoolean:
        return order(a.toBool(), b.toBool());
    case ftZFloat:
        return order(a.toDouble(), b.toDouble());
    case ftZCurrency:
        if (a.typeId() == qMetaTypeId<Currency>() && b.typeId() == qMetaTypeId<Currency>())
            return order(a.value<Currency>().raw(), b.value<Currency>().raw());
        return order(ZValueOfKind(a, kind).value<Currency>().raw(), ZValueOfKind(b, kind).value<Currency>().raw());
    case ftZDate:
    case ftZTime:
        return order(a.toDateTime(), b.toDateTime());
    case ftZBlob:
        return order(a.toByteArray(), b.toByteArray());
    case ftZString:
    case ftZMemo:
        break;
    }
    const int c = a.toString().compare(b.toString(), caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

TZClientDataSet::TZClientDataSet() = default;

TZClientDataSet::~TZClientDataSet()
{
    if (m_store) {
        auto &cursors = m_store->cursors;
        cursors.erase(std::remove(cursors.begin(), cursors.end(), this), cursors.end());
    }
}

void TZClientDataSet::checkActive() const
{
    if (m_state == dsInactive)
        throw EZError(QStringLiteral("数据集没有打开"));
}

void TZClientDataSet::attach(std::shared_ptr<TZRowStore> store)
{
    if (m_store) {
        auto &cursors = m_store->cursors;
        cursors.erase(std::remove(cursors.begin(), cursors.end(), this), cursors.end());
    }
    m_store = std::move(store);
    m_store->cursors.push_back(this);
    rebuildFields();
    m_state = dsBrowse;
    m_buffer.clear();
    m_filter.reset();
    if (!m_filterText.isEmpty())
        m_filter = std::make_unique<TZDataFilter>(m_filterText, *m_store);
    SetIndexFieldNames(m_indexFieldNames);
    m_viewVersion = ~quint64(0);
    m_currentRow = nullptr;
    ensureView();
    setCurrent(m_view.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_view.empty();
    doAfterOpen();
    fireDataChanged();
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

void TZClientDataSet::LoadFromStatement(TZDbStatement &statement, TZDbConnection *connection,
                                        const QString &statementText, bool firstColumnIsRowId)
{
    Close();
    auto store = std::make_shared<TZRowStore>();
    store->connection = connection;
    store->statement = statementText;
    store->baseTable = ZBaseTableOf(statementText);

    const int first = firstColumnIsRowId ? 1 : 0; // the statement's column of field 0
    const int count = statement.columnCount() - first;
    const bool hasRow = statement.step();
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

    if (hasRow) {
        QVector<TZFieldType> kinds(count);
        for (int f = 0; f < count; ++f)
            kinds[f] = columns.at(f).type;
        do {
            auto row = std::make_shared<TZRowData>();
            row->values = QVector<QVariant>(count);
            for (int f = 0; f < count; ++f)
                row->values[f] = statement.value(f + first, kinds[f]);
            if (firstColumnIsRowId)
                row->rowId = statement.value(0, ftZInteger).toLongLong();
            store->rows.push_back(std::move(row));
        } while (statement.step());
    }
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
    Close();
    attach(source.m_store);
}

void TZClientDataSet::Close()
{
    if (m_state == dsInactive)
        return;
    if (BeforeClose)
        BeforeClose(*this);
    if (m_store) {
        auto &cursors = m_store->cursors;
        cursors.erase(std::remove(cursors.begin(), cursors.end(), this), cursors.end());
    }
    m_store.reset();
    m_fields.clear();
    m_view.clear();
    m_currentRow = nullptr;
    m_current = -1;
    m_bof = m_eof = true;
    m_buffer.clear();
    m_filter.reset();
    m_state = dsInactive;
    fireDataChanged();
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

// --- view ---

bool TZClientDataSet::passesFilter(const TZRowData &row) const
{
    return !m_filtered || !m_filter || m_filter->matches(row);
}

bool TZClientDataSet::lessBySort(const TZRowData *a, const TZRowData *b) const
{
    for (const auto &[column, descending] : m_sort) {
        const int c = ZCompareValues(a->values.at(column), b->values.at(column), m_store->columns.at(column).type);
        if (c != 0)
            return descending ? c > 0 : c < 0;
    }
    return false;
}

void TZClientDataSet::ensureView()
{
    if (m_store && m_viewVersion != m_store->version)
        rebuildView();
}

void TZClientDataSet::rebuildView()
{
    m_view.clear();
    m_view.reserve(m_store->rows.size());
    for (const TZRowPtr &row : m_store->rows) {
        if (passesFilter(*row))
            m_view.push_back(row.get());
    }
    if (!m_sort.isEmpty())
        std::stable_sort(m_view.begin(), m_view.end(),
                         [this](const TZRowData *a, const TZRowData *b) { return lessBySort(a, b); });
    m_viewVersion = m_store->version;
    // Stay on the same row when it is still there.
    int index = -1;
    if (m_currentRow) {
        const auto found = std::find(m_view.begin(), m_view.end(), m_currentRow);
        if (found != m_view.end())
            index = int(found - m_view.begin());
        else
            index = std::min(m_current, int(m_view.size()) - 1);
    }
    if (index < 0 && !m_view.empty())
        index = 0;
    setCurrent(index);
}

void TZClientDataSet::setCurrent(int index)
{
    m_current = index;
    m_currentRow = index >= 0 && index < int(m_view.size()) ? m_view.at(std::size_t(index)) : nullptr;
    if (!m_currentRow)
        m_current = -1;
}

const std::vector<TZRowData *> &TZClientDataSet::visibleRows()
{
    ensureView();
    return m_view;
}

int TZClientDataSet::currentIndex()
{
    ensureView();
    return m_current;
}

void TZClientDataSet::placeInView(TZRowData *row, int preferredIndex)
{
    if (!passesFilter(*row)) {
        setCurrent(std::min(std::max(preferredIndex, 0), int(m_view.size()) - 1));
        return;
    }
    std::vector<TZRowData *>::iterator at;
    if (!m_sort.isEmpty()) {
        at = std::upper_bound(m_view.begin(), m_view.end(), row,
                              [this](const TZRowData *a, const TZRowData *b) { return lessBySort(a, b); });
    } else if (preferredIndex >= 0 && preferredIndex <= int(m_view.size())) {
        at = m_view.begin() + preferredIndex;
    } else {
        at = m_view.end();
    }
    at = m_view.insert(at, row);
    setCurrent(int(at - m_view.begin()));
}

TZRowPtr TZClientDataSet::sharedRow(const TZRowData *row) const
{
    return row ? const_cast<TZRowData *>(row)->shared_from_this() : TZRowPtr();
}

void TZClientDataSet::notifyDataChanged()
{
    if (!m_store)
        return;
    // A handler may open or close clones; walk a copy when there are several.
    if (m_store->cursors.size() == 1) {
        if (m_controlsDisabled > 0)
            m_changedWhileDisabled = true;
        else
            fireDataChanged();
        return;
    }
    const std::vector<TZClientDataSet *> cursors = m_store->cursors;
    for (TZClientDataSet *cursor : cursors) {
        if (cursor->m_controlsDisabled > 0)
            cursor->m_changedWhileDisabled = true;
        else
            cursor->fireDataChanged();
    }
}

void TZClientDataSet::fireDataChanged()
{
    if (m_listeners.empty())
        return;
    const auto listeners = m_listeners;
    for (const auto &[token, listener] : listeners)
        listener();
}

int TZClientDataSet::AddDataChangedListener(std::function<void()> listener)
{
    m_listeners.emplace_back(m_nextListener, std::move(listener));
    return m_nextListener++;
}

void TZClientDataSet::RemoveDataChangedListener(int token)
{
    m_listeners.erase(std::remove_if(m_listeners.begin(), m_listeners.end(),
                                     [token](const auto &entry) { return entry.first == token; }),
                      m_listeners.end());
}

void TZClientDataSet::EnableControls()
{
    if (m_controlsDisabled > 0 && --m_controlsDisabled == 0 && m_changedWhileDisabled) {
        m_changedWhileDisabled = false;
        fireDataChanged();
    }
}

// --- navigation ---

int TZClientDataSet::RecordCount()
{
    if (!Active())
        return 0;
    ensureView();
    return int(m_view.size());
}

int TZClientDataSet::RecNo()
{
    if (!Active())
        return 0;
    if (m_state == dsInsert)
        return m_insertAt >= 0 ? m_insertAt + 1 : int(m_view.size()) + 1;
    ensureView();
    return m_current + 1;
}

void TZClientDataSet::scrollTo(int index)
{
    if (BeforeScroll)
        BeforeScroll(*this);
    setCurrent(index);
    if (AfterScroll)
        AfterScroll(*this);
}

void TZClientDataSet::SetRecNo(int recNo)
{
    checkActive();
    CheckBrowseMode();
    ensureView();
    if (recNo >= 1 && recNo <= int(m_view.size())) {
        scrollTo(recNo - 1);
        m_bof = m_eof = false;
    }
}

void TZClientDataSet::First()
{
    checkActive();
    CheckBrowseMode();
    ensureView();
    scrollTo(m_view.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_view.empty();
}

void TZClientDataSet::Last()
{
    checkActive();
    CheckBrowseMode();
    ensureView();
    scrollTo(int(m_view.size()) - 1);
    m_eof = true;
    m_bof = m_view.empty();
}

void TZClientDataSet::Next()
{
    MoveBy(1);
}

void TZClientDataSet::Prior()
{
    MoveBy(-1);
}

void TZClientDataSet::MoveBy(int distance)
{
    checkActive();
    CheckBrowseMode();
    ensureView();
    if (m_view.empty()) {
        m_bof = m_eof = true;
        return;
    }
    const int target = m_current + distance;
    m_bof = m_eof = false;
    if (target >= int(m_view.size())) {
        if (m_current != int(m_view.size()) - 1)
            scrollTo(int(m_view.size()) - 1);
        m_eof = true;
    } else if (target < 0) {
        if (m_current != 0)
            scrollTo(0);
        m_bof = true;
    } else if (target != m_current) {
        scrollTo(target);
    }
}

bool TZClientDataSet::IsEmpty()
{
    return RecordCount() == 0;
}

bool TZClientDataSet::Locate(const QString &fieldNames, const QVariantList &values, bool caseInsensitive, bool partial)
{
    checkActive();
    CheckBrowseMode();
    const QStringList names = ZFieldNameList(fieldNames);
    QList<int> columns;
    for (const QString &name : names)
        columns << FieldByName(name).Index();
    QVariantList wanted;
    for (int i = 0; i < columns.size(); ++i)
        wanted << ZValueOfKind(values.value(i), m_store->columns.at(columns.at(i)).type);
    ensureView();
    for (int r = 0; r < int(m_view.size()); ++r) {
        const TZRowData *row = m_view.at(std::size_t(r));
        bool all = true;
        for (int i = 0; i < columns.size() && all; ++i) {
            const int c = columns.at(i);
            const TZFieldType kind = m_store->columns.at(c).type;
            const QVariant &v = row->values.at(c);
            if ((kind == ftZString || kind == ftZMemo) && partial && !v.isNull() && !wanted.at(i).isNull())
                all = v.toString().startsWith(wanted.at(i).toString(),
                                              caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
            else
                all = ZCompareValues(v, wanted.at(i), kind, caseInsensitive) == 0;
        }
        if (all) {
            scrollTo(r);
            m_bof = m_eof = false;
            return true;
        }
    }
    return false;
}

TZBookmark TZClientDataSet::GetBookmark()
{
    ensureView();
    return sharedRow(m_currentRow);
}

bool TZClientDataSet::GotoBookmark(const TZBookmark &bookmark)
{
    checkActive();
    CheckBrowseMode();
    const TZRowPtr row = bookmark.lock();
    if (!row)
        return false;
    ensureView();
    const auto found = std::find(m_view.begin(), m_view.end(), row.get());
    if (found == m_view.end())
        return false;
    scrollTo(int(found - m_view.begin()));
    m_bof = m_eof = false;
    return true;
}

// --- editing ---

QVariant TZClientDataSet::currentValue(int column) const
{
    if (m_state == dsEdit || m_state == dsInsert)
        return m_buffer.value(column);
    if (m_store && m_viewVersion == m_store->version && m_currentRow)
        return m_currentRow->values.value(column);
    if (!m_store)
        return {};
    const_cast<TZClientDataSet *>(this)->ensureView();
    return m_currentRow ? m_currentRow->values.value(column) : QVariant();
}

QVariant TZClientDataSet::oldValue(int column) const
{
    if (m_state == dsInsert || !m_currentRow)
        return {};
    return m_currentRow->oldValue(column);
}

void TZClientDataSet::setCurrentValue(TZDataField &field, const QVariant &value)
{
    if (m_state != dsEdit && m_state != dsInsert)
        throw EZError(QStringLiteral("数据集不在编辑状态，不能修改字段 %1").arg(field.FieldName()));
    // Handlers run from copies: a handler may replace or suspend itself.
    if (field.OnValidate) {
        const auto validate = field.OnValidate;
        validate(field, value);
    }
    m_buffer[field.Index()] = value;
    if (field.OnChange) {
        const auto change = field.OnChange;
        change(field);
    }
}

void TZClientDataSet::Append()
{
    beginInsert(false);
}

void TZClientDataSet::Insert()
{
    beginInsert(true);
}

void TZClientDataSet::beginInsert(bool beforeCurrent)
{
    checkActive();
    CheckBrowseMode();
    if (BeforeInsert)
        BeforeInsert(*this);
    ensureView();
    m_buffer = QVector<QVariant>(m_store->columns.size());
    m_insertAt = beforeCurrent && m_current >= 0 ? m_current : -1;
    m_state = dsInsert;
    m_bof = m_eof = false;
    doNewRecord();
    doAfterInsert();
}

void TZClientDataSet::Edit()
{
    checkActive();
    if (m_state == dsEdit || m_state == dsInsert)
        return;
    ensureView();
    if (!m_currentRow) {
        Append();
        return;
    }
    if (BeforeEdit)
        BeforeEdit(*this);
    m_buffer = m_currentRow->values;
    m_state = dsEdit;
    if (AfterEdit)
        AfterEdit(*this);
}

void TZClientDataSet::Post()
{
    checkActive();
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    if (BeforePost)
        BeforePost(*this);
    for (const auto &field : m_fields) {
        if (field->Required && (m_buffer.at(field->Index()).isNull()))
            throw EZError(QStringLiteral("字段 %1 必须有值")
                              .arg(field->DisplayLabel.isEmpty() ? field->FieldName() : field->DisplayLabel));
    }
    ensureView();
    if (m_state == dsInsert) {
        auto row = std::make_shared<TZRowData>();
        row->values = m_buffer;
        row->status = TZRowData::Inserted;
        auto &rows = m_store->rows;
        auto position = rows.end();
        if (m_insertAt >= 0 && m_insertAt < int(m_view.size())) {
            TZRowData *before = m_view.at(std::size_t(m_insertAt));
            position =
                std::find_if(rows.begin(), rows.end(), [before](const TZRowPtr &r) { return r.get() == before; });
        }
        rows.insert(position, row);
        ++m_store->version;
        placeInView(row.get(), m_insertAt >= 0 ? m_insertAt : int(m_view.size()));
    } else {
        TZRowData *row = m_currentRow;
        if (row->values != m_buffer) {
            if (row->status == TZRowData::Unchanged) {
                row->original = row->values;
                row->status = TZRowData::Modified;
            }
            QVector<QVariant> before = row->values;
            row->values = m_buffer;
            ++m_store->version;
            // A row keeps its place unless its sort keys changed or it left the filter.
            bool keysChanged = false;
            for (const auto &[column, descending] : std::as_const(m_sort))
                keysChanged = keysChanged || !(before.at(column) == row->values.at(column));
            if (keysChanged || !passesFilter(*row)) {
                const int was = m_current;
                m_view.erase(m_view.begin() + was);
                placeInView(row, was);
            }
        }
    }
    m_viewVersion = m_store->version;
    m_state = dsBrowse;
    m_buffer.clear();
    m_insertAt = -1;
    notifyDataChanged();
    doAfterPost();
}

void TZClientDataSet::Cancel()
{
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    if (BeforeCancel)
        BeforeCancel(*this);
    m_state = dsBrowse;
    m_buffer.clear();
    m_insertAt = -1;
    ensureView();
    m_eof = m_view.empty();
    if (AfterCancel)
        AfterCancel(*this);
}

void TZClientDataSet::Delete()
{
    checkActive();
    if (m_state == dsInsert) {
        Cancel();
        return;
    }
    if (m_state == dsEdit)
        Cancel();
    ensureView();
    if (!m_currentRow)
        throw EZError(QStringLiteral("数据集为空，没有可删除的记录"));
    if (BeforeDelete)
        BeforeDelete(*this);
    TZRowData *row = m_currentRow;
    auto &rows = m_store->rows;
    const auto it = std::find_if(rows.begin(), rows.end(), [row](const TZRowPtr &r) { return r.get() == row; });
    if (it != rows.end()) {
        TZRowPtr held = *it;
        rows.erase(it);
        if (held->status != TZRowData::Inserted)
            m_store->deleted.push_back(held);
    }
    ++m_store->version;
    const int was = m_current;
    m_view.erase(m_view.begin() + was);
    m_viewVersion = m_store->version;
    setCurrent(std::min(was, int(m_view.size()) - 1));
    m_bof = m_current <= 0;
    m_eof = m_view.empty();
    notifyDataChanged();
    doAfterDelete();
    if (AfterScroll)
        AfterScroll(*this);
}

void TZClientDataSet::CheckBrowseMode()
{
    if (m_state == dsEdit || m_state == dsInsert)
        Post();
}

// --- filter and sort ---

void TZClientDataSet::SetFilter(const QString &filter)
{
    std::unique_ptr<TZDataFilter> compiled;
    if (m_store && !ZIsBlank(filter))
        compiled = std::make_unique<TZDataFilter>(filter, *m_store);
    m_filterText = ZIsBlank(filter) ? QString() : filter;
    m_filter = std::move(compiled);
    m_viewVersion = ~quint64(0);
}

void TZClientDataSet::SetFiltered(bool filtered)
{
    if (m_filtered == filtered)
        return;
    CheckBrowseMode();
    m_filtered = filtered;
    m_viewVersion = ~quint64(0);
    if (m_store) {
        ensureView();
        setCurrent(m_view.empty() ? -1 : 0);
        m_bof = true;
        m_eof = m_view.empty();
    }
}

void TZClientDataSet::SetIndexFieldNames(const QString &fields)
{
    QList<QPair<int, bool>> sort;
    if (m_store) {
        for (const QString &item : ZFieldNameList(fields)) {
            QStringList words = item.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            bool descending = false;
            if (words.size() > 1
                && (words.last().compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0
                    || words.last().compare(QLatin1String("asc"), Qt::CaseInsensitive) == 0)) {
                descending = words.takeLast().compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0;
            }
            sort << qMakePair(FieldByName(words.join(QLatin1Char(' '))).Index(), descending);
        }
    }
    m_indexFieldNames = fields;
    m_sort = sort;
    m_viewVersion = ~quint64(0);
}

// --- changes ---

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
    Cancel();
    auto &rows = m_store->rows;
    rows.erase(
        std::remove_if(rows.begin(), rows.end(), [](const TZRowPtr &r) { return r->status == TZRowData::Inserted; }),
        rows.end());
    for (const TZRowPtr &row : rows) {
        if (row->status == TZRowData::Modified) {
            row->values = row->original;
            row->original.clear();
            row->status = TZRowData::Unchanged;
        }
    }
    for (const TZRowPtr &row : m_store->deleted) {
        if (row->status == TZRowData::Modified) {
            row->values = row->original;
            row->original.clear();
            row->status = TZRowData::Unchanged;
        }
        rows.push_back(row);
    }
    m_store->deleted.clear();
    ++m_store->version;
    ensureView();
    notifyDataChanged();
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

void TZClientDataSet::doAfterOpen()
{
    if (AfterOpen)
        AfterOpen(*this);
}

void TZClientDataSet::doNewRecord()
{
    if (OnNewRecord)
        OnNewRecord(*this);
}

void TZClientDataSet::doAfterInsert()
{
    if (AfterInsert)
        AfterInsert(*this);
}

void TZClientDataSet::doAfterPost()
{
    if (AfterPost)
        AfterPost(*this);
}

void TZClientDataSet::doAfterDelete()
{
    if (AfterDelete)
        AfterDelete(*this);
}
