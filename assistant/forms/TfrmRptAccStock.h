#pragma once

#include "forms/TfrmRptLedgerBase.h"

class TZClientDataSet;

/// The stock count of stock items: the quantities of all ten line positions
/// of the bills, payment bills adding and income bills subtracting, merged
/// by item.
class TfrmRptAccStock final : public TfrmRptLedgerBase
{
    Q_OBJECT

public:
    using TfrmRptLedgerBase::TfrmRptLedgerBase;

    /// The statement of line 01.
    void GetPrintSql(int index, QString &sql) override;
    /// Merges lines 02 to 10 into the rows of line 01.
    void UpdateRptData(TRptDataSet *dataset, int index) override;

    /// The statement of line `line` (1..10) with the user's conditions.
    QString LineSql(int index, int line);

private:
    /// Adds the quantities of `rows` to the items of `stock`, appending the
    /// items it does not hold yet.
    static void merge(TZClientDataSet &stock, TZClientDataSet &rows);
};
