#pragma once

#include "forms/TfrmRptFeeTotal.h"

/// Monthly income by type: the monthly expense report over income items
/// and income types.
class TfrmRptIncomeTotal final : public TfrmRptFeeTotal
{
    Q_OBJECT

public:
    using TfrmRptFeeTotal::TfrmRptFeeTotal;

protected:
    QString TotalSqlHead() const override;
};
