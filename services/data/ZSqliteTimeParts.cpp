#include "ZSqliteTimeParts.h"

namespace {

// The columns looked up by their time of day: table, column.
constexpr const char *kTimeOfDayColumns[][2] = {{"moxRemind", "RemindTime"}};

// 1899-12-30 00:00, the day numbers of the data layer start from, in
// SQLite's (Julian) day count.
constexpr const char *kDayZeroJulian = "2415018.5";

bool isColumnToken(const TZSqlToken &t)
{
    return t.kind == TZSqlToken::Word || t.kind == TZSqlToken::Quoted;
}

// The part a DatePart's first argument names, when it is the hour or minute.
bool timePartOf(const TZSqlToken &t, TDatePart &part)
{
    if (t.kind != TZSqlToken::String)
        return false;
    const QString name = t.text.mid(1, t.text.size() - 2).trimmed().toLower();
    if (name == QLatin1String("h") || name == QLatin1String("hh") || name == QLatin1String("hour")) {
        part = dpHour;
        return true;
    }
    if (name == QLatin1String("n") || name == QLatin1String("mi") || name == QLatin1String("minute")) {
        part = dpMinute;
        return true;
    }
    return false;
}

} // namespace

QString ZSqliteTimePart(const QString &column, TDatePart part)
{
    return QStringLiteral("CAST(strftime('%1', CASE WHEN typeof(%2) = 'text' THEN %2 ELSE %2 + %3 END) AS INTEGER)")
        .arg(part == dpHour ? QStringLiteral("%H") : QStringLiteral("%M"), column, QLatin1String(kDayZeroJulian));
}

void ZBuiltInTimeParts(QList<TZSqlToken> &t)
{
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!t.at(i).isWord("datepart"))
            continue;
        const qsizetype open = ZNextSolid(t, i + 1);
        if (open >= t.size() || !t.at(open).isSymbol("("))
            continue;
        const qsizetype partAt = ZNextSolid(t, open + 1);
        TDatePart part = dpHour;
        if (partAt >= t.size() || !timePartOf(t.at(partAt), part))
            continue;
        const qsizetype comma = ZNextSolid(t, partAt + 1);
        if (comma >= t.size() || !t.at(comma).isSymbol(","))
            continue;
        // A bare column, qualified or not.
        qsizetype at = ZNextSolid(t, comma + 1);
        if (at >= t.size() || !isColumnToken(t.at(at)))
            continue;
        QString column = t.at(at).text;
        qsizetype next = ZNextSolid(t, at + 1);
        if (next < t.size() && t.at(next).isSymbol(".")) {
            at = ZNextSolid(t, next + 1);
            if (at >= t.size() || !isColumnToken(t.at(at)))
                continue;
            column += QLatin1Char('.') + t.at(at).text;
            next = ZNextSolid(t, at + 1);
        }
        if (next >= t.size() || !t.at(next).isSymbol(")"))
            continue;
        t.remove(i, next - i + 1);
        t.insert(i, TZSqlToken{TZSqlToken::Word, ZSqliteTimePart(column, part)});
    }
}

QString ZTimeOfDayIndexSql(const QString &table, const QString &column)
{
    const QString quoted = QLatin1Char('[') + column + QLatin1Char(']');
    return QStringLiteral("CREATE INDEX IF NOT EXISTS [IX_%1_%2_HHMM] ON [%1](%3 * 100 + %4)")
        .arg(table, column, ZSqliteTimePart(quoted, dpHour), ZSqliteTimePart(quoted, dpMinute));
}

void ZCreateTimeOfDayIndexes(TZDbConnection &connection)
{
    for (const auto &[table, column] : kTimeOfDayColumns) {
        const QString name = QLatin1String(table);
        if (connection.tableExists(name)
            && connection.tableColumns(name).contains(QLatin1String(column), Qt::CaseInsensitive))
            connection.execute(ZTimeOfDayIndexSql(name, QLatin1String(column)));
    }
}
