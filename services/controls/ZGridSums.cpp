#include "ZGridSums.h"

#include "common/Currency.h"
#include "common/ZNumbers.h"
#include "data/TZClientDataSet.h"
#include "data/ZFieldRules.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZField.h"

#include <limits>

namespace {

const TZField *definitionOf(TZClientDataSet &dataSet, int column)
{
    auto *orv = dynamic_cast<TOrvDataSet *>(&dataSet);
    return orv && !orv->ProgID.trimmed().isEmpty() ? orv->ZFieldOf(orv->Fields(column)) : nullptr;
}

qint64 addHeld(qint64 a, qint64 b)
{
    qint64 sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return sum;
}

} // namespace

bool ZIsSummableColumn(TZClientDataSet &dataSet, int column)
{
    if (!dataSet.Active() || column < 0 || column >= dataSet.FieldCount())
        return false;
    TZDataField &field = dataSet.Fields(column);
    if (!IsZNumericType(field.DataType()))
        return false;
    for (const char *numbering : {"RowNo", "SerNo", "ParentRowNo"}) {
        if (field.FieldName().compare(QLatin1String(numbering), Qt::CaseInsensitive) == 0)
            return false;
    }
    const TZField *definition = definitionOf(dataSet, column);
    return !definition || definition->PickItems.isEmpty();
}

QVariant ZColumnSum(TZClientDataSet &dataSet, int column)
{
    if (!dataSet.Active() || column < 0 || column >= dataSet.FieldCount())
        return {};
    const TZFieldType kind = dataSet.Fields(column).DataType();
    if (kind == ftZCurrency) {
        qint64 raw = 0;
        for (const TZRowData *row : dataSet.visibleRows())
            raw = addHeld(raw, ZCurr(row->values().at(column)).raw());
        return QVariant::fromValue(Currency::fromRaw(raw));
    }
    if (kind == ftZFloat) {
        double total = 0;
        for (const TZRowData *row : dataSet.visibleRows())
            total += ZFloat(row->values().at(column));
        return total;
    }
    qint64 total = 0;
    for (const TZRowData *row : dataSet.visibleRows())
        total = addHeld(total, qint64(ZFloat(row->values().at(column))));
    return total;
}

QString ZColumnSumText(TZClientDataSet &dataSet, int column)
{
    const QVariant sum = ZColumnSum(dataSet, column);
    if (!sum.isValid())
        return {};
    const TZFieldType kind = dataSet.Fields(column).DataType();
    const TZField *definition = definitionOf(dataSet, column);
    if (definition && definition->NumberType != ntUnAssign)
        return ZNumberText(sum, TNumberType(definition->NumberType), QString(), false);
    if (kind == ftZCurrency)
        return QString::number(sum.value<Currency>().toDouble(), 'f', 2);
    if (kind == ftZFloat)
        return QString::number(sum.toDouble(), 'g', 15);
    return QString::number(sum.toLongLong());
}
