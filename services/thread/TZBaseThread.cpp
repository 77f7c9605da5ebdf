#include "TZBaseThread.h"

#include "common/ZClock.h"
#include "common/ZErrors.h"
#include "common/ZMainWindow.h"
#include "common/ZWinMessages.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace {

bool onGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

QString twoDigits(int n)
{
    return QString::number(n / 10) + QString::number(n % 10);
}

} // namespace

TZBaseThread::TZBaseThread(bool createSuspended, QObject *parent) : QThread(parent), m_createSuspended(createSuspended)
{
    DoThreadCreate();
    m_needRaiseException = true;
    m_threadIndex = -1;
}

TZBaseThread::~TZBaseThread()
{
    if (isRunning()) {
        requestInterruption();
        while (!wait(50)) {
            if (onGuiThread() && QCoreApplication::instance())
                QCoreApplication::processEvents();
        }
    }
}

void TZBaseThread::HandOver(const std::function<void()> &step)
{
    const auto guarded = [&step]() {
        try {
            step();
        } catch (const EZAbort &) {
        } catch (...) {
            const QString message = ZCurrentExceptionMessage();
            qWarning("%s", qPrintable(message));
            PostMsgToMainWindow(message, ZMSG_COLOR_ERROR);
        }
    };
    if (onGuiThread()) {
        guarded();
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), guarded, Qt::BlockingQueuedConnection);
}

void TZBaseThread::AddMessage(const QString &text)
{
    m_message = text;
    if (!m_onProcessMessage)
        return;
    HandOver([this]() { m_onProcessMessage(m_threadIndex, m_message); });
}

QString TZBaseThread::GetTime() const
{
    const QTime now = ZTime();
    return m_threadName + QLatin1Char('[') + twoDigits(now.hour()) + QLatin1Char(':') + twoDigits(now.minute())
           + QLatin1Char(':') + twoDigits(now.second()) + QStringLiteral("]: ");
}

void TZBaseThread::run()
{
    m_startTime = ZNow();
    try {
        if (DoExecute()) {
            HandOver([this]() {
                AfterThreadComplete(true);
                if (m_onComplete)
                    m_onComplete(m_threadIndex, m_threadName);
            });
        }
    } catch (...) {
        m_currentException = std::current_exception();
        HandleException();
        m_currentException = nullptr;
    }
}

void TZBaseThread::HandleException()
{
    QString message;
    try {
        std::rethrow_exception(m_currentException);
    } catch (const EZAbort &) {
        return;
    } catch (...) {
        message = ZCurrentExceptionMessage();
    }
    HandOver([this, &message]() {
        AfterThreadComplete(false);
        const QString report = GetExceptionHead() + message;
        if (m_needRaiseException)
            PostMsgToMainWindow(report, ZMSG_COLOR_ERROR);
        if (m_onRaiseException)
            m_onRaiseException(m_threadIndex, m_threadName, report);
    });
}

bool TZBaseThread::DoExecute()
{
    return true;
}

QString TZBaseThread::GetExceptionHead()
{
    return {};
}

void TZBaseThread::DoThreadCreate() {}

void TZBaseThread::AfterThreadComplete(bool success)
{
    Q_UNUSED(success)
}

void KillThread(TZBaseThread *&thread)
{
    if (!thread)
        return;
    thread->requestInterruption();
    thread->quit();
    while (!thread->wait(500)) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
    }
    delete thread;
    thread = nullptr;
}
