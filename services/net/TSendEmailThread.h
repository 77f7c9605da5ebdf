#pragma once

#include "thread/TZBaseThread.h"

#include <QString>
#include <QStringList>

/// What a mail job sends, and how.
struct TZMailJob
{
    QString UserName; ///< the SMTP account (LOGIN authentication)
    QString Password;
    QString Host;
    int Port = 25;
    QString Subject;
    QString Body;
    QString SenderAddress;
    QString SenderName; ///< gets a random code (ZAddRandomCode) when sent
    QString Recipients; ///< comma-separated addresses
    int TimeOut = 5000; ///< connection time-out in milliseconds
    bool ReportFailures = true;
    QStringList Attachments; ///< files to attach (HTML jobs only)
};

/// A plain-text mail sent on a worker thread of its own. The job is created
/// suspended on the main thread, started with start(), and frees itself when
/// its thread has finished. A failure ends the job; when the job reports
/// failures, the worker base posts it to the main window under the heading
/// "发送邮件失败，请检查网络连接是否正常？ 错误信息: ".
class TSendEmailThread : public TZBaseThread
{
    Q_OBJECT

public:
    explicit TSendEmailThread(TZMailJob job, QObject *parent = nullptr);
    ~TSendEmailThread() override;

    const TZMailJob &Job() const { return m_job; }

protected:
    bool DoExecute() override;
    QString GetExceptionHead() override;

    /// The composed message of the job (a new random code each time).
    QByteArray ComposeMessage(bool html) const;
    /// One delivery of a composed message.
    void Deliver(const QByteArray &message);

    TZMailJob m_job;
};

/// An HTML mail with attachments: like TSendEmailThread, with the content
/// type "text/html", the job's files attached and up to three attempts; a
/// failed attempt waits five seconds before the next, and the third failure
/// is the job's failure.
class TSendEmailThreadEx : public TSendEmailThread
{
    Q_OBJECT

public:
    explicit TSendEmailThreadEx(TZMailJob job, QObject *parent = nullptr);

    static constexpr int kAttempts = 3;
    /// The pause between attempts in milliseconds (5000). Tests shorten it.
    static void SetRetryPause(int milliseconds);

protected:
    bool DoExecute() override;
};

/// The number of mail jobs whose threads have not finished yet.
int ZRunningMailJobs();

/// Asks every running mail job to stop and waits for them, keeping the
/// main thread's events running (a job may be handing over a failure). Runs
/// by itself when the application quits.
void ZStopMailJobs();
