#include "TZRowStore.h"

void TZRowData::materialise() const
{
    m_values = m_block->values(m_blockRow);
    m_block.reset();
}

void TZRowStore::setColumns(const QList<TZColumnInfo> &newColumns)
{
    columns = newColumns;
    columnIndex.clear();
    for (int i = int(columns.size()) - 1; i >= 0; --i)
        columnIndex.insert(columns.at(i).name.toCaseFolded(), i); // the first of a name wins
}

int TZRowStore::indexOf(const QString &name) const
{
    return columnIndex.value(name.trimmed().toCaseFolded(), -1);
}
