#include "ZRegistry.h"

#include "common/ZFiles.h"
#include "settings/ZSession.h"
#include "ini/TZIniFile.h"

namespace {

QString registryFile()
{
    return GetCurrPath() + QStringLiteral("registry.ini");
}

QString registrySection()
{
    // The last part of the key names the section.
    const QString key = GetRegKey();
    return key.mid(key.lastIndexOf(QLatin1Char('\\')) + 1);
}

QString systemName(const QString &name)
{
    return name + QLatin1Char('_') + GetSysCode();
}

} // namespace

QString GetRegKey()
{
    return QStringLiteral("\\SoftWare\\Orvex");
}

QString ReadRegKey(const QString &name)
{
    return ReadRegRootKey(systemName(name));
}

void WriteRegKey(const QString &name, const QString &value)
{
    WriteRegRootKey(systemName(name), value);
}

QString ReadRegRootKey(const QString &name)
{
    return TZIniFile(registryFile()).ReadString(registrySection(), name, QString());
}

void WriteRegRootKey(const QString &name, const QString &value)
{
    TZIniFile(registryFile()).WriteString(registrySection(), name, value);
}
