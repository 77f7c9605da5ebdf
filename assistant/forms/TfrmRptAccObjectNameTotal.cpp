#include "TfrmRptAccObjectNameTotal.h"

void TfrmRptAccObjectNameTotal::GetPrintSql(int index, QString &sql)
{
    sql = ConditionedSql(
        index,
        QStringLiteral(" Select A.ObjectName, Sum(IIF(A.Flag=1, FeeMoney, 0)) as FeeMoney1, Sum(IIF(A.Flag=2, "
                       "FeeMoney, 0)) as FeeMoney2, Sum(IIF(A.Flag=1, RemainMoney, 0)) as RemainMoney1, "
                       "Sum(IIF(A.Flag=2, RemainMoney, 0)) as RemainMoney2 From accFee A Where 1=1"),
        QStringLiteral(" Group by A.ObjectName"));
}
