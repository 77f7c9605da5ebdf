#include "TZReportDataScope.h"

#include "common/Currency.h"
#include "common/ZNumbers.h"
#include "data/TZClientDataSet.h"

namespace {

const QString ReportDataName = QStringLiteral("ReportData");

} // namespace

TZReportDataScope::TZReportDataScope(const TZReportData &data)
    : m_data(data), m_date(QDate::currentDate())
{
    m_rows = find(ReportDataName);
    m_sumLast = RowCount() - 1;
}

TZClientDataSet *TZReportDataScope::find(const QString &name) const
{
    for (const auto &[dataName, dataSet] : m_data) {
        if (dataSet && dataSet->Active() && dataName.compare(name, Qt::CaseInsensitive) == 0)
            return dataSet;
    }
    return nullptr;
}

int TZReportDataScope::RowCount() const
{
    return m_rows ? int(m_rows->visibleRows().size()) : 0;
}

bool TZReportDataScope::FieldValue(const QString &dataSet, const QString &field, TZReportValue &value) const
{
    TZClientDataSet *data = find(dataSet);
    TZDataField *column = data ? data->FindField(field) : nullptr;
    if (!column)
        return false;
    value = TZReportValue();
    value.text = QLatin1String("");
    const int row = data == m_rows ? m_row : 0;
    const auto &rows = data->visibleRows();
    if (row < 0 || row >= int(rows.size()))
        return true; // no row: the field prints empty
    const QVariant raw = rows.at(std::size_t(row))->values().at(column->Index());
    value.text = data->displayText(row, column->Index());
    value.money = column->DataType() == ftZCurrency;
    value.isNumber = IsZNumericType(column->DataType()) && !raw.isNull();
    if (value.isNumber)
        value.number = value.money ? ZCurr(raw).toDouble() : ZFloat(raw);
    return true;
}

bool TZReportDataScope::SumValue(const QString &dataSet, const QString &field, TZReportValue &value) const
{
    TZClientDataSet *data = find(dataSet);
    TZDataField *column = data ? data->FindField(field) : nullptr;
    if (!column)
        return false;
    const auto &rows = data->visibleRows();
    int first = 0;
    int last = int(rows.size()) - 1;
    if (data == m_rows) {
        first = qMax(first, m_sumFirst);
        last = qMin(last, m_sumLast);
    }
    value = TZReportValue();
    value.isNumber = true;
    value.money = column->DataType() == ftZCurrency;
    if (value.money) {
        // Money adds exactly, in fixed point.
        Currency total;
        for (int i = first; i <= last; ++i)
            total += ZCurr(rows.at(std::size_t(i))->values().at(column->Index()));
        value.number = total.toDouble();
    } else {
        for (int i = first; i <= last; ++i)
            value.number += ZFloat(rows.at(std::size_t(i))->values().at(column->Index()));
    }
    return true;
}
