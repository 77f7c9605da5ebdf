#include "ZDSProperties.h"

#include "common/ZProperty.h"
#include "common/ZTrim.h"
#include "ini/TZCustomIniFile.h"

QString ReadDSProperty(const TZCustomIniFile &file, const QString &section, const QString &propertys,
                       const QString &name)
{
    const QString own = ZTrim(file.ReadString(section, name, QString()));
    return own.isEmpty() ? GetProperty(propertys, name) : own;
}

bool ZDSBool(const QString &value, bool caseSensitive)
{
    return value.compare(QLatin1String("True"), caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

int ZDSInt(const QString &value, int defaultValue)
{
    bool ok = false;
    const int v = ZTrim(value).toInt(&ok);
    return ok ? v : defaultValue;
}

TFieldSaveType ZDSSaveType(const QString &value)
{
    const QString v = ZTrim(value);
    return v == QLatin1String("1") || v == QLatin1String("stName") ? stName : stID;
}

TSubPosition ZDSSubPosition(const QString &value)
{
    return ZDSInt(value) == 1 ? psRight : psLeft;
}

TCtrlWidthType ZDSCtrlWidthType(const QString &value)
{
    switch (ZDSInt(value)) {
    case 1:
        return wt13;
    case 2:
        return wt12;
    case 3:
        return wt23;
    default:
        return wtAll;
    }
}

int ZDSUICtrlPosition(const QString &value)
{
    const int v = ZDSInt(value);
    return v < 0 || v > 8 ? 0 : v;
}

int ZDSNumberType(const QString &value)
{
    const int v = ZDSInt(value);
    return v < 0 || v > 7 ? 0 : v;
}

TZFieldType ZDSFieldType(const QString &fieldName, const QString &value)
{
    if (ZTrim(fieldName).compare(QLatin1String("HasCheck"), Qt::CaseInsensitive) == 0)
        return ftZSmallint;
    return StrToZFieldType(value);
}

QString DefaultDataSourcePropertys(const QString &name)
{
    return QStringLiteral("AutoSaveNewDataRemind=False;CheckInUsed=True;CodeRule=MaxID;MenuIndex=0;FormClassName=Tfrm")
           + name;
}

QString DefaultDatasetPropertys()
{
    return QStringLiteral("AllowNotRow=False;CanDuplicate=True");
}

QString DefaultTablePropertys()
{
    return QStringLiteral("Flag=0");
}

QString DefaultFieldPropertys(const QString &caption, const QString &type, int length)
{
    return QStringList{QStringLiteral("DisplayName=") + caption,
                       QStringLiteral("FieldType=") + type,
                       QStringLiteral("Length=") + QString::number(length),
                       QStringLiteral("CheckInUsed=True"),
                       QStringLiteral("NoRepeat=False"),
                       QStringLiteral("ReadOnly=False"),
                       QStringLiteral("Visible=True"),
                       QStringLiteral("CanDuplicate=True"),
                       QStringLiteral("AllowEmpty=True"),
                       QStringLiteral("ShowDataList=True"),
                       QStringLiteral("NotNeedChkExistID=False"),
                       QStringLiteral("DigCount=1")}
        .join(QLatin1Char(';'));
}
