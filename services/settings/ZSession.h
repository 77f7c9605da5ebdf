#pragma once

#include <QString>

/// Edition kind of the running program.
enum TSystemType { stNet, stAlone, stDemo };

/// The logged-in user.
struct TUserInfo
{
    QString UserID;
    QString PersonID;
    QString PersonName;
    QString DepartID;

    bool operator==(const TUserInfo &) const = default;
};

/// A rectangle of four 32-bit integers, all zero until set.
struct TZRect
{
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Right = 0;
    qint32 Bottom = 0;

    bool operator==(const TZRect &) const = default;
};

// Session globals: one copy per process, owned by this library and read by
// every package. They hold their initial values until the program sets them.

extern qint32 FSYSID;             ///< system ID; -1 until computed
extern QString FSYSCode;          ///< system code; the program sets "ZKVA"
extern TSystemType FSystemType;   ///< edition kind; stNet until set
extern bool FRecordACCESSSql;     ///< statement-log switch, read from sysconfig.ini at load
extern bool InDevelopmentEnv;     ///< true inside a development run (ZKVA_DEVELOPMENT=1)
extern TUserInfo UserInfo;        ///< the logged-in user; the administrator until set
extern TZRect FQClientRect;       ///< client area of the main window
extern QString FWebSite;          ///< the maker's web site (a host name)
extern QString FLastExecSql;      ///< the last statement handed to the database
extern int FCursorBusyCount;      ///< nesting count of the busy cursor
extern bool FSysCodeSaveToRegist; ///< the system code was written to the registry

/// The system code: the running executable's file name without path and
/// ".exe", upper-cased; computed once. The first call writes it to the
/// registry under a value of its own name.
QString GetSysCode();

/// The system ID of the system code ("ZKVA" is 1003), computed once; -1 for
/// an unknown code.
qint32 GetSysID();

/// The system ID of the session: FSYSID once the program has set it, else
/// GetSysID(). Every decision by system ID reads this.
qint32 CurrentSysID();

/// The system ID of a given system code; -1 when the code is unknown.
qint32 SysIDOfCode(const QString &sysCode);

TUserInfo GetLoginUserInfo();
void SetLoginUserInfo(const TUserInfo &info);

/// True when the logged-in user is the built-in administrator: "Admin"
/// ignoring case, or an empty user ID.
bool IsAdminUser();

/// Puts every session global back to its initial value (the system code and
/// ID caches included). For tests and for a fresh start of the session.
void ResetSessionGlobals();
