#include "ZSingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

TZSingleInstance::TZSingleInstance(const QString &name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    m_lock = std::make_unique<QLockFile>(QDir(folder).filePath(name + QStringLiteral(".lock")));
    m_lock->setStaleLockTime(0); // a lock is stale only when its process is gone
    m_acquired = m_lock->tryLock(0);
}

TZSingleInstance::~TZSingleInstance() = default;
