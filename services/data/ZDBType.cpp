#include "ZDBType.h"

#include "settings/ZRegistry.h"
#include "settings/ZSession.h"
#include "common/ZTrim.h"

TDBType GetDBType()
{
    if (InDevelopmentEnv)
        return ZTrim(ReadRegRootKey(QStringLiteral("DBType"))) == QLatin1String("1") ? dtDbACCESS : dtMSSQL;
    switch (CurrentSysID()) {
    case 1000:
    case 1003:
    case 1004:
    case 1005:
    case 1006:
    case 1011:
    case 1012:
        return dtDbACCESS;
    case 1001:
    case 1002:
    case 1007:
        switch (FSystemType) {
        case stAlone:
            return dtDbACCESS;
        case stDemo:
            return dtDbDemo;
        case stNet:
            return dtMSSQL;
        }
        return dtMSSQL;
    default:
        return dtMSSQL;
    }
}

TDBType ResolveDBType(TDBType kind)
{
    return kind == dtNone ? GetDBType() : kind;
}
