#include "ZEncode.h"

#include <QByteArray>
#include <QStringDecoder>

namespace {

// A small linear congruential key stream; its constants are part of the
// stored format and must not change.
class KeyStream
{
public:
    quint8 next()
    {
        m_state = m_state * 1103515245u + 12345u;
        return quint8(m_state >> 16);
    }

private:
    quint32 m_state = 0x5A4B5641u;
};

quint16 checkOf(const QByteArray &plain)
{
    quint16 a = 1;
    quint16 b = 0;
    for (char c : plain) {
        a = quint16((a + quint8(c)) % 251);
        b = quint16((b + a) % 251);
    }
    return quint16((b << 8) | a);
}

} // namespace

QString EncodeString(const QString &text)
{
    if (text.isEmpty())
        return {};
    const QByteArray plain = text.toUtf8();
    QByteArray mixed;
    mixed.reserve(plain.size() + 2);
    KeyStream key;
    for (char c : plain)
        mixed.append(char(quint8(c) ^ key.next()));
    const quint16 check = checkOf(plain);
    mixed.append(char(quint8(check >> 8) ^ key.next()));
    mixed.append(char(quint8(check & 0xFF) ^ key.next()));
    return QString::fromLatin1(mixed.toHex().toUpper());
}

QString DecodeString(const QString &text)
{
    if (text.size() < 6 || text.size() % 2 != 0)
        return text;
    for (QChar c : text) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))))
            return text;
    }
    const QByteArray mixed = QByteArray::fromHex(text.toLatin1());
    KeyStream key;
    QByteArray plain;
    plain.reserve(mixed.size() - 2);
    for (qsizetype i = 0; i < mixed.size() - 2; ++i)
        plain.append(char(quint8(mixed.at(i)) ^ key.next()));
    const quint8 high = quint8(mixed.at(mixed.size() - 2)) ^ key.next();
    const quint8 low = quint8(mixed.at(mixed.size() - 1)) ^ key.next();
    if (quint16((high << 8) | low) != checkOf(plain))
        return text;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(plain);
    return utf8.hasError() ? text : decoded;
}
