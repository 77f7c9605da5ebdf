#include "ZSqlQuote.h"

QString ZQuotedStr(const QString &value)
{
    QString result;
    result.reserve(value.size() + 2);
    result += QLatin1Char('\'');
    for (QChar c : value) {
        if (c == QLatin1Char('\''))
            result += QLatin1Char('\'');
        result += c;
    }
    result += QLatin1Char('\'');
    return result;
}
