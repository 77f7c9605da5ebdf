// The statements of a dataset: its select with joins and conditions, the
// empty and one-record forms, and the list statements of the list windows.

#include "TZDataset.h"

#include "common/ZErrors.h"
#include "settings/ZSwitches.h"
#include "settings/ZSession.h"
#include "common/ZSqlQuote.h"
#include "common/ZStrList.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZPowers.h"

namespace {

const QString kBreak = QStringLiteral("\r\n");

TZSqlSwitches switchesOf(bool joinRelations, bool includeHidden, bool joinNames, bool joinDetail, bool distinct)
{
    return {joinRelations, includeHidden, joinNames, joinDetail, distinct};
}

} // namespace

QString TZDataset::GetDataSetSQL(const TZSqlSwitches &switches) const
{
    if (Tables.empty())
        throw EZError(
            QStringLiteral("[%1]的数据集[%2]没有定义数据表").arg(Owner ? Owner->DisplayName : QString(), Name));
    const bool joinRelations = switches.joinRelations;
    const QString a = Alias();
    const TZTable &first = *Tables.front();
    QString from = kBreak + QStringLiteral(" from ") + first.Name + QLatin1Char(' ') + a;
    const TZTable::SelectAndJoins main = first.GetSelectAndJoinSQL(a, switches);
    if (!main.joins.isEmpty())
        from += kBreak + main.joins;
    if (UseTradingSystem() && DatasetIndex == 0 && joinRelations && Owner)
        from += Owner->GetAllAdvInnerJoinSql();
    if (switches.joinDetail && DatasetIndex == 0 && Owner && Owner->Datasets.size() > 1
        && !Owner->Datasets.at(1)->Tables.empty()) {
        const TZTable &detail = *Owner->Datasets.at(1)->Tables.front();
        const TZTable::SelectAndJoins detailJoins = detail.GetSelectAndJoinSQL(QStringLiteral("B"), switches);
        from += QStringLiteral(" Left Join %1 B on A.%2 = B.%2 ").arg(detail.Name, Owner->MasterKey);
        if (first.Flag > 0)
            from += QStringLiteral(" And A.Flag = B.Flag");
        if (!detailJoins.joins.isEmpty())
            from += kBreak + detailJoins.joins;
    }
    QString statement = (switches.distinct ? QStringLiteral(" Select Distinct ") : QStringLiteral(" Select "))
                        + main.selectList + from + kBreak + QStringLiteral(" where 1=1");
    QString condition;
    if (first.Flag != 0)
        condition = a + QStringLiteral(".Flag = ") + QString::number(first.Flag);
    if (!ZIsBlank(first.TableWhere))
        condition = condition.isEmpty() ? first.TableWhere : condition + QStringLiteral(" and ") + first.TableWhere;
    if (!condition.isEmpty())
        statement += QStringLiteral(" and ") + condition;
    return statement;
}

QString TZDataset::GetDataSetSQL(bool joinRelations) const
{
    return GetDataSetSQL(TZSqlSwitches{.joinRelations = joinRelations});
}

QString TZDataset::GetDataSetSQLEx(bool joinRelations, bool includeHidden, bool joinNames, bool joinDetail,
                                   bool distinct) const
{
    return GetDataSetSQL(switchesOf(joinRelations, includeHidden, joinNames, joinDetail, distinct));
}

QString TZDataset::GetEmptyBillSQL(const TZSqlSwitches &switches) const
{
    return GetDataSetSQL(switches) + kBreak + QStringLiteral(" and 1=2");
}

QString TZDataset::GetEmptyBillSQL(bool joinRelations) const
{
    return GetEmptyBillSQL(TZSqlSwitches{.joinRelations = joinRelations});
}

QString TZDataset::GetEmptyBillSQLEx(bool joinRelations, bool includeHidden, bool joinNames, bool joinDetail,
                                     bool distinct) const
{
    return GetEmptyBillSQL(switchesOf(joinRelations, includeHidden, joinNames, joinDetail, distinct));
}

