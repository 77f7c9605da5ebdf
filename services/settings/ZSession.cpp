#include "ZSession.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "settings/ZRegistry.h"
#include "common/ZTrim.h"
#include "ini/ZIniRoutines.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

namespace {

bool readRecordSqlSwitch()
{
    return GetIniItemValue(GetCurrPath() + QStringLiteral("sysconfig.ini"), QStringLiteral("LOGConfig"),
                           QStringLiteral("RecordACCESSSql"), true, QString())
               .trimmed()
           == QLatin1String("1");
}

bool readDevelopmentSwitch()
{
    return qEnvironmentVariable("ZKVA_DEVELOPMENT") == QLatin1String("1");
}

TUserInfo initialUser()
{
    return TUserInfo{QStringLiteral("Admin"), QStringLiteral("Admin"), QStringLiteral("管理员"), QString()};
}

QMutex g_identityMutex;
QString g_sysCode;   // cached GetSysCode
qint32 g_sysID = -1; // cached GetSysID
bool g_sysIDKnown = false;

QString executableFilePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

} // namespace

qint32 FSYSID = -1;
QString FSYSCode;
TSystemType FSystemType = stNet;
bool FRecordACCESSSql = readRecordSqlSwitch();
bool InDevelopmentEnv = readDevelopmentSwitch();
TUserInfo UserInfo = initialUser();
TZRect FQClientRect;
QString FWebSite;
QString FLastExecSql;
int FCursorBusyCount = 0;
bool FSysCodeSaveToRegist = false;

QString GetSysCode()
{
    QString code;
    bool firstCall = false;
    {
        QMutexLocker lock(&g_identityMutex);
        if (g_sysCode.isEmpty()) {
            QString name = QFileInfo(executableFilePath()).fileName();
            if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
                name.chop(4);
            g_sysCode = name.toUpper();
            firstCall = !FSysCodeSaveToRegist;
        }
        code = g_sysCode;
    }
    if (firstCall && !code.isEmpty()) {
        // Recording the code is a courtesy to other programs; a program
        // folder that cannot be written must not stop the program.
        try {
            WriteRegRootKey(code, code);
            FSysCodeSaveToRegist = true;
        } catch (const EZError &e) {
            qWarning("%s", qPrintable(e.message()));
        }
    }
    return code;
}

qint32 SysIDOfCode(const QString &sysCode)
{
    // This system's row of the framework's system table. The other products
    // of the framework have IDs of their own that this program never sees.
    if (sysCode.compare(QLatin1String("ZKVA"), Qt::CaseInsensitive) == 0)
        return 1003;
    return -1;
}

qint32 GetSysID()
{
    const QString code = GetSysCode();
    QMutexLocker lock(&g_identityMutex);
    if (!g_sysIDKnown) {
        g_sysID = SysIDOfCode(code);
        g_sysIDKnown = true;
    }
    return g_sysID;
}

qint32 CurrentSysID()
{
    return FSYSID != -1 ? FSYSID : GetSysID();
}

TUserInfo GetLoginUserInfo()
{
    return UserInfo;
}

void SetLoginUserInfo(const TUserInfo &info)
{
    UserInfo = info;
}

bool IsAdminUser()
{
    return UserInfo.UserID.compare(QLatin1String("Admin"), Qt::CaseInsensitive) == 0 || ZIsBlank(UserInfo.UserID);
}

void ResetSessionGlobals()
{
    {
        QMutexLocker lock(&g_identityMutex);
        g_sysCode.clear();
        g_sysID = -1;
        g_sysIDKnown = false;
    }
    FSYSID = -1;
    FSYSCode.clear();
    FSystemType = stNet;
    FRecordACCESSSql = readRecordSqlSwitch();
    InDevelopmentEnv = readDevelopmentSwitch();
    UserInfo = initialUser();
    FQClientRect = TZRect();
    FWebSite.clear();
    FLastExecSql.clear();
    FCursorBusyCount = 0;
    FSysCodeSaveToRegist = false;
}
