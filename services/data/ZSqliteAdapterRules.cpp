#include "ZSqliteAdapterRules.h"

#include "data/ZSqliteMoney.h"

#include <QSet>

namespace {

using Tokens = QList<TZSqlToken>;

bool isNameToken(const TZSqlToken &t)
{
    static const QSet<QString> keyWords{
        QStringLiteral("and"),     QStringLiteral("or"),       QStringLiteral("not"),    QStringLiteral("null"),
        QStringLiteral("end"),     QStringLiteral("case"),     QStringLiteral("when"),   QStringLiteral("then"),
        QStringLiteral("else"),    QStringLiteral("select"),   QStringLiteral("where"),  QStringLiteral("on"),
        QStringLiteral("set"),     QStringLiteral("by"),       QStringLiteral("having"), QStringLiteral("from"),
        QStringLiteral("in"),      QStringLiteral("is"),       QStringLiteral("like"),   QStringLiteral("between"),
        QStringLiteral("exists"),  QStringLiteral("distinct"), QStringLiteral("as"),     QStringLiteral("values"),
        QStringLiteral("collate"), QStringLiteral("escape"),
    };
    if (t.kind == TZSqlToken::Quoted)
        return true;
    return t.kind == TZSqlToken::Word && !keyWords.contains(t.text.toLower());
}

bool isComparison(const TZSqlToken &t)
{
    return t.isSymbol("=") || t.isSymbol("<>") || t.isSymbol("!=") || t.isSymbol("<") || t.isSymbol(">")
           || t.isSymbol("<=") || t.isSymbol(">=");
}

// An operator that binds tighter than a comparison: its operand is part of
// a larger expression.
bool isArithmetic(const TZSqlToken &t)
{
    return t.isSymbol("+") || t.isSymbol("-") || t.isSymbol("*") || t.isSymbol("/") || t.isSymbol("%")
           || t.isSymbol("||") || t.isSymbol("&") || t.isSymbol("|");
}

// Whether the operand ending at token `last` is a bare (possibly qualified)
// column, or already carries an explicit collation.
bool bareColumnBefore(const Tokens &t, qsizetype last)
{
    if (last < 0 || !isNameToken(t.at(last)))
        return false;
    qsizetype before = ZPrevSolid(t, last - 1);
    if (before >= 0 && t.at(before).isWord("collate"))
        return true;
    while (before >= 0 && t.at(before).isSymbol(".")) {
        const qsizetype qualifier = ZPrevSolid(t, before - 1);
        if (qualifier < 0 || !isNameToken(t.at(qualifier)))
            return false;
        before = ZPrevSolid(t, qualifier - 1);
    }
    return before < 0 || !isArithmetic(t.at(before));
}

// Whether the operand starting at token `first` is a bare column.
bool bareColumnAfter(const Tokens &t, qsizetype first)
{
    if (first >= t.size() || !isNameToken(t.at(first)))
        return false;
    qsizetype after = ZNextSolid(t, first + 1);
    while (after < t.size() && t.at(after).isSymbol(".")) {
        const qsizetype name = ZNextSolid(t, after + 1);
        if (name >= t.size() || !isNameToken(t.at(name)))
            return false;
        after = ZNextSolid(t, name + 1);
    }
    if (after >= t.size())
        return true;
    return !t.at(after).isSymbol("(") && !isArithmetic(t.at(after));
}

TZSqlToken collateNocase()
{
    return TZSqlToken{TZSqlToken::Word, QStringLiteral(" COLLATE NOCASE")};
}

// The start of the word "not" right before `i`, else `i`.
qsizetype withNot(const Tokens &t, qsizetype i)
{
    const qsizetype before = ZPrevSolid(t, i - 1);
    return before >= 0 && t.at(before).isWord("not") ? before : i;
}

// x [not] in ('a', …) and x [not] between 'a' and …: the collation goes on
// the left operand, the one SQLite takes it from for these operators.
void collateListOperators(Tokens &t)
{
    for (qsizetype i = 0; i < t.size(); ++i) {
        const bool in = t.at(i).isWord("in");
        if (!in && !t.at(i).isWord("between"))
            continue;
        qsizetype first = ZNextSolid(t, i + 1);
        if (in) {
            if (first >= t.size() || !t.at(first).isSymbol("("))
                continue;
            first = ZNextSolid(t, first + 1);
        }
        if (first >= t.size() || t.at(first).kind != TZSqlToken::String)
            continue;
        const qsizetype at = withNot(t, i);
        if (bareColumnBefore(t, ZPrevSolid(t, at - 1)))
            continue;
        t.insert(at, TZSqlToken{TZSqlToken::Word, QStringLiteral("COLLATE NOCASE ")});
        ++i;
    }
}

bool isNowCall(const Tokens &t, qsizetype i, qsizetype &end)
{
    if (i >= t.size() || !(t.at(i).isWord("date") || t.at(i).isWord("getdate") || t.at(i).isWord("now")))
        return false;
    const qsizetype open = ZNextSolid(t, i + 1);
    if (open >= t.size() || !t.at(open).isSymbol("("))
        return false;
    const qsizetype close = ZNextSolid(t, open + 1);
    if (close >= t.size() || !t.at(close).isSymbol(")"))
        return false;
    end = close;
    return true;
}

// A pattern of solid tokens: a word or symbol to match (case-insensitive),
// "#col" a column (the same one each time), "#now" a current-date call,
// "#week" the week part ('ww', 'week' or 'wk').
bool matchPattern(const Tokens &t, qsizetype start, const QStringList &pattern, QString &column, qsizetype &end)
{
    qsizetype i = start;
    column.clear();
    for (const QString &item : pattern) {
        i = ZNextSolid(t, i);
        if (i >= t.size())
            return false;
        if (item == QLatin1String("#col")) {
            if (!isNameToken(t.at(i)))
                return false;
            QString text = t.at(i).text;
            qsizetype next = ZNextSolid(t, i + 1);
            while (next + 1 < t.size() && t.at(next).isSymbol(".")) {
                const qsizetype name = ZNextSolid(t, next + 1);
                if (name >= t.size() || !isNameToken(t.at(name)))
                    return false;
                text += QLatin1Char('.') + t.at(name).text;
                i = name;
                next = ZNextSolid(t, name + 1);
            }
            if (next < t.size() && t.at(next).isSymbol("("))
                return false;
            if (column.isEmpty())
                column = text;
            else if (column.compare(text, Qt::CaseInsensitive) != 0)
                return false;
        } else if (item == QLatin1String("#now")) {
            if (!isNowCall(t, i, i))
                return false;
        } else if (item == QLatin1String("#week")) {
            const QString part =
                t.at(i).kind == TZSqlToken::String ? t.at(i).text.mid(1, t.at(i).text.size() - 2).toLower() : QString();
            if (part != QLatin1String("ww") && part != QLatin1String("week") && part != QLatin1String("wk"))
                return false;
        } else if (t.at(i).text.compare(item, Qt::CaseInsensitive) != 0 || t.at(i).kind == TZSqlToken::String) {
            return false;
        }
        end = i;
        ++i;
    }
    return true;
}

struct PeriodPattern
{
    const char *period;
    QStringList items;
};

QList<PeriodPattern> periodPatterns()
{
    const auto split = [](const char *text) { return QString::fromLatin1(text).split(QLatin1Char(' ')); };
    return {
        {"d", split("year ( #col ) * 10000 + month ( #col ) * 100 + day ( #col ) = year ( #now ) * 10000 + "
                    "month ( #now ) * 100 + day ( #now )")},
        {"m", split("year ( #col ) * 100 + month ( #col ) = year ( #now ) * 100 + month ( #now )")},
        {"y", split("year ( #col ) = year ( #now )")},
        {"w", split("datediff ( #week , #col , #now ) = 0")},
    };
}

} // namespace