QString TZDataset::GetOneBillSQL(const QString &key, const TZSqlSwitches &switches)
{
    return GetDataSetSQL(switches) + kBreak + QStringLiteral(" and ") + Alias() + QLatin1Char('.') + KeyField
           + QStringLiteral(" = ") + ZQuotedStr(key) + GetMakerIDWhere();
}

QString TZDataset::GetOneBillSQL(const QString &key, bool joinRelations)
{
    return GetOneBillSQL(key, TZSqlSwitches{.joinRelations = joinRelations});
}

QString TZDataset::GetOneBillSQLEx(const QString &key, bool joinRelations, bool includeHidden, bool joinNames,
                                   bool joinDetail, bool distinct)
{
    return GetOneBillSQL(key, switchesOf(joinRelations, includeHidden, joinNames, joinDetail, distinct));
}

QString TZDataset::GetFlagWhere() const
{
    return Tables.empty() ? QString() : Tables.front()->GetFlagWhere(Alias());
}

QString TZDataset::GetMakerIDWhere()
{
    if (IsAdminUser() || !GetZField(QStringLiteral("MakerID")) || !Owner)
        return {};
    if (GetHavePowerEx(Owner->Name, piAllBrowse))
        return {};
    return QStringLiteral(" And MakerID = ") + ZQuotedStr(UserInfo.PersonID);
}

QString TZDataset::GetListSql(TDataArea area)
{
    QString statement = GetDataSetSQL(TZSqlSwitches{.includeHidden = false});
    const QString d = Owner ? ZTrim(Owner->DateField) : QString();
    const QString now = QStringLiteral("GetDate()");
    QString dateCondition;
    QString top;
    if (area != lsAll) {
        if (area <= lsThisYear && !d.isEmpty()) {
            switch (area) {
            case lsToday:
                dateCondition =
                    QStringLiteral("Year(A.%1) * 10000 + Month(A.%1) * 100 + Day(A.%1) = Year(%2) * 10000 + "
                                   "Month(%2) * 100 + Day(%2)")
                        .arg(d, now);
                break;
            case lsThisWeek:
                dateCondition = DBConn().GetDBCONN().kind() == dtMSSQL
                                    ? QStringLiteral("DateDiff(Week, %1, GetDate()) = 0").arg(d)
                                    : QStringLiteral("DateDiff(\"ww\", %1, Date()) = 0").arg(d);
                break;
            case lsThisMonth:
                dateCondition =
                    QStringLiteral("Year(A.%1) * 100 + Month(A.%1) = Year(%2) * 100 + Month(%2)").arg(d, now);
                break;
            default:
                dateCondition = QStringLiteral("Year(A.%1) = Year(%2)").arg(d, now);
                break;
            }
        } else if (area == lsTop50) {
            top = QStringLiteral(" Top 50 ");
        } else if (area == lsTop100) {
            top = QStringLiteral(" Top 100 ");
        } else if (area == lsTop500) {
            top = QStringLiteral(" Top 500 ");
        }
        if (dateCondition.isEmpty() && top.isEmpty())
            top = QStringLiteral(" Top 50 ");
    }
    if (!dateCondition.isEmpty())
        statement += QStringLiteral(" And ") + dateCondition;
    if (!top.isEmpty()) {
        const qsizetype at = statement.indexOf(QLatin1String("Select"), 0, Qt::CaseInsensitive);
        if (at >= 0)
            statement.replace(at, 6, QStringLiteral("Select") + top);
    }
    statement += GetMakerIDWhere();
    const QString key = Owner ? Owner->MasterKey : QString();
    if (!d.isEmpty())
        statement += QStringLiteral(" Order By A.") + d + QStringLiteral(" Desc, A.") + key + QStringLiteral(" Desc ");
    else
        statement += QStringLiteral(" Order By A.") + key + QStringLiteral(" Desc ");
    return statement;
}
