#include "TDBConn.h"

#include "common/ZErrors.h"
#include "common/ZFatal.h"
#include "common/ZFiles.h"
#include "common/ZSqlQuote.h"
#include "common/ZVersion.h"
#include "data/TCurrInfo.h"
#include "data/TParamInfo.h"
#include "data/ZDBRoutines.h"
#include "data/ZDataFileCheck.h"
#include "data/ZSysConfig.h"
#include "data/ZTableDefs.h"
#include "settings/ZBusyCursor.h"
#include "settings/ZSession.h"

#include <QDir>
#include <QFileInfo>

namespace {

std::unique_ptr<TDBConn> &session()
{
    static std::unique_ptr<TDBConn> instance;
    return instance;
}

int g_carriedDataFileNo = 0; // handed from a freed session to its re-creation

} // namespace

QString GetDataFilePath(TDBType kind, int dataFileNo)
{
    switch (kind) {
    case dtDbACCESS:
        return GetCurrPath() + QStringLiteral("DBFiles/DBAcs%1.orv").arg(dataFileNo);
    case dtDbDemo:
        return GetCurrPath() + QStringLiteral("DBDemo.orv");
    case dtDefACCESS:
        return ZNormalizePath(ReadSysConfig(QStringLiteral("Access"), QStringLiteral("AccessFile")));
    default:
        return {};
    }
}

QString GetConnectionString(TDBType kind, int dataFileNo)
{
    switch (kind) {
    case dtMSSQL:
        return QStringLiteral("Provider=SQLOLEDB.1;Password=")
               + ReadSysConfig(QStringLiteral("SQLServer"), QStringLiteral("Password")) + QStringLiteral(";")
               + QStringLiteral("Persist Security Info=True;") + QStringLiteral("User ID=")
               + ReadSysConfig(QStringLiteral("SQLServer"), QStringLiteral("UserID"), QStringLiteral("sa"))
               + QStringLiteral(";") + QStringLiteral("Initial Catalog=")
               + ReadSysConfig(QStringLiteral("SQLServer"), QStringLiteral("DefaultDB")) + QStringLiteral(";")
               + QStringLiteral("Data Source=")
               + ReadSysConfig(QStringLiteral("SQLServer"), QStringLiteral("ServerName"), QStringLiteral("."));
    case dtDefACCESS:
    case dtDbACCESS:
    case dtDbDemo:
        // The data files are SQLite files: no provider, no password; opened
        // exclusively by the data layer.
        return QStringLiteral("Provider=SQLite;Data Source=") + GetDataFilePath(kind, dataFileNo)
               + QStringLiteral(";Mode=Share Deny Read|Share Deny Write");
    case dtNone:
        break;
    }
    return {};
}

void EnsureDataFile(int dataFileNo)
{
    const QString target = GetDataFilePath(dtDbACCESS, dataFileNo);
    if (QFileInfo::exists(target))
        return;
    QDir().mkpath(GetCurrPath() + QStringLiteral("DBFiles"));
    const QString templateFile = GetCurrPath() + QStringLiteral("DBAcs.orv");
    if (!ZCopyFile(templateFile, target, true))
        throw EZError(QStringLiteral("复制%1文件到%2失败！").arg(templateFile, target));
}

namespace {

// Opens a data file of the file kinds. A file that is empty or no database
// is refused before SQLite would quietly make a new database of it; every
// failure names the file.
std::unique_ptr<TZDbConnection> openCheckedDataFile(const QString &path, TDBType kind)
{
    const QString problem = ZDataFileProblem(path, false);
    if (!problem.isEmpty())
        throw EZError(QStringLiteral("数据文件%1无法打开：%2！").arg(QDir::toNativeSeparators(path), problem));
    std::unique_ptr<TZDbConnection> connection;
    try {
        connection = ZOpenDataFile(path, kind);
        // An SQLite file of some other program is no data file; nothing is
        // written into it.
        if (kind == dtDbACCESS && !connection->tableExists(QStringLiteral("comParams")))
            throw EZError(
                QStringLiteral("数据文件%1无法打开：不是本程序的数据文件！").arg(QDir::toNativeSeparators(path)));
        ZEnsureEngineRules(*connection);
    } catch (const TZDbError &e) {
        throw EZError(QStringLiteral("数据文件%1无法打开：%2").arg(QDir::toNativeSeparators(path), e.message()));
    }
    return connection;
}

} // namespace

std::unique_ptr<TZDbConnection> ZOpenConnection(TDBType kind, int dataFileNo)
{
    switch (kind) {
    case dtMSSQL:
        throw EZError(QStringLiteral("本程序的数据库服务器版尚未提供，请使用帐套数据文件。"));
    case dtDbACCESS:
        EnsureDataFile(dataFileNo);
        return openCheckedDataFile(GetDataFilePath(kind, dataFileNo), kind);
    case dtDbDemo:
    case dtDefACCESS:
        return openCheckedDataFile(GetDataFilePath(kind, dataFileNo), kind);
    case dtNone:
        break;
    }
    throw EZError(QStringLiteral("未指定数据库类型"));
}

