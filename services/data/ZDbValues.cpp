#include "ZDbValues.h"

#include <cmath>
#include <cstring>

namespace {

const QDate kDayZero(1899, 12, 30);

} // namespace

QString ZDateTimeToDbText(const QDateTime &moment)
{
    if (!moment.isValid())
        return {};
    const QTime t = moment.time();
    return moment.toString(t.msec() != 0 ? QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")
                                         : QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QDateTime ZDbTextToDateTime(const QString &text)
{
    // Hand-parsed: this runs for every date cell of every dataset opened.
    const QString t = text.trimmed();
    const qsizetype n = t.size();
    qsizetype i = 0;
    const auto number = [&](int maxDigits, int *value) {
        int v = 0;
        int digits = 0;
        while (i < n && digits < maxDigits && t.at(i).isDigit()) {
            v = v * 10 + t.at(i).digitValue();
            ++i;
            ++digits;
        }
        *value = v;
        return digits > 0;
    };
    const auto separator = [&](const char *allowed) {
        const char c = i < n && t.at(i).unicode() < 0x80 ? t.at(i).toLatin1() : '\0';
        if (c != '\0' && std::strchr(allowed, c)) {
            ++i;
            return true;
        }
        return false;
    };
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    if (!number(4, &y) || !separator("-/.") || !number(2, &mo) || !separator("-/.") || !number(2, &d))
        return {};
    if (i < n) {
        if (!separator("T "))
            return {};
        while (i < n && t.at(i) == QLatin1Char(' '))
            ++i;
        if (!number(2, &h) || !separator(":") || !number(2, &mi))
            return {};
        if (separator(":") && !number(2, &s))
            return {};
        if (separator(".")) {
            int fraction = 0;
            const qsizetype start = i;
            if (!number(9, &fraction))
                return {};
            qsizetype digits = i - start;
            while (digits > 3) {
                fraction /= 10;
                --digits;
            }
            while (digits < 3) {
                fraction *= 10;
                ++digits;
            }
            ms = fraction;
        }
        if (i != n)
            return {};
    }
    const QDate date(y, mo, d);
    const QTime time(h, mi, s, ms);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

double ZDateTimeToNumber(const QDateTime &moment)
{
    const double days = double(kDayZero.daysTo(moment.date()));
    const double fraction = moment.time().msecsSinceStartOfDay() / 86400000.0;
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime ZNumberToDateTime(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3e6)
        return {};
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    qint64 msecs = qint64(std::llround(fraction * 86400000.0));
    qint64 dayCount = qint64(whole);
    if (msecs >= 86400000) {
        msecs -= 86400000;
        dayCount += days >= 0 ? 1 : -1;
    }
    return QDateTime(kDayZero.addDays(dayCount), QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

QDateTime ZDbValueToDateTime(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime();
    case QMetaType::QDate:
        return QDateTime(value.toDate(), QTime(0, 0));
    case QMetaType::QTime:
        return QDateTime(kDayZero, value.toTime());
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return ZNumberToDateTime(value.toDouble());
    case QMetaType::QString: {
        const QDateTime parsed = ZDbTextToDateTime(value.toString());
        if (parsed.isValid())
            return parsed;
        bool ok = false;
        const double days = value.toString().trimmed().toDouble(&ok);
        return ok ? ZNumberToDateTime(days) : QDateTime();
    }
    default:
        return {};
    }
}
