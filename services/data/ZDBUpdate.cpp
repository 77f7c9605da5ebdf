#include "ZDBUpdate.h"

#include "common/ZClock.h"
#include "common/ZErrors.h"
#include "common/ZSqlQuote.h"
#include "common/ZVersion.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/ZDBRoutines.h"
#include "data/ZDBUpdateDefaults.h"
#include "data/ZDBUpdateTable.h"
#include "settings/ZSession.h"

#include <QRegularExpression>

#include <algorithm>

#include <utility>

namespace {

const QString kTagTable = QStringLiteral("comUpdateTag");

bool isServer()
{
    return ResolveDBType(DBConn().GetDBCONN().kind()) == dtMSSQL;
}

// The columns of a table with their declared types, as a comparable text.
QStringList shapeOf(TZDbConnection &connection, const QString &table)
{
    auto shape = connection.prepare(connection.adapt(QStringLiteral("select * from [%1] where 1=2").arg(table)));
    shape->step();
    QStringList columns;
    for (int c = 0; c < shape->columnCount(); ++c)
        columns << shape->columnName(c).toLower() + QLatin1Char(' ') + shape->columnDeclaredType(c).toLower();
    return columns;
}

// Records the run in comUpdateTag: the version and time of the last
// complete update.
// The row of the update runs, made when missing (its flags of one-time
// fixes empty); a row that exists keeps its flags.
void ensureTagRow(TZDbConnection &connection)
{
    const QString tag = ZQuotedStr(QStringLiteral("DBUpdate"));
    if (GetRecordCount(connection, QStringLiteral("Select TagID From comUpdateTag Where TagID = ") + tag) == 0)
        DBExcuteSql(connection, QStringLiteral("Insert Into comUpdateTag(TagID) Values(%1)").arg(tag));
}

void recordRun(TZDbConnection &connection)
{
    if (!connection.tableExists(kTagTable))
        return;
    ensureTagRow(connection);
    DBExcuteSql(connection, QStringLiteral("Update comUpdateTag Set LastVersion = %1, LastUpdateTime = %2 "
                                           "Where TagID = %3")
                                .arg(ZQuotedStr(GetAppVersionID()),
                                     ZQuotedStr(ZNow().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
                                     ZQuotedStr(QStringLiteral("DBUpdate"))));
}

bool isNetworkedSystem(int sysID)
{
    static const QList<int> ids = {1001, 1007, 1008, 1009, 1010, 1011, 9999};
    return ids.contains(sysID);
}

// The default rows and parameters the networked systems need.
void addNetworkedDefaults(const TZDBUpdateOptions &options)
{
    TDBConn &db = DBConn();
    if (db.ExistTable(QStringLiteral("comCurrency"))
        && db.GetRecordCount(QStringLiteral("Select * From comCurrency Where CurrencyID = 'RMB'")) == 0)
        db.DBExcuteSql(QStringLiteral("Insert Into comCurrency(CurrencyID, CurrencyName, FixRate, BuyInRate, "
                                      "SellOutRate, AmountDeciDigits, PriceDeciDigits) "
                                      "Values('RMB', '人民币', 1, 1, 1, 2, 2)"));
    const auto missing = [](const QString &name) { return GetParamValue(name).trimmed().isEmpty(); };
    if (missing(QStringLiteral("NativeCurrID")))
        SaveParamValue(QStringLiteral("NativeCurrID"), QStringLiteral("RMB"));
    if (missing(QStringLiteral("CurrOrgID")))
        SaveParamValue(QStringLiteral("CurrOrgID"), options.OrgCode);
    if (db.ExistTableField(kTagTable, QStringLiteral("DefaultParamsFixed"))) {
        ensureTagRow(db.GetDBCONN());
        db.DBExcuteSql(QStringLiteral("Update comUpdateTag Set DefaultParamsFixed = 1"));
    }
}

} // namespace

void AfterUpdateDB(const TZDBUpdateOptions &options, const std::function<void()> &registerForms,
                   const std::function<void(const QString &)> &onMessage)
{
    if (registerForms)
        registerForms();
    if (onMessage)
        onMessage(QStringLiteral("已将包中注册窗体类信息存入数据库中."));
    if (isNetworkedSystem(FSYSID))
        addNetworkedDefaults(options);
    GetParamInfo().UpdateParamInfo();
}

TZDBUpdate::TZDBUpdate(QList<TZTableColumnDef> defs, QList<TZIndexDef> indexes)
    : m_defs(std::move(defs)), m_indexes(std::move(indexes))
{}

void TZDBUpdate::SetDefinitions(QList<TZTableColumnDef> defs, QList<TZIndexDef> indexes)
{
    m_defs = std::move(defs);
    m_indexes = std::move(indexes);
}

void TZDBUpdate::tell(const QString &text) const
{
    if (OnMessage)
        OnMessage(text);
}

void TZDBUpdate::CheckServerOptions(const TZDBUpdateOptions &options) const
{
    static const QRegularExpression twoLetters(QStringLiteral("^[A-Z]{2}$"));
    if (!twoLetters.match(options.OrgCode).hasMatch())
        throw EZError(QStringLiteral("机构代码不能为空，且只能输入两位英文字母"));
    if (options.OrgName.trimmed().isEmpty())
        throw EZError(QStringLiteral("机构名称不能为为空"));
    for (const QString &table : ZDefinedTables(m_defs)) {
        const bool keyed = std::any_of(m_defs.begin(), m_defs.end(), [&table](const TZTableColumnDef &c) {
            return c.IsKeyField && c.TableName.compare(table, Qt::CaseInsensitive) == 0;
        });
        if (!keyed)
            throw EZError(QStringLiteral("表 ") + table + QStringLiteral(" 未设定主键"));
    }
}

bool TZDBUpdate::needsRebuild(const QString &table)
{
    TZDbConnection &connection = DBConn().GetDBCONN();
    if (!isServer() || !connection.tableExists(table))
        return true;
    // The server kind rebuilds only a table whose columns or key differ from
    // a scratch table made from its definition.
    const QString check = table + QStringLiteral("_Check");
    if (connection.tableExists(check))
        DropTable(connection, check);
    CreateTable(connection, m_defs, table, check);
    const bool same = shapeOf(connection, table) == shapeOf(connection, check)
                      && connection.keyColumns(table).join(QLatin1Char(',')).toLower()
                             == connection.keyColumns(check).join(QLatin1Char(',')).toLower();
    DropTable(connection, check);
    return !same;
}

bool TZDBUpdate::Execute(const QStringList &tables, const TZDBUpdateOptions &options)
{
    m_cancelled = false;
    TDBConn &db = DBConn();
    const bool neverUpdated = GetParamValue(QStringLiteral("LastUpdateVersion")).trimmed().isEmpty();
    try {
        // The backup comes before any table is touched.
        if (!isServer()) {
            if (OnBackUp)
                OnBackUp();
        } else if (options.BackUp) {
            tell(QStringLiteral("正在压缩并备份数据库...."));
            throw EZError(QStringLiteral("本程序的服务器数据库不提供压缩与备份，请用数据库服务器自己的工具备份后，"
                                         "取消“升级前备份数据库”再升级。"));
        }
        TZDbConnection &connection = db.GetDBCONN();
        // The update's own table first (definitions of an older program may
        // lack it).
        if (ZDefinedTables(m_defs).contains(kTagTable, Qt::CaseInsensitive))
            RebuildTable(connection, m_defs, kTagTable, options.KeepOldData, m_indexes, options.OrgCode);
        int count = 0;
        for (const QString &table : tables) {
            if (OnBetweenTables)
                OnBetweenTables();
            if (m_cancelled) {
                tell(QStringLiteral("已取消升级"));
                return false;
            }
            ++count;
            if (needsRebuild(table)) {
                tell(QStringLiteral("正在升级第") + QString::number(count) + QStringLiteral("张表：") + table);
                RebuildTable(connection, m_defs, table, options.KeepOldData, m_indexes, options.OrgCode);
            } else {
                tell(QStringLiteral("表 %1 结构没有变化，无需升级").arg(table));
            }
            if (options.ResetSync && ZTableIsNeedSync(connection, table))
                DBExcuteSql(connection, QStringLiteral("Update %1 Set SyncCompleted = %2 ")
                                            .arg(table, ZQuotedStr(options.OrgCode + QLatin1Char(','))));
            if (options.UpdateOrgID && table.compare(QLatin1String("dssOrg"), Qt::CaseInsensitive) != 0
                && connection.tableColumns(table).contains(QStringLiteral("OrgID"), Qt::CaseInsensitive))
                DBExcuteSql(connection,
                            QStringLiteral("Update %1 Set OrgID = %2 ").arg(table, ZQuotedStr(options.OrgCode)));
        }
        if (OnBetweenTables)
            OnBetweenTables();
        if (m_cancelled) {
            tell(QStringLiteral("已取消升级"));
            return false;
        }
        AfterUpdateDB(options, OnRegisterForms, OnMessage);
        if (neverUpdated)
            SetDefaultValue(connection, DefaultValueFolder, OnMessage);
        recordRun(connection);
        SaveParamValue(QStringLiteral("LastUpdateVersion"), GetAppVersionID());
        GetParamInfo().UpdateParamInfo();
    } catch (const EZError &e) {
        tell(e.message());
        return false;
    }
    tell(QStringLiteral("升级成功！"));
    return true;
}