// --- session ---

TDBConn::TDBConn()
{
    if (g_carriedDataFileNo > 0)
        DataFileNo = g_carriedDataFileNo;
    DBInit(false);
}

TDBConn::~TDBConn() = default;

std::unique_ptr<TZDbConnection> &TDBConn::connectionOf(TDBType kind)
{
    switch (kind) {
    case dtMSSQL:
        return MainConnection;
    case dtDefACCESS:
        return DefAccessConnection;
    case dtDbDemo:
        return DemoConnection;
    default:
        return DataFileConnection;
    }
}

void TDBConn::connect(TDBType kind, bool fatalOnFailure)
{
    auto &slot = connectionOf(kind);
    slot.reset(); // close first: the file is opened exclusively
    try {
        slot = ZOpenConnection(kind, DataFileNo);
    } catch (const EZError &e) {
        if (fatalOnFailure)
            ZFatalError(e.message());
        throw;
    }
}

void TDBConn::DBInit(bool reconnect)
{
    const TDBType kind = GetDBType();
    auto &slot = connectionOf(kind);
    if (!reconnect && slot && slot->isOpen())
        return;
    connect(kind, kind != dtMSSQL || !reconnect);
    if (reconnect) {
        GetParamInfo().UpdateParamInfo();
        GetCurrInfo().UpdateCurrInfo();
    }
}

TZDbConnection &TDBConn::GetDBCONN()
{
    auto &slot = connectionOf(GetDBType());
    if (!slot || !slot->isOpen())
        DBInit(true);
    return *slot;
}

void TDBConn::ChangeAccessFile(int no)
{
    if (GetDBType() != dtDbACCESS)
        throw EZError(QStringLiteral("当前登录的非ACCESS多账册版！"));
    if (DataFileConnection && DataFileConnection->isOpen() && no == DataFileNo)
        return;
    // A data file that cannot be opened (damaged, not a data file, used by
    // another program) is reported and the session goes back to the file it
    // had open, so choosing a bad file never ends the program.
    const int previous = DataFileNo;
    const bool hadFile = DataFileConnection && DataFileConnection->isOpen();
    DataFileNo = no;
    try {
        connect(dtDbACCESS, false);
    } catch (const EZError &) {
        DataFileNo = previous;
        if (hadFile) {
            connect(dtDbACCESS, true);
            GetParamInfo().UpdateParamInfo();
        }
        throw;
    }
    GetParamInfo().UpdateParamInfo();
}

void TDBConn::CloseConnection()
{
    connectionOf(GetDBType()).reset();
}

void TDBConn::ChangeDBIndex(int index)
{
    if (GetDBType() != dtMSSQL)
        throw EZError(QStringLiteral("当前登录非SqlServer版！"));
    TZBusyCursorScope busy;
    const QString name = GetSysCode() + QString::number(index);
    if (!IsExistDB(name))
        DBExcuteSql(CreateDBSql(name, GetCurrPath() + QStringLiteral("DBFiles/")));
    DBExcuteSql(QStringLiteral("Use ") + name);
    DBIndex = index;
    GetParamInfo().UpdateParamInfo();
}

void TDBConn::ChangeDB(const QString &name)
{
    if (GetDBType() != dtMSSQL)
        throw EZError(QStringLiteral("当前登录非SqlServer版！"));
    DBExcuteSql(QStringLiteral(" Use ") + name);
    GetParamInfo().UpdateParamInfo();
    GetCurrInfo().UpdateCurrInfo();
}

void TDBConn::CreateDB(const QString &name, const QString &path)
{
    if (GetDBType() != dtMSSQL)
        throw EZError(QStringLiteral("当前登录非SqlServer版！"));
    TZBusyCursorScope busy;
    DBExcuteSql(CreateDBSql(name, path));
    DBExcuteSql(QStringLiteral("Use ") + name);
}

bool TDBConn::IsExistDB(const QString &name)
{
    if (GetDBType() != dtMSSQL)
        throw EZError(QStringLiteral("当前登录非SqlServer版！"));
    return GetRecordCount(QStringLiteral("Select name From Master.dbo.sysDatabases Where Name = ") + ZQuotedStr(name))
           > 0;
}

QString DBConnectTest(TDBType kind, int dataFileNo)
{
    try {
        if (kind == dtMSSQL || kind == dtNone)
            ZOpenConnection(kind, dataFileNo);
        else
            ZOpenDataFile(GetDataFilePath(kind, dataFileNo), kind); // a test creates no file
    } catch (const EZError &e) {
        return e.message();
    }
    return {};
}

