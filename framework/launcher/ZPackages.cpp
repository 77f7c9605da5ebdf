#include "ZPackages.h"

#include "common/ZFiles.h"

QStringList ZRuntimePackages()
{
    return {QStringLiteral("dpkZSys"), QStringLiteral("dpkSysAdmin"), QStringLiteral("dpkSelfBase"),
            QStringLiteral("dpkMOX")};
}

QString ZPackageFile(const QString &package)
{
    return GetCurrPath() + package + QStringLiteral(".so");
}
