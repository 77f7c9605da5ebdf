#include "ZTrim.h"

namespace {

inline bool isTrimmed(QChar c)
{
    return c.unicode() <= 0x20;
}

} // namespace

QStringView ZTrim(QStringView s)
{
    qsizetype first = 0;
    qsizetype last = s.size();
    while (first < last && isTrimmed(s.at(first)))
        ++first;
    while (last > first && isTrimmed(s.at(last - 1)))
        --last;
    return s.mid(first, last - first);
}

QString ZTrim(const QString &s)
{
    const QStringView trimmed = ZTrim(QStringView(s));
    return trimmed.size() == s.size() ? s : trimmed.toString();
}

QString ZTrimLeft(const QString &s)
{
    qsizetype first = 0;
    while (first < s.size() && isTrimmed(s.at(first)))
        ++first;
    return first == 0 ? s : s.mid(first);
}

QString ZTrimRight(const QString &s)
{
    qsizetype last = s.size();
    while (last > 0 && isTrimmed(s.at(last - 1)))
        --last;
    return last == s.size() ? s : s.left(last);
}

bool ZIsBlank(const QString &s)
{
    for (QChar c : s) {
        if (!isTrimmed(c))
            return false;
    }
    return true;
}
