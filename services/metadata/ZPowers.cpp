#include "ZPowers.h"

#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/ZDBRoutines.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "settings/ZSession.h"
#include "settings/ZSwitches.h"

#include <QAction>

namespace {

struct Item
{
    TPowerItem item;
    const char *name;
    const char16_t *caption;
};

const Item kItems[] = {
    {piLoad, "piLoad", u"执行"},           {piOwnerBrowse, "piOwnerBrowse", u"制单人"},
    {piAllBrowse, "piAllBrowse", u"全查"}, {piAdd, "piAdd", u"新增"},
    {piEdit, "piEdit", u"修改"},           {piDelete, "piDelete", u"删除"},
    {piCheck, "piCheck", u"复核"},         {piUnCheck, "piUnCheck", u"取消复核"},
    {piExport, "piExport", u"导出"},       {piPrint, "piPrint", u"打印"},
    {piDoCancel, "piDoCancel", u"作废"},   {piUnCancel, "piUnCancel", u"还原"},
};

QString personRowStatement()
{
    return QStringLiteral(
        " Select A.DutyID, A.DepartID, B.%2  From comPerson A Left Join (select Flag, UserID, %2 From "
        "PowerDesign Where Flag = 1 And ProgID = %0) B on (B.UserID = A.PersonID) Where A.PersonID = %1");
}

} // namespace

QString ZPowerCaption(TPowerItem item)
{
    return QString::fromUtf16(kItems[item].caption);
}

QString ZPowerName(TPowerItem item)
{
    return QLatin1String(kItems[item].name);
}

