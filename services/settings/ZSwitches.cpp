#include "ZSwitches.h"

#include "common/ZStrList.h"
#include "common/ZTrim.h"
#include "settings/ZSession.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex g_readerMutex;
TZParamReader &reader()
{
    static TZParamReader installed;
    return installed;
}

} // namespace

void SetZParamReader(TZParamReader newReader)
{
    QMutexLocker lock(&g_readerMutex);
    reader() = std::move(newReader);
}

QString ReadZParam(const QString &name, const QString &defaultValue)
{
    TZParamReader current;
    {
        QMutexLocker lock(&g_readerMutex);
        current = reader();
    }
    return current ? current(name, defaultValue) : defaultValue;
}

bool UseOrgManage()
{
    const int id = CurrentSysID();
    return (id == 1001 || id == 1010) && ZTrim(ReadZParam(QStringLiteral("OrgManage"))) == QLatin1String("1");
}

bool UseMutilCurrency()
{
    return ZTrim(ReadZParam(QStringLiteral("MutilCurrency"))) == QLatin1String("1");
}

bool UsePosSystem()
{
    return OneOf(CurrentSysID(), {1001, 1009, 1010});
}

bool UseTradingSystem()
{
    return OneOf(CurrentSysID(), {1001, 1007, 1008, 1009, 1010, 1011});
}

bool UseBillLocks()
{
    return OneOf(CurrentSysID(), {1001, 1007, 1008, 1009, 1010});
}

int IsSystemVisible(const QString &moduleGroup)
{
    Q_UNUSED(moduleGroup)
    return OneOf(CurrentSysID(), {1003, 1004, 1005, 1012}) ? 1 : 0;
}
