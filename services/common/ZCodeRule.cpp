#include "ZCodeRule.h"

TCodeRule GetCodeRule(const QString &text)
{
    if (text.compare(QLatin1String("vtDateCode"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1"))
        return vtDateCode;
    if (text.compare(QLatin1String("vtEmpty"), Qt::CaseInsensitive) == 0 || text == QLatin1String("2"))
        return vtEmpty;
    return vtMaxID;
}
