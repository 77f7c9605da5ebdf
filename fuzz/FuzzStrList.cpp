// Feeds arbitrary texts and separators to the packed-list routines and checks
// the invariants callers rely on.

#include "common/ZErrors.h"
#include "common/ZProperty.h"
#include "common/ZStrList.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // First byte: separator length (0..3); then the separator, then the text.
    if (size < 1)
        return 0;
    const size_t sepLength = data[0] % 4;
    if (size < 1 + sepLength)
        return 0;
    const QString sep = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(sepLength));
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 1 + sepLength), qsizetype(size - 1 - sepLength));
    try {
        const QStringList items = GetStrListFromStr(text, sep);
        if (GetStrListItemCount(text, sep) != items.size())
            std::abort();
        for (int i = 0; i < items.size(); ++i) {
            if (GetStrListItem(text, sep, i) != items.at(i))
                std::abort();
        }
        QString copy = text;
        SetStrListItem(copy, sep, QStringLiteral("x"), 0);
        RemoveStrListItem(copy, QStringLiteral("x"), sep);
        QuoteItemStrs(text, sep);
        GetItemIndex(text, sep, QStringLiteral("a"));
        GetStrListItem(text, sep, QStringLiteral("="), 0, 1);
        GetPickListText(text, 1);
        GetPickListValue(text, QStringLiteral("a"));
        GetProperty(text, sep);
    } catch (const EZError &) {
        // refused input (an empty or equal separator) is an answer, not a fault
    }
    return 0;
}
