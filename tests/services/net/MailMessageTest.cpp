// Composing mail: the random code of sender names, encoded header texts,
// recipient lists and the message text itself.
#include "TestErrors.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "net/ZMailMessage.h"
#include "net/ZSendEmail.h"

#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

// The texts of a header's encoded words, decoded and joined.
QString decodeWords(const QByteArray &header)
{
    static const QRegularExpression word(QStringLiteral("=\\?UTF-8\\?B\\?([A-Za-z0-9+/=]*)\\?="));
    QByteArray bytes;
    for (const auto &match : word.globalMatch(QString::fromLatin1(header)))
        bytes += QByteArray::fromBase64(match.captured(1).toLatin1());
    return QString::fromUtf8(bytes);
}

QList<QByteArray> lines(const QByteArray &text)
{
    return text.split('\n');
}

TZMailMessage sample()
{
    TZMailMessage message;
    message.SenderName = s("提醒助手(ABCD)");
    message.SenderAddress = s("mailer@example.com");
    message.Recipients = {s("one@example.com"), s("two@example.com")};
    message.Subject = s("会议提醒");
    message.Body = s("第一行\n第二行");
    message.Date = QDateTime(QDate(2026, 12, 7), QTime(8, 30, 5), QTimeZone(8 * 3600));
    return message;
}

} // namespace

TEST(MailMessage, SenderNamesGetARandomCodeForEveryMarker)
{
    const QRegularExpression coded(s("^提醒助手\\([A-J]{4,7}\\)$"));
    QSet<int> lengths;
    QSet<QString> names;
    for (int i = 0; i < 400; ++i) {
        const QString name = ZAddRandomCode(s("提醒助手"));
        ASSERT_TRUE(coded.match(name).hasMatch()) << qPrintable(name);
        lengths << int(name.size() - 6);
        names << name;
    }
    EXPECT_EQ(lengths, QSet<int>({4, 5, 6, 7}));
    EXPECT_GT(names.size(), 300); // successive names differ

    // A marker already in the name gets a code of its own; so does an empty name.
    const QString twice = ZAddRandomCode(s("张{随机码}三"));
    EXPECT_TRUE(QRegularExpression(s("^张\\([A-J]{4,7}\\)三\\([A-J]{4,7}\\)$")).match(twice).hasMatch()) << qPrintable(twice);
    EXPECT_TRUE(QRegularExpression(s("^\\([A-J]{4,7}\\)$")).match(ZAddRandomCode(QString())).hasMatch());
}

TEST(MailMessage, HeaderTextsAreEncodedWordsThatDecodeBack)
{
    EXPECT_EQ(ZEncodeHeaderText(s("Weekly report")), QByteArray("Weekly report"));
    // Long ASCII folds like any other text.
    const QString longAscii = QString(s("x")).repeated(2000);
    const QByteArray folded = ZEncodeHeaderText(longAscii);
    EXPECT_EQ(decodeWords(folded), longAscii);
    for (const QByteArray &line : lines(folded))
        EXPECT_LE(line.size(), 78);

    const QString chinese = s("会议提醒：明天上午 8:30 在三楼会议室评审项目计划，请带上笔记本电脑和上周的报告 😀 谢谢");
    const QByteArray encoded = ZEncodeHeaderText(chinese);
    for (const QByteArray &line : lines(encoded)) {
        EXPECT_LE(line.trimmed().size(), 75) << line.constData();
        // Every word decodes to whole characters on its own.
        EXPECT_FALSE(decodeWords(line).contains(QChar::ReplacementCharacter)) << line.constData();
    }
    EXPECT_GT(lines(encoded).size(), 2);
    EXPECT_LE((QByteArray("Subject: ") + lines(encoded).first().trimmed()).size(), 78);
    EXPECT_EQ(decodeWords(encoded), chinese);

    // Line breaks cannot start a header of their own; text that looks like an
    // encoded word reads back as written.
    const QByteArray injected = ZEncodeHeaderText(s("Hi\r\nBcc: x@example.com"));
    EXPECT_FALSE(injected.contains('\r') || injected.contains('\n'));
    EXPECT_EQ(decodeWords(ZEncodeHeaderText(s("=?UTF-8?B?5Lit?="))), s("=?UTF-8?B?5Lit?="));
}

TEST(MailMessage, RecipientListsGiveBareAddresses)
{
    EXPECT_EQ(ZMailRecipients(s(" a@example.com, 张三 <zhang@example.cn>; ;c@d ,")),
              QStringList({s("a@example.com"), s("zhang@example.cn"), s("c@d")}));
    EXPECT_TRUE(ZMailRecipients(s(" , ")).isEmpty());
    EXPECT_EQ(errorOf([] { ZMailRecipients(s("a@example.com, 李四")); }), s("邮件地址不正确：李四"));
    EXPECT_EQ(errorOf([] { ZMailRecipients(s("a@example.com>\r\nRCPT TO:<b@example.com")); }),
              s("邮件地址不正确：a@example.com>\r\nRCPT TO:<b@example.com"));
    EXPECT_FALSE(ZIsMailAddress(s("@example.com")));
    EXPECT_FALSE(ZIsMailAddress(s("a@")));
    EXPECT_FALSE(ZIsMailAddress(s("a b@example.com")));
    EXPECT_TRUE(ZIsMailAddress(s("first.last+tag@mail.example.com")));
}

