#include "ZCounting.h"

#include "common/ZTrim.h"

#include <limits>

namespace {

bool allCharsAre(const QString &s, QChar c)
{
    for (QChar x : s) {
        if (x != c)
            return false;
    }
    return true;
}

} // namespace

QChar IncChar(QChar c, bool &carry)
{
    const char16_t u = c.unicode();
    carry = false;
    if ((u >= u'0' && u <= u'8') || (u >= u'A' && u <= u'Y') || (u >= u'a' && u <= u'y'))
        return QChar(char16_t(u + 1));
    carry = true;
    switch (u) {
    case u'9':
        return QLatin1Char('0');
    case u'Z':
        return QLatin1Char('A');
    case u'z':
        return QLatin1Char('a');
    default:
        carry = false;
        return c;
    }
}

QString IncString(const QString &s)
{
    QString text = s;
    if (allCharsAre(text, QLatin1Char('9')))
        text.prepend(QLatin1Char('0'));
    else if (allCharsAre(text, QLatin1Char('Z')))
        text.prepend(QLatin1Char('Z'));
    text = ZTrim(text);
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        bool carry = false;
        text[i] = IncChar(text.at(i), carry);
        if (!carry)
            break;
    }
    return text;
}

QString IncIntString(const QString &s)
{
    bool isInteger = false;
    const qlonglong value = s.toLongLong(&isInteger);
    QString next;
    if (isInteger && value < std::numeric_limits<qlonglong>::max())
        next = QString::number(value + 1);
    else
        next = IncString(s);
    if (next.size() < s.size())
        next = QString(s.size() - next.size(), QLatin1Char('0')) + next;
    return next;
}

QChar NumberToABC(QChar digit)
{
    return QChar(char16_t(digit.unicode() + 17));
}

QChar ABCToNumber(QChar letter)
{
    const char16_t u = letter.unicode();
    if (u >= u'A' && u <= u'J')
        return QChar(char16_t(u - 17));
    return QLatin1Char('0');
}
