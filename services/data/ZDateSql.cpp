#include "ZDateSql.h"

QString DatePartField(const QString &expr, TDatePart part, TDBType kind)
{
    const bool server = ResolveDBType(kind) == dtMSSQL;
    const auto datePart = [&](const char *serverPart, const char *filePart) {
        return QStringLiteral("DatePart(%1, %2)")
            .arg(server ? QLatin1String(serverPart) : QLatin1String(filePart), expr);
    };
    switch (part) {
    case dpYear:
        return QStringLiteral("Year(%1)").arg(expr);
    case dpMonth:
        return QStringLiteral("Month(%1)").arg(expr);
    case dpDay:
        return QStringLiteral("Day(%1)").arg(expr);
    case dpHour:
        return datePart("Hour", "'h'");
    case dpMinute:
        return datePart("Minute", "'n'");
    case dpSecond:
        return datePart("Second", "'s'");
    case dpWeekDay:
        return datePart("weekday", "'w'");
    }
    return {};
}

QString DateToIntField(const QString &expr, TDBType kind)
{
    return QStringLiteral("%1 * 10000 + %2 * 100 + %3")
        .arg(DatePartField(expr, dpYear, kind), DatePartField(expr, dpMonth, kind), DatePartField(expr, dpDay, kind));
}

QString TimeToIntField(const QString &expr, TDBType kind)
{
    return QStringLiteral("%1 * 10000 + %2 * 100 + %3")
        .arg(DatePartField(expr, dpHour, kind), DatePartField(expr, dpMinute, kind),
             DatePartField(expr, dpSecond, kind));
}
