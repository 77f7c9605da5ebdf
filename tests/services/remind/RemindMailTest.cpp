// The e-mails of due reminders, sent by the poll through a real SMTP server
// on loopback: a memo reminder to its own address, a birthday tomorrow to
// the birthday address; a missing address is told to the user and the poll
// goes on.

#include "RemindTestSupport.h"
#include "TMailTest.h"

#include <QJsonArray>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

class RemindMail : public TMailTest
{
protected:
    void SetUp() override
    {
        TMailTest::SetUp();
        clock = std::make_unique<TTestClock>(TRemindTest::at(7, 8, 30));
        ZRemindStore().Clear();
        ZRemindPoller().Reset();
    }

    void TearDown() override
    {
        TMailTest::TearDown();
        ZRemindStore().Clear();
        ZRemindPoller().Reset();
        clock.reset();
    }

    std::unique_ptr<TTestClock> clock;
};

} // namespace

TEST_F(RemindMail, DueRemindersMailTheirAddresses)
{
    setParam(s("MailHost"), s("127.0.0.1"));
    setParam(s("MailUserName"), TSmtpTestServer::User());
    setParam(s("MailPassword"), TSmtpTestServer::Password());
    setParam(s("MailPort"), QString::number(server->Port()));
    setParam(s("MailFromName"), s("小秘书"));
    setParam(s("BornDateRemindEmail"), s("family@example.com"));
    const QDate later(2027, 1, 1);
    TRemindTest::addReminder(1, s("M1"), s("周会"), 1, s("08:30"), later,
                             s("EmailRemind = -1, EmailAddress = 'me@example.com', RemindContent = '下午三点，二楼。'"));
    TRemindTest::addReminder(1, s("M2"), s("无地址"), 1, s("08:30"), later, s("EmailRemind = -1"));
    TRemindTest::addReminder(1, s("M3"), s("不发邮件"), 1, s("08:30"), later, s("EmailAddress = 'me@example.com'"));
    TRemindTest::addReminder(2, s("M1"), s("明天生日"), 1, s("08:30"), later);
    TRemindTest::addReminder(3, s("M1"), s("今天生日"), 1, s("08:30"), later);

    EXPECT_EQ(ZPollReminders().Added, 5);
    QList<QJsonObject> mails = server->WaitForMessages(2);
    ASSERT_EQ(mails.size(), 2);
    std::sort(mails.begin(), mails.end(), [](const QJsonObject &a, const QJsonObject &b) {
        return a[s("subject")].toString() < b[s("subject")].toString();
    });
    EXPECT_EQ(mails[0][s("subject")].toString(), s("周会"));
    EXPECT_EQ(mails[0][s("body")].toString(), s("下午三点，二楼。"));
    EXPECT_EQ(mails[0][s("rcpt_tos")].toArray().first().toString(), s("me@example.com"));
    EXPECT_EQ(mails[1][s("subject")].toString(), s("明天生日"));
    EXPECT_EQ(mails[1][s("rcpt_tos")].toArray().first().toString(), s("family@example.com"));
    waitForJobs();
    EXPECT_EQ(notices.notices, QStringList{s("提醒主题[无地址]目的邮件地址未设定，无法发送邮件提醒！|255")});
    EXPECT_EQ(server->Messages().size(), 2);
}
