// Feeds arbitrary texts to the dataset XML reader. A text it accepts must
// write back to a form that reads back to the same form.

#include "common/ZErrors.h"
#include "data/TZClientDataSet.h"
#include "data/ZDataSetXml.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    TZClientDataSet ds;
    try {
        RecordsetFromXMLString(ds, text);
    } catch (const EZError &) {
        return 0;
    }
    const QString once = RecordsetToXMLString(ds);
    TZClientDataSet again;
    try {
        RecordsetFromXMLString(again, once);
    } catch (const EZError &) {
        std::abort(); // what we write must read
    }
    if (RecordsetToXMLString(again) != once)
        std::abort();
    return 0;
}
