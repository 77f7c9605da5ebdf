#pragma once

#include "forms/TfrmRptLedgerBase.h"

/// Income bills summed by counterparty, month and bill item.
class TfrmRptAccIncomeTotal : public TfrmRptLedgerBase
{
    Q_OBJECT

public:
    using TfrmRptLedgerBase::TfrmRptLedgerBase;

    void GetPrintSql(int index, QString &sql) override;

protected:
    /// The bill flag the report sums: "1" income bills.
    virtual QString BillFlag() const { return QStringLiteral("1"); }
};
