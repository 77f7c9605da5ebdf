// Feeds arbitrary statement text (user conditions reach the engine inside
// the system's statements) to the engine adapter, and arbitrary UTF-8 to the
// text rules: the adapter must end without a fault; the case-ignoring
// comparison must be an order (antisymmetric, equal to itself).

#include "data/ZSqlTokens.h"
#include "data/ZSqliteAdapter.h"
#include "data/ZSqliteText.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto *text = reinterpret_cast<const char *>(data);
    const QString sql = QString::fromUtf8(text, qsizetype(size));
    if (ZJoinSqlTokens(ZTokenizeSql(sql)) != sql)
        std::abort();
    // The passes of the adapter must end on any text (tokens they insert
    // are never matched again).
    (void)ZAdaptSqlForSqlite(sql);
    const size_t half = size / 2;
    const int ab = ZCompareIgnoringCase(text, int(half), text + half, int(size - half));
    const int ba = ZCompareIgnoringCase(text + half, int(size - half), text, int(half));
    if ((ab < 0) != (ba > 0) || (ab == 0) != (ba == 0) || ZCompareIgnoringCase(text, int(size), text, int(size)) != 0)
        std::abort();
    return 0;
}
