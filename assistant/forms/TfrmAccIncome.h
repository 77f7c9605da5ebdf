#pragma once

#include "record/TfrmMasterData.h"

class TAutoDesignUI;

/// The income bill (module accIncome, bill flag 1): a counterparty, a bill
/// item and ten lines of item, unit, quantity, price and sum, each line's
/// item picked from the bill items in a look-up combo box. The window keeps
/// the bill's figures in step while the user types: the month from the date,
/// each line's sum from quantity and price, the total from the ten sums and
/// the outstanding balance from total, discount, paid at once and offset.
/// A line item of the other kind (a payment item on an income bill) is
/// refused. The payment bill (TfrmAccFee) is the same window on flag 2.
class TfrmAccIncome : public TfrmMasterData
{
    Q_OBJECT

public:
    explicit TfrmAccIncome(QWidget *parent = nullptr);
    ~TfrmAccIncome() override;

    /// The bill flag of the module's master table (1 income, 2 payment).
    int BillFlag() const;

protected:
    /// Lays out the head, the ten lines as a table and the figures below.
    void AfterFormInit() override;
    /// A new bill's month follows its date (today's).
    void AfterAddNew() override;
    /// Saves the bill, then takes its Offset and RemainMoney from the stored
    /// offset lines naming it: they own the settled part, whatever the window
    /// held (a number used before by a deleted bill, a window opened before
    /// an offset bill settled this one). The stored month follows the date.
    void DoSave() override;
    void FieldOnChange(TZDataField &field) override;
    void FieldOnValidate(TZDataField &field, const QVariant &newValue) override;

private:
    void buildLayout();
    /// AccMonth (yyyymm) from BillDate, 0 without a date.
    void setMonth();
    void setLineSum(const QString &line);
    void setFeeMoney();
    void setRemainMoney();

    /// Set while the window writes figures itself, so that they are not
    /// handled again as the user's changes.
    bool m_changing = false;
    TAutoDesignUI *m_factory;
};
