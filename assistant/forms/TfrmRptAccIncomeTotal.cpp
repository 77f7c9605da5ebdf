#include "TfrmRptAccIncomeTotal.h"

#include "common/ZSqlQuote.h"

void TfrmRptAccIncomeTotal::GetPrintSql(int index, QString &sql)
{
    const QString head = QStringLiteral(
        " Select A.ObjectName,A.AccMonth,A.ItemID,B.ItemName,        Sum(FeeMoney) as SumMoney,Sum(Offset) as Offset,"
        "Sum(RemainMoney) as RemainMoney,        Sum(NowRecv) as NowRecv,Sum(Discount) as Discount From accFee A "
        "Left Join accFeeParentItem B on A.ItemID = B.ItemID Where Flag = ");
    sql = ConditionedSql(index, head + BillFlag() + QStringLiteral(" and A.ItemID <> ") + ZQuotedStr(QString()),
                         QStringLiteral(" Group by A.ObjectName,A.AccMonth, A.ItemID, B.ItemName"));
}
