#include "ZSqliteFunctions.h"

#include "common/ZClock.h"
#include "data/ZDbValues.h"
#include "data/ZSqliteMoney.h"
#include "data/ZSqliteText.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <sqlite3.h>

namespace {

QString textArg(sqlite3_value *v)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(v));
    return text ? QString::fromUtf8(text, sqlite3_value_bytes(v)) : QString();
}

QDateTime dateArg(sqlite3_value *v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return ZNumberToDateTime(sqlite3_value_double(v));
    case SQLITE_TEXT:
        return ZDbValueToDateTime(textArg(v));
    default:
        return {};
    }
}

void resultText(sqlite3_context *ctx, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void resultDate(sqlite3_context *ctx, const QDateTime &moment)
{
    if (!moment.isValid())
        sqlite3_result_null(ctx);
    else
        resultText(ctx, ZDateTimeToDbText(moment));
}

// The date parts both dialects name, normalised.
enum class Part { Year, Quarter, Month, DayOfYear, Day, WeekDay, Week, Hour, Minute, Second, Unknown };

Part partOf(const QString &name)
{
    const QString p = name.trimmed().toLower();
    if (p == QLatin1String("yyyy") || p == QLatin1String("year") || p == QLatin1String("yy"))
        return Part::Year;
    if (p == QLatin1String("q") || p == QLatin1String("quarter") || p == QLatin1String("qq"))
        return Part::Quarter;
    if (p == QLatin1String("m") || p == QLatin1String("month") || p == QLatin1String("mm"))
        return Part::Month;
    if (p == QLatin1String("y") || p == QLatin1String("dayofyear") || p == QLatin1String("dy"))
        return Part::DayOfYear;
    if (p == QLatin1String("d") || p == QLatin1String("day") || p == QLatin1String("dd"))
        return Part::Day;
    if (p == QLatin1String("w") || p == QLatin1String("weekday") || p == QLatin1String("dw"))
        return Part::WeekDay;
    if (p == QLatin1String("ww") || p == QLatin1String("week") || p == QLatin1String("wk"))
        return Part::Week;
    if (p == QLatin1String("h") || p == QLatin1String("hour") || p == QLatin1String("hh"))
        return Part::Hour;
    if (p == QLatin1String("n") || p == QLatin1String("minute") || p == QLatin1String("mi"))
        return Part::Minute;
    if (p == QLatin1String("s") || p == QLatin1String("second") || p == QLatin1String("ss"))
        return Part::Second;
    return Part::Unknown;
}

// Weeks start on Sunday; week 1 holds 1 January.
int weekOfYear(const QDate &d)
{
    const int jan1WeekDay = QDate(d.year(), 1, 1).dayOfWeek() % 7; // 0 = Sunday
    return (d.dayOfYear() - 1 + jan1WeekDay) / 7 + 1;
}

// The wall-clock date and time a date value stands for. The stored text form
// ("yyyy-MM-dd[ hh:mm[:ss[.zzz]]]") is read directly, without building a
// local moment (the part functions run once per row); other forms go
// through dateArg.
struct WallClock
{
    QDate date;
    QTime time;
};

int digits(const char *p, int n)
{
    int v = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        v = v * 10 + (p[i] - '0');
    }
    return v;
}

bool storedText(sqlite3_value *v, WallClock &w)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_value_text(v));
    const int n = sqlite3_value_bytes(v);
    if (!p || (n != 10 && n != 16 && n != 19 && n != 23) || p[4] != '-' || p[7] != '-')
        return false;
    w.date = QDate(digits(p, 4), digits(p + 5, 2), digits(p + 8, 2));
    if (!w.date.isValid())
        return false;
    if (n == 10) {
        w.time = QTime(0, 0);
        return true;
    }
    if ((p[10] != ' ' && p[10] != 'T') || p[13] != ':' || (n > 16 && p[16] != ':') || (n > 19 && p[19] != '.'))
        return false;
    w.time =
        QTime(digits(p + 11, 2), digits(p + 14, 2), n > 16 ? digits(p + 17, 2) : 0, n > 19 ? digits(p + 20, 3) : 0);
    return w.time.isValid();
}

bool wallClockArg(sqlite3_value *v, WallClock &w)
{
    if (sqlite3_value_type(v) == SQLITE_TEXT && storedText(v, w))
        return true;
    const QDateTime m = dateArg(v);
    w = {m.date(), m.time()};
    return m.isValid();
}

