#pragma once

#include "data/ZFieldType.h"

#include <QVariant>

#include <algorithm>
#include <memory>
#include <vector>

/// A value as the engine hands it over, before it becomes a QVariant: what
/// a column read as a kind needs of the engine's value. Bytes point into the
/// engine's row or into a block's arena.
struct TZRawValue
{
    enum Type : quint8 { Null, Integer, Float, Text, Blob, Variant };

    Type type = Null;
    qint64 integer = 0;
    double real = 0;
    const char *bytes = nullptr;
    qsizetype length = 0;
};

/// The value of a raw value read as `kind`; the one conversion both reading a
/// row directly and materialising a loaded row go through.
QVariant ZRawToVariant(const TZRawValue &raw, TZFieldType kind);

/// Loaded rows kept compact until they are read: 16 bytes a cell, texts and
/// blobs as bytes in the block's arena. Rows of a load share blocks of about
/// kCells cells; a row turns its cells into values on first read. A block's
/// cells stay below the size glibc serves by mapping fresh pages, so that
/// opening again reuses the heap freed by the last open.
class TZRawBlock
{
public:
    static constexpr int kCells = 4096;

    explicit TZRawBlock(std::vector<TZFieldType> kinds);

    int columnCount() const { return int(m_kinds.size()); }
    TZFieldType kind(int column) const { return m_kinds[std::size_t(column)]; }
    int rowCount() const { return m_rows; }
    /// The rows a block of `columns` columns holds.
    static int capacity(int columns) { return columns > 0 ? std::max(1, kCells / columns) : kCells; }
    bool full() const { return m_rows >= capacity(columnCount()); }
    void reserve(std::size_t cells, std::size_t arenaBytes);
    std::size_t arenaSize() const { return m_arena.size(); }

    /// Starts a new row; its cells follow with append, one per column.
    int beginRow() { return m_rows++; }
    void append(const TZRawValue &raw);
    /// A cell only the generic path can give (a statement of another engine).
    void appendVariant(const QVariant &value);

    /// The values of row `row`, read as the columns' kinds.
    QVector<QVariant> values(int row) const;

private:
    struct Cell
    {
        union {
            qint64 integer;
            double real;
            struct
            {
                quint32 offset;
                quint32 length;
            } text;
        };
        TZRawValue::Type type;
    };
    static_assert(sizeof(Cell) == 16);

    std::vector<TZFieldType> m_kinds;
    std::vector<Cell> m_cells;
    std::vector<char> m_arena;
    std::vector<QVariant> m_variants;
    int m_rows = 0;
};

using TZRawBlockPtr = std::shared_ptr<TZRawBlock>;
