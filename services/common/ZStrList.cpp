#include "ZStrList.h"

#include "common/ZErrors.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"

namespace {

void checkSeparator(const QString &sep)
{
    if (sep.isEmpty())
        throw EZError(QStringLiteral("分隔符不能为空"));
}

// Finds item `index` without building the whole list; the hot path of key
// lists and form parameters.
QStringView itemAt(const QString &s, const QString &sep, int index, bool *found)
{
    *found = false;
    if (index < 0 || s.isEmpty())
        return {};
    qsizetype start = 0;
    for (int i = 0; i < index; ++i) {
        const qsizetype at = s.indexOf(sep, start);
        if (at < 0)
            return {};
        start = at + sep.size();
    }
    if (start >= s.size())
        return {}; // the empty tail after a final separator is no item
    qsizetype end = s.indexOf(sep, start);
    if (end < 0)
        end = s.size();
    *found = true;
    return QStringView(s).mid(start, end - start);
}

QString repack(const QStringList &items, const QString &sep)
{
    return MergeStrings(items, sep);
}

} // namespace

QString GetStrListTextFromStr(const QString &s, const QString &sep)
{
    checkSeparator(sep);
    QString result = s;
    result.replace(sep, QStringLiteral("\n"));
    return result;
}

QStringList GetStrListFromStr(const QString &s, const QString &sep)
{
    checkSeparator(sep);
    if (s.isEmpty())
        return {};
    QStringList items = s.split(sep, Qt::KeepEmptyParts);
    if (items.size() > 1 && items.constLast().isEmpty())
        items.removeLast();
    return items;
}

QStringList SplitStringArray(const QString &s, const QString &sep)
{
    return GetStrListFromStr(s, sep);
}

QString GetStrListItem(const QString &s, const QString &sep, int index)
{
    checkSeparator(sep);
    bool found = false;
    return itemAt(s, sep, index, &found).toString();
}

QString GetStrListItem(const QString &s, const QString &mark1, const QString &mark2, int i, int j)
{
    if (mark1.compare(mark2, Qt::CaseInsensitive) == 0)
        throw EZError(QStringLiteral("参数 AMark1 和 AMark2 不能相同"));
    return GetStrListItem(GetStrListItem(s, mark1, i), mark2, j);
}

int GetStrListItemCount(const QString &s, const QString &sep)
{
    checkSeparator(sep);
    if (s.isEmpty())
        return 0;
    // Separators are counted as split finds them: left to right, never
    // overlapping ("aaa" holds one "aa", not two).
    int count = 1;
    qsizetype at = 0;
    qsizetype last = -1;
    while ((at = s.indexOf(sep, at)) >= 0) {
        ++count;
        last = at;
        at += sep.size();
    }
    if (count > 1 && last + sep.size() == s.size())
        --count; // the empty tail after a final separator is no item
    return count;
}

int GetItemIndex(const QString &s, const QString &sep, const QString &item)
{
    const QStringList items = GetStrListFromStr(s, sep);
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).compare(item, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void SetStrListItem(QString &s, const QString &sep, const QString &value, int index)
{
    QStringList items = GetStrListFromStr(s, sep);
    if (index >= 0 && index < items.size())
        items[index] = value;
    s = repack(items, sep);
}

void SetStrListItem(QString &s, const QString &sep1, const QString &sep2, const QString &value, int i, int j)
{
    QString inner = GetStrListItem(s, sep1, i);
    SetStrListItem(inner, sep2, value, j);
    SetStrListItem(s, sep1, inner, i);
}

void RemoveStrListItem(QString &s, const QString &item, const QString &sep)
{
    QStringList items = GetStrListFromStr(s, sep);
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).compare(item, Qt::CaseInsensitive) == 0) {
            items.removeAt(i);
            break;
        }
    }
    s = repack(items, sep);
}

QString GetStrFromStrList(const QStringList &list, const QString &sep)
{
    return MergeStrings(list, sep);
}

QString MergeStrings(const QString &a, const QString &b, const QString &sep)
{
    if (ZIsBlank(a))
        return b;
    if (ZIsBlank(b))
        return a;
    return a + sep + b;
}

QString MergeStrings(const QStringList &items, const QString &sep)
{
    // The two-text form folded over the items, appending in place.
    QString result;
    for (const QString &item : items) {
        if (ZIsBlank(result)) {
            result = item;
        } else if (!ZIsBlank(item)) {
            result += sep;
            result += item;
        }
    }
    return result;
}

QString QuoteItemStrs(const QString &s, const QString &sep)
{
    const QStringList items = GetStrListFromStr(s, sep);
    QString result;
    for (int i = 0; i < items.size(); ++i) {
        if (i > 0)
            result += sep;
        result += ZQuotedStr(ZTrim(items.at(i)));
    }
    return result;
}

QString GetProfixOfStr(const QString &s, const QString &sub)
{
    const qsizetype at = sub.isEmpty() ? -1 : s.indexOf(sub);
    if (at <= 0)
        return s;
    return s.left(at);
}

QStringList PickListItems(const QString &items)
{
    QStringList result;
    QString current;
    bool quoted = false;
    bool any = false;
    for (QChar c : items) {
        any = true;
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (c == QLatin1Char(',') && !quoted) {
            result << ZTrim(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (any)
        result << ZTrim(current);
    return result;
}

QString GetPickListText(const QString &items, int value)
{
    const QStringList list = PickListItems(items);
    if (items.contains(QLatin1Char('='))) {
        for (const QString &item : list) {
            const qsizetype eq = item.indexOf(QLatin1Char('='));
            if (eq < 0)
                continue;
            bool ok = false;
            const int number = ZTrim(item.mid(eq + 1)).toInt(&ok);
            if (ok && number == value)
                return ZTrim(item.left(eq));
        }
        return {};
    }
    return value >= 0 && value < list.size() ? list.at(value) : QString();
}

int GetPickListValue(const QString &items, const QString &text)
{
    const QStringList list = PickListItems(items);
    const QString wanted = ZTrim(text);
    if (items.contains(QLatin1Char('='))) {
        for (const QString &item : list) {
            const qsizetype eq = item.indexOf(QLatin1Char('='));
            const QString itemText = ZTrim(eq < 0 ? item : item.left(eq));
            if (itemText != wanted)
                continue;
            if (eq < 0)
                return -1;
            bool ok = false;
            const int number = ZTrim(item.mid(eq + 1)).toInt(&ok);
            return ok ? number : -1;
        }
        return -1;
    }
    return int(list.indexOf(wanted));
}

bool TrimSameText(const QString &a, const QString &b)
{
    return ZTrim(a).compare(ZTrim(b), Qt::CaseInsensitive) == 0;
}

void ChangeValue(QString &a, QString &b)
{
    a.swap(b);
}

bool OneOf(int value, std::initializer_list<int> values)
{
    for (int v : values) {
        if (v == value)
            return true;
    }
    return false;
}

bool OneOfStr(const QString &text, const QStringList &values)
{
    return values.contains(text, Qt::CaseInsensitive);
}
