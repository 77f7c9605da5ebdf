#pragma once

#include <QString>

/// The product title shown in captions and messages.
inline QString ZProductTitle()
{
    return QStringLiteral("个人助理");
}

/// The maker's web site (a host name).
inline QString ZProductWebSite()
{
    return QStringLiteral("zkva.example.com");
}
