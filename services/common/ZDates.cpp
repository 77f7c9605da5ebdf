#include "ZDates.h"

#include "common/ZDecimal.h"
#include "common/ZNumbers.h"

namespace {

QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

// Wall-clock distance in milliseconds, ignoring time-zone changes between the
// two moments, as the integer dates and times of the system do.
qint64 wallClockMSecs(const QDateTime &a, const QDateTime &b)
{
    const qint64 days = b.date().toJulianDay() - a.date().toJulianDay();
    return days * 86400000LL + (b.time().msecsSinceStartOfDay() - a.time().msecsSinceStartOfDay());
}

} // namespace

int DateToIntDate(const QDate &date)
{
    if (!date.isValid())
        return 0;
    return date.year() * 10000 + date.month() * 100 + date.day();
}

QDate IntDateToDate(int n)
{
    return QDate(n / 10000, n / 100 % 100, n % 100);
}

int TimeToInt(const QTime &time)
{
    if (!time.isValid())
        return 0;
    return time.hour() * 10000 + time.minute() * 100 + time.second();
}

QTime IntToTime(int n)
{
    return QTime(n / 10000, n / 100 % 100, n % 100);
}

QString IntDateToStrDate(int n)
{
    return QStringLiteral("%1-%2-%3").arg(n / 10000).arg(n / 100 % 100).arg(n % 100);
}

QString FormatIntDate(int n, const QString &sep)
{
    if (n <= 19000000)
        return QStringLiteral(" ") + sep + QStringLiteral(" ") + sep + QStringLiteral(" ");
    return QString::number(n / 10000).rightJustified(4, QLatin1Char('0')) + sep + twoDigits(n / 100 % 100) + sep
           + twoDigits(n % 100);
}

QString FormatIntDate(const QString &n, const QString &sep)
{
    return FormatIntDate(TryStrToIntEx(n, 0), sep);
}

QString FormatIntTime(int n, const QString &sep)
{
    return twoDigits(n / 10000) + sep + twoDigits(n / 100 % 100) + sep + twoDigits(n % 100);
}

QString FormatCnDate(const QDate &date)
{
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

QString DateTimeToText(const QTime &time, const QDate &date)
{
    return QString::number(date.year()).rightJustified(4, QLatin1Char('0')) + twoDigits(date.month())
           + twoDigits(date.day()) + twoDigits(time.hour()) + twoDigits(time.minute()) + twoDigits(time.second());
}

QString GetDiffDateTime(const QDateTime &a, const QDateTime &b)
{
    const qint64 seconds = qAbs(wallClockMSecs(a, b)) / 1000;
    return QStringLiteral("%1天%2时%3分").arg(seconds / 86400).arg(seconds % 86400 / 3600).arg(seconds % 3600 / 60);
}

Currency GetDiffTime(TTimeUnit unit, const QDateTime &a, const QDateTime &b)
{
    const double msecs = double(qAbs(wallClockMSecs(a, b)));
    double perUnit = 1000.0;
    switch (unit) {
    case tuDay:
        perUnit = 86400000.0;
        break;
    case tuHous:
        perUnit = 3600000.0;
        break;
    case tuMinute:
        perUnit = 60000.0;
        break;
    case tuSecond:
        perUnit = 1000.0;
        break;
    }
    return Currency::fromDouble(msecs / perUnit);
}

QString GetWeekCnStr(int n)
{
    static const char16_t *const names[] = {u"星期日", u"星期一", u"星期二", u"星期三",
                                            u"星期四", u"星期五", u"星期六"};
    if (n < 1 || n > 7)
        return {};
    return QString::fromUtf16(names[n - 1]);
}

bool IsLeapYear(int year)
{
    return QDate::isLeapYear(year);
}

int GetMaxDay(int year, int month)
{
    if (month < 1 || month > 12)
        return 0;
    return QDate(year, month, 1).daysInMonth();
}

void AddMonth(int &year, int &month, int n)
{
    const int total = year * 12 + (month - 1) + n;
    year = total >= 0 ? total / 12 : -((-total + 11) / 12);
    month = total - year * 12 + 1;
}
