#pragma once

#include "forms/TfrmRptAccIncomeTotal.h"

/// Payment bills summed by counterparty, month and bill item.
class TfrmRptAccFeeTotal final : public TfrmRptAccIncomeTotal
{
    Q_OBJECT

public:
    using TfrmRptAccIncomeTotal::TfrmRptAccIncomeTotal;

protected:
    QString BillFlag() const override { return QStringLiteral("2"); }
};
