#include "ZGridLog.h"

#include "common/ZFiles.h"
#include "settings/ZSession.h"
#include "common/ZStrList.h"
#include "common/ZTrim.h"
#include "ini/TZIniFile.h"

namespace {

const QString kWidthSection = QStringLiteral("GridWidth");

QString keyOf(const QString &key1, const QString &key2)
{
    return ZTrim(key1) + ZTrim(key2);
}

} // namespace

QString GridLogFileName()
{
    return GetLogPath() + QStringLiteral("gridlog_%1.log").arg(UserInfo.UserID);
}

void SaveGirdWidthLog(const QString &key1, const QString &key2, const QList<int> &widths)
{
    QString value;
    for (int width : widths)
        value += QString::number(width) + QLatin1Char(',');
    TZIniFile(GridLogFileName()).WriteString(kWidthSection, keyOf(key1, key2), value);
}

QStringList GetGirdWidthLog(const QString &key1, const QString &key2)
{
    const QString value = TZIniFile(GridLogFileName()).ReadString(kWidthSection, keyOf(key1, key2), QString());
    return GetStrListFromStr(value, QStringLiteral(","));
}

void SaveGridGroupLog(const QString &key1, const QString &key2, const QList<QPair<QString, int>> &columns)
{
    QList<QPair<QString, QString>> values;
    values.reserve(columns.size());
    for (const auto &[field, group] : columns)
        values.append({field, QString::number(group)});
    TZIniFile(GridLogFileName()).WriteValues(keyOf(key1, key2), values);
}

QList<int> GetGridGroupLog(const QString &key1, const QString &key2, const QStringList &fieldNames)
{
    const TZIniFile ini(GridLogFileName());
    const QString section = keyOf(key1, key2);
    QList<int> groups;
    groups.reserve(fieldNames.size());
    for (const QString &field : fieldNames)
        groups.append(ini.ReadInteger(section, field, -1));
    return groups;
}
