#include "ZSqliteAdapter.h"

#include "data/ZSqlTokens.h"
#include "data/ZSqliteAdapterRules.h"
#include "data/ZSqliteTimeParts.h"

#include <QHash>

namespace {

using Tokens = QList<TZSqlToken>;

TZSqlToken word(const QString &text)
{
    return TZSqlToken{TZSqlToken::Word, text};
}

TZSqlToken space()
{
    return TZSqlToken{TZSqlToken::Space, QStringLiteral(" ")};
}

void renameFunctions(Tokens &t)
{
    static const QHash<QString, QString> renames{
        {QStringLiteral("left"), QStringLiteral("ZLeft")},
        {QStringLiteral("right"), QStringLiteral("ZRight")},
        {QStringLiteral("isnull"), QStringLiteral("IfNull")},
    };
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t.at(i).kind != TZSqlToken::Word)
            continue;
        const qsizetype next = ZNextSolid(t, i + 1);
        if (next >= t.size() || !t.at(next).isSymbol("("))
            continue;
        const qsizetype prev = ZPrevSolid(t, i - 1);
        if (prev >= 0 && t.at(prev).isSymbol("."))
            continue;
        const auto found = renames.constFind(t.at(i).text.toLower());
        if (found != renames.constEnd()) {
            t[i].text = found.value();
            continue;
        }
        // DatePart(Hour, X), DateAdd(day, 1, X), DateDiff(day, A, B)
        const QString name = t.at(i).text.toLower();
        if (name == QLatin1String("datepart") || name == QLatin1String("dateadd")
            || name == QLatin1String("datediff")) {
            const qsizetype arg = ZNextSolid(t, next + 1);
            const qsizetype comma = ZNextSolid(t, arg + 1);
            if (arg < t.size() && (t.at(arg).kind == TZSqlToken::Word || t.at(arg).kind == TZSqlToken::Quoted)
                && comma < t.size() && t.at(comma).isSymbol(","))
                t[arg] = TZSqlToken{TZSqlToken::String, QLatin1Char('\'') + t.at(arg).name() + QLatin1Char('\'')};
        }
    }
}

void rewriteTop(Tokens &t)
{
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!t.at(i).isWord("select"))
            continue;
        qsizetype top = ZNextSolid(t, i + 1);
        if (top < t.size() && (t.at(top).isWord("distinct") || t.at(top).isWord("all")))
            top = ZNextSolid(t, top + 1);
        if (top >= t.size() || !t.at(top).isWord("top"))
            continue;
        const qsizetype count = ZNextSolid(t, top + 1);
        if (count >= t.size() || t.at(count).kind != TZSqlToken::Number)
            continue;
        const QString n = t.at(count).text;
        const qsizetype end = ZScopeEnd(t, count + 1);
        t.insert(end, TZSqlToken{TZSqlToken::Word, QStringLiteral(" LIMIT ") + n + QLatin1Char(' ')});
        const qsizetype after = count + 1 < t.size() && t.at(count + 1).kind == TZSqlToken::Space ? count + 1 : count;
        t.remove(top, after - top + 1);
    }
}

void rewriteSelectInto(Tokens &t)
{
    const qsizetype first = ZNextSolid(t, 0);
    if (first >= t.size() || !t.at(first).isWord("select"))
        return;
    int depth = 0;
    for (qsizetype i = first + 1; i < t.size(); ++i) {
        if (t.at(i).isSymbol("("))
            ++depth;
        else if (t.at(i).isSymbol(")"))
            --depth;
        else if (depth == 0 && t.at(i).isWord("from"))
            return;
        else if (depth == 0 && t.at(i).isWord("into")) {
            const qsizetype table = ZNextSolid(t, i + 1);
            if (table >= t.size())
                return;
            const TZSqlToken target = t.at(table);
            t.remove(i, table - i + 1);
            t.insert(first, space());
            t.insert(first, word(QStringLiteral("create table ") + target.text + QStringLiteral(" as")));
            return;
        }
    }
}

void rewritePrimaryKey(Tokens &t)
{
    const qsizetype alter = ZNextSolid(t, 0);
    if (alter >= t.size() || !t.at(alter).isWord("alter"))
        return;
    const qsizetype tableWord = ZNextSolid(t, alter + 1);
    if (tableWord >= t.size() || !t.at(tableWord).isWord("table"))
        return;
    const qsizetype table = ZNextSolid(t, tableWord + 1);
    qsizetype i = table + 1;
    QString pkName;
    qsizetype open = -1;
    for (; i < t.size(); ++i) {
        if (t.at(i).isWord("constraint")) {
            const qsizetype name = ZNextSolid(t, i + 1);
            if (name < t.size())
                pkName = t.at(name).text;
        } else if (t.at(i).isWord("key")) {
            open = ZNextSolid(t, i + 1);
            while (open < t.size() && !t.at(open).isSymbol("("))
                ++open;
            break;
        } else if (t.at(i).isWord("primary") || t.at(i).isWord("add") || t.at(i).isWord("with")
                   || t.at(i).isWord("nocheck") || t.at(i).kind == TZSqlToken::Space || t.at(i).isSymbol(".")) {
            continue;
        } else if (!pkName.isEmpty() && t.at(i).text == pkName) {
            continue;
        } else {
            return;
        }
    }
    if (pkName.isEmpty() || open >= t.size())
        return;
    const qsizetype close = ZMatchingParen(t, open);
    if (close < 0)
        return;
    QString columns;
    for (qsizetype k = open; k <= close; ++k)
        columns += t.at(k).kind == TZSqlToken::Space ? QStringLiteral(" ") : t.at(k).text;
    Tokens rewritten;
    rewritten << word(QStringLiteral("CREATE UNIQUE INDEX ") + pkName + QStringLiteral(" ON ") + t.at(table).text
                      + columns);
    t = rewritten;
}

