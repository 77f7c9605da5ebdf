#include "ZSqlTokens.h"

bool TZSqlToken::isWord(const char *word) const
{
    return kind == Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool TZSqlToken::isSymbol(const char *symbol) const
{
    return kind == Symbol && text == QLatin1String(symbol);
}

QString TZSqlToken::name() const
{
    if (kind == Quoted && text.size() >= 2)
        return text.mid(1, text.size() - 2);
    return text;
}

namespace {

bool isWordStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('@') || c.unicode() >= 0x80;
}

bool isWordChar(QChar c)
{
    return isWordStart(c) || c.isDigit() || c == QLatin1Char('$');
}

} // namespace

QList<TZSqlToken> ZTokenizeSql(const QString &sql)
{
    QList<TZSqlToken> tokens;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        const qsizetype start = i;
        TZSqlToken::Kind kind = TZSqlToken::Symbol;
        if (c.isSpace()) {
            while (i < n && sql.at(i).isSpace())
                ++i;
            kind = TZSqlToken::Space;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            while (i < n && sql.at(i) != QLatin1Char('\n'))
                ++i;
            kind = TZSqlToken::Space;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            kind = TZSqlToken::Space;
        } else if (c == QLatin1Char('\'')) {
            ++i;
            while (i < n) {
                if (sql.at(i) == QLatin1Char('\'')) {
                    if (i + 1 < n && sql.at(i + 1) == QLatin1Char('\'')) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            kind = TZSqlToken::String;
        } else if (c == QLatin1Char('[') || c == QLatin1Char('"')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('"');
            const qsizetype end = sql.indexOf(close, i + 1);
            i = end < 0 ? n : end + 1;
            kind = TZSqlToken::Quoted;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && sql.at(i + 1).isDigit())) {
            while (i < n && (sql.at(i).isDigit() || sql.at(i) == QLatin1Char('.')))
                ++i;
            if (i < n && (sql.at(i) == QLatin1Char('e') || sql.at(i) == QLatin1Char('E')) && i + 1 < n
                && (sql.at(i + 1).isDigit() || sql.at(i + 1) == QLatin1Char('-')
                    || sql.at(i + 1) == QLatin1Char('+'))) {
                i += 2;
                while (i < n && sql.at(i).isDigit())
                    ++i;
            }
            kind = TZSqlToken::Number;
        } else if (isWordStart(c)) {
            while (i < n && isWordChar(sql.at(i)))
                ++i;
            kind = TZSqlToken::Word;
        } else {
            ++i;
            if (i < n) {
                const QString two = sql.mid(start, 2);
                if (two == QLatin1String("<>") || two == QLatin1String("<=") || two == QLatin1String(">=")
                    || two == QLatin1String("!=") || two == QLatin1String("||"))
                    ++i;
            }
        }
        tokens.append(TZSqlToken{kind, sql.mid(start, i - start)});
    }
    return tokens;
}

QString ZJoinSqlTokens(const QList<TZSqlToken> &tokens)
{
    QString sql;
    for (const TZSqlToken &t : tokens)
        sql += t.text;
    return sql;
}

// Index of the next token that is not space, from `i` on; tokens.size() when none.
qsizetype ZNextSolid(const QList<TZSqlToken> &t, qsizetype i)
{
    while (i < t.size() && t.at(i).kind == TZSqlToken::Space)
        ++i;
    return i;
}

qsizetype ZPrevSolid(const QList<TZSqlToken> &t, qsizetype i)
{
    while (i >= 0 && t.at(i).kind == TZSqlToken::Space)
        --i;
    return i;
}

// The index of the ")" closing the "(" at `open`, or -1.
qsizetype ZMatchingParen(const QList<TZSqlToken> &t, qsizetype open)
{
    int depth = 0;
    for (qsizetype i = open; i < t.size(); ++i) {
        if (t.at(i).isSymbol("("))
            ++depth;
        else if (t.at(i).isSymbol(")") && --depth == 0)
            return i;
    }
    return -1;
}

// The end of the scope a token at `i` stands in: the ")" that closes its
// parenthesis, a ";" at its level, or the end of the statement.
qsizetype ZScopeEnd(const QList<TZSqlToken> &t, qsizetype i)
{
    int depth = 0;
    for (; i < t.size(); ++i) {
        if (t.at(i).isSymbol("("))
            ++depth;
        else if (t.at(i).isSymbol(")")) {
            if (depth == 0)
                return i;
            --depth;
        } else if (t.at(i).isSymbol(";") && depth == 0)
            return i;
    }
    return t.size();
}
