#include "TfrmRptAccDaily.h"

#include "common/ZDates.h"
#include "controls/TPrintRange.h"
#include "data/TDBConn.h"
#include "data/TZDataField.h"
#include "report/TRptDataSet.h"

#include <algorithm>

void TfrmRptAccDaily::GetPrintSql(int index, QString &sql)
{
    sql = ConditionedSql(
        index,
        QStringLiteral(
            " Select A.AccMonth, A.BillDate, Sum(IIF(A.Flag=1, FeeMoney, 0)) as FeeMoney1, Sum(IIF(A.Flag=2, FeeMoney, "
            "0)) as FeeMoney2,         Sum(IIF(A.Flag=1, RemainMoney, 0)) as RemainMoney1, Sum(IIF(A.Flag=2, "
            "RemainMoney, 0)) as RemainMoney2,        B.DaySum,B.CurrMoney From accFee A Left Join RptAccDaily B on "
            "A.AccMonth = B.AccMonth  Where 1=1"),
        QStringLiteral(" Group by A.AccMonth, A.BillDate, B.DaySum, B.CurrMoney"));
}

Currency TfrmRptAccDaily::OpeningBalance()
{
    const QList<TPrintRange *> &ctrls = PrintCtrls();
    const auto range = std::find_if(ctrls.cbegin(), ctrls.cend(), [](const TPrintRange *ctrl) {
        return ctrl->Kind() == ctRangeDate && ctrl->Caption() == QStringLiteral("日期区间");
    });
    if (range == ctrls.cend())
        return Currency();
    const int first = std::min(DateToIntDate((*range)->BeginDate()), DateToIntDate((*range)->EndDate()));
    auto sum = DBConn().DBOpenDataSet(QStringLiteral("Select Sum(IIF(Flag=1,RemainMoney,-RemainMoney)) From accFee "
                                                     "Where Year(BillDate) * 10000 + Month(BillDate) * 100 + "
                                                     "Day(BillDate) < %1")
                                          .arg(first));
    return sum->IsEmpty() ? Currency() : sum->Fields(0).AsCurrency();
}

void TfrmRptAccDaily::UpdateRptData(TRptDataSet *dataset, int index)
{
    TfrmRptLedgerBase::UpdateRptData(dataset, index);
    if (index != 0)
        return;
    Currency balance = OpeningBalance();
    TZDataField &income = dataset->FieldByName(QStringLiteral("FeeMoney1"));
    TZDataField &incomeOpen = dataset->FieldByName(QStringLiteral("RemainMoney1"));
    TZDataField &payment = dataset->FieldByName(QStringLiteral("FeeMoney2"));
    TZDataField &paymentOpen = dataset->FieldByName(QStringLiteral("RemainMoney2"));
    TZDataField &daySum = dataset->FieldByName(QStringLiteral("DaySum"));
    TZDataField &currMoney = dataset->FieldByName(QStringLiteral("CurrMoney"));
    dataset->SetIndexFieldNames(QStringLiteral("AccMonth;BillDate"));
    for (dataset->First(); !dataset->Eof(); dataset->Next()) {
        const Currency day =
            (income.AsCurrency() - incomeOpen.AsCurrency()) - (payment.AsCurrency() - paymentOpen.AsCurrency());
        balance += day;
        dataset->Edit();
        daySum.SetAsCurrency(day);
        currMoney.SetAsCurrency(balance);
        dataset->Post();
    }
    dataset->MergeChangeLog();
    dataset->First();
}

QString TfrmRptAccDaily::GridViewFormClassName()
{
    return QStringLiteral("TfrmRptAccDailyGrid");
}
