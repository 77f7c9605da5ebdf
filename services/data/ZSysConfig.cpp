#include "ZSysConfig.h"

#include "common/ZFiles.h"
#include "ini/ZIniRoutines.h"

namespace {

QString configFile()
{
    return GetCurrPath() + QStringLiteral("sysconfig.ini");
}

} // namespace

QString ReadSysConfig(const QString &section, const QString &key, const QString &defaultValue)
{
    return GetIniItemValue(configFile(), section, key, true, defaultValue);
}

void WriteSysConfig(const QString &section, const QString &key, const QString &value)
{
    SetIniItemValue(configFile(), section, key, value, true);
}
