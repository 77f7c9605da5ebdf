#pragma once

#include <QString>

/// A message of the operation log.
struct TOPLogMsg
{
    QString ProgID;
    QString KeyValue;
    QString OpMsg;
    QString OpPersonName;
    QString OpDateTime; ///< the date-time number as text
};

// Record locks and the operation-message log coordinate several users of a
// shared server database. On the file kinds (one user, one process) the
// lock operations return at once and the log routines do nothing.

/// "<user ID> <IP address>": this user on this computer.
QString UserKey();
/// "[<user key>]-[<key1>]-[<key2>]".
QString GetLockBillKey(const QString &key1, const QString &key2);
/// "CharIndex('<text>', <column>) > 0".
QString ContainWhere(const QString &text, const QString &column);

void AppendOPLogMsg(const QString &msg, const QString &progID, const QString &keyValue, const QString &personName);
TOPLogMsg GetUnReadedMsg(const QString &userID, const QString &extraWhere = QString());
void UpdateMsgReader(const QString &userID, const QString &progID, const QString &keyValue, const QString &opDateTime,
                     const QString &personName);
void UpdateAllMsgReader(const QString &userID);

/// The first IPv4 address of the computer that is not a loop-back address
/// ("127.0.0.1" when there is none), and the computer's name; both read once.
QString LocalIPAddress();
QString LocalComputerName();
/// The operating-system user the program runs for.
QString LocalUserName();