TPowerItems GetPowerItemsByNames(const QString &names)
{
    TPowerItems items = 0;
    for (const QString &part : names.split(QLatin1Char(','))) {
        const QString name = ZTrim(part);
        for (const Item &entry : kItems) {
            if (name == QString::fromUtf16(entry.caption)
                || name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
                items |= ZPowerBit(entry.item);
        }
    }
    return items;
}

TPowerItems GetPowerItemsByCode(const QString &code)
{
    TPowerItems items = 0;
    const QString c = ZTrim(code);
    for (int i = 0; i < c.size() && i < 16; ++i) {
        if (c.at(i) == QLatin1Char('1'))
            items |= ZPowerBit(i);
    }
    return items;
}

QString GetPowerCodeOfItems(TPowerItems items)
{
    QString code;
    for (int i = 0; i <= piUnCancel; ++i)
        code += (items & ZPowerBit(i)) ? QLatin1Char('1') : QLatin1Char('0');
    return code;
}

QString GetPowerCode(const QString &names)
{
    return GetPowerCodeOfItems(GetPowerItemsByNames(names));
}

bool GetHavePower(const QString &code, int item)
{
    return item >= 0 && item <= 15 && (GetPowerItemsByCode(code) & ZPowerBit(item)) != 0;
}

QString GetUserPowerCode(const QString &holder, const QString &progID, int mode, const QString &column)
{
    TDBConn &db = DBConn();
    if (mode == 0) {
        const QStringList row =
            db.DBSelectValue(personRowStatement().arg(ZQuotedStr(progID), ZQuotedStr(holder), column));
        QString code = row.value(2);
        if (code.isEmpty() && !row.value(0).isEmpty())
            code = GetUserPowerCode(row.value(0), progID, 2, column);
        if (code.isEmpty() && !row.value(1).isEmpty())
            code = GetUserPowerCode(row.value(1), progID, 3, column);
        return code;
    }
    return db
        .DBSelectValue(QStringLiteral("Select %2 From PowerDesign Where Flag = %3 And ProgID = %0 And UserID = %1")
                           .arg(ZQuotedStr(progID), ZQuotedStr(holder), column)
                           .arg(mode))
        .value(0);
}

bool GetHavePower(const QString &userID, const QString &progID, int item)
{
    if (!IsExistProgID(progID))
        return false;
    TZDataSource &source = GetDataSource(progID);
    const QString sysCode = ZTrim(source.PropValueByName(QStringLiteral("SysCode")));
    if (!sysCode.isEmpty() && !sysCode.contains(FSYSCode, Qt::CaseInsensitive))
        return false;
    const TPowerItems applicable = IsSystemVisible(source.SysID) ? GetPowerItemsByNames(source.Powers) : 0;
    if (item < 0 || item > 15 || !(applicable & ZPowerBit(item)))
        return false;
    if (userID.compare(QLatin1String("Admin"), Qt::CaseInsensitive) == 0)
        return true;
    return GetHavePower(GetUserPowerCode(userID, progID, 0, QStringLiteral("Powers")), item);
}

bool GetHavePowerEx(const QString &progID, int item)
{
    return GetHavePower(UserInfo.UserID, progID, item);
}

void InitPowerDesignTable(TZDbConnection &connection)
{
    if (ExistTable(connection, QStringLiteral("PowerDesign")))
        return;
    if (connection.kind() == dtMSSQL) {
        DBExcuteSql(connection,
                    QStringLiteral(" CREATE TABLE [dbo].[PowerDesign]([UserID] [varchar](20) NOT NULL,[ProgID] "
                                   "[varchar](50) NOT NULL,[Powers] [varchar](50) NULL,[Flag] [int] NULL "
                                   "DEFAULT 1,[FieldPowers] [text] NULL) ON [PRIMARY]"));
        DBExcuteSql(connection,
                    GetCreatePrimaryKeySQL(QStringLiteral("PowerDesign"), QStringLiteral("UserID,ProgID"), dtMSSQL));
    } else {
        DBExcuteSql(connection,
                    QStringLiteral(" CREATE TABLE [PowerDesign]([UserID] char(20) NOT NULL,[ProgID] char(50) "
                                   "NOT NULL,[Powers] char(50),[Flag] int DEFAULT 1,[FieldPowers] text)"));
    }
}

void InitPowerDesign()
{
    TDBConn &db = DBConn();
    InitPowerDesignTable(db.GetDBCONN());
    auto batch = db.DBOpenDataSet(QStringLiteral("Select * From PowerDesign Where 1=2"));
    for (const QString &progID : RegisteredProgIDs()) {
        const QString select =
            QStringLiteral(" select 1 as Flag,%0 as ProgID,A.UserID,%1 as FieldPowers,%1 as Powers from "
                           "comUser A left join (select Flag, UserID From PowerDesign Where Flag = 1 "
                           "And ProgID = %0)B on (A.UserID = B.UserID) where B.Flag is null")
                .arg(ZQuotedStr(progID), ZQuotedStr(QString()));
        auto missing = db.DBOpenDataSet(select);
        for (missing->First(); !missing->Eof(); missing->Next()) {
            batch->Append();
            batch->FieldByName(QStringLiteral("Flag")).SetAsInteger(1);
            batch->FieldByName(QStringLiteral("ProgID")).SetAsString(progID);
            batch->FieldByName(QStringLiteral("UserID"))
                .SetAsString(missing->FieldByName(QStringLiteral("UserID")).AsString());
            batch->FieldByName(QStringLiteral("FieldPowers")).SetAsString(QString());
            batch->FieldByName(QStringLiteral("Powers")).SetAsString(QString());
            batch->Post();
        }
    }
    batch->UpdateBatch();
}

int GetOpAction(const QString &actionName)
{
    static const QList<QPair<const char *, int>> ops{
        {"actAdd", 1},       {"actAdd1", 1},      {"actEdit", 2},   {"actDelete", 3},  {"actCopy", 4},
        {"actSave", 5},      {"actCancel", 6},    {"actFind", 7},   {"actSearch", 7},  {"actFirst", 8},
        {"actPrior", 9},     {"actNext", 10},     {"actLast", 11},  {"actExport", 12}, {"actPrint", 13},
        {"actHelp", 14},     {"actF3", 16},       {"actF4", 17},    {"actCheck", 18},  {"actUnCheck", 19},
        {"actDoCancel", 20}, {"actUnCancel", 21}, {"actFresh", 22}, {"actClose", 23}};
    for (const auto &[name, op] : ops) {
        if (actionName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return op;
    }
    return 0;
}

TPowerItem GetPowerItem(int operation)
{
    switch (operation) {
    case 1:
    case 4:
        return piAdd;
    case 2:
        return piEdit;
    case 3:
        return piDelete;
    case 12:
        return piExport;
    case 13:
        return piPrint;
    case 18:
        return piCheck;
    case 19:
        return piUnCheck;
    case 20:
        return piDoCancel;
    case 21:
        return piUnCancel;
    default:
        return piLoad;
    }
}

TPowerItem GetPowerItem(const QString &actionName)
{
    return GetPowerItem(GetOpAction(actionName));
}

QString GetActionTag(const QString &actionName)
{
    static const QList<QPair<QStringList, const char *>> masks{
        {{QStringLiteral("actAdd"), QStringLiteral("actSelfDesign")}, "10001111"},
        {{QStringLiteral("actEdit"), QStringLiteral("actDelete"), QStringLiteral("actCheck"),
          QStringLiteral("actDoCancel")},
         "10001000"},
        {{QStringLiteral("actSave"), QStringLiteral("actCancel")}, "11110000"},
        {{QStringLiteral("actFirst"), QStringLiteral("actPrior"), QStringLiteral("actNext"), QStringLiteral("actLast"),
          QStringLiteral("actCopy"), QStringLiteral("actExport"), QStringLiteral("actPrint"), QStringLiteral("actFind"),
          QStringLiteral("actFresh"), QStringLiteral("actFileAttach")},
         "10001011"},
        {{QStringLiteral("actHelp"), QStringLiteral("actFrmExit"), QStringLiteral("actF3"), QStringLiteral("actF4"),
          QStringLiteral("actClose"), QStringLiteral("actWakeUpBillList")},
         "11111111"},
        {{QStringLiteral("actUnCheck")}, "10000010"},
        {{QStringLiteral("actUnCancel")}, "10000001"}};
    for (const auto &[names, mask] : masks) {
        if (names.contains(actionName, Qt::CaseInsensitive))
            return QLatin1String(mask);
    }
    return {};
}

bool ZActionEnabled(int state, const QString &actionName, const QString &code)
{
    const QString mask = GetActionTag(actionName);
    return state >= 0 && mask.size() >= state + 2 && mask.at(state + 1) == QLatin1Char('1')
           && GetHavePower(code, GetPowerItem(actionName));
}

void SetActionState(int state, QAction *action, const QString &code)
{
    if (action)
        action->setEnabled(ZActionEnabled(state, action->objectName(), code));
}

QString ZLoginPowerCode(const QString &progID, const QString &modulePowers)
{
    return IsAdminUser() ? GetPowerCode(modulePowers)
                         : GetUserPowerCode(UserInfo.UserID, progID, 0, QStringLiteral("Powers"));
}
