#pragma once

#include "record/TfrmMasterDataAuto.h"

#include "common/Currency.h"

/// The record window of income items (module moxIncome, bill flag 1) and
/// expense items (moxFee, bill flag 2). Every save and delete moves the
/// booked account's current balance by the item's amount, income adding
/// and expense taking off, inside the save's or the delete's transaction.
/// The date sets the month (FeeMonth, yyyymm); numbers written in the item's
/// text are offered as the amount.
class TfrmMoxFee : public TfrmMasterDataAuto
{
    Q_OBJECT

public:
    explicit TfrmMoxFee(QWidget *parent = nullptr);

    /// +1 for income items, -1 for expense items: the sign of the module's
    /// bill flag.
    int Sign() const;

protected:
    /// A new item's month follows its date (today's, unless the module
    /// gives another).
    void AfterAddNew() override;
    void DoSave() override;
    void DoDelete() override;
    void FieldOnChange(TZDataField &field) override;

private:
    /// FeeMonth (yyyymm) from ItemDate, 0 without a date.
    void setMonth();
    Currency signedMoney(Currency amount) const;
};
