#include "ZKeyNumbers.h"

#include "common/ZCounting.h"
#include "common/ZDateCode.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"

namespace {

bool isServer()
{
    return DBConn().GetDBCONN().kind() == dtMSSQL;
}

} // namespace

QString GetDateCodeMaxValue(const QString &table, const QString &field, const TZKeySource *source, const QDate &date,
                            const QString &where)
{
    const QString progID = source ? source->ProgID : QString();
    const QString rule = ZTrim(GetParamValue(progID + QStringLiteral("_CodeRule"), QStringLiteral("YYYYMMDD???")));
    const QString expanded = ExpandDateCodeRule(rule, date);
    QString prefix = DateCodePrefix(expanded);
    int length = DateCodePrefixLength(rule);
    const bool branch = source && source->HasBranchColumn;
    if (branch) {
        prefix = GetCurrOrgCode() + prefix;
        length += 2;
    }
    const QString condition =
        where + QStringLiteral(" And Left(%1, %2) = %3").arg(field).arg(length).arg(ZQuotedStr(prefix));
    const QString greatest = ZTrim(DBConn().GetFieldMaxValue(table, field, condition));
    if (greatest.isEmpty())
        return DateCodeZeroKey(expanded);
    return branch ? greatest.mid(2) : greatest;
}

QString GetFieldNewNo(const QString &table, const QString &field, const TZKeySource *source, const QDate &date,
                      TCodeRule rule, const QString &where)
{
    if (rule == vtEmpty)
        return {};
    QString greatest;
    if (rule == vtMaxID) {
        QString condition = where;
        if (source) {
            if (source->ProgID.compare(QLatin1String("comCustomer"), Qt::CaseInsensitive) == 0)
                condition += QStringLiteral(" And CustID <> ") + ZQuotedStr(QStringLiteral("ZZZZZZ"));
            else if (source->ProgID.compare(QLatin1String("comPerson"), Qt::CaseInsensitive) == 0)
                condition += QStringLiteral(" And PersonID <> ") + ZQuotedStr(QStringLiteral("Admin"));
            else if (source->ProgID.compare(QLatin1String("comWareHouse"), Qt::CaseInsensitive) == 0)
                condition += QStringLiteral(" And WareHouseID <> ") + ZQuotedStr(QStringLiteral("ZZZZZZ"));
            if (source->HasBranchColumn)
                condition += QStringLiteral(" And %1 like %2")
                                 .arg(source->MasterKey, ZQuotedStr(GetCurrOrgCode() + QLatin1Char('%')));
        }
        greatest = ZTrim(DBConn().GetFieldMaxValue(table, field, condition));
    } else {
        greatest = GetDateCodeMaxValue(table, field, source, date, where);
    }
    return greatest.isEmpty() ? QStringLiteral("000001") : IncString(greatest);
}

void SyncPersonToUser()
{
    const bool server = isServer();
    DBConn().DBExcuteSql(
        QStringLiteral(" insert into comUser(UserID,PersonID,UserName) select PersonID,PersonID,PersonName "
                       "from comPerson A where A.IsSysUser = %1 And (select count(*) from comUser B "
                       "where B.PersonID = A.PersonID) = 0")
            .arg(server ? 1 : -1));
    if (server)
        DBConn().DBExcuteSql(
            QStringLiteral(" Update comUser Set PersonID = B.PersonID, UserName = B.PersonName from "
                           "comUser A  inner join comPerson B on (A.UserID = B.PersonID or A.PersonID = "
                           "B.PersonID)"));
}

void InitUserTable()
{
    if (DBConn().GetRecordCount(QStringLiteral("select * from comPerson")) == 0)
        DBConn().DBExcuteSql(QStringLiteral("Insert into comPerson(PersonID, PersonName, IsSysUser)values(%1, %2, %3)")
                                 .arg(ZQuotedStr(QStringLiteral("Admin")), ZQuotedStr(QStringLiteral("管理员")))
                                 .arg(isServer() ? 1 : -1));
    SyncPersonToUser();
}
