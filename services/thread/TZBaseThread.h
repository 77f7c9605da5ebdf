#pragma once

#include <QDateTime>
#include <QString>
#include <QThread>

#include <exception>
#include <functional>

/// Called on the user-interface thread after a completed job.
using TCompleteEvent = std::function<void(int ATreadIndex, const QString &AThreadName)>;
/// Called on the user-interface thread for each progress text.
using TProcessMessageEvent = std::function<void(int ATreadIndex, const QString &AMessage)>;
/// Called on the user-interface thread after a failed job.
using TRaiseExceptionEvent = std::function<void(int ATreadIndex, const QString &AThreadName, const QString &AErrMsg)>;

/// The base of every background job. It runs the job body (DoExecute) on its
/// own thread and hands progress texts, completion and failure to the
/// user-interface thread: each hand-over runs there synchronously, in the
/// order the worker issued it, while the worker waits. A failure becomes a
/// report text; unless switched off it is also posted to the main window as a
/// red notice (ZWM_ADDMSG). An EZAbort ends the job silently.
///
/// Workers never touch windows outside the hand-overs. An owner that waits
/// for a worker on the user-interface thread must keep that thread's events
/// running (KillThread does), or a worker in a hand-over would wait forever.
///
/// The thread starts with start(); a subclass takes its job parameters in its
/// own constructor and starts itself when it was not created suspended.
class TZBaseThread : public QThread
{
    Q_OBJECT

public:
    explicit TZBaseThread(bool createSuspended = true, QObject *parent = nullptr);
    ~TZBaseThread() override;

    void SetThreadName(const QString &name) { m_threadName = name; }
    void SetThreadIndex(int index) { m_threadIndex = index; }
    void SetNeedRaiseException(bool flag) { m_needRaiseException = flag; }
    void SetCompleteEvent(TCompleteEvent handler) { m_onComplete = std::move(handler); }
    void SetProcessMessageEvent(TProcessMessageEvent handler) { m_onProcessMessage = std::move(handler); }
    void SetRaiseExceptionEvent(TRaiseExceptionEvent handler) { m_onRaiseException = std::move(handler); }

    const QString &ThreadName() const { return m_threadName; }
    int ThreadIndex() const { return m_threadIndex; }
    bool NeedRaiseException() const { return m_needRaiseException; }
    bool CreateSuspended() const { return m_createSuspended; }
    QDateTime StartTime() const { return m_startTime; }

    /// True once the owner asked the job to stop (KillThread); long jobs check
    /// it between steps and return.
    bool Terminated() const { return isInterruptionRequested(); }

    /// Hands a progress text to the process-message event on the
    /// user-interface thread and waits until it ran.
    void AddMessage(const QString &text);

    /// The thread name followed by the time as "[hh:mm:ss]: ", for progress
    /// lines: Sync[09:05:03]: .
    QString GetTime() const;

protected:
    void run() final;

    /// Failure hand-over; called with the exception being handled available
    /// through CurrentException().
    virtual void HandleException();

    /// The job body; true when the job finished and completion is to be
    /// reported. The base does nothing and returns true.
    virtual bool DoExecute();

    /// Text placed before the exception message in a failure report; empty in
    /// the base.
    virtual QString GetExceptionHead();

    /// Runs from the base constructor before the defaults are set. As C++
    /// constructs the base first, only the base's own (empty) version can run
    /// there; subclasses prepare themselves in their own constructors.
    virtual void DoThreadCreate();

    /// Runs on the user-interface thread after the job: true after a
    /// completed job, false after a failure. The base does nothing.
    virtual void AfterThreadComplete(bool success);

    /// The exception being handled; set only while HandleException runs.
    std::exception_ptr CurrentException() const { return m_currentException; }

    /// Runs `step` on the user-interface thread and waits for it. Exceptions
    /// thrown by the step are reported and do not reach the worker.
    void HandOver(const std::function<void()> &step);

private:
    std::exception_ptr m_currentException;
    TRaiseExceptionEvent m_onRaiseException;
    QString m_threadName;
    TCompleteEvent m_onComplete;
    QDateTime m_startTime;
    TProcessMessageEvent m_onProcessMessage;
    QString m_message;
    bool m_needRaiseException = true;
    int m_threadIndex = -1;
    bool m_createSuspended = true;
};

/// Stops a worker and frees it: asks the job to stop, then waits for the
/// thread in steps of 500 ms while the user-interface events keep running,
/// deletes the object and clears the caller's pointer. The stop is
/// cooperative: a forced stop could leave locks held and files half written.
void KillThread(TZBaseThread *&thread);
