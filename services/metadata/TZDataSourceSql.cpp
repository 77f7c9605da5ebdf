// The statements of a data source: its datasets' statements by index, the
// data-level restriction joins, the drop-down restrictions and the record
// navigation by key.

#include "TZDataSource.h"

#include "common/ZErrors.h"
#include "settings/ZSession.h"
#include "common/ZSqlQuote.h"
#include "common/ZStrList.h"
#include "settings/ZSwitches.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "metadata/ZDataSources.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

TZDataset &datasetAt(const TZDataSource &source, int i)
{
    if (i < 0 || i >= source.DatasetCount())
        throw EZError(QStringLiteral("[%1]中没有找到数据集定义[%2]").arg(source.DisplayName).arg(i));
    return *source.Datasets.at(std::size_t(i));
}

} // namespace

QString TZDataSource::GetDataSetSQL(int i, const TZSqlSwitches &switches) const
{
    return datasetAt(*this, i).GetDataSetSQL(switches);
}

QString TZDataSource::GetDataSetSQL(int i, bool joinRelations) const
{
    return datasetAt(*this, i).GetDataSetSQL(joinRelations);
}

QString TZDataSource::GetDataSetSQLEx(int i, bool joinRelations, bool includeHidden, bool joinNames, bool joinDetail,
                                      bool distinct) const
{
    return datasetAt(*this, i).GetDataSetSQLEx(joinRelations, includeHidden, joinNames, joinDetail, distinct);
}

QString TZDataSource::GetEmptyBillSQL(int i, bool joinRelations) const
{
    return datasetAt(*this, i).GetEmptyBillSQL(joinRelations);
}

QString TZDataSource::GetOneBillSQL(int i, const QString &key, bool joinRelations)
{
    return datasetAt(*this, i).GetOneBillSQL(key, joinRelations);
}

QString TZDataSource::GetSelectListWhere() const
{
    if (!UseTradingSystem())
        return {};
    const auto is = [this](const char *name) { return Name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };
    if (UseOrgManage()) {
        if (is("comCustomer") || is("comFactory"))
            return QStringLiteral(" And (A.OrgID = %1 or A.OrgID = %2)")
                .arg(ZQuotedStr(GetCurrOrgID()), ZQuotedStr(QString()));
        if (is("comPerson"))
            return QStringLiteral(" And (A.OrgID = %1 or A.PersonID = %2)")
                .arg(ZQuotedStr(GetCurrOrgID()), ZQuotedStr(QStringLiteral("Admin")));
        if (is("comWareHouse"))
            return QStringLiteral(" And A.WareHouseID <> ") + ZQuotedStr(QStringLiteral("ZZZZZZ"));
        return {};
    }
    if (UsePosSystem() && is("comCustomer"))
        return QStringLiteral(" And A.CustID <> ") + ZQuotedStr(QStringLiteral("ZZZZZZ"));
    return {};
}

void TZDataSource::InitAdvFields(TZDataset &dataset)
{
    for (int i = 1; i <= 6; ++i) {
        AdvFieldName[std::size_t(i)].clear();
        if (dataset.Tables.empty())
            continue;
        for (const auto &field : dataset.Tables.front()->Fields) {
            if (field->RelativeDS.compare(QLatin1String(AdvProgIDs[std::size_t(i)]), Qt::CaseInsensitive) == 0) {
                AdvFieldName[std::size_t(i)] = field->FieldName;
                break;
            }
        }
    }
}

bool TZDataSource::NeedAdvPower(int i) const
{
    return i >= 1 && i <= 6 && !AdvFieldName[std::size_t(i)].isEmpty();
}

