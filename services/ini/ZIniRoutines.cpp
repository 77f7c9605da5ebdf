#include "ZIniRoutines.h"

#include "common/ZEncode.h"
#include "ini/TZIniFile.h"

QString GetIniItemValue(const QString &file, const QString &section, const QString &key, bool decode,
                        const QString &defaultValue)
{
    const TZIniFile ini(file);
    if (!ini.ValueExists(section, key))
        return defaultValue;
    const QString stored = ini.ReadString(section, key, defaultValue);
    return decode ? DecodeString(stored) : stored;
}

void SetIniItemValue(const QString &file, const QString &section, const QString &key, const QString &value, bool encode)
{
    TZIniFile ini(file);
    ini.WriteString(section, key, encode ? EncodeString(value) : value);
}

QStringList GetIniSections(const QString &file)
{
    return TZIniFile(file).ReadSections();
}

QStringList GetIniSecIdenList(const QString &file, const QString &section)
{
    return TZIniFile(file).ReadSection(section);
}

void DeleteIniItem(const QString &file, const QString &section, const QString &key)
{
    TZIniFile(file).DeleteKey(section, key);
}
