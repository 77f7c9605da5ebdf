#pragma once

#include "report/TfrmRptGridView.h"

/// The grid window of the daily trading summary: the running balance
/// (`CurrMoney`) has no footer sum, since balances do not add up.
class TfrmRptAccDailyGrid final : public TfrmRptGridView
{
    Q_OBJECT

public:
    using TfrmRptGridView::TfrmRptGridView;

    void FormReturnValue(const QString &name, const QString &value) override;
};