void dropServerNoise(Tokens &t)
{
    for (qsizetype i = 0; i < t.size(); ++i) {
        // [dbo]. and dbo. qualifiers
        if ((t.at(i).kind == TZSqlToken::Word || t.at(i).kind == TZSqlToken::Quoted)
            && t.at(i).name().compare(QLatin1String("dbo"), Qt::CaseInsensitive) == 0 && i + 1 < t.size()
            && t.at(i + 1).isSymbol(".")) {
            t.remove(i, 2);
            --i;
            continue;
        }
        // Information_Schema.Key_Column_Usage
        if (t.at(i).isWord("Information_Schema") && i + 2 < t.size() && t.at(i + 1).isSymbol(".")
            && t.at(i + 2).name().compare(QLatin1String("Key_Column_Usage"), Qt::CaseInsensitive) == 0) {
            t[i].text = QStringLiteral("zInfoSchemaKeyColumnUsage");
            t.remove(i + 1, 2);
            continue;
        }
        // N'text'
        if (t.at(i).kind == TZSqlToken::Word && t.at(i).text.compare(QLatin1String("N"), Qt::CaseInsensitive) == 0
            && i + 1 < t.size() && t.at(i + 1).kind == TZSqlToken::String) {
            t.remove(i);
            continue;
        }
        // ON [PRIMARY]
        if (t.at(i).isWord("on")) {
            const qsizetype p = ZNextSolid(t, i + 1);
            if (p < t.size() && t.at(p).kind == TZSqlToken::Quoted
                && t.at(p).name().compare(QLatin1String("PRIMARY"), Qt::CaseInsensitive) == 0) {
                t.remove(i, p - i + 1);
                --i;
            }
        }
    }
}

void rewriteLiterals(Tokens &t)
{
    for (qsizetype i = 0; i < t.size(); ++i) {
        TZSqlToken &tok = t[i];
        if (tok.kind == TZSqlToken::Word && (tok.isWord("true") || tok.isWord("false"))) {
            const qsizetype next = ZNextSolid(t, i + 1);
            const qsizetype prev = ZPrevSolid(t, i - 1);
            const bool call = next < t.size() && t.at(next).isSymbol("(");
            const bool qualified = prev >= 0 && t.at(prev).isSymbol(".");
            if (!call && !qualified)
                tok.text = tok.isWord("true") ? QStringLiteral("-1") : QStringLiteral("0");
        } else if (tok.isSymbol("+")) {
            const qsizetype next = ZNextSolid(t, i + 1);
            const qsizetype prev = ZPrevSolid(t, i - 1);
            if ((next < t.size() && t.at(next).kind == TZSqlToken::String)
                || (prev >= 0 && t.at(prev).kind == TZSqlToken::String))
                tok.text = QStringLiteral("||");
        }
    }
}

void caseInsensitiveTextColumns(Tokens &t)
{
    const qsizetype create = ZNextSolid(t, 0);
    if (create >= t.size() || !t.at(create).isWord("create"))
        return;
    const qsizetype table = ZNextSolid(t, create + 1);
    if (table >= t.size() || !t.at(table).isWord("table"))
        return;
    // Column definitions: "name type[(n)] …" separated by "," at depth 1.
    int depth = 0;
    bool expectType = false;
    bool expectName = false;
    for (qsizetype i = table + 1; i < t.size(); ++i) {
        const TZSqlToken &tok = t.at(i);
        if (tok.isSymbol("(")) {
            ++depth;
            if (depth == 1)
                expectName = true;
            continue;
        }
        if (tok.isSymbol(")")) {
            --depth;
            continue;
        }
        if (depth != 1 || tok.kind == TZSqlToken::Space)
            continue;
        if (tok.isSymbol(",")) {
            expectName = true;
            continue;
        }
        if (expectName) {
            expectName = false;
            expectType = true;
            continue;
        }
        if (expectType) {
            expectType = false;
            const QString type = tok.name().toLower();
            if (type == QLatin1String("varchar") || type == QLatin1String("char") || type == QLatin1String("text")
                || type == QLatin1String("memo") || type == QLatin1String("nvarchar") || type == QLatin1String("nchar")
                || type == QLatin1String("ntext")) {
                qsizetype after = i;
                const qsizetype open = ZNextSolid(t, i + 1);
                if (open < t.size() && t.at(open).isSymbol("(")) {
                    const qsizetype close = ZMatchingParen(t, open);
                    if (close > 0)
                        after = close;
                }
                t.insert(after + 1, word(QStringLiteral(" COLLATE NOCASE")));
                i = after + 1;
            }
        }
    }
}

} // namespace

QString ZAdaptSqlForSqlite(const QString &sql)
{
    Tokens tokens = ZTokenizeSql(sql);
    dropServerNoise(tokens);
    renameFunctions(tokens);
    rewriteLiterals(tokens);
    rewriteTop(tokens);
    rewriteSelectInto(tokens);
    rewritePrimaryKey(tokens);
    caseInsensitiveTextColumns(tokens);
    ZPeriodRanges(tokens);
    ZCollateTextLiterals(tokens);
    ZAddMoneyTriggers(tokens);
    // Last: its CASE compares a text literal that must stay as written, the
    // same as in the time-of-day indexes.
    ZBuiltInTimeParts(tokens);
    return ZJoinSqlTokens(tokens);
}
