#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>

// Packed lists: several items kept in one text, joined by a separator text
// ("," unless told otherwise; "[#]", "[@]", "[*]", "^_^" and "[KRV_XML_KRV]"
// are the others in use). An empty text holds no item, and a separator at the
// very end does not start another item ("a,b," holds a and b). Items are kept
// as they stand; routines that trim or compare say so. An empty separator is
// refused with an EZError.

/// S with every separator replaced by a line break.
QString GetStrListTextFromStr(const QString &s, const QString &sep = QStringLiteral(","));

/// The items of S.
QStringList GetStrListFromStr(const QString &s, const QString &sep = QStringLiteral(","));

/// The items of S (the same as GetStrListFromStr; kept for its callers).
QStringList SplitStringArray(const QString &s, const QString &sep = QStringLiteral(","));

/// Item `index` (0-based) of S; empty when out of range.
QString GetStrListItem(const QString &s, const QString &sep, int index);

/// Two-level access: item `i` of S split by `mark1`, then item `j` of that
/// split by `mark2`. Equal marks (ignoring case) raise an EZError.
QString GetStrListItem(const QString &s, const QString &mark1, const QString &mark2, int i, int j);

int GetStrListItemCount(const QString &s, const QString &sep = QStringLiteral(","));

/// Index of `item` in S ignoring case; -1 when absent.
int GetItemIndex(const QString &s, const QString &sep, const QString &item);

/// Replaces item `index` when it exists, then re-packs the list with
/// MergeStrings, which drops blank items.
void SetStrListItem(QString &s, const QString &sep, const QString &value, int index);

/// Two-level replacement: item `j` of outer item `i` (split by `sep1`, then
/// by `sep2`), both levels re-packed as the one-level form does.
void SetStrListItem(QString &s, const QString &sep1, const QString &sep2, const QString &value, int i, int j);

/// Removes the first item equal to `item` ignoring case and re-packs the list
/// without blank items.
void RemoveStrListItem(QString &s, const QString &item, const QString &sep = QStringLiteral(","));

/// The non-blank items of `list` joined by the separator.
QString GetStrFromStrList(const QStringList &list, const QString &sep = QStringLiteral(","));

/// B when A is blank, A when B is blank, otherwise A + separator + B.
QString MergeStrings(const QString &a, const QString &b, const QString &sep = QStringLiteral(","));

/// Joins the items one by one with the two-text MergeStrings.
QString MergeStrings(const QStringList &items, const QString &sep = QStringLiteral(","));

/// Each item trimmed and quoted as a statement literal, joined by the separator.
QString QuoteItemStrs(const QString &s, const QString &sep = QStringLiteral(","));

/// The part of S before the first `sub`; S itself when `sub` is absent or at
/// the start.
QString GetProfixOfStr(const QString &s, const QString &sub);

/// Pick lists are comma texts. When they contain "=", each item is a text,
/// "=" and a number, and the text whose number equals `value` is returned;
/// otherwise the item at position `value` (empty when there is none).
QString GetPickListText(const QString &items, int value);

/// The inverse of GetPickListText: the number after "=" of the item whose text
/// is `text` (-1 when it has none or no item matches), or the position of
/// `text` in the list (-1 when absent).
int GetPickListValue(const QString &items, const QString &text);

/// The items of a pick list: split at commas outside double quotes, quotes
/// removed, each item trimmed.
QStringList PickListItems(const QString &items);

/// A and B are equal ignoring case once both are trimmed.
bool TrimSameText(const QString &a, const QString &b);

void ChangeValue(QString &a, QString &b);

template<typename T>
T IIF(bool condition, const T &a, const T &b)
{
    return condition ? a : b;
}

inline QString IIF(bool condition, const char *a, const char *b)
{
    return QString::fromUtf8(condition ? a : b);
}

bool OneOf(int value, std::initializer_list<int> values);

/// Membership of a text in a list, ignoring case.
bool OneOfStr(const QString &text, const QStringList &values);
