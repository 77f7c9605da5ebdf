#include "ZMailMessage.h"

#include "common/ZErrors.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMimeDatabase>
#include <QRandomGenerator>

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

// Header texts in encoded words: 39 bytes of UTF-8 make 52 base64
// characters, a word "=?UTF-8?B?…?=" of 64, so even "Subject: " and its
// first word stay within the 78 characters a header line should keep to.
constexpr int kWordBytes = 39;
// Base64 body lines: 76 characters, the MIME limit.
constexpr int kBase64Line = 76;
// Printable ASCII longer than this goes into encoded words as well, which
// fold onto continuation lines: a header line must stay below 998
// characters, and should below 78.
constexpr int kPlainHeaderLength = 60;

QString randomCode()
{
    QRandomGenerator *random = QRandomGenerator::global();
    const int length = 4 + int(random->bounded(4)); // 4 to 7
    QString code(QLatin1Char('('));
    for (int i = 0; i < length; ++i)
        code += QChar(u'A' + char16_t(random->bounded(10)));
    return code + QLatin1Char(')');
}

QByteArray randomHex(int bytes)
{
    QByteArray raw(bytes, Qt::Uninitialized);
    for (char &c : raw)
        c = char(QRandomGenerator::global()->bounded(256));
    return raw.toHex();
}

bool isPlainHeaderText(const QString &text)
{
    if (text.size() > kPlainHeaderLength)
        return false;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    }
    // Text that merely looks like an encoded word would be decoded by the
    // reader; encode it so it reads back as written.
    return !text.contains(QLatin1String("=?"));
}

// Line breaks and other control characters would end the header or break it.
QString headerSafe(const QString &text)
{
    QString safe;
    safe.reserve(text.size());
    for (const QChar c : text)
        safe += (c.unicode() < 0x20 || c.unicode() == 0x7F) ? QLatin1Char(' ') : c;
    return safe;
}

QByteArray base64Lines(const QByteArray &data)
{
    const QByteArray encoded = data.toBase64();
    QByteArray lines;
    lines.reserve(encoded.size() + encoded.size() / kBase64Line * 2 + 2);
    for (qsizetype at = 0; at < encoded.size(); at += kBase64Line)
        lines += encoded.mid(at, kBase64Line) + kCrLf;
    return lines;
}

// Text with every line ended by CRLF, the canonical form of text parts.
QByteArray canonicalText(const QString &text)
{
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lines.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return lines.toUtf8();
}

// A phrase (display name) for an address header: printable ASCII as a
// quoted string, anything else as encoded words.
QByteArray displayName(const QString &name)
{
    const QString safe = headerSafe(name).trimmed();
    if (!isPlainHeaderText(safe)) {
        return ZEncodeHeaderText(safe);
    }
    QByteArray quoted = safe.toLatin1();
    quoted.replace('\\', "\\\\");
    quoted.replace('"', "\\\"");
    return '"' + quoted + '"';
}

QByteArray rfc5322Date(const QDateTime &moment)
{
    const int offset = moment.offsetFromUtc() / 60;
    const int magnitude = offset < 0 ? -offset : offset;
    const QString zone = QStringLiteral("%1%2%3")
                             .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                             .arg(magnitude / 60, 2, 10, QLatin1Char('0'))
                             .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
    return (QLocale::c().toString(moment, QStringLiteral("ddd, dd MMM yyyy hh:mm:ss ")) + zone).toLatin1();
}

QByteArray messageId(const QString &senderAddress)
{
    const qsizetype at = senderAddress.lastIndexOf(QLatin1Char('@'));
    const QString domain = at >= 0 ? senderAddress.mid(at + 1) : QString();
    return '<' + randomHex(12) + '.' + QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + '@'
           + (domain.isEmpty() ? QByteArrayLiteral("localhost") : domain.toUtf8()) + '>';
}

// RFC 2231 parameter value: UTF-8 with everything but unreserved characters
// percent-encoded.
QByteArray extendedParameter(const QString &value)
{
    return "UTF-8''" + value.toUtf8().toPercentEncoding();
}

QByteArray attachmentPart(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EZError(QStringLiteral("无法读取附件文件：") + path);
    const QByteArray content = file.readAll();
    const QString name = headerSafe(QFileInfo(path).fileName());
    const QByteArray type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().toLatin1();
    QByteArray part;
    if (isPlainHeaderText(name) && !name.contains(QLatin1Char('"')) && !name.contains(QLatin1Char('\\'))) {
        const QByteArray plain = name.toLatin1();
        part += "Content-Type: " + type + "; name=\"" + plain + '"' + kCrLf;
        part += "Content-Disposition: attachment; filename=\"" + plain + '"' + kCrLf;
    } else {
        // The encoded-word name is what older mail programs read; the RFC 2231
        // file name is the standard one.
        part += "Content-Type: " + type + ";" + kCrLf + " name=\"" + ZEncodeHeaderText(name).replace(kCrLf + ' ', " ")
                + '"' + kCrLf;
        part += "Content-Disposition: attachment;" + kCrLf + " filename*=" + extendedParameter(name) + kCrLf;
    }
    part += "Content-Transfer-Encoding: base64" + kCrLf + kCrLf;
    part += base64Lines(content);
    return part;
}

