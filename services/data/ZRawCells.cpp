#include "ZRawCells.h"

#include "common/Currency.h"
#include "data/ZDbValues.h"

#include <QByteArray>
#include <QDateTime>

#include <cmath>
#include <cstring>
#include <limits>

QVariant ZRawToVariant(const TZRawValue &raw, TZFieldType kind)
{
    switch (raw.type) {
    case TZRawValue::Null:
        return {};
    case TZRawValue::Variant: // only blocks hold these
        return {};
    default:
        break;
    }
    switch (kind) {
    case ftZString:
    case ftZMemo:
        if (raw.type == TZRawValue::Text || raw.type == TZRawValue::Blob)
            return QString::fromUtf8(raw.bytes, raw.length);
        if (raw.type == TZRawValue::Integer)
            return QString::number(raw.integer);
        return QString::number(raw.real, 'g', 15);
    case ftZInteger:
    case ftZSmallint:
        if (raw.integer >= std::numeric_limits<int>::min() && raw.integer <= std::numeric_limits<int>::max())
            return int(raw.integer);
        return raw.integer;
    case ftZBoolean:
        return raw.integer != 0;
    case ftZFloat:
        return raw.real;
    case ftZCurrency: {
        // Money is stored as a double; read back rounded to four decimals.
        const double v = raw.real * Currency::Scale;
        if (!std::isfinite(v) || std::fabs(v) > 9.2e18)
            return {};
        return QVariant::fromValue(Currency::fromRaw(std::llround(v)));
    }
    case ftZDate:
    case ftZTime: {
        QDateTime moment;
        if (raw.type == TZRawValue::Float) {
            moment = ZNumberToDateTime(raw.real);
        } else {
            moment = ZDbUtf8ToDateTime(raw.bytes, int(raw.length));
            if (!moment.isValid()) // a number kept as text
                moment = ZDbValueToDateTime(QString::fromUtf8(raw.bytes, raw.length));
        }
        return moment.isValid() ? QVariant(moment) : QVariant();
    }
    case ftZBlob:
        return QByteArray(raw.bytes, raw.length);
    }
    return {};
}

TZRawBlock::TZRawBlock(std::vector<TZFieldType> kinds) : m_kinds(std::move(kinds)) {}

void TZRawBlock::reserve(std::size_t cells, std::size_t arenaBytes)
{
    m_cells.reserve(cells);
    m_arena.reserve(arenaBytes);
}

void TZRawBlock::append(const TZRawValue &raw)
{
    Cell cell;
    cell.type = raw.type;
    switch (raw.type) {
    case TZRawValue::Text:
    case TZRawValue::Blob:
        cell.text.offset = quint32(m_arena.size());
        cell.text.length = quint32(raw.length);
        m_arena.insert(m_arena.end(), raw.bytes, raw.bytes + raw.length);
        break;
    case TZRawValue::Float:
        cell.real = raw.real;
        break;
    default:
        cell.integer = raw.integer;
        break;
    }
    m_cells.push_back(cell);
}

void TZRawBlock::appendVariant(const QVariant &value)
{
    Cell cell;
    cell.type = TZRawValue::Variant;
    cell.integer = qint64(m_variants.size());
    m_variants.push_back(value);
    m_cells.push_back(cell);
}

QVector<QVariant> TZRawBlock::values(int row) const
{
    const int count = columnCount();
    QVector<QVariant> result(count);
    const Cell *cells = m_cells.data() + std::size_t(row) * std::size_t(count);
    for (int c = 0; c < count; ++c) {
        const Cell &cell = cells[c];
        TZRawValue raw;
        raw.type = cell.type;
        switch (cell.type) {
        case TZRawValue::Null:
            continue;
        case TZRawValue::Variant:
            result[c] = m_variants[std::size_t(cell.integer)];
            continue;
        case TZRawValue::Text:
            // The engine gives an empty text as "" and an empty blob as no
            // bytes at all; the values keep that difference.
            raw.bytes = cell.text.length ? m_arena.data() + cell.text.offset : "";
            raw.length = cell.text.length;
            break;
        case TZRawValue::Blob:
            raw.bytes = cell.text.length ? m_arena.data() + cell.text.offset : nullptr;
            raw.length = cell.text.length;
            break;
        case TZRawValue::Float:
            raw.real = cell.real;
            break;
        case TZRawValue::Integer:
            raw.integer = cell.integer;
            break;
        }
        result[c] = ZRawToVariant(raw, m_kinds[std::size_t(c)]);
    }
    return result;
}
