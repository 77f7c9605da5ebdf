#include "ZMachineInfo.h"

#include <QNetworkInterface>
#include <QSysInfo>

QString ZComputerName()
{
    return QSysInfo::machineHostName();
}

QString ZMacAddress()
{
    QString fallback;
    for (const QNetworkInterface &adapter : QNetworkInterface::allInterfaces()) {
        const QString address = adapter.hardwareAddress();
        const auto flags = adapter.flags();
        if (flags.testFlag(QNetworkInterface::IsLoopBack) || address.isEmpty()
            || address == QLatin1String("00:00:00:00:00:00"))
            continue;
        if (flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning))
            return address;
        if (fallback.isEmpty())
            fallback = address;
    }
    return fallback;
}
