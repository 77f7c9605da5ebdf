// Mail through a real SMTP server on loopback: what arrives (sender name with
// its random code, envelope, decoded subject and body, HTML and attachments),
// the sender settings, feedback mail, reminder mail with its two messages,
// and the failure path.
#include "TMailTest.h"
#include "TestText.h"

#include "net/TSendEmailThread.h"
#include "net/ZRemindMail.h"
#include "net/ZSendEmail.h"
#include "net/ZSupportAddresses.h"
#include "settings/ZSession.h"

#include <QJsonArray>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kHeading = s("发送邮件失败，请检查网络连接是否正常？ 错误信息: ");

// A text as a mail carries it: lines ended by CRLF.
QString crlf(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

class Mail : public TMailTest
{
protected:
    static void userMailSettings(int port)
    {
        setParam(s("MailHost"), s("127.0.0.1"));
        setParam(s("MailUserName"), TSmtpTestServer::User());
        setParam(s("MailPassword"), TSmtpTestServer::Password());
        setParam(s("MailFromName"), s("小秘书"));
        setParam(s("MailPort"), QString::number(port));
    }

    static QStringList strings(const QJsonValue &array)
    {
        QStringList list;
        for (const QJsonValue &item : array.toArray())
            list << item.toString();
        return list;
    }
};

} // namespace

TEST_F(Mail, ArrivesWithCodedSenderNameRecipientsSubjectAndBody)
{
    const QString body = s("各位同事：\n明天上午 8:30 项目评审。\n. 以点开头的一行也要完整送达");
    for (int i = 0; i < 2; ++i) {
        InsideSendEmail(TSmtpTestServer::User(), TSmtpTestServer::Password(), s("127.0.0.1"), true, 5000,
                        s("one@example.com, 二号 <two@example.com>"), s("提醒助手"), s("mailer@example.com"), body,
                        s("会议提醒：项目评审"), server->Port());
    }
    const QList<QJsonObject> mails = server->WaitForMessages(2);
    ASSERT_EQ(mails.size(), 2);
    const QRegularExpression coded(s("^提醒助手\\([A-J]{4,7}\\)$"));
    for (const QJsonObject &mail : mails) {
        EXPECT_EQ(mail[s("mail_from")].toString(), s("mailer@example.com"));
        EXPECT_EQ(strings(mail[s("rcpt_tos")]), QStringList({s("one@example.com"), s("two@example.com")}));
        EXPECT_EQ(strings(mail[s("to")]), QStringList({s("one@example.com"), s("two@example.com")}));
        EXPECT_TRUE(coded.match(mail[s("from_name")].toString()).hasMatch()) << qPrintable(mail[s("from_name")].toString());
        EXPECT_EQ(mail[s("from_address")].toString(), s("mailer@example.com"));
        EXPECT_EQ(mail[s("subject")].toString(), s("会议提醒：项目评审"));
        EXPECT_EQ(mail[s("body_type")].toString(), s("text/plain"));
        EXPECT_EQ(mail[s("body")].toString(), crlf(body));
        EXPECT_FALSE(mail[s("date")].toString().isEmpty());
        EXPECT_FALSE(mail[s("message_id")].toString().isEmpty());
        EXPECT_TRUE(mail[s("defects")].toArray().isEmpty()) << qPrintable(strings(mail[s("defects")]).join(s(",")));
    }
    EXPECT_NE(mails[0][s("from_name")].toString(), mails[1][s("from_name")].toString());
    EXPECT_NE(mails[0][s("message_id")].toString(), mails[1][s("message_id")].toString());
    EXPECT_EQ(server->AuthLog(), QStringList(2, s("OK LOGIN ") + TSmtpTestServer::User()));
    waitForJobs();
    EXPECT_TRUE(notices.notices.isEmpty()) << qPrintable(notices.notices.join(s("\n")));
}