qint64 partValue(Part part, const WallClock &m)
{
    const QDate d = m.date;
    const QTime t = m.time;
    switch (part) {
    case Part::Year:
        return d.year();
    case Part::Quarter:
        return (d.month() - 1) / 3 + 1;
    case Part::Month:
        return d.month();
    case Part::DayOfYear:
        return d.dayOfYear();
    case Part::Day:
        return d.day();
    case Part::WeekDay:
        return d.dayOfWeek() % 7 + 1; // 1 = Sunday
    case Part::Week:
        return weekOfYear(d);
    case Part::Hour:
        return t.hour();
    case Part::Minute:
        return t.minute();
    case Part::Second:
        return t.second();
    case Part::Unknown:
        break;
    }
    return 0;
}

void datePart(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const Part part = partOf(textArg(argv[0]));
    WallClock m;
    if (part == Part::Unknown || !wallClockArg(argv[1], m)) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int64(ctx, partValue(part, m));
}

template<Part P>
void singlePart(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    WallClock m;
    if (!wallClockArg(argv[0], m))
        sqlite3_result_null(ctx);
    else
        sqlite3_result_int64(ctx, partValue(P, m));
}

void dateAdd(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const Part part = partOf(textArg(argv[0]));
    const qint64 n = sqlite3_value_int64(argv[1]);
    const QDateTime m = dateArg(argv[2]);
    if (!m.isValid()) {
        sqlite3_result_null(ctx);
        return;
    }
    QDateTime r;
    switch (part) {
    case Part::Year:
        r = m.addYears(int(n));
        break;
    case Part::Quarter:
        r = m.addMonths(int(n * 3));
        break;
    case Part::Month:
        r = m.addMonths(int(n));
        break;
    case Part::DayOfYear:
    case Part::Day:
    case Part::WeekDay:
        r = m.addDays(n);
        break;
    case Part::Week:
        r = m.addDays(n * 7);
        break;
    case Part::Hour:
        r = m.addSecs(n * 3600);
        break;
    case Part::Minute:
        r = m.addSecs(n * 60);
        break;
    case Part::Second:
        r = m.addSecs(n);
        break;
    case Part::Unknown:
        break;
    }
    resultDate(ctx, r);
}

// Boundaries of the part crossed from a to b, as the server counts them.
void dateDiff(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const Part part = partOf(textArg(argv[0]));
    const QDateTime a = dateArg(argv[1]);
    const QDateTime b = dateArg(argv[2]);
    if (!a.isValid() || !b.isValid() || part == Part::Unknown) {
        sqlite3_result_null(ctx);
        return;
    }
    const qint64 days = a.date().daysTo(b.date());
    const qint64 secsA = a.time().msecsSinceStartOfDay() / 1000;
    const qint64 secsB = b.time().msecsSinceStartOfDay() / 1000;
    qint64 r = 0;
    switch (part) {
    case Part::Year:
        r = b.date().year() - a.date().year();
        break;
    case Part::Quarter:
        r = (b.date().year() * 4 + (b.date().month() - 1) / 3) - (a.date().year() * 4 + (a.date().month() - 1) / 3);
        break;
    case Part::Month:
        r = (b.date().year() * 12 + b.date().month()) - (a.date().year() * 12 + a.date().month());
        break;
    case Part::DayOfYear:
    case Part::Day:
    case Part::WeekDay:
        r = days;
        break;
    case Part::Week: {
        const auto sunday = [](const QDate &d) { return d.addDays(-(d.dayOfWeek() % 7)); };
        r = sunday(a.date()).daysTo(sunday(b.date())) / 7;
        break;
    }
    case Part::Hour:
        r = days * 24 + secsB / 3600 - secsA / 3600;
        break;
    case Part::Minute:
        r = days * 1440 + secsB / 60 - secsA / 60;
        break;
    case Part::Second:
        r = days * 86400 + secsB - secsA;
        break;
    case Part::Unknown:
        break;
    }
    sqlite3_result_int64(ctx, r);
}

// ZDateText(x): the stored text of the moment a date value stands for, so
// that a text and a date-time number of the same moment compare equal.
void dateText(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    resultDate(ctx, dateArg(argv[0]));
}

void now(sqlite3_context *ctx, int, sqlite3_value **)
{
    resultDate(ctx, ZNow());
}

