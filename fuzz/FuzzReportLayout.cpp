// Feeds arbitrary bytes to the report layout reader: it either refuses them
// with an EZError or gives a layout that writes and reads back the same.

#include "common/ZErrors.h"
#include "print/TZReportLayout.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TZReportLayout layout;
    try {
        layout = TZReportLayout::FromXml(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)),
                                         QStringLiteral("fuzz.zrl"));
    } catch (const EZError &) {
        return 0;
    }
    const TZReportLayout again = TZReportLayout::FromXml(layout.ToXml(), QStringLiteral("again.zrl"));
    if (!(again == layout))
        std::abort();
    return 0;
}
