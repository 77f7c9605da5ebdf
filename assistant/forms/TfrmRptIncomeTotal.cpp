#include "TfrmRptIncomeTotal.h"

QString TfrmRptIncomeTotal::TotalSqlHead() const
{
    return QStringLiteral(" Select A.FeeMonth,A.InOutType,B.TypeName,Sum(ItemMoney) as SumMoney From moxIncomeFee A "
                          "Left Join moxIncomeType B on A.InOutType = B.TypeID Where A.Flag = 1 ");
}
