#pragma once

#include "forms/TfrmRptLedgerBase.h"

/// Totals per counterparty: the amounts and open balances of its income
/// bills and of its payment bills.
class TfrmRptAccObjectNameTotal final : public TfrmRptLedgerBase
{
    Q_OBJECT

public:
    using TfrmRptLedgerBase::TfrmRptLedgerBase;

    void GetPrintSql(int index, QString &sql) override;
};