bool TZDataSource::IsAdvBaseProgID() const
{
    for (int i = 1; i <= 6; ++i) {
        if (Name.compare(QLatin1String(AdvProgIDs[std::size_t(i)]), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString TZDataSource::GetAdvInnerJoinSql(int i, bool self) const
{
    const QString column = self ? MasterKey : AdvFieldName[std::size_t(i)];
    const QString key = self ? MasterKey : GetDataSource_NotRls(QLatin1String(AdvProgIDs[std::size_t(i)])).MasterKey;
    QString condition = QStringLiteral("1=1");
    if (i == 2)
        condition = QStringLiteral("_Adv%1_1.Flag = 1").arg(i);
    else if (i == 3)
        condition = QStringLiteral("_Adv%1_1.Flag = 2").arg(i);
    const QString n = QString::number(i);
    const QString base = QStringLiteral("_Adv") + n + QStringLiteral("_1");
    const QString link = QStringLiteral("_Adv") + n + QStringLiteral("_2");
    return QStringLiteral(" Inner Join ") + QLatin1String(AdvTables[std::size_t(i)]) + QLatin1Char(' ') + base
           + QStringLiteral(" On ") + condition + QStringLiteral(" And A.") + column + QStringLiteral(" = ") + base
           + QLatin1Char('.') + key + kCrLf + QStringLiteral(" Inner Join comObjUser ") + link + QStringLiteral(" On ")
           + link + QStringLiteral(".PersonID = ") + ZQuotedStr(UserInfo.PersonID) + QStringLiteral(" And ") + link
           + QStringLiteral(".Flag = ") + n + QStringLiteral(" And ") + base + QLatin1Char('.') + key
           + QStringLiteral(" = ") + link + QStringLiteral(".BaseID And ") + link + QStringLiteral(".Choose = 1")
           + kCrLf;
}

QString TZDataSource::GetSelfAdvInnerJoinSql() const
{
    for (int i = 1; i <= 6; ++i) {
        if (Name.compare(QLatin1String(AdvProgIDs[std::size_t(i)]), Qt::CaseInsensitive) == 0)
            return GetAdvInnerJoinSql(i, true);
    }
    return {};
}

QString TZDataSource::GetAllAdvInnerJoinSql() const
{
    if (CurrentSysID() == 1011 || IsAdminUser())
        return {};
    if (IsAdvBaseProgID())
        return GetSelfAdvInnerJoinSql();
    QStringList joins;
    for (int i = 1; i <= 6; ++i) {
        if (NeedAdvPower(i))
            joins << GetAdvInnerJoinSql(i, false);
    }
    return joins.join(kCrLf);
}

QString TZDataSource::GetMasterTableFlagWhere(bool withAlias) const
{
    if (Datasets.empty() || Datasets.front()->Tables.empty())
        return {};
    return Datasets.front()->Tables.front()->GetFlagWhere(withAlias ? QStringLiteral("A") : QString());
}

QString TZDataSource::navigate(bool max, const QString &comparison, const QString &current, const QString &where)
{
    TDBConn &db = DBConn();
    if (IsAdminUser()) {
        QString w = GetMasterTableFlagWhere(false) + where;
        if (!comparison.isEmpty())
            w = QStringLiteral(" and ") + MasterKey + comparison + ZQuotedStr(current) + w;
        return max ? db.GetFieldMaxValue(MasterTableName, MasterKey, w)
                   : db.GetFieldMinValue(MasterTableName, MasterKey, w);
    }
    const QString w = GetMasterTableFlagWhere(true) + where;
    QString sql = QStringLiteral(" Select %1(A.%2) From %3 A  %4 Where 1=1 %5")
                      .arg(max ? QStringLiteral("Max") : QStringLiteral("Min"), MasterKey, MasterTableName,
                           GetAllAdvInnerJoinSql(), w);
    if (!comparison.isEmpty())
        sql += QStringLiteral(" and A.%1%2%3").arg(MasterKey, comparison, ZQuotedStr(current));
    return db.DBSelectValue(sql).value(0);
}

QString TZDataSource::GetFirstKeyValue(const QString &where)
{
    return navigate(false, QString(), QString(), where);
}

QString TZDataSource::GetLastKeyValue(const QString &where)
{
    return navigate(true, QString(), QString(), where);
}

QString TZDataSource::GetNextKeyValue(const QString &current, const QString &where)
{
    return navigate(false, QStringLiteral(" > "), current, where);
}

QString TZDataSource::GetPriorKeyValue(const QString &current, const QString &where)
{
    return navigate(true, QStringLiteral(" < "), current, where);
}
