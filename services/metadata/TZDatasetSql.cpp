// The statements of a dataset: its select with joins and conditions, the
// empty and one-record forms, and the list statements of the list windows.

#include "TZDataset.h"

#include "common/ZErrors.h"
#include "common/ZSession.h"
#include "common/ZSqlQuote.h"
#include "common/ZStrList.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZPowers.h"

namespace {

const QString kBreak = QStringLiteral("\r\n");

// Sets the switches for one statement and puts the defaults back afterwards,
// also when building fails.
class SwitchScope
{
public:
    SwitchScope(TZDataset &d, bool includeHidden, bool joinNames, bool joinDetail, bool distinct) : m_d(d)
    {
        d.IncludeHidden = includeHidden;
        d.JoinNames = joinNames;
        d.JoinDetail = joinDetail;
        d.Distinct = distinct;
    }
    ~SwitchScope()
    {
        m_d.IncludeHidden = true;
        m_d.JoinNames = false;
        m_d.JoinDetail = false;
        m_d.Distinct = false;
    }

private:
    TZDataset &m_d;
};

} // namespace

QString TZDataset::GetDataSetSQL(bool joinRelations)
{
    if (Tables.empty())
        throw EZError(
            QStringLiteral("[%1]的数据集[%2]没有定义数据表").arg(Owner ? Owner->DisplayName : QString(), Name));
    const QString a = Alias();
    TZTable &first = *Tables.front();
    QString from = kBreak + QStringLiteral(" from ") + first.Name + QLatin1Char(' ') + a;
    const TZTable::SelectAndJoins main = first.GetSelectAndJoinSQL(a, joinRelations);
    if (!main.joins.isEmpty())
        from += kBreak + main.joins;
    if (OneOf(CurrentSysID(), {1001, 1007, 1008, 1009, 1010, 1011}) && DatasetIndex == 0 && joinRelations && Owner)
        from += Owner->GetAllAdvInnerJoinSql();
    if (JoinDetail && DatasetIndex == 0 && Owner && Owner->Datasets.size() > 1
        && !Owner->Datasets.at(1)->Tables.empty()) {
        TZTable &detail = *Owner->Datasets.at(1)->Tables.front();
        const TZTable::SelectAndJoins detailJoins = detail.GetSelectAndJoinSQL(QStringLiteral("B"), joinRelations);
        from += QStringLiteral(" Left Join %1 B on A.%2 = B.%2 ").arg(detail.Name, Owner->MasterKey);
        if (first.Flag > 0)
            from += QStringLiteral(" And A.Flag = B.Flag");
        if (!detailJoins.joins.isEmpty())
            from += kBreak + detailJoins.joins;
    }
    QString statement = (Distinct ? QStringLiteral(" Select Distinct ") : QStringLiteral(" Select ")) + main.selectList
                        + from + kBreak + QStringLiteral(" where 1=1");
    QString condition;
    if (first.Flag != 0)
        condition = a + QStringLiteral(".Flag = ") + QString::number(first.Flag);
    if (!ZIsBlank(first.TableWhere))
        condition = condition.isEmpty() ? first.TableWhere : condition + QStringLiteral(" and ") + first.TableWhere;
    if (!condition.isEmpty())
        statement += QStringLiteral(" and ") + condition;
    return statement;
}

QString TZDataset::GetDataSetSQLEx(bool joinRelations, bool includeHidden, bool joinNames, bool joinDetail,
                                   bool distinct)
{
    SwitchScope scope(*this, includeHidden, joinNames, joinDetail, distinct);
    return GetDataSetSQL(joinRelations);
}

QString TZDataset::GetEmptyBillSQL(bool joinRelations)
{
    return GetDataSetSQL(joinRelations) + kBreak + QStringLiteral(" and 1=2");
}

QString TZDataset::GetEmptyBillSQLEx(bool joinRelations, bool includeHidden, bool joinNames, bool joinDetail,
                                     bool distinct)
{
    SwitchScope scope(*this, includeHidden, joinNames, joinDetail, distinct);
    return GetEmptyBillSQL(joinRelations);
}

QString TZDataset::GetOneBillSQL(const QString &key, bool joinRelations)
{
    return GetDataSetSQL(joinRelations) + kBreak + QStringLiteral(" and ") + Alias() + QLatin1Char('.') + KeyField
           + QStringLiteral(" = ") + ZQuotedStr(key) + GetMakerIDWhere();
}

QString TZDataset::GetOneBillSQLEx(const QString &key, bool joinRelations, bool includeHidden, bool joinNames,
                                   bool joinDetail, bool distinct)
{
    SwitchScope scope(*this, includeHidden, joinNames, joinDetail, distinct);
    return GetOneBillSQL(key, joinRelations);
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
    QString statement = GetDataSetSQLEx(true, false, false, false, false);
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
