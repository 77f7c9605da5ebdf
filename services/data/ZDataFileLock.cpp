#include "ZDataFileLock.h"

#include "common/ZErrors.h"
#include "common/ZProcessLock.h"

#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <memory>

namespace {

struct Held
{
    std::shared_ptr<TZProcessLock> lock;
    int users = 0;
};

QMutex g_mutex;
QHash<QString, Held> &held()
{
    // Never destroyed: a connection closed by a static destructor at exit
    // (the session's) still finds its entry.
    static auto *locks = new QHash<QString, Held>;
    return *locks;
}

} // namespace

TZDataFileLock::TZDataFileLock(const QString &path)
{
    const QFileInfo info(path);
    // One file reached by two spellings (a link, "..") is one lock.
    m_key = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    QMutexLocker lock(&g_mutex);
    Held &entry = held()[m_key];
    if (entry.users == 0) {
        auto file = std::make_shared<TZProcessLock>(m_key + QStringLiteral(".lock"));
        switch (file->TryLock()) {
        case TZProcessLock::Acquired:
            break;
        case TZProcessLock::HeldByOther:
            held().remove(m_key);
            throw EZError(QStringLiteral("数据文件%1正在被另一个程序使用，无法打开！").arg(m_key));
        case TZProcessLock::CannotWrite:
            held().remove(m_key);
            throw EZError(QStringLiteral("无法在文件夹%1中写入文件（%2），数据文件%3无法打开，请确认该文件夹可以写入！")
                              .arg(info.absolutePath(), file->ErrorText(), m_key));
        }
        entry.lock = std::move(file);
    }
    ++entry.users;
}

TZDataFileLock::~TZDataFileLock()
{
    QMutexLocker lock(&g_mutex);
    auto it = held().find(m_key);
    if (it == held().end())
        return;
    if (--it->users == 0)
        held().erase(it);
}
