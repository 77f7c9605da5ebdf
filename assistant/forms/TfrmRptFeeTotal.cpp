#include "TfrmRptFeeTotal.h"

#include "common/ZTrim.h"
#include "data/TZDataField.h"
#include "data/ZRowToColumn.h"
#include "report/TRptDataSet.h"

QString TfrmRptFeeTotal::TotalSqlHead() const
{
    return QStringLiteral(" Select A.FeeMonth,A.InOutType,B.TypeName,Sum(ItemMoney) as SumMoney From moxIncomeFee A "
                          "Left Join moxFeeType B on A.InOutType = B.TypeID Where A.Flag = 2 ");
}

void TfrmRptFeeTotal::GetPrintSql(int index, QString &sql)
{
    sql = ConditionedSql(index, TotalSqlHead(), QStringLiteral(" Group by A.FeeMonth, A.InOutType, B.TypeName"));
}

void TfrmRptFeeTotal::UpdateRptData(TRptDataSet *dataset, int index)
{
    TfrmRptLedgerBase::UpdateRptData(dataset, index);
    if (index != 0)
        return;
    // A type no longer in the type list is captioned by its identifier.
    TZDataField &typeID = dataset->FieldByName(QStringLiteral("InOutType"));
    TZDataField &typeName = dataset->FieldByName(QStringLiteral("TypeName"));
    for (dataset->First(); !dataset->Eof(); dataset->Next()) {
        if (ZIsBlank(typeName.AsString())) {
            dataset->Edit();
            typeName.SetValue(ZTrim(typeID.AsString()));
            dataset->Post();
        }
    }
    // One row per month, one "_AutoField" column per type; the report data
    // takes the rows of the pivot (its store is shared), then the captions.
    auto pivot = RowToColumn(*dataset, QStringLiteral("InOutType"), false, QStringLiteral("FeeMonth"),
                             QStringLiteral("SumMoney"), QStringLiteral("TypeName"));
    dataset->CloneCursor(*pivot);
    for (int i = 0; i < pivot->FieldCount(); ++i) {
        const TZDataField &column = pivot->Fields(i);
        dataset->FieldByName(column.FieldName()).DisplayLabel = column.DisplayLabel;
    }
    dataset->First();
}