TEST_F(Mail, HtmlMailCarriesItsAttachments)
{
    QTemporaryDir dir;
    const QString report = dir.filePath(s("月度报告 12月.txt"));
    const QString picture = dir.filePath(s("chart.png"));
    const QByteArray reportBytes = s("收入 1,234.50\r\n支出 987.00\r\n").toUtf8();
    static const char pngData[] = "\x89PNG\r\n\x1a\n\x00\x00\xff\xfe binary";
    const QByteArray pictureBytes(pngData, sizeof(pngData) - 1);
    for (const auto &[path, bytes] : {std::pair{report, reportBytes}, std::pair{picture, pictureBytes}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    TZMailJob job;
    job.UserName = TSmtpTestServer::User();
    job.Password = TSmtpTestServer::Password();
    job.Host = s("127.0.0.1");
    job.Port = server->Port();
    job.Subject = s("本月报表");
    job.Body = s("<html><body><p>您好，<b>本月报表</b>见附件。</p></body></html>");
    job.SenderAddress = s("mailer@example.com");
    job.SenderName = s("财务");
    job.Recipients = s("boss@example.com");
    job.Attachments = {report, picture};
    const QPointer<TSendEmailThreadEx> sending = new TSendEmailThreadEx(job);
    sending->start();

    const QList<QJsonObject> mails = server->WaitForMessages(1);
    ASSERT_EQ(mails.size(), 1);
    const QJsonObject mail = mails.first();
    EXPECT_EQ(mail[s("content_type")].toString(), s("multipart/mixed"));
    EXPECT_EQ(mail[s("body_type")].toString(), s("text/html"));
    EXPECT_EQ(mail[s("body")].toString(), job.Body);
    EXPECT_EQ(mail[s("subject")].toString(), s("本月报表"));
    EXPECT_TRUE(QRegularExpression(s("^财务\\([A-J]{4,7}\\)$")).match(mail[s("from_name")].toString()).hasMatch());
    const QJsonArray attachments = mail[s("attachments")].toArray();
    ASSERT_EQ(attachments.size(), 2);
    EXPECT_EQ(attachments[0][s("filename")].toString(), s("月度报告 12月.txt"));
    EXPECT_EQ(attachments[0][s("content_type")].toString(), s("text/plain"));
    EXPECT_EQ(QByteArray::fromBase64(attachments[0][s("data")].toString().toLatin1()), reportBytes);
    EXPECT_EQ(attachments[1][s("filename")].toString(), s("chart.png"));
    EXPECT_EQ(attachments[1][s("content_type")].toString(), s("image/png"));
    EXPECT_EQ(QByteArray::fromBase64(attachments[1][s("data")].toString().toLatin1()), pictureBytes);
    EXPECT_TRUE(mail[s("defects")].toArray().isEmpty()) << qPrintable(strings(mail[s("defects")]).join(s(",")));
    QTRY_VERIFY_WITH_TIMEOUT(sending.isNull(), 30000); // the job frees itself
}

TEST_F(Mail, HtmlMailTriesThreeTimesThenReportsTheFailure)
{
    TSendEmailThreadEx::SetRetryPause(0);
    TZMailJob job;
    job.UserName = TSmtpTestServer::User();
    job.Password = s("wrong");
    job.Host = s("127.0.0.1");
    job.Port = server->Port();
    job.Subject = s("三次");
    job.Body = s("<p>x</p>");
    job.SenderAddress = s("mailer@example.com");
    job.Recipients = s("boss@example.com");
    (new TSendEmailThreadEx(job))->start();
    waitForJobs();

    EXPECT_EQ(server->AuthLog(), QStringList(3, s("FAIL LOGIN ") + TSmtpTestServer::User()));
    EXPECT_TRUE(server->Messages().isEmpty());
    ASSERT_EQ(notices.notices.size(), 1);
    EXPECT_TRUE(notices.notices.first().startsWith(kHeading)) << qPrintable(notices.notices.first());
    EXPECT_TRUE(notices.notices.first().endsWith(s("|255")));
    EXPECT_GT(notices.notices.first().size(), kHeading.size() + 4); // the server's reason follows
}

TEST_F(Mail, SenderSettingsFallBackToTheSupportDefaults)
{
    EXPECT_EQ(SenderHost(), ZSupportSmtpHost());
    EXPECT_EQ(SenderUserName(), ZSupportSenderAccount());
    EXPECT_EQ(SenderPassword(), s("418305927"));
    EXPECT_EQ(SenderPort(), 25);
    EXPECT_EQ(ReceiverEmail(), ZSupportMailbox());

    setParam(s("OrvexSenderPort"), s("abc"));
    EXPECT_EQ(SenderPort(), 25);
    setParam(s("OrvexSenderPort"), s("587"));
    EXPECT_EQ(SenderPort(), 587);
    setParam(s("OrvexSenderHost"), s("smtp.corp.example.net"));
    setParam(s("OrvexReceiverEmail"), s("help@corp.example.net"));
    EXPECT_EQ(SenderHost(), s("smtp.corp.example.net"));
    EXPECT_EQ(ReceiverEmail(), s("help@corp.example.net"));
}

TEST_F(Mail, FeedbackGoesToTheSupportMailboxSignedByEdition)
{
    supportSettings(server->Port());
    setParam(s("MyName"), s("张三"));
    setParam(s("CorpFullName"), s("某某贸易有限公司"));

    UserFeedBack(s("希望增加农历提醒。"));
    QList<QJsonObject> mails = server->WaitForMessages(1);
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0][s("subject")].toString(), s("客户意见反馈-张三"));
    EXPECT_EQ(mails[0][s("body")].toString(), s("希望增加农历提醒。"));
    EXPECT_EQ(strings(mails[0][s("rcpt_tos")]), QStringList{s("support@test.example.com")});
    EXPECT_EQ(mails[0][s("mail_from")].toString(), TSmtpTestServer::User());
    EXPECT_TRUE(QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(ZSupplierDisplayName())
                                   + s("\\([A-J]{4,7}\\)$"))
                    .match(mails[0][s("from_name")].toString())
                    .hasMatch());
    waitForJobs();

    // A company edition signs with the company; system 1001 also copies the
    // second mailbox.
    server->Clear();
    FSYSID = 1008;
    UserFeedBack(s("报表打印不全。"));
    mails = server->WaitForMessages(1);
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0][s("subject")].toString(), s("客户意见反馈-某某贸易有限公司"));
    waitForJobs();

    server->Clear();
    FSYSID = 1001;
    UserFeedBack(s("申请代理。"));
    mails = server->WaitForMessages(2);
    ASSERT_EQ(mails.size(), 2);
    QStringList recipients;
    for (const QJsonObject &mail : mails)
        recipients << strings(mail[s("rcpt_tos")]);
    recipients.sort();
    EXPECT_EQ(recipients, QStringList({ZSupportSecondMailbox(), s("support@test.example.com")}));
    FSYSID = 1003;
    waitForJobs();
    EXPECT_TRUE(notices.notices.isEmpty());
}

