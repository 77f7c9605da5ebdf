#include "ZProperty.h"

#include "common/ZTrim.h"

namespace {

constexpr QStringView kLongMark = u"[##]";

// The second piece of `item` split at every `mark`: the text between the
// first and the second mark.
QStringView secondPiece(QStringView item, QStringView mark)
{
    const qsizetype first = item.indexOf(mark);
    if (first < 0)
        return {};
    const qsizetype start = first + mark.size();
    const qsizetype second = item.indexOf(mark, start);
    return item.mid(start, second < 0 ? item.size() - start : second - start);
}

} // namespace

QString GetProperty(const QString &text, const QString &name)
{
    // Walks the items in place: property look-ups run for every field of
    // every window, so no list of items is built.
    const QStringView all(text);
    qsizetype start = 0;
    while (start <= all.size()) {
        qsizetype end = all.indexOf(QLatin1Char(';'), start);
        if (end < 0)
            end = all.size();
        const QStringView item = all.mid(start, end - start);
        if (item.startsWith(name)) {
            const QStringView rest = item.mid(name.size());
            const bool longForm = item.contains(kLongMark);
            if (longForm && rest.startsWith(kLongMark))
                return ZTrim(secondPiece(item, kLongMark).toString());
            if (!longForm && rest.startsWith(QLatin1Char('=')))
                return ZTrim(secondPiece(item, u"=").toString());
        }
        start = end + 1;
    }
    return {};
}
