// Editing the rows of a client dataset: the edit buffer, insert, edit,
// post, cancel and delete. Every change of the shared rows reaches every
// cursor's view (TZClientDataSetView.cpp).

#include "TZClientDataSet.h"

#include "common/ZErrors.h"

#include <algorithm>
#include <utility>

QVariant TZClientDataSet::currentValue(int column) const
{
    if (m_readRow && (m_readRow != m_currentRow || m_state != dsEdit))
        return m_readValues ? m_readValues->value(column) : m_readRow->values().value(column);
    if (m_state == dsEdit || m_state == dsInsert)
        return m_buffer.value(column);
    if (!m_store)
        return {};
    const_cast<TZClientDataSet *>(this)->ensureView();
    return m_currentRow ? m_currentRow->values().value(column) : QVariant();
}

QVariant TZClientDataSet::oldValue(int column) const
{
    if (m_readRow) {
        if (m_readValues && m_readRow->status != TZRowData::Modified)
            return m_readValues->value(column);
        return m_readRow->oldValue(column);
    }
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
    // Editors of the row show what a program (not only the user) put there.
    emitRow(TZRowEvent::FieldChanged, m_state == dsInsert ? -1 : m_current);
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
    FetchAll(); // changes are made to all the rows, never to rows still coming
    if (BeforeInsert)
        BeforeInsert(*this);
    ensureView();
    m_buffer = QVector<QVariant>(m_store->columns.size());
    m_insertAt = beforeCurrent && m_current >= 0 ? m_current : -1;
    m_state = dsInsert;
    m_bof = m_eof = false;
    doNewRecord();
    doAfterInsert();
    emitRow(TZRowEvent::CurrentChanged, m_insertAt);
}

void TZClientDataSet::Edit()
{
    checkActive();
    if (m_state == dsEdit || m_state == dsInsert)
        return;
    FetchAll();
    ensureView();
    if (!m_currentRow) {
        Append();
        return;
    }
    if (BeforeEdit)
        BeforeEdit(*this);
    m_buffer = m_currentRow->values();
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
        row->values() = m_buffer;
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
        m_state = dsBrowse;
        const int preferred = m_insertAt >= 0 ? m_insertAt : int(m_view.size());
        m_buffer.clear();
        m_insertAt = -1;
        int at = -1;
        forEachCursor([&](TZClientDataSet &cursor) {
            const int place = cursor.rowAdded(row.get());
            if (&cursor == this)
                at = place;
        });
        setCurrent(at >= 0 ? at : std::min(std::max(preferred, 0), int(m_view.size()) - 1));
    } else {
        TZRowData *row = m_currentRow;
        if (!row) {
            // The row being edited is gone (deleted through a clone): the
            // edit has nothing to go to.
            Cancel();
            throw EZError(QStringLiteral("正在编辑的记录已不存在，修改没有保存"));
        }
        QVector<QVariant> values = std::move(m_buffer);
        m_buffer.clear();
        m_state = dsBrowse;
        if (row->values() != values) {
            if (row->status == TZRowData::Unchanged) {
                row->original = row->values();
                row->status = TZRowData::Modified;
            }
            QVector<QVariant> before = std::exchange(row->values(), std::move(values));
            ++m_store->version;
            forEachCursor([&](TZClientDataSet &cursor) { cursor.rowEdited(row, before); });
        }
    }
    doAfterPost();
    emitRow(TZRowEvent::CurrentChanged, m_current);
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
    emitRow(TZRowEvent::CurrentChanged, m_current);
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
    FetchAll();
    ensureView();
    if (!m_currentRow)
        throw EZError(QStringLiteral("数据集为空，没有可删除的记录"));
    if (BeforeDelete)
        BeforeDelete(*this);
    TZRowData *row = m_currentRow;
    auto &rows = m_store->rows;
    const auto it = std::find_if(rows.begin(), rows.end(), [row](const TZRowPtr &r) { return r.get() == row; });
    TZRowPtr held = it != rows.end() ? *it : sharedRow(row); // alive until every cursor let go
    if (it != rows.end()) {
        rows.erase(it);
        if (held->status != TZRowData::Inserted)
            m_store->deleted.push_back(held);
    }
    ++m_store->version;
    forEachCursor([&](TZClientDataSet &cursor) { cursor.rowRemoved(row); });
    m_bof = m_current <= 0;
    m_eof = m_view.empty();
    doAfterDelete();
    if (AfterScroll)
        AfterScroll(*this);
    emitRow(TZRowEvent::CurrentChanged, m_current);
}

void TZClientDataSet::CheckBrowseMode()
{
    if (m_state == dsEdit || m_state == dsInsert)
        Post();
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