bool TDBConn::IsNeedUpdate()
{
    const QString last = GetParamValue(QStringLiteral("LastUpdateVersion"), QString()).trimmed();
    return last.isEmpty() || CompareVersion(GetAppVersionID(), last) > 0;
}

bool TDBConn::DBExcuteSql(const QString &sql)
{
    return ::DBExcuteSql(GetDBCONN(), sql);
}

void TDBConn::DBOpenDataSet(TZClientDataSet &dataSet, const QString &sql)
{
    ::DBOpenDataSet(GetDBCONN(), dataSet, sql);
}

void TDBConn::DBOpenDataSetInPieces(TZClientDataSet &dataSet, const QString &sql, int firstRows)
{
    ::DBOpenDataSetInPieces(GetDBCONN(), dataSet, sql, firstRows);
}

std::unique_ptr<TZClientDataSet> TDBConn::DBOpenDataSet(const QString &sql)
{
    return ::DBOpenDataSet(GetDBCONN(), sql);
}

void TDBConn::DBOpenDataSet(TZClientDataSet &dataSet, const QStringList &sqls)
{
    ::DBOpenDataSet(GetDBCONN(), dataSet, sqls);
}

std::unique_ptr<TZClientDataSet> TDBConn::DBOpenDataSet(const QStringList &sqls)
{
    auto dataSet = std::make_unique<TZClientDataSet>();
    ::DBOpenDataSet(GetDBCONN(), *dataSet, sqls);
    return dataSet;
}

QStringList TDBConn::DBSelectValue(const QString &sql)
{
    return ::DBSelectValues(GetDBCONN(), sql);
}

int TDBConn::GetRecordCount(const QString &sql)
{
    return ::GetRecordCount(GetDBCONN(), sql);
}

QString TDBConn::GetFieldValue(const QString &table, const QString &field, const QString &where)
{
    return ::GetFieldValue(GetDBCONN(), table, field, where);
}

QString TDBConn::GetFieldMaxValue(const QString &table, const QString &field, const QString &where)
{
    return ::GetFieldMaxValue(GetDBCONN(), table, field, where);
}

QString TDBConn::GetFieldMinValue(const QString &table, const QString &field, const QString &where)
{
    return ::GetFieldMinValue(GetDBCONN(), table, field, where);
}

bool TDBConn::RepeatFieldValueCheck(const QString &table, const QString &field, const QString &extraWhere,
                                    const QString &oldValue, const QString &newValue)
{
    return ::RepeatFieldValueCheck(GetDBCONN(), table, field, extraWhere, oldValue, newValue);
}

bool TDBConn::ExistTable(const QString &name)
{
    return ::ExistTable(GetDBCONN(), name);
}

void TDBConn::DropTable(const QString &name)
{
    ::DropTable(GetDBCONN(), name);
}

bool TDBConn::ExistTableField(const QString &table, const QString &field)
{
    return ::ExistTableField(GetDBCONN(), table, field);
}

QStringList TDBConn::GetKeyFieldList(const QString &table)
{
    return ::GetKeyFieldList(GetDBCONN(), table);
}

QString TDBConn::GetKeyFields(const QString &table, const QString &separator)
{
    return GetKeyFieldList(table).join(separator);
}

QDateTime TDBConn::DBGetServerDateTime()
{
    return ::DBGetServerDateTime(GetDBCONN());
}

void TDBConn::BeginTrans()
{
    GetDBCONN().begin();
}

void TDBConn::CommitTrans()
{
    GetDBCONN().commit();
}

void TDBConn::RollbackTrans()
{
    GetDBCONN().rollback();
}

bool TDBConn::InTransaction()
{
    return GetDBCONN().inTransaction();
}

TDBConn &DBConn(bool recreate)
{
    auto &instance = session();
    if (recreate && instance) {
        g_carriedDataFileNo = instance->DataFileNo;
        instance.reset();
    }
    if (!instance)
        instance = std::make_unique<TDBConn>();
    g_carriedDataFileNo = 0;
    return *instance;
}

bool DBConnExists()
{
    return session() != nullptr;
}

void FreeDBConn()
{
    session().reset();
}

TZTransaction::TZTransaction(TDBConn &conn) : m_conn(conn)
{
    m_own = !m_conn.InTransaction();
    if (m_own)
        m_conn.BeginTrans();
}

TZTransaction::~TZTransaction()
{
    if (m_own && !m_done) {
        try {
            m_conn.RollbackTrans();
        } catch (...) {}
    }
}

void TZTransaction::Commit()
{
    if (m_own && !m_done)
        m_conn.CommitTrans();
    m_done = true;
}
