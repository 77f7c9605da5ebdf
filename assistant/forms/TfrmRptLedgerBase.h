#pragma once

#include "report/TfrmRptPubBase.h"

class TRptDataSet;

/// The shared display rules of the ledger reports: a month column
/// (`FeeMonth`, `AccMonth`, yyyymm) shows as "2024年03月", and a pivoted
/// amount column ("_AutoField…") like the module's `SumMoney` field, empty
/// when it is 0, its footer sum the same way.
class TfrmRptLedgerBase : public TfrmRptPubBase
{
    Q_OBJECT

public:
    using TfrmRptPubBase::TfrmRptPubBase;

    QString FieldOnGetText(const TZDataField &field) override;
    QString FooterText(const QString &field, const QVariant &sum) override;

protected:
    /// `head` + the user's conditions (AddSqlWhere) + `tail`.
    QString ConditionedSql(int index, const QString &head, const QString &tail);
};

/// A yyyymm month as "%d年%d%d月" (year, tens and units of the month);
/// empty for 0.
QString ZRptMonthText(int yyyymm);
