#include "ZAccessSql.h"

#include <QRegularExpression>

#include <map>

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool wordAt(const QString &text, qsizetype i, QLatin1String word)
{
    if (QStringView(text).mid(i, word.size()).compare(word, Qt::CaseInsensitive) != 0)
        return false;
    const qsizetype end = i + word.size();
    return (i == 0 || !isWordChar(text.at(i - 1))) && (end >= text.size() || !isWordChar(text.at(end)));
}

// The position just after the "from" that owns the first left join: the last
// "from" before it at the same parenthesis depth, so that a join inside a
// sub-select ("Select … From ( Select … from T left join …") is nested
// inside that sub-select. Quoted literals are skipped. -1 when there is none.
qsizetype fromOfFirstJoin(const QString &sql, QLatin1String leftJoin)
{
    std::map<int, qsizetype> lastFrom;
    int depth = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            lastFrom.erase(depth);
            --depth;
        } else if (wordAt(sql, i, QLatin1String("from"))) {
            lastFrom[depth] = i + 4;
        } else if (QStringView(sql).mid(i, leftJoin.size()).compare(leftJoin, Qt::CaseInsensitive) == 0) {
            const auto found = lastFrom.find(depth);
            return found == lastFrom.end() ? -1 : found->second;
        }
    }
    return -1;
}

} // namespace

QString TranToAccessSQL(const QString &sql)
{
    static const QLatin1String leftJoin("left join");
    QString result;
    result.reserve(sql.size() + 16);
    int joins = 0;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        if (QStringView(sql).mid(i, leftJoin.size()).compare(leftJoin, Qt::CaseInsensitive) == 0) {
            ++joins;
            if (joins >= 2)
                result += QLatin1Char(')');
        }
        result += sql.at(i);
    }
    if (joins >= 2) {
        // The inserted ")" all stand after the first join, so its "from"
        // has the same position in the result as in the statement.
        qsizetype from = fromOfFirstJoin(sql, leftJoin);
        if (from < 0) {
            from = result.indexOf(QLatin1String("from"), 0, Qt::CaseInsensitive);
            if (from >= 0)
                from += 4;
        }
        if (from >= 0)
            result.insert(from, QString(joins - 1, QLatin1Char('(')));
    }
    static const QRegularExpression getDate(QStringLiteral("GetDate\\(\\)"), QRegularExpression::CaseInsensitiveOption);
    result.replace(getDate, QStringLiteral("Date()"));
    return result;
}
