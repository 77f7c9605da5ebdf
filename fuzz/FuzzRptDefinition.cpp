// Feeds arbitrary text to the report definition reader. A text that is not
// a definition may raise the system's error; nothing else may happen, and
// what is read keeps its promises.

#include "common/ZErrors.h"
#include "report/ZRptDefinition.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        const TZRptDefinition definition =
            ZParseRptDefinition(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
        for (const TZRptCondition &condition : definition.conditions) {
            if (condition.field.isEmpty() || condition.caption.isEmpty())
                std::abort();
        }
        if (definition.sourceMode && (definition.srcProgID.isEmpty() || definition.selectList.isEmpty()))
            std::abort();
    } catch (const EZError &) {
    }
    return 0;
}
