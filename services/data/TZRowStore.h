#pragma once

#include "data/ZFieldType.h"
#include "data/ZRawCells.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVector>

#include <limits>
#include <memory>
#include <vector>

class TZClientDataSet;
class TZDbConnection;
class TZRowLoader;

/// A column of a client dataset.
struct TZColumnInfo
{
    QString name;
    TZFieldType type = ftZString;
    int size = 0;
    QString baseTable;  ///< the table the column comes from; empty for an expression
    QString baseColumn; ///< its name in that table
};

/// One row of a client dataset with its change state. A loaded row keeps its
/// values as raw cells of a shared block until they are first read.
struct TZRowData : std::enable_shared_from_this<TZRowData>
{
    enum Status : quint8 { Unchanged, Inserted, Modified };

    const QVector<QVariant> &values() const
    {
        if (m_block)
            materialise();
        return m_values;
    }
    QVector<QVariant> &values()
    {
        if (m_block)
            materialise();
        return m_values;
    }
    QVector<QVariant> original; ///< the values as loaded; kept only once the row is modified
    Status status = Unchanged;
    /// SQLite's row identity in the base table when the rows came from one
    /// table (ZStatementWithRowId); kNoRowId otherwise and for new rows.
    qint64 rowId = kNoRowId;
    static constexpr qint64 kNoRowId = std::numeric_limits<qint64>::min();

    /// Makes the row's values those of row `index` of `block`, read when needed.
    void setRaw(TZRawBlockPtr block, int index)
    {
        m_block = std::move(block);
        m_blockRow = index;
    }

    const QVariant &oldValue(int column) const { return status == Modified ? original.at(column) : values().at(column); }

    /// The values without keeping them: a row still in its block is read
    /// anew (filters that look at every row leave the rows compact).
    QVector<QVariant> peekValues() const { return m_block ? m_block->values(m_blockRow) : m_values; }

private:
    void materialise() const;

    mutable QVector<QVariant> m_values;
    mutable TZRawBlockPtr m_block;
    int m_blockRow = 0;
};

using TZRowPtr = std::shared_ptr<TZRowData>;

/// The rows and columns a client dataset and its clones share, with the
/// pending deletions and what writing back needs.
struct TZRowStore
{
    QList<TZColumnInfo> columns;
    QHash<QString, int> columnIndex; ///< case-folded name → column
    std::vector<TZRowPtr> rows;      ///< live rows in their natural order
    std::vector<TZRowPtr> deleted;   ///< loaded rows deleted since, waiting to be written
    quint64 version = 0;             ///< raised on every change of rows or values

    TZDbConnection *connection = nullptr; ///< where UpdateBatch writes; not owned
    QString statement;                    ///< the statement the rows came from
    QString baseTable;                    ///< the first table of its from clause

    std::vector<TZClientDataSet *> cursors; ///< the datasets showing these rows
    /// The statement still being read in pieces; null once every row is read.
    std::shared_ptr<TZRowLoader> loader;

    void setColumns(const QList<TZColumnInfo> &newColumns);
    int indexOf(const QString &name) const;
};