void today(sqlite3_context *ctx, int, sqlite3_value **)
{
    resultDate(ctx, QDateTime(ZDate(), QTime(0, 0)));
}

void timeOfDay(sqlite3_context *ctx, int, sqlite3_value **)
{
    const QTime t = ZTime();
    resultDate(ctx, QDateTime(QDate(1899, 12, 30), QTime(t.hour(), t.minute(), t.second())));
}

// The first day of the period of `part` ('d', 'w', 'm', 'y') that holds
// `day`; weeks start on Sunday, as DateDiff counts them.
QDate periodStart(const QString &part, const QDate &day)
{
    if (part == QLatin1String("w"))
        return day.addDays(-(day.dayOfWeek() % 7));
    if (part == QLatin1String("m"))
        return QDate(day.year(), day.month(), 1);
    if (part == QLatin1String("y"))
        return QDate(day.year(), 1, 1);
    return day;
}

QDate periodAfter(const QString &part, const QDate &start)
{
    if (part == QLatin1String("w"))
        return start.addDays(7);
    if (part == QLatin1String("m"))
        return start.addMonths(1);
    if (part == QLatin1String("y"))
        return start.addYears(1);
    return start.addDays(1);
}

// ZPeriodStart(part) and ZPeriodEnd(part): the bounds of the current period
// as date texts ("yyyy-MM-dd"), so that "D >= start and D < end" holds for
// exactly the stored moments of the period, whatever their time part.
template<bool End>
void periodBound(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const QString part = textArg(argv[0]).toLower();
    QDate d = periodStart(part, ZDate());
    if (End)
        d = periodAfter(part, d);
    resultText(ctx, d.toString(QStringLiteral("yyyy-MM-dd")));
}

// CharIndex(sub, text[, start]): 1-based position ignoring case, 0 when absent.
void charIndex(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString sub = textArg(argv[0]);
    const QString text = textArg(argv[1]);
    qsizetype from = argc > 2 ? qMax<qint64>(sqlite3_value_int64(argv[2]) - 1, 0) : 0;
    if (sub.isEmpty()) {
        sqlite3_result_int64(ctx, 0);
        return;
    }
    sqlite3_result_int64(ctx, text.indexOf(sub, from, Qt::CaseInsensitive) + 1);
}

// Len(text): characters without the trailing blanks.
void len(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    QString text = textArg(argv[0]);
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == QLatin1Char(' '))
        --n;
    sqlite3_result_int64(ctx, n);
}

template<bool FromLeft>
void sideOf(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString text = textArg(argv[0]);
    const qint64 n = qMax<qint64>(sqlite3_value_int64(argv[1]), 0);
    resultText(ctx, FromLeft ? text.left(n) : text.right(n));
}

void add(sqlite3 *db, const char *name, int args, void (*fn)(sqlite3_context *, int, sqlite3_value **))
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, name, args, flags, nullptr, fn, nullptr, nullptr, nullptr);
}

} // namespace

void ZRegisterSqliteFunctions(sqlite3 *db)
{
    // The clock functions are declared deterministic: SQLite then evaluates
    // them once per run of a statement instead of once per row, which is
    // also what the statements mean (one "now" for the whole statement).
    add(db, "getdate", 0, now);
    add(db, "now", 0, now);
    add(db, "date", 0, today);
    add(db, "time", 0, timeOfDay);
    add(db, "zperiodstart", 1, periodBound<false>);
    add(db, "zperiodend", 1, periodBound<true>);
    add(db, "year", 1, singlePart<Part::Year>);
    add(db, "month", 1, singlePart<Part::Month>);
    add(db, "day", 1, singlePart<Part::Day>);
    add(db, "hour", 1, singlePart<Part::Hour>);
    add(db, "minute", 1, singlePart<Part::Minute>);
    add(db, "second", 1, singlePart<Part::Second>);
    add(db, "weekday", 1, singlePart<Part::WeekDay>);
    add(db, "datepart", 2, datePart);
    add(db, "dateadd", 3, dateAdd);
    add(db, "datediff", 3, dateDiff);
    add(db, "zdatetext", 1, dateText);
    add(db, "charindex", 2, charIndex);
    add(db, "charindex", 3, charIndex);
    add(db, "len", 1, len);
    add(db, "zleft", 2, sideOf<true>);
    add(db, "zright", 2, sideOf<false>);
    ZRegisterMoneySum(db);
    ZRegisterTextRules(db);
}
