#include "TfrmRptAccStock.h"

#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TZClientDataSet.h"
#include "data/TZDataField.h"
#include "report/TRptDataSet.h"

QString TfrmRptAccStock::LineSql(int index, int line)
{
    QString sql = ConditionedSql(
        index,
        QStringLiteral(" Select A.FeeItemID as ItemID,B.ItemName,        Sum(IIF(Flag=2, A.Quantity, -A.Quantity)) as "
                       "Quantity From accFee A Left Join accFeeItem B on A.FeeItemID = B.ItemID Where B.IsStock = 1 "),
        QStringLiteral(" Group by A.FeeItemID, B.ItemName"));
    // Every item and quantity column (the conditions' too) names the line.
    const QString nn = QStringLiteral("%1").arg(line, 2, 10, QLatin1Char('0'));
    sql.replace(QStringLiteral("FeeItemID"), QStringLiteral("FeeItemID") + nn, Qt::CaseInsensitive);
    sql.replace(QStringLiteral("A.Quantity"), QStringLiteral("A.Quantity") + nn, Qt::CaseInsensitive);
    return sql;
}

void TfrmRptAccStock::GetPrintSql(int index, QString &sql)
{
    sql = LineSql(index, 1);
}

void TfrmRptAccStock::UpdateRptData(TRptDataSet *dataset, int index)
{
    TfrmRptLedgerBase::UpdateRptData(dataset, index);
    if (index != 0)
        return;
    // The rows of line 01 move to a report data of a fixed shape: an empty
    // line 01 would otherwise leave Quantity without a number type.
    TZClientDataSet line01;
    line01.CloneCursor(*dataset);
    DBConn().DBOpenDataSet(*dataset, QStringLiteral("Select ftZString as [ItemID], ftZString as [ItemName],"
                                                    " ftZFloat as [Quantity] From comVirtual Where 1=2"));
    merge(*dataset, line01);
    for (int line = 2; line <= 10; ++line)
        merge(*dataset, *DBConn().DBOpenDataSet(LineSql(index, line)));
    dataset->MergeChangeLog();
    dataset->First();
}

void TfrmRptAccStock::merge(TZClientDataSet &stock, TZClientDataSet &rows)
{
    TZDataField &itemID = stock.FieldByName(QStringLiteral("ItemID"));
    TZDataField &itemName = stock.FieldByName(QStringLiteral("ItemName"));
    TZDataField &quantity = stock.FieldByName(QStringLiteral("Quantity"));
    for (rows.First(); !rows.Eof(); rows.Next()) {
        const QString id = ZTrim(rows.FieldByName(QStringLiteral("ItemID")).AsString());
        const double amount = rows.FieldByName(QStringLiteral("Quantity")).AsFloat();
        if (stock.Locate(QStringLiteral("ItemID"), {id})) {
            stock.Edit();
            quantity.SetAsFloat(quantity.AsFloat() + amount);
        } else {
            stock.Append();
            itemID.SetValue(id);
            itemName.SetValue(rows.FieldByName(QStringLiteral("ItemName")).Value());
            quantity.SetAsFloat(amount);
        }
        stock.Post();
    }
}
