#pragma once

#include <QList>
#include <QString>

/// One token of a statement text.
struct TZSqlToken
{
    enum Kind {
        Space,  ///< blanks, line breaks and comments
        Word,   ///< a name or key word
        Quoted, ///< a name in [brackets] or "double quotes"
        String, ///< a text literal in single quotes
        Number, ///< a number literal
        Symbol  ///< an operator or punctuation character (one or two characters)
    };
    Kind kind;
    QString text;

    bool isWord(const char *word) const;
    bool isSymbol(const char *symbol) const;
    /// The name a Word or Quoted token stands for (brackets removed).
    QString name() const;
};

/// Splits a statement into tokens; joining the texts gives the statement back.
QList<TZSqlToken> ZTokenizeSql(const QString &sql);

/// Joins the token texts.
QString ZJoinSqlTokens(const QList<TZSqlToken> &tokens);

/// The index of the next token that is not space, from `i` on; the size of
/// the list when there is none.
qsizetype ZNextSolid(const QList<TZSqlToken> &tokens, qsizetype i);

/// The index of the last token that is not space, from `i` back; -1 when none.
qsizetype ZPrevSolid(const QList<TZSqlToken> &tokens, qsizetype i);

/// The index of the ")" closing the "(" at `open`, or -1.
qsizetype ZMatchingParen(const QList<TZSqlToken> &tokens, qsizetype open);

/// The end of the scope a token at `i` stands in: the ")" that closes its
/// parenthesis, a ";" at its level, or the end of the statement.
qsizetype ZScopeEnd(const QList<TZSqlToken> &tokens, qsizetype i);
