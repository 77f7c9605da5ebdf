#pragma once

#include "forms/TfrmRptLedgerBase.h"

#include "common/Currency.h"

/// The daily trading summary: per day the income and payment bills, their
/// open balances, the day's cash balance (`DaySum`) and the running balance
/// (`CurrMoney`) from the opening balance before the "日期区间" condition.
/// Shown in the grid window "TfrmRptAccDailyGrid".
class TfrmRptAccDaily final : public TfrmRptLedgerBase
{
    Q_OBJECT

public:
    using TfrmRptLedgerBase::TfrmRptLedgerBase;

    void GetPrintSql(int index, QString &sql) override;
    void UpdateRptData(TRptDataSet *dataset, int index) override;
    QString GridViewFormClassName() override;

    /// The balance before the first day of the "日期区间" condition; 0 when
    /// the report has no such condition.
    Currency OpeningBalance();
};
