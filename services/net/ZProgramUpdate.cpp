#include "ZProgramUpdate.h"

#include "common/ZFiles.h"
#include "common/ZTrim.h"
#include "common/ZVersion.h"
#include "data/ZSysConfig.h"
#include "ini/ZIniRoutines.h"

#include <QCoreApplication>
#include <QFileInfo>

TZUpdateServer ZReadUpdateServer()
{
    const QString section = QStringLiteral("AutoUpdate");
    TZUpdateServer server;
    server.Host = ZTrim(ReadSysConfig(section, QStringLiteral("Host")));
    bool ok = false;
    const int port = ZTrim(ReadSysConfig(section, QStringLiteral("Port"))).toInt(&ok);
    if (ok && port > 0 && port < 65536)
        server.Port = port;
    server.UserName = ReadSysConfig(section, QStringLiteral("UserName"));
    server.Password = ReadSysConfig(section, QStringLiteral("Password"));
    return server;
}

QString ZUpdateFolder()
{
    return GetCurrPath() + QStringLiteral("AutoUpdateMOX/");
}

QString GetUpdateMsgVersion(const QString &iniFile)
{
    if (!QFileInfo(iniFile).isFile())
        return {};
    return ZTrim(GetIniItemValue(iniFile, QStringLiteral("UpdateMsg"), QStringLiteral("Version")));
}

bool IsNeedUpdate()
{
    const QString offered = GetUpdateMsgVersion(ZUpdateFolder() + QStringLiteral("UpdateMsg.ini"));
    const QString localFile = GetCurrPath() + QStringLiteral("UpdateMsg.ini");
    const QString local = QFileInfo(localFile).isFile() ? GetUpdateMsgVersion(localFile)
                                                        : GetVersion(QCoreApplication::applicationFilePath());
    return CompareVersion(offered, local) > 0;
}
