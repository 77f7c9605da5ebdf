// Packed lists and property texts: read on every key list, form parameter
// and field property of every window.

#include "common/ZProperty.h"
#include "common/ZStrList.h"

#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

const QString kKeys = QStringLiteral("BillNo[#]RowNo[#]AccID[#]FeeID[#]BillDate[#]Amount[#]Remark[#]MakerID");
const QString kSep = QStringLiteral("[#]");

const QString kProps = QStringLiteral(
    "DisplayName=收入金额;FieldType=ftZCurrency;Length=8;CheckInUsed=True;NoRepeat=False;ReadOnly=False;"
    "Visible=True;CanDuplicate=True;AllowEmpty=True;ShowDataList=True;NotNeedChkExistID=False;DigCount=2");
const QString kName = QStringLiteral("DigCount");

void BM_strlist_item(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(GetStrListItem(kKeys, kSep, 5));
}
BENCHMARK(BM_strlist_item);

void BM_strlist_item_baseline(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(kKeys.split(kSep).value(5));
}
BENCHMARK(BM_strlist_item_baseline);

void BM_property(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(GetProperty(kProps, kName));
}
BENCHMARK(BM_property);

// The straightforward way: split the text into items and each item at "=".
void BM_property_baseline(benchmark::State &state)
{
    for (auto _ : state) {
        QString value;
        for (const QString &item : kProps.split(QLatin1Char(';'))) {
            const QStringList parts = item.split(QLatin1Char('='));
            if (parts.size() > 1 && parts.at(0) == kName) {
                value = parts.at(1).trimmed();
                break;
            }
        }
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_property_baseline);

} // namespace