void ZCollateTextLiterals(Tokens &t)
{
    collateListOperators(t);
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t.at(i).kind != TZSqlToken::String)
            continue;
        const qsizetype next = ZNextSolid(t, i + 1);
        if (next < t.size() && t.at(next).isWord("collate"))
            continue;
        const qsizetype prev = ZPrevSolid(t, i - 1);
        bool add = false;
        if (prev >= 0 && isComparison(t.at(prev)))
            add = !bareColumnBefore(t, ZPrevSolid(t, prev - 1));
        else if (next < t.size() && isComparison(t.at(next)))
            add = !bareColumnAfter(t, ZNextSolid(t, next + 1));
        if (add) {
            t.insert(i + 1, collateNocase());
            ++i;
        }
    }
}

void ZPeriodRanges(Tokens &t)
{
    static const QList<PeriodPattern> patterns = periodPatterns();
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!t.at(i).isWord("year") && !t.at(i).isWord("datediff"))
            continue;
        const qsizetype before = ZPrevSolid(t, i - 1);
        if (before >= 0 && (isArithmetic(t.at(before)) || isComparison(t.at(before))))
            continue;
        for (const PeriodPattern &p : patterns) {
            QString column;
            qsizetype end = 0;
            if (!matchPattern(t, i, p.items, column, end))
                continue;
            const qsizetype after = ZNextSolid(t, end + 1);
            if (after < t.size() && (isArithmetic(t.at(after)) || isComparison(t.at(after))))
                break;
            const QString range = QStringLiteral("(%1 >= ZPeriodStart('%2') And %1 < ZPeriodEnd('%2'))")
                                      .arg(column, QLatin1String(p.period));
            t.remove(i, end - i + 1);
            t.insert(i, TZSqlToken{TZSqlToken::Word, range});
            break;
        }
    }
}

