#include "ZVersion.h"

#include "common/ZTrim.h"

#include "ZVersionInfo.h"

#include <QStringList>

QString GetAppVersionID()
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(ZKVA_VERSION_MAJOR)
        .arg(ZKVA_VERSION_MINOR)
        .arg(ZKVA_VERSION_RELEASE)
        .arg(ZKVA_VERSION_BUILD);
}

QString GetAppVersion()
{
    return QStringLiteral("版本：") + GetAppVersionID();
}

int CompareVersion(const QString &a, const QString &b)
{
    const QString ta = ZTrim(a);
    const QString tb = ZTrim(b);
    if (ta.isEmpty() && tb.isEmpty())
        return 0;
    if (tb.isEmpty())
        return 1;
    if (ta.isEmpty())
        return -1;
    const QStringList pa = ta.split(QLatin1Char('.'));
    const QStringList pb = tb.split(QLatin1Char('.'));
    for (qsizetype i = 0; i < pa.size(); ++i) {
        if (i >= pb.size())
            return 1;
        const int va = ZTrim(pa.at(i)).toInt();
        const int vb = ZTrim(pb.at(i)).toInt();
        if (va != vb)
            return va > vb ? 1 : -1;
    }
    return 0;
}
