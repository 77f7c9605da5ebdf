#include "ZDbValues.h"

#include <QHash>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

const QDate kDayZero(1899, 12, 30);

} // namespace

QString ZDateTimeToDbText(const QDateTime &moment)
{
    // Written digit by digit: QDateTime::toString goes through the locale
    // machinery and costs as much as the rest of a row write.
    if (!moment.isValid())
        return {};
    const QDate d = moment.date();
    const QTime t = moment.time();
    const int year = d.year();
    if (year < 0 || year > 9999)
        return moment.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    char16_t text[23];
    const auto put = [&text](int at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i) {
            text[at + i] = char16_t(u'0' + value % 10);
            value /= 10;
        }
    };
    put(0, year, 4);
    text[4] = u'-';
    put(5, d.month(), 2);
    text[7] = u'-';
    put(8, d.day(), 2);
    text[10] = u' ';
    put(11, t.hour(), 2);
    text[13] = u':';
    put(14, t.minute(), 2);
    text[16] = u':';
    put(17, t.second(), 2);
    int length = 19;
    if (t.msec() != 0) {
        text[19] = u'.';
        put(20, t.msec(), 3);
        length = 23;
    }
    return QString(reinterpret_cast<const QChar *>(text), length);
}

QDateTime ZLocalDateTime(const QDate &date, const QTime &time)
{
    // The offset of each day, looked up once per thread; the moment is then
    // built from its number of milliseconds, the cheapest way Qt offers.
    thread_local QHash<qint64, int> offsets;
    if (!date.isValid() || !time.isValid())
        return {};
    const qint64 day = date.toJulianDay();
    auto found = offsets.constFind(day);
    if (found == offsets.constEnd()) {
        if (offsets.size() > 8192)
            offsets.clear();
        found = offsets.insert(day, QDateTime(date, QTime(12, 0)).offsetFromUtc());
    }
    constexpr qint64 unixEpochDay = 2440588; // the Julian day of 1970-01-01
    const qint64 msecs = (day - unixEpochDay) * 86400000LL + time.msecsSinceStartOfDay() - qint64(found.value()) * 1000;
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::OffsetFromUTC, found.value());
}

QDateTime ZDbUtf8ToDateTime(const char *t, int n)
{
    // Hand-parsed: this runs for every date cell of every dataset opened.
    int i = 0;
    while (i < n && (t[i] == ' ' || t[i] == '\t'))
        ++i;
    while (n > i && (t[n - 1] == ' ' || t[n - 1] == '\t'))
        --n;
    const auto number = [&](int maxDigits, int *value) {
        int v = 0;
        int digits = 0;
        while (i < n && digits < maxDigits && t[i] >= '0' && t[i] <= '9') {
            v = v * 10 + (t[i] - '0');
            ++i;
            ++digits;
        }
        *value = v;
        return digits;
    };
    const auto separator = [&](const char *allowed) {
        if (i >= n)
            return false;
        for (const char *a = allowed; *a; ++a) {
            if (t[i] == *a) {
                ++i;
                return true;
            }
        }
        return false;
    };
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    if (!number(4, &y) || !separator("-/.") || !number(2, &mo) || !separator("-/.") || !number(2, &d))
        return {};
    if (i < n) {
        if (!separator("T "))
            return {};
        while (i < n && t[i] == ' ')
            ++i;
        if (!number(2, &h) || !separator(":") || !number(2, &mi))
            return {};
        if (separator(":") && !number(2, &s))
            return {};
        if (separator(".")) {
            int fraction = 0;
            int digits = number(9, &fraction);
            if (digits == 0)
                return {};
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
    return ZLocalDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

QDateTime ZDbTextToDateTime(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return ZDbUtf8ToDateTime(utf8.constData(), int(utf8.size()));
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
    return ZLocalDateTime(kDayZero.addDays(dayCount), QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

bool ZIsEmptyDate(const QDateTime &moment)
{
    return !moment.isValid() || moment.date() <= kDayZero.addDays(2);
}

QDateTime ZDbValueToDateTime(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime();
    case QMetaType::QDate:
        return ZLocalDateTime(value.toDate(), QTime(0, 0));
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
