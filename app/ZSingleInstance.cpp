#include "ZSingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QString lockPath(const QString &name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    return QDir(folder).filePath(name + QStringLiteral(".lock"));
}

} // namespace

TZSingleInstance::TZSingleInstance(const QString &name) : m_lock(lockPath(name)), m_result(m_lock.TryLock()) {}
