#include "ZFtpListing.h"

#include "common/ZErrors.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {

// Unix form: type and permission letters, then links, owner and group (group
// sometimes absent), the size, the date ("Dec 07 23:40" or "Dec 07  2025";
// the month as any word, as some servers write it in their language) and,
// after one blank, the name.
const QRegularExpression &unixLine()
{
    static const QRegularExpression re(QStringLiteral(
        R"(^([-dlbcps])\S{9}\S*\s+.*?\s(\d+)\s+\S+\s+\d{1,2}\s+(?:\d{1,2}:\d{2}|\d{4})\s(.+)$)"));
    return re;
}

// DOS form: date, time with AM/PM, "<DIR>" or the size, the name.
const QRegularExpression &dosLine()
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\d{1,2}-\d{1,2}-\d{2,4}\s+\d{1,2}:\d{2}\s*(?:[AaPp][Mm])?\s+(<DIR>|\d+)\s+(.+)$)"));
    return re;
}

QString decodeName(const QByteArray &raw)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(raw);
    if (!utf8.hasError())
        return text;
    // Stateless: a sequence cut off at the end becomes a replacement
    // character instead of vanishing.
    QStringDecoder gb("GB18030", QStringDecoder::Flag::Stateless);
    if (gb.isValid()) {
        text = gb.decode(raw);
        if (!text.isEmpty())
            return text;
    }
    return QString::fromLatin1(raw);
}

// The name's bytes: the listing line is matched as Latin-1 text, so each
// character of a match is one byte of the line.
QByteArray rawBytes(const QString &latin1)
{
    return latin1.toLatin1();
}

} // namespace

QList<TZFtpEntry> ZParseFtpListing(const QByteArray &listing)
{
    QList<TZFtpEntry> entries;
    for (QByteArray line : listing.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const QString text = QString::fromLatin1(line);
        if (text.startsWith(QLatin1String("total "), Qt::CaseInsensitive))
            continue;
        TZFtpEntry entry;
        if (const QRegularExpressionMatch m = unixLine().match(text); m.hasMatch()) {
            const QChar type = m.captured(1).at(0);
            QByteArray raw = rawBytes(m.captured(3));
            if (type == QLatin1Char('l')) {
                const qsizetype arrow = raw.indexOf(" -> ");
                if (arrow > 0)
                    raw.truncate(arrow);
            }
            entry.IsFolder = type == QLatin1Char('d');
            entry.Size = m.captured(2).toLongLong();
            entry.RawName = raw;
        } else if (const QRegularExpressionMatch d = dosLine().match(text); d.hasMatch()) {
            entry.IsFolder = d.captured(1).compare(QLatin1String("<DIR>"), Qt::CaseInsensitive) == 0;
            entry.Size = entry.IsFolder ? -1 : d.captured(1).toLongLong();
            entry.RawName = rawBytes(d.captured(2));
        } else {
            throw EZError(QStringLiteral("服务器返回的目录清单无法识别：") + decodeName(line));
        }
        if (entry.RawName == "." || entry.RawName == "..")
            continue;
        // A name that would leave its folder, or that no file system could
        // hold, is not a listing this program can follow.
        if (entry.RawName.contains('/') || entry.RawName.contains('\0') || entry.RawName.contains('\\'))
            throw EZError(QStringLiteral("服务器返回的文件名无效：") + decodeName(entry.RawName));
        entry.Name = decodeName(entry.RawName);
        entries << entry;
    }
    return entries;
}
