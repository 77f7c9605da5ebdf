// Feeds arbitrary texts to the filter parser of client datasets. A text is
// either refused with the filter error or compiles to a filter that every
// row can be tested against; nothing else may happen.

#include "common/Currency.h"
#include "common/ZErrors.h"
#include "data/TZDataFilter.h"

#include <QDateTime>

#include <cstdint>

namespace {

TZRowStore &store()
{
    static TZRowStore s = [] {
        TZRowStore made;
        made.setColumns({{QStringLiteral("N"), ftZString, 20, {}, {}},
                         {QStringLiteral("RowNo"), ftZInteger, 0, {}, {}},
                         {QStringLiteral("Amount"), ftZCurrency, 0, {}, {}},
                         {QStringLiteral("Day"), ftZDate, 0, {}, {}},
                         {QStringLiteral("Done"), ftZBoolean, 0, {}, {}}});
        return made;
    }();
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    TZRowData full;
    full.values() = {QStringLiteral("甲乙"), 3, QVariant::fromValue(Currency::fromRaw(105000)),
                   QDateTime(QDate(2011, 6, 21), QTime(9, 0)), true};
    TZRowData empty;
    empty.values() = QVector<QVariant>(5);
    try {
        const TZDataFilter filter(text, store());
        filter.matches(full);
        filter.matches(empty);
    } catch (const EZError &) {
    }
    return 0;
}
