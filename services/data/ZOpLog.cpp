// Record locks (methods of the session) and the operation-message log.

#include "ZOpLog.h"

#include "common/ZClock.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/ZDbValues.h"
#include "settings/ZSession.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>

#include <pwd.h>
#include <unistd.h>

namespace {

bool shared(TDBConn &conn)
{
    return conn.GetDBCONN().kind() == dtMSSQL;
}

void raiseLockMessage(TDBConn &conn, const QString &sql)
{
    const QString message = conn.DBSelectValue(sql).value(0);
    if (!message.isEmpty())
        throw EZError(message);
}

QString bracketed(const QString &part)
{
    return QLatin1Char('[') + part + QLatin1Char(']');
}

} // namespace

QString LocalIPAddress()
{
    // Read once: asking the network interfaces costs time on every lock and
    // every change-log row.
    static const QString address = [] {
        for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
            if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
                return address.toString();
        }
        return QStringLiteral("127.0.0.1");
    }();
    return address;
}

QString LocalComputerName()
{
    static const QString name = QHostInfo::localHostName();
    return name;
}

QString LocalUserName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
    if (user.isEmpty()) {
        // A session without the variables: the account the program runs as.
        if (const passwd *account = getpwuid(geteuid()))
            user = QString::fromLocal8Bit(account->pw_name);
    }
    return user;
}

QString UserKey()
{
    return UserInfo.UserID + QLatin1Char(' ') + LocalIPAddress();
}

QString GetLockBillKey(const QString &key1, const QString &key2)
{
    return QStringLiteral("[%1]-[%2]-[%3]").arg(UserKey(), key1, key2);
}

QString ContainWhere(const QString &text, const QString &column)
{
    return QStringLiteral("CharIndex(%1, %2) > 0").arg(ZQuotedStr(text), column);
}

void TDBConn::CheckLock(const QString &key)
{
    if (!shared(*this))
        return;
    raiseLockMessage(*this, QStringLiteral("Select LockMsg From comLock Where LockKey = %1").arg(ZQuotedStr(key)));
}

void TDBConn::Lock(const QString &key, const QString &msg)
{
    if (!shared(*this))
        return;
    CheckLock(key);
    DBExcuteSql(QStringLiteral("Insert Into comLock(LockKey, LockMsg, LockTime) Values(%1, %2, GetDate())")
                    .arg(ZQuotedStr(key), ZQuotedStr(msg)));
}

void TDBConn::UnLock(const QString &key)
{
    if (!shared(*this))
        return;
    DBExcuteSql(QStringLiteral("Delete From comLock Where LockKey = %1").arg(ZQuotedStr(key)));
}

void TDBConn::LockOneBill(const QString &key1, const QString &key2)
{
    if (!shared(*this))
        return;
    Lock(GetLockBillKey(key1, key2),
         QStringLiteral("此笔数据 [%1] 已被 [%2 %3] 锁定").arg(key2, UserInfo.PersonID, UserInfo.PersonName));
}

void TDBConn::CheckBillLock(const QString &key1, const QString &key2)
{
    if (!shared(*this))
        return;
    raiseLockMessage(*this, QStringLiteral("Select LockMsg From comLock Where %1 And %2")
                                .arg(ContainWhere(bracketed(ZTrim(key1)), QStringLiteral("LockKey")),
                                     ContainWhere(bracketed(ZTrim(key2)), QStringLiteral("LockKey"))));
}

void TDBConn::ClearAllBillLock(const QString &key1)
{
    if (!shared(*this))
        return;
    DBExcuteSql(QStringLiteral("Delete From comLock Where %1 And %2")
                    .arg(ContainWhere(bracketed(UserKey()), QStringLiteral("LockKey")),
                         ContainWhere(bracketed(key1), QStringLiteral("LockKey"))));
}

void TDBConn::ClearAllLock()
{
    if (!shared(*this))
        return;
    DBExcuteSql(QStringLiteral("Delete From comLock Where %1")
                    .arg(ContainWhere(bracketed(UserKey()), QStringLiteral("LockKey"))));
}

void TDBConn::LockUserLogin()
{
    if (!shared(*this))
        return;
    const QString key = QStringLiteral("[%1]-[Login]").arg(UserKey());
    Lock(key,
         QStringLiteral("用户 [%1] 已经在 [%2 %3] 登录").arg(UserInfo.UserID, LocalComputerName(), LocalIPAddress()));
}

void AppendOPLogMsg(const QString &msg, const QString &progID, const QString &keyValue, const QString &personName)
{
    TDBConn &conn = DBConn();
    if (!shared(conn))
        return;
    const double yesterday = ZDateTimeToNumber(QDateTime(ZDate(), QTime(0, 0))) - 1;
    conn.DBExcuteSql(QStringLiteral(" Delete From sysOpLog Where OpDateTime < %1 Insert Into sysOpLog(ProgID,KeyValue,"
                                    "OpDateTime,OpPersonName,OPMsg,Readed) Values(%2, %3, %4, %5, %6, %7)")
                         .arg(QString::number(yesterday, 'f', 0), ZQuotedStr(progID), ZQuotedStr(keyValue),
                              QString::number(ZDateTimeToNumber(ZNow()), 'f', 10), ZQuotedStr(personName),
                              ZQuotedStr(msg), ZQuotedStr(QString())));
}

TOPLogMsg GetUnReadedMsg(const QString &userID, const QString &extraWhere)
{
    TDBConn &conn = DBConn();
    if (!shared(conn))
        return {};
    const QStringList v = conn.DBSelectValue(
        QStringLiteral(" Select ProgID, KeyValue, OpMsg, OpPersonName, cast(OpDateTime as Money) From sysOpLog "
                       "Where charindex(%1, Readed) = 0 %2 order by OpDateTime")
            .arg(ZQuotedStr(userID + QLatin1Char(',')), extraWhere));
    return TOPLogMsg{v.value(0), v.value(1), v.value(2), v.value(3), v.value(4)};
}

void UpdateMsgReader(const QString &userID, const QString &progID, const QString &keyValue, const QString &opDateTime,
                     const QString &personName)
{
    TDBConn &conn = DBConn();
    if (!shared(conn))
        return;
    conn.DBExcuteSql(QStringLiteral("Update From sysOpLog Set Readed = IsNull(Readed, %1) + %2  Where ProgID = %3 and "
                                    "KeyValue = %4 and OpPersonName = %5 and cast(OpDateTime as Money) = %6 ")
                         .arg(ZQuotedStr(QString()), ZQuotedStr(userID + QLatin1Char(',')), ZQuotedStr(progID),
                              ZQuotedStr(keyValue), ZQuotedStr(personName), opDateTime));
}

void UpdateAllMsgReader(const QString &userID)
{
    TDBConn &conn = DBConn();
    if (!shared(conn))
        return;
    const QString reader = ZQuotedStr(userID + QLatin1Char(','));
    conn.DBExcuteSql(QStringLiteral("Update From sysOpLog Set Readed = IsNull(Readed, %1) + %2  Where charindex(%3, "
                                    "Readed) = 0")
                         .arg(ZQuotedStr(QString()), reader, reader));
}
