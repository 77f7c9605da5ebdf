// Feeds arbitrary bytes to the INI reader, then checks that what it wrote
// back reads the same: every section, key and value survives a round trip.

#include "ini/TZIniData.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TZIniData ini;
    ini.parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QStringList sections = ini.sections();
    if (!sections.isEmpty()) {
        ini.writeString(sections.first(), QStringLiteral("Fuzz"), QStringLiteral("值\n=[x]"));
        ini.deleteKey(sections.last(), QStringLiteral("Fuzz"));
    }
    TZIniData again;
    again.parse(ini.toUtf8());
    if (again.sections() != ini.sections())
        std::abort();
    for (const QString &section : ini.sections()) {
        if (again.sectionValues(section) != ini.sectionValues(section))
            std::abort();
    }
    return 0;
}
