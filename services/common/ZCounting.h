#pragma once

#include <QChar>
#include <QString>

// Counting texts: the running numbers of keys and bill numbers are texts of
// digits and letters that count up position by position.

/// The next character: '0'-'8', 'A'-'Y' and 'a'-'y' step by one; '9', 'Z' and
/// 'z' wrap to '0', 'A' and 'a' and set `carry`. Any other character is
/// returned unchanged without carry.
QChar IncChar(QChar c, bool &carry);

/// The next counting text: 999 → 1000, A9 → B0, ZZ → AAA, Z9 → A0 (the carry
/// out of the first character is lost), 12-9 → 12-0 (a character that cannot
/// count stops the carry), an empty text → 1.
QString IncString(const QString &s);

/// S + 1 when S is an integer, otherwise IncString(S); left-padded with "0"
/// to the length of S (a longer result is kept). 000123 → 000124.
QString IncIntString(const QString &s);

/// The letter for a digit character: '0' → 'A' … '9' → 'J'.
QChar NumberToABC(QChar digit);

/// The digit character for a letter 'A'-'J'; any other character gives '0'.
QChar ABCToNumber(QChar letter);
