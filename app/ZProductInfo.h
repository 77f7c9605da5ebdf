#pragma once

#include <QString>

// The product's name and the maker's addresses, kept in this one place.

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

/// The address of the maker's web site, opened by "进入官网" and "进入官方网站".
inline QString ZProductWebSiteUrl()
{
    return QStringLiteral("https://") + ZProductWebSite() + QLatin1Char('/');
}

/// The address of the maker's forum, opened by "交流中心".
inline QString ZProductForumUrl()
{
    return QStringLiteral("https://") + ZProductWebSite() + QStringLiteral("/forum/");
}
