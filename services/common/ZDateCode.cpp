#include "ZDateCode.h"

#include "common/ZClock.h"
#include "common/ZTrim.h"

namespace {

QString normalizedRule(const QString &rule)
{
    const QString trimmed = ZTrim(rule);
    return trimmed.isEmpty() ? QStringLiteral("YYYYMMDD???") : trimmed.toUpper();
}

QString twoDigits(int n)
{
    return QString::number(n % 100).rightJustified(2, QLatin1Char('0'));
}

} // namespace

QString ExpandDateCodeRule(const QString &rule, const QDate &date)
{
    // Day 1000 of the calendar whose day 0 is 30 December 1899.
    static const QDate dayThousand = QDate(1899, 12, 30).addDays(1000);
    const QDate day = date.isValid() && date > dayThousand ? date : ZDate();
    QString text = normalizedRule(rule);
    if (text.contains(QLatin1String("YYYY")))
        text.replace(QLatin1String("YYYY"), QString::number(day.year()).rightJustified(4, QLatin1Char('0')));
    else
        text.replace(QLatin1String("YY"), twoDigits(day.year()));
    text.replace(QLatin1String("MM"), twoDigits(day.month()));
    text.replace(QLatin1String("DD"), twoDigits(day.day()));
    return text;
}

QString DateCodePrefix(const QString &expandedRule)
{
    QString prefix = expandedRule;
    prefix.remove(QLatin1Char('?'));
    return prefix;
}

int DateCodePrefixLength(const QString &rule)
{
    QString text = normalizedRule(rule);
    text.remove(QLatin1Char('?'));
    text.remove(QLatin1Char(' '));
    return int(text.size());
}

QString DateCodeZeroKey(const QString &expandedRule)
{
    QString key = expandedRule;
    key.replace(QLatin1Char('?'), QLatin1Char('0'));
    return key;
}
