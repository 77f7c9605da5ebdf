#pragma once

#include "data/TZClientDataSet.h"
#include "data/TZDbConnection.h"
#include "data/ZDBType.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>

#include <memory>

/// The one database session of the process. It opens the database of the
/// current kind (the numbered data file for this program, created from the
/// template when missing), reconnects and switches data files, and runs every
/// statement of the system through the connection of the current kind.
class TDBConn
{
public:
    /// Opens the connection of the current kind (DBInit(false)).
    TDBConn();
    ~TDBConn();
    TDBConn(const TDBConn &) = delete;
    TDBConn &operator=(const TDBConn &) = delete;

    // --- connections ---

    /// Opens the connection of the current kind: nothing happens when it is
    /// open and `reconnect` is false. A failure to connect is fatal (the text
    /// is shown and the program ends) unless reconnecting a server database.
    void DBInit(bool reconnect);
    void ReConnect() { DBInit(true); }

    /// The connection of the current kind.
    TZDbConnection &GetDBCONN();

    /// Switches to data file `no` (file kind only; otherwise raises
    /// "当前登录的非ACCESS多账册版！"): when the connection is closed or `no`
    /// differs from the open one, opens that file (creating it from the
    /// template) and reloads the parameter cache.
    void ChangeAccessFile(int no);

    /// Closes the connection of the current kind (the file can then be copied
    /// over, as a restore does).
    void CloseConnection();

    /// Server kind only (others raise "当前登录非SqlServer版！"): switches to
    /// the database "<system code><index>", creating it when missing.
    void ChangeDBIndex(int index);
    /// Server kind: " Use " + name, then reloads parameters and currencies.
    void ChangeDB(const QString &name);
    /// Server kind: creates a database and uses it.
    void CreateDB(const QString &name, const QString &path);
    /// Server kind: whether a database of that name exists.
    bool IsExistDB(const QString &name);

    /// True when the program's version is newer than the database's
    /// LastUpdateVersion (or that is empty).
    bool IsNeedUpdate();

    int DBIndex = 0;
    int DataFileNo = 1;

    // --- statements (through the connection of the current kind) ---

    bool DBExcuteSql(const QString &sql);
    void DBOpenDataSet(TZClientDataSet &dataSet, const QString &sql);
    /// Opens a query in pieces: the first rows now, the rest from the event
    /// loop (DBOpenDataSetInPieces).
    void DBOpenDataSetInPieces(TZClientDataSet &dataSet, const QString &sql,
                               int firstRows = TZClientDataSet::kFirstPieceRows);
    std::unique_ptr<TZClientDataSet> DBOpenDataSet(const QString &sql);
    void DBOpenDataSet(TZClientDataSet &dataSet, const QStringList &sqls);
    std::unique_ptr<TZClientDataSet> DBOpenDataSet(const QStringList &sqls);
    QStringList DBSelectValue(const QString &sql);
    int GetRecordCount(const QString &sql);
    QString GetFieldValue(const QString &table, const QString &field, const QString &where);
    QString GetFieldMaxValue(const QString &table, const QString &field, const QString &where);
    QString GetFieldMinValue(const QString &table, const QString &field, const QString &where);
    bool RepeatFieldValueCheck(const QString &table, const QString &field, const QString &extraWhere,
                               const QString &oldValue, const QString &newValue);
    bool ExistTable(const QString &name);
    void DropTable(const QString &name);
    bool ExistTableField(const QString &table, const QString &field);
    /// The key columns joined by the separator.
    QString GetKeyFields(const QString &table, const QString &separator = QStringLiteral(","));
    QStringList GetKeyFieldList(const QString &table);
    QDateTime DBGetServerDateTime();
    QDate DBGetServerDate() { return DBGetServerDateTime().date(); }
    QTime DBGetServerTime() { return DBGetServerDateTime().time(); }

    // --- transactions ---

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction();

    // --- record locks (server kind only; return at once on the file kinds) ---

    void CheckLock(const QString &key);
    void Lock(const QString &key, const QString &msg);
    void UnLock(const QString &key);
    void LockOneBill(const QString &key1, const QString &key2);
    void CheckBillLock(const QString &key1, const QString &key2);
    void ClearAllBillLock(const QString &key1);
    void ClearAllLock();
    void LockUserLogin();

private:
    std::unique_ptr<TZDbConnection> &connectionOf(TDBType kind);
    void connect(TDBType kind, bool fatalOnFailure);

    std::unique_ptr<TZDbConnection> MainConnection;
    std::unique_ptr<TZDbConnection> DefAccessConnection;
    std::unique_ptr<TZDbConnection> DataFileConnection;
    std::unique_ptr<TZDbConnection> DemoConnection;
};

/// The session, created on first use; with `recreate` an existing session is
/// freed first and its data file number carried over.
TDBConn &DBConn(bool recreate = false);

/// True when a session exists.
bool DBConnExists();

/// Frees the session (part of FreeAllSource).
void FreeDBConn();

/// The path of a data file kind's database: DBFiles/DBAcs<n>.orv, the
/// sysconfig.ini file of dtDefACCESS, or DBDemo.orv.
QString GetDataFilePath(TDBType kind, int dataFileNo);

/// The connection string of a kind (for display and for workers that open
/// their own connection): the data file's path for the file kinds, the server
/// settings of sysconfig.ini for the server kind, empty for dtNone.
QString GetConnectionString(TDBType kind, int dataFileNo);

/// Creates the numbered data file from the template DBAcs.orv when it is
/// missing (never overwriting); raises "复制%s文件到%s失败！" when it cannot.
void EnsureDataFile(int dataFileNo);

/// Tries to open the database of a kind: the error text, or empty when it
/// opens (the connection is closed again). A missing data file is not made.
QString DBConnectTest(TDBType kind, int dataFileNo);

/// Opens a connection of a kind by itself (for worker threads).
std::unique_ptr<TZDbConnection> ZOpenConnection(TDBType kind, int dataFileNo);

/// Runs a function inside a transaction of the session: committed when it
/// returns, rolled back when it raises (and the error passed on). Nested uses
/// join the outer transaction.
class TZTransaction
{
public:
    explicit TZTransaction(TDBConn &conn);
    ~TZTransaction();
    void Commit();

private:
    TDBConn &m_conn;
    bool m_own = false;
    bool m_done = false;
};
