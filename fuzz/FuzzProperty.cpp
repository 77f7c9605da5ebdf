// Feeds arbitrary text to the property-text reader: the first line is the
// key, the rest the property text. The value found must be trimmed and must
// come from the text; the boolean and integer readers must not fail.

#include "common/ZProperty.h"
#include "metadata/ZDSProperties.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype line = input.indexOf(QLatin1Char('\n'));
    const QString key = line < 0 ? input : input.left(line);
    const QString text = line < 0 ? QString() : input.mid(line + 1);
    const QString value = GetProperty(text, key);
    if (value != value.trimmed())
        std::abort();
    if (!value.isEmpty() && !text.contains(value))
        std::abort();
    ZDSBool(value);
    ZDSBool(value, true);
    ZDSInt(value, 7);
    return 0;
}