TEST_F(Mail, ReminderMailUsesTheUserSettings)
{
    userMailSettings(server->Port());
    ZSendRemindMail(s("周会"), s("下午三点周会，地点：二楼。"), s("me@example.com"));
    const QList<QJsonObject> mails = server->WaitForMessages(1);
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0][s("subject")].toString(), s("周会"));
    EXPECT_EQ(mails[0][s("body")].toString(), s("下午三点周会，地点：二楼。"));
    EXPECT_EQ(mails[0][s("mail_from")].toString(), TSmtpTestServer::User());
    EXPECT_EQ(strings(mails[0][s("rcpt_tos")]), QStringList{s("me@example.com")});
    EXPECT_TRUE(QRegularExpression(s("^小秘书\\([A-J]{4,7}\\)$")).match(mails[0][s("from_name")].toString()).hasMatch());
    waitForJobs();
    EXPECT_TRUE(notices.notices.isEmpty());
}

TEST_F(Mail, ReminderMailWithoutSettingsOrAddressIsToldInRed)
{
    const QString noServer = s("邮件发送服务器或用户名未设置，无法发送邮件提醒！|255");
    ZSendRemindMail(s("周会"), s("内容"), s("me@example.com"));
    userMailSettings(server->Port());
    setParam(s("MailUserName"), s("  "));
    ZSendRemindMail(s("周会"), s("内容"), s("me@example.com"));
    setParam(s("MailUserName"), TSmtpTestServer::User());
    ZSendRemindMail(s("周会"), s("内容"), s("  "));
    EXPECT_EQ(ZRunningMailJobs(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(notices.notices,
              QStringList({noServer, noServer, s("提醒主题[周会]目的邮件地址未设定，无法发送邮件提醒！|255")}));
}

TEST_F(Mail, FailuresAreReportedForRemindersAndSilentForFeedback)
{
    const int closed = TSmtpTestServer::ClosedPort();
    userMailSettings(closed);
    ZSendRemindMail(s("周会"), s("内容"), s("me@example.com"));
    waitForJobs();
    ASSERT_EQ(notices.notices.size(), 1);
    EXPECT_TRUE(notices.notices.first().startsWith(kHeading)) << qPrintable(notices.notices.first());
    EXPECT_TRUE(notices.notices.first().endsWith(s("|255")));

    notices.notices.clear();
    supportSettings(closed);
    UserFeedBack(s("反馈"));
    waitForJobs();
    EXPECT_TRUE(notices.notices.isEmpty()) << qPrintable(notices.notices.join(s("\n")));
}

TEST_F(Mail, AStoppedJobEndsSilently)
{
    // A server that accepts the connection and never greets.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    userMailSettings(silent.serverPort());
    ZSendRemindMail(s("周会"), s("内容"), s("me@example.com"));
    QTRY_VERIFY_WITH_TIMEOUT(silent.hasPendingConnections(), 30000);
    ZStopMailJobs();
    EXPECT_EQ(ZRunningMailJobs(), 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(notices.notices.isEmpty()) << qPrintable(notices.notices.join(s("\n")));
}