TEST(MailMessage, PlainMessageHasItsHeadersAndABase64Body)
{
    const QByteArray text = ZBuildMailMessage(sample());
    const qsizetype split = text.indexOf("\r\n\r\n");
    ASSERT_GT(split, 0);
    const QByteArray head = text.left(split);
    EXPECT_TRUE(head.startsWith("Date: Mon, 07 Dec 2026 08:30:05 +0800\r\n")) << head.constData();
    EXPECT_TRUE(QRegularExpression(s("\r\nMessage-ID: <[0-9a-f]+\\.[0-9]+@example\\.com>\r\n"))
                    .match(QString::fromLatin1(head))
                    .hasMatch());
    EXPECT_TRUE(head.contains("\r\nTo: one@example.com,\r\n two@example.com\r\n"));
    EXPECT_TRUE(head.contains("\r\nMIME-Version: 1.0\r\n"));
    EXPECT_TRUE(head.contains("\r\nContent-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64"));
    const QByteArray from = head.mid(head.indexOf("From: ") + 6).split('\n').first();
    EXPECT_EQ(decodeWords(from), s("提醒助手(ABCD)"));
    EXPECT_TRUE(from.endsWith("<mailer@example.com>\r"));
    // Every line ends with CRLF and stays short.
    for (const QByteArray &line : lines(text)) {
        if (!line.isEmpty()) {
            EXPECT_TRUE(line.endsWith('\r')) << line.constData();
        }
        EXPECT_LE(line.size(), 78);
    }
    EXPECT_EQ(QByteArray::fromBase64(text.mid(split + 4)), s("第一行\r\n第二行").toUtf8());

    TZMailMessage plainName = sample();
    plainName.SenderName = s("Reminder \"bot\"");
    EXPECT_TRUE(ZBuildMailMessage(plainName).contains("From: \"Reminder \\\"bot\\\"\" <mailer@example.com>\r\n"));
}

TEST(MailMessage, AttachmentsArePartsWithEncodedFileNames)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(s("报告 2026.pdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    static const char pdf[] = "%PDF-1.4\n\x00\xff binary";
    const QByteArray content(pdf, sizeof(pdf) - 1);
    file.write(content);
    file.close();

    TZMailMessage message = sample();
    message.Html = true;
    message.Body = s("<p>你好</p>");
    message.Attachments = {path};
    const QByteArray text = ZBuildMailMessage(message);
    const QRegularExpressionMatch boundary =
        QRegularExpression(s("Content-Type: multipart/mixed; boundary=\"([^\"]+)\"")).match(QString::fromLatin1(text));
    ASSERT_TRUE(boundary.hasMatch());
    const QByteArray marker = "--" + boundary.captured(1).toLatin1();
    EXPECT_EQ(text.count(marker + "\r\n"), 2);
    EXPECT_TRUE(text.endsWith(marker + "--\r\n"));
    EXPECT_TRUE(text.contains("Content-Type: text/html; charset=UTF-8"));
    EXPECT_TRUE(text.contains("Content-Type: application/pdf;\r\n name=\"=?UTF-8?B?"));
    EXPECT_TRUE(text.contains("Content-Disposition: attachment;\r\n filename*=UTF-8''%E6%8A%A5%E5%91%8A%202026.pdf\r\n"));
    const qsizetype attachment = text.indexOf("filename*=");
    const qsizetype data = text.indexOf("\r\n\r\n", attachment) + 4;
    EXPECT_EQ(QByteArray::fromBase64(text.mid(data, text.indexOf(marker, data) - data)), content);

    message.Attachments = {dir.filePath(s("缺少.txt"))};
    EXPECT_EQ(errorOf([&] { ZBuildMailMessage(message); }), s("无法读取附件文件：") + dir.filePath(s("缺少.txt")));
}

TEST(MailMessage, BadAddressesStopTheMessage)
{
    TZMailMessage message = sample();
    message.Recipients.clear();
    EXPECT_EQ(errorOf([&] { ZBuildMailMessage(message); }), s("收件人地址未设定"));
    message = sample();
    message.SenderAddress = s("mailer");
    EXPECT_EQ(errorOf([&] { ZBuildMailMessage(message); }), s("邮件地址不正确：mailer"));
}

TEST(MailMessage, PortsDefaultTo25)
{
    EXPECT_EQ(ZMailPort(QString()), 25);
    EXPECT_EQ(ZMailPort(s("abc")), 25);
    EXPECT_EQ(ZMailPort(s("0")), 25);
    EXPECT_EQ(ZMailPort(s("70000")), 25);
    EXPECT_EQ(ZMailPort(s(" 2525 ")), 2525);
}
