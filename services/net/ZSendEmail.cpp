#include "ZSendEmail.h"

#include "data/TParamInfo.h"
#include "net/TSendEmailThread.h"
#include "net/ZSupportAddresses.h"
#include "settings/ZSession.h"

namespace {

constexpr int kSupportTimeOut = 5000;

// Company editions sign feedback with the company's name.
bool isCompanyEdition(qint32 sysID)
{
    return sysID == 1001 || (sysID >= 1008 && sysID <= 1011);
}

void sendToSupport(const QString &recipients, const QString &subject, const QString &body)
{
    const QString account = SenderUserName();
    InsideSendEmail(account, SenderPassword(), SenderHost(), false, kSupportTimeOut, recipients,
                    ZSupplierDisplayName(), account, body, subject, SenderPort());
}

} // namespace

void InsideSendEmail(const QString &user, const QString &password, const QString &host, bool reportFailures,
                     int timeOut, const QString &recipients, const QString &senderName, const QString &senderAddress,
                     const QString &body, const QString &subject, int port)
{
    TZMailJob job;
    job.UserName = user;
    job.Password = password;
    job.Host = host;
    job.Port = port;
    job.Subject = subject;
    job.Body = body;
    job.SenderAddress = senderAddress;
    job.SenderName = senderName;
    job.Recipients = recipients;
    job.TimeOut = timeOut;
    job.ReportFailures = reportFailures;
    (new TSendEmailThread(std::move(job)))->start();
}

void InsideSendEmailToMe(const QString &subject, const QString &body)
{
    sendToSupport(ReceiverEmail(), subject, body);
}

void UserFeedBack(const QString &text)
{
    const qint32 sysID = CurrentSysID();
    const QString label = GetParamValue(isCompanyEdition(sysID) ? QStringLiteral("CorpFullName") : QStringLiteral("MyName"));
    const QString subject = QStringLiteral("客户意见反馈-") + label;
    InsideSendEmailToMe(subject, text);
    if (sysID == 1001)
        sendToSupport(ZSupportSecondMailbox(), subject, text);
}

QString SenderHost()
{
    return GetParamValue(QStringLiteral("OrvexSenderHost"), ZSupportSmtpHost());
}

QString SenderUserName()
{
    return GetParamValue(QStringLiteral("OrvexSenderUserName"), ZSupportSenderAccount());
}

QString SenderPassword()
{
    return GetParamValue(QStringLiteral("OrvexSenderPassword"), ZSupportSenderPassword());
}

int SenderPort()
{
    return ZMailPort(GetParamValue(QStringLiteral("OrvexSenderPort")));
}

QString ReceiverEmail()
{
    return GetParamValue(QStringLiteral("OrvexReceiverEmail"), ZSupportMailbox());
}

int ZMailPort(const QString &text)
{
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    return ok && port > 0 && port <= 65535 ? port : 25;
}
