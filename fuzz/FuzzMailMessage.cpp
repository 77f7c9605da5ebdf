// Feeds arbitrary recipient lists, sender names, subjects and bodies to the
// mail composition and checks what the SMTP server and mail programs rely
// on: only addresses that are addresses reach the envelope, every line of
// the message ends with CRLF and stays within 998 characters, and no text
// given by the user can start a header of its own.

#include "common/ZErrors.h"
#include "net/ZMailMessage.h"

#include <QList>

#include <cstdint>
#include <cstdlib>

namespace {

// The headers the composition writes; anything else at the start of a
// header line came from the input.
bool knownHeader(const QByteArray &line)
{
    for (const char *name : {"Date: ", "Message-ID: ", "From: ", "To: ", "Subject: ", "MIME-Version: ", "Content-Type: ",
                             "Content-Transfer-Encoding: "}) {
        if (line.startsWith(name))
            return true;
    }
    return line.startsWith(' ');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Fields separated by NUL: recipients, sender name, subject, body.
    const QList<QByteArray> fields = QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\0');
    const auto field = [&fields](int i) { return i < fields.size() ? QString::fromUtf8(fields.at(i)) : QString(); };
    try {
        TZMailMessage message;
        message.Recipients = ZMailRecipients(field(0));
        for (const QString &address : std::as_const(message.Recipients)) {
            if (!ZIsMailAddress(address))
                std::abort();
        }
        message.SenderName = ZAddRandomCode(field(1));
        message.SenderAddress = QStringLiteral("sender@example.com");
        message.Subject = field(2);
        message.Body = field(3);
        const QByteArray text = ZBuildMailMessage(message);
        const qsizetype headEnd = text.indexOf("\r\n\r\n");
        if (headEnd < 0)
            std::abort();
        // Header lines (the last one's CRLF belongs to the blank line).
        for (const QByteArray &line : text.left(headEnd + 2).split('\n')) {
            if (!line.isEmpty() && (!line.endsWith('\r') || !knownHeader(line)))
                std::abort();
        }
        for (const QByteArray &line : text.split('\n')) {
            if (line.size() > 998)
                std::abort();
        }
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool bareLineFeed = text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
            const bool bareReturn = text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
            if (bareLineFeed || bareReturn)
                std::abort();
        }
    } catch (const EZError &) {
        // a refused address list is an answer, not a fault
    }
    return 0;
}
