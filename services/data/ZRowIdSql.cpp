#include "ZRowIdSql.h"

#include "data/ZSqlTokens.h"

#include <QList>

const char *const kZRowIdColumn = "ZKVA_RowId_";

namespace {

bool isAnyWord(const TZSqlToken &t, std::initializer_list<const char *> words)
{
    for (const char *w : words) {
        if (t.isWord(w))
            return true;
    }
    return false;
}

} // namespace

QString ZStatementWithRowId(const QString &statement)
{
    const QList<TZSqlToken> all = ZTokenizeSql(statement);
    // The positions (in `all`) of the tokens outside any parentheses.
    QList<qsizetype> top;
    int depth = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const TZSqlToken &t = all.at(i);
        if (t.kind == TZSqlToken::Space)
            continue;
        if (t.isSymbol(")")) {
            if (--depth < 0)
                return {};
            continue;
        }
        if (depth == 0)
            top << i;
        if (t.isSymbol("("))
            ++depth;
    }
    if (depth != 0 || top.isEmpty() || !all.at(top.first()).isWord("select"))
        return {};

    // Where the new column goes: after "select", "all" and "top n".
    qsizetype k = 1;
    if (k < top.size() && all.at(top.at(k)).isWord("all"))
        ++k;
    if (k < top.size() && all.at(top.at(k)).isWord("top"))
        k += 2;
    if (k >= top.size())
        return {};
    const qsizetype insertAfter = top.at(k - 1);

    qsizetype from = -1;
    for (qsizetype j = 1; j < top.size(); ++j) {
        const TZSqlToken &t = all.at(top.at(j));
        if (isAnyWord(t, {"distinct", "group", "having", "union", "intersect", "except", "into", "window"}))
            return {};
        // An aggregate in the select list makes one row of many: it has no
        // row of the table behind it.
        if (from < 0 && isAnyWord(t, {"count", "sum", "min", "max", "avg", "total", "group_concat"})
            && j + 1 < top.size() && all.at(top.at(j + 1)).isSymbol("("))
            return {};
        if (from < 0 && t.isWord("from"))
            from = j;
    }
    if (from < 0)
        return {};
    // from <table> [[as] alias] and then the end, where, order or limit.
    qsizetype j = from + 1;
    if (j >= top.size() || (all.at(top.at(j)).kind != TZSqlToken::Word && all.at(top.at(j)).kind != TZSqlToken::Quoted))
        return {};
    ++j;
    while (j + 1 < top.size() && all.at(top.at(j)).isSymbol(".")) // schema.table
        j += 2;
    if (j < top.size() && all.at(top.at(j)).isWord("as"))
        ++j;
    if (j < top.size() && !isAnyWord(all.at(top.at(j)), {"where", "order", "limit"})
        && (all.at(top.at(j)).kind == TZSqlToken::Word || all.at(top.at(j)).kind == TZSqlToken::Quoted))
        ++j; // the alias
    if (j < top.size() && !isAnyWord(all.at(top.at(j)), {"where", "order", "limit"})
        && !all.at(top.at(j)).isSymbol(";"))
        return {};

    QString text;
    for (qsizetype i = 0; i < all.size(); ++i) {
        text += all.at(i).text;
        if (i == insertAfter)
            text += QStringLiteral(" rowid as %1,").arg(QLatin1String(kZRowIdColumn));
    }
    return text;
}
