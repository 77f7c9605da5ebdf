#include "TSendEmailThread.h"

#include "common/ZClock.h"
#include "common/ZErrors.h"
#include "net/ZMailMessage.h"
#include "net/ZSmtpClient.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSet>

#include <atomic>

namespace {

std::atomic<int> g_retryPause{5000};

// The jobs whose threads still run; touched on the main thread only.
QSet<TSendEmailThread *> &runningJobs()
{
    static QSet<TSendEmailThread *> jobs;
    return jobs;
}

void stopJobsAtExit()
{
    static bool connected = false;
    if (connected || !QCoreApplication::instance())
        return;
    connected = true;
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &ZStopMailJobs);
}

} // namespace

TSendEmailThread::TSendEmailThread(TZMailJob job, QObject *parent) : TZBaseThread(true, parent), m_job(std::move(job))
{
    ZSmtpGlobalInit();
    stopJobsAtExit();
    SetThreadName(QStringLiteral("SendEmail"));
    SetNeedRaiseException(m_job.ReportFailures);
    runningJobs().insert(this);
    connect(this, &QThread::finished, this, [this] {
        runningJobs().remove(this);
        deleteLater();
    });
}

TSendEmailThread::~TSendEmailThread()
{
    runningJobs().remove(this);
}

QString TSendEmailThread::GetExceptionHead()
{
    return QStringLiteral("发送邮件失败，请检查网络连接是否正常？ 错误信息: ");
}

QByteArray TSendEmailThread::ComposeMessage(bool html) const
{
    TZMailMessage message;
    message.SenderName = ZAddRandomCode(m_job.SenderName);
    message.SenderAddress = m_job.SenderAddress.trimmed();
    message.Recipients = ZMailRecipients(m_job.Recipients);
    message.Subject = m_job.Subject;
    message.Body = m_job.Body;
    message.Html = html;
    if (html)
        message.Attachments = m_job.Attachments;
    message.Date = ZNow();
    return ZBuildMailMessage(message);
}

void TSendEmailThread::Deliver(const QByteArray &message)
{
    const TZSmtpAccount account{m_job.Host, m_job.Port, m_job.UserName, m_job.Password};
    ZSmtpSend(account, m_job.SenderAddress.trimmed(), ZMailRecipients(m_job.Recipients), message, m_job.TimeOut,
              [this] { return Terminated(); });
}

bool TSendEmailThread::DoExecute()
{
    Deliver(ComposeMessage(false));
    return true;
}

TSendEmailThreadEx::TSendEmailThreadEx(TZMailJob job, QObject *parent) : TSendEmailThread(std::move(job), parent)
{
    SetThreadName(QStringLiteral("SendEmailEx"));
}

void TSendEmailThreadEx::SetRetryPause(int milliseconds)
{
    g_retryPause = milliseconds;
}

bool TSendEmailThreadEx::DoExecute()
{
    // Composed once: a file that cannot be read does not get better by
    // trying again.
    const QByteArray message = ComposeMessage(true);
    for (int attempt = 1;; ++attempt) {
        try {
            Deliver(message);
            return true;
        } catch (const EZAbort &) {
            throw;
        } catch (...) {
            if (attempt >= kAttempts)
                throw;
        }
        // Each attempt has its own connection; wait before the next one,
        // stopping at once when the job is asked to.
        for (int waited = 0; waited < g_retryPause; waited += 50) {
            if (Terminated())
                throw EZAbort();
            msleep(std::min(50, g_retryPause - waited));
        }
    }
}

int ZRunningMailJobs()
{
    return int(runningJobs().size());
}

void ZStopMailJobs()
{
    QList<QPointer<TSendEmailThread>> jobs;
    for (TSendEmailThread *job : std::as_const(runningJobs())) {
        job->requestInterruption();
        jobs << job;
    }
    for (const QPointer<TSendEmailThread> &job : std::as_const(jobs)) {
        while (job && !job->wait(50))
            QCoreApplication::processEvents();
        if (job)
            runningJobs().remove(job.data());
    }
}
