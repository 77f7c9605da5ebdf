#include "ZClock.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>

#include <atomic>

namespace {

// The set state is read on every call from any thread; the flag keeps the
// common, unset case free of locking.
std::atomic<bool> g_isSet{false};
QMutex g_mutex;
QDateTime g_moment;
bool g_running = false;
QElapsedTimer g_sinceSet;

} // namespace

QDateTime ZNow()
{
    if (!g_isSet.load(std::memory_order_acquire))
        return QDateTime::currentDateTime();
    QMutexLocker lock(&g_mutex);
    if (!g_isSet.load(std::memory_order_relaxed))
        return QDateTime::currentDateTime();
    return g_running ? g_moment.addMSecs(g_sinceSet.elapsed()) : g_moment;
}

QDate ZDate()
{
    return ZNow().date();
}

QTime ZTime()
{
    return ZNow().time();
}

void SetZClock(const QDateTime &moment, bool running)
{
    QMutexLocker lock(&g_mutex);
    g_moment = moment;
    g_running = running;
    g_sinceSet.start();
    g_isSet.store(true, std::memory_order_release);
}

void ResetZClock()
{
    QMutexLocker lock(&g_mutex);
    g_isSet.store(false, std::memory_order_release);
}
