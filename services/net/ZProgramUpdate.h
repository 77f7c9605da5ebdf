#pragma once

#include <QString>

/// The update server of the deployment, from sysconfig.ini of the program
/// folder, section "AutoUpdate": "Host", "Port" (21 when missing or not a
/// port number), "UserName", "Password". No address is built into the
/// program: without a host there is no server to ask.
struct TZUpdateServer
{
    QString Host;
    int Port = 21;
    QString UserName;
    QString Password;
};
TZUpdateServer ZReadUpdateServer();

/// The update folder below the program folder, "AutoUpdateMOX/", where the
/// version check downloads the offered version file.
QString ZUpdateFolder();

/// The version of a version file (UpdateMsg.ini: section "UpdateMsg", key
/// "Version"), trimmed; empty when the file or the key is missing.
QString GetUpdateMsgVersion(const QString &iniFile);

/// Whether the offered version (UpdateMsg.ini of the update folder) is
/// greater than the local one (CompareVersion): the version in UpdateMsg.ini
/// of the program folder when that file exists, else the running program's
/// own version.
bool IsNeedUpdate();
