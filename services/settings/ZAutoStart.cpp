#include "ZAutoStart.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "settings/ZSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

QString ZAutoStartFile()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart/") + GetSysCode() + QStringLiteral(".desktop");
}

bool ZIsAutoStart()
{
    return QFile::exists(ZAutoStartFile());
}

void ZSetAutoStart(bool on)
{
    const QString file = ZAutoStartFile();
    const bool done = on ? CreateShortcut(QCoreApplication::applicationFilePath(), file, GetSysCode())
                         : !QFile::exists(file) || QFile::remove(file);
    if (!done)
        throw EZError(QStringLiteral("无法设定开机自动启动：") + QDir::toNativeSeparators(file));
}