QByteArray textPart(const TZMailMessage &message)
{
    const QByteArray subtype = message.Html ? QByteArrayLiteral("html") : QByteArrayLiteral("plain");
    return "Content-Type: text/" + subtype + "; charset=UTF-8" + kCrLf + "Content-Transfer-Encoding: base64" + kCrLf
           + kCrLf + base64Lines(canonicalText(message.Body));
}

void checkAddress(const QString &address)
{
    if (!ZIsMailAddress(address))
        throw EZError(QStringLiteral("邮件地址不正确：") + address);
}

} // namespace

QString ZAddRandomCode(const QString &senderName)
{
    const QString marker = QString::fromUtf16(kRandomCodeMarker);
    const QString named = senderName + marker;
    QString result;
    qsizetype from = 0;
    for (qsizetype at = named.indexOf(marker); at >= 0; at = named.indexOf(marker, from)) {
        result += named.mid(from, at - from) + randomCode();
        from = at + marker.size();
    }
    return result + named.mid(from);
}

QByteArray ZEncodeHeaderText(const QString &text)
{
    const QString safe = headerSafe(text);
    if (isPlainHeaderText(safe))
        return safe.toLatin1();
    QList<QByteArray> words;
    QByteArray chunk;
    // Whole characters only: a word must decode on its own.
    for (qsizetype i = 0; i < safe.size();) {
        const qsizetype length = safe.at(i).isHighSurrogate() && i + 1 < safe.size() ? 2 : 1;
        const QByteArray character = safe.mid(i, length).toUtf8();
        if (chunk.size() + character.size() > kWordBytes) {
            words << chunk;
            chunk.clear();
        }
        chunk += character;
        i += length;
    }
    if (!chunk.isEmpty())
        words << chunk;
    QByteArray encoded;
    for (const QByteArray &word : std::as_const(words)) {
        if (!encoded.isEmpty())
            encoded += kCrLf + ' ';
        encoded += "=?UTF-8?B?" + word.toBase64() + "?=";
    }
    return encoded;
}

bool ZIsMailAddress(const QString &address)
{
    const qsizetype at = address.lastIndexOf(QLatin1Char('@'));
    if (at <= 0 || at == address.size() - 1)
        return false;
    static const QString delimiters = QStringLiteral("<>()[],;:\\\"");
    for (const QChar c : address) {
        if (c.unicode() <= 0x20 || c.unicode() == 0x7F || delimiters.contains(c) || c.isSpace())
            return false;
    }
    return true;
}

QStringList ZMailRecipients(const QString &list)
{
    QStringList addresses;
    QString items = list;
    items.replace(QLatin1Char(';'), QLatin1Char(','));
    for (const QString &raw : items.split(QLatin1Char(','))) {
        const QString item = raw.trimmed();
        if (item.isEmpty())
            continue;
        QString address = item;
        const qsizetype open = item.lastIndexOf(QLatin1Char('<'));
        if (open >= 0 && item.endsWith(QLatin1Char('>')))
            address = item.mid(open + 1, item.size() - open - 2).trimmed();
        if (!ZIsMailAddress(address))
            throw EZError(QStringLiteral("邮件地址不正确：") + item);
        addresses << address;
    }
    return addresses;
}

QByteArray ZBuildMailMessage(const TZMailMessage &message)
{
    if (message.Recipients.isEmpty())
        throw EZError(QStringLiteral("收件人地址未设定"));
    checkAddress(message.SenderAddress);
    for (const QString &recipient : message.Recipients)
        checkAddress(recipient);

    QByteArray text;
    text += "Date: " + rfc5322Date(message.Date.isValid() ? message.Date : QDateTime::currentDateTime()) + kCrLf;
    text += "Message-ID: " + messageId(message.SenderAddress) + kCrLf;
    const QByteArray sender = '<' + message.SenderAddress.toUtf8() + '>';
    text += "From: " + (message.SenderName.trimmed().isEmpty() ? sender : displayName(message.SenderName) + ' ' + sender)
            + kCrLf;
    // One address a line: a long list would pass the line limit.
    text += "To: " + message.Recipients.join(QStringLiteral(",\r\n ")).toUtf8() + kCrLf;
    text += "Subject: " + ZEncodeHeaderText(message.Subject) + kCrLf;
    text += "MIME-Version: 1.0" + kCrLf;
    if (message.Attachments.isEmpty())
        return text + textPart(message);

    // The parts are built first: a file that cannot be read stops the mail
    // before anything is sent.
    QList<QByteArray> parts{textPart(message)};
    for (const QString &path : message.Attachments)
        parts << attachmentPart(path);
    const QByteArray boundary = "=_ZKVA_" + randomHex(12);
    text += "Content-Type: multipart/mixed; boundary=\"" + boundary + '"' + kCrLf + kCrLf;
    text += "This is a multi-part message in MIME format." + kCrLf;
    for (const QByteArray &part : std::as_const(parts))
        text += "--" + boundary + kCrLf + part;
    return text + "--" + boundary + "--" + kCrLf;
}