namespace {

struct ColumnDef
{
    QString name;
    QString type;
};

// The column definitions of "create table T (name type …, …)" from the "("
// at `open`: the first two solid tokens of each part at depth 1.
QList<ColumnDef> columnDefinitions(const Tokens &t, qsizetype open)
{
    QList<ColumnDef> columns;
    int depth = 0;
    int position = 0; // solid tokens seen in the current part
    for (qsizetype i = open; i < t.size(); ++i) {
        const TZSqlToken &tok = t.at(i);
        if (tok.isSymbol("(")) {
            if (++depth == 1)
                position = 0;
            continue;
        }
        if (tok.isSymbol(")")) {
            if (--depth == 0)
                break;
            continue;
        }
        if (depth != 1 || tok.kind == TZSqlToken::Space)
            continue;
        if (tok.isSymbol(",")) {
            position = 0;
            continue;
        }
        if (position == 0)
            columns << ColumnDef{tok.name(), QString()};
        else if (position == 1 && !columns.isEmpty())
            columns.last().type = tok.name();
        ++position;
    }
    return columns;
}

} // namespace

void ZAddMoneyTriggers(Tokens &t)
{
    const qsizetype verb = ZNextSolid(t, 0);
    const qsizetype tableWord = ZNextSolid(t, verb + 1);
    if (tableWord >= t.size() || !t.at(tableWord).isWord("table"))
        return;
    qsizetype name = ZNextSolid(t, tableWord + 1);
    if (name < t.size() && t.at(name).isWord("if")) // create table if not exists T
        name = ZNextSolid(t, ZNextSolid(t, ZNextSolid(t, name + 1) + 1) + 1);
    if (name >= t.size() || !isNameToken(t.at(name)))
        return;
    const QString table = t.at(name).name();
    QList<ColumnDef> money;
    const qsizetype next = ZNextSolid(t, name + 1);
    if (t.at(verb).isWord("create") && next < t.size() && t.at(next).isSymbol("(")) {
        for (const ColumnDef &c : columnDefinitions(t, next)) {
            if (ZIsMoneyDeclaredType(c.type))
                money << c;
        }
    } else if (t.at(verb).isWord("alter") && next < t.size() && t.at(next).isWord("add")) {
        qsizetype column = ZNextSolid(t, next + 1);
        if (column < t.size() && t.at(column).isWord("column"))
            column = ZNextSolid(t, column + 1);
        const qsizetype type = ZNextSolid(t, column + 1);
        if (type < t.size() && ZIsMoneyDeclaredType(t.at(type).name()))
            money << ColumnDef{t.at(column).name(), t.at(type).name()};
    }
    if (money.isEmpty())
        return;
    QString triggers = QStringLiteral(";");
    for (const ColumnDef &c : std::as_const(money))
        triggers += QLatin1Char(' ') + ZMoneyTriggersSql(table, c.name);
    const qsizetype last = ZPrevSolid(t, t.size() - 1);
    if (last >= 0 && t.at(last).isSymbol(";"))
        t.remove(last, t.size() - last);
    t << TZSqlToken{TZSqlToken::Word, triggers};
}
