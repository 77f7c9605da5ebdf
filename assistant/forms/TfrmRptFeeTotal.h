#pragma once

#include "forms/TfrmRptLedgerBase.h"

/// Monthly expense by type: the expense items summed per month and type,
/// turned into one row per month with one column per type (captioned with
/// the type's name).
class TfrmRptFeeTotal : public TfrmRptLedgerBase
{
    Q_OBJECT

public:
    using TfrmRptLedgerBase::TfrmRptLedgerBase;

    void GetPrintSql(int index, QString &sql) override;
    void UpdateRptData(TRptDataSet *dataset, int index) override;

protected:
    /// The statement up to the user's conditions.
    virtual QString TotalSqlHead() const;
};
