#include "TNoticeWindow.h"
#include "TTestClock.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "common/ZMainWindow.h"
#include "common/ZWinMessages.h"
#include "thread/TZBaseThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

namespace {

/// A worker whose job is given as a function, recording the hooks it sees.
class TScriptedThread final : public TZBaseThread
{
public:
    explicit TScriptedThread(std::function<bool(TScriptedThread &)> job) : m_job(std::move(job)) {}

    QStringList log;
    QString head;

    using TZBaseThread::AddMessage;

protected:
    bool DoExecute() override { return m_job(*this); }
    QString GetExceptionHead() override { return head; }
    void AfterThreadComplete(bool success) override
    {
        log << (success ? s("after:true") : s("after:false"));
        EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
    }

private:
    std::function<bool(TScriptedThread &)> m_job;
};

void runToEnd(TZBaseThread &thread)
{
    QEventLoop loop;
    QObject::connect(&thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread.start();
    if (!thread.isFinished())
        loop.exec();
    thread.wait();
    QCoreApplication::processEvents(); // deliver posted notices
}

void record(TScriptedThread &t)
{
    t.SetCompleteEvent([&t](int index, const QString &name) {
        t.log << s("complete:%1:%2").arg(index).arg(name);
        EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
    });
    t.SetProcessMessageEvent([&t](int index, const QString &text) { t.log << s("msg:%1:%2").arg(index).arg(text); });
    t.SetRaiseExceptionEvent([&t](int index, const QString &name, const QString &error) {
        t.log << s("error:%1:%2:%3").arg(index).arg(name, error);
    });
}

} // namespace

TEST(BaseThread, CompletedJobHandsOverInOrder)
{
    TScriptedThread t([](TScriptedThread &self) {
        for (int i = 1; i <= 3; ++i)
            self.AddMessage(s("第%1步").arg(i));
        return true;
    });
    t.SetThreadName(s("Sync"));
    t.SetThreadIndex(4);
    record(t);
    runToEnd(t);
    EXPECT_EQ(t.log, QStringList({s("msg:4:第1步"), s("msg:4:第2步"), s("msg:4:第3步"), s("after:true"),
                                  s("complete:4:Sync")}));
    EXPECT_TRUE(t.StartTime().isValid());
}

TEST(BaseThread, JobReturningFalseReportsNothing)
{
    TScriptedThread t([](TScriptedThread &) { return false; });
    record(t);
    runToEnd(t);
    EXPECT_TRUE(t.log.isEmpty());
}

TEST(BaseThread, FailureGoesToTheMainWindowAndTheEvent)
{
    TNoticeWindow window;
    SetZMainWindow(&window);
    TScriptedThread t([](TScriptedThread &) -> bool { throw EZError(s("发送邮件失败")); });
    t.head = s("邮件：");
    record(t);
    runToEnd(t);
    EXPECT_EQ(t.log, QStringList({s("after:false"), s("error:-1::邮件：发送邮件失败")})); // no index given: -1
    EXPECT_EQ(window.notices, QStringList({s("邮件：发送邮件失败|255")}));

    // Switched off, the failure reaches only the event.
    TScriptedThread quiet([](TScriptedThread &) -> bool { throw std::runtime_error("disk full"); });
    quiet.SetNeedRaiseException(false);
    record(quiet);
    runToEnd(quiet);
    EXPECT_EQ(quiet.log, QStringList({s("after:false"), s("error:-1::disk full")}));
    EXPECT_EQ(window.notices.size(), 1);
    SetZMainWindow(nullptr);
}

TEST(BaseThread, FailureWithoutMainWindowStillCallsTheEvent)
{
    SetZMainWindow(nullptr);
    TScriptedThread t([](TScriptedThread &) -> bool { throw EZError(s("失败")); });
    record(t);
    runToEnd(t);
    EXPECT_EQ(t.log, QStringList({s("after:false"), s("error:-1::失败")}));
}

TEST(BaseThread, AbortIsSilent)
{
    TNoticeWindow window;
    SetZMainWindow(&window);
    TScriptedThread t([](TScriptedThread &) -> bool { throw EZAbort(); });
    record(t);
    runToEnd(t);
    EXPECT_TRUE(t.log.isEmpty());
    EXPECT_TRUE(window.notices.isEmpty());
    SetZMainWindow(nullptr);
}

TEST(BaseThread, GetTimeFormat)
{
    TTestClock clock(QDateTime(QDate(2011, 6, 21), QTime(0, 0, 0)));
    TScriptedThread t([](TScriptedThread &) { return true; });
    t.SetThreadName(s("Sync"));
    EXPECT_EQ(t.GetTime(), s("Sync[00:00:00]: "));
    clock.set(QDateTime(QDate(2011, 6, 21), QTime(9, 5, 3)));
    EXPECT_EQ(t.GetTime(), s("Sync[09:05:03]: "));
}

TEST(BaseThread, KillThreadStopsALongJobAndClearsThePointer)
{
    auto *worker = new TScriptedThread([](TScriptedThread &self) {
        while (!self.Terminated()) {
            self.AddMessage(s("tick")); // hand-overs keep working while the owner waits
            QThread::msleep(5);
        }
        return true;
    });
    bool completed = false;
    worker->SetCompleteEvent([&completed](int, const QString &) { completed = true; });
    TZBaseThread *thread = worker;
    thread->start();
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
    KillThread(thread);
    EXPECT_EQ(thread, nullptr);
    EXPECT_TRUE(completed);

    TZBaseThread *none = nullptr;
    KillThread(none);
    EXPECT_EQ(none, nullptr);
}
