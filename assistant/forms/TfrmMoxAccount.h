#pragma once

#include "record/TfrmMasterDataAuto.h"

class QPushButton;

/// The record window of cash and bank accounts (module moxAccount). The
/// current balance is the opening balance plus the account's movement (its
/// income and expense items and transfers): changing the opening balance
/// shows the new current balance at once, a save stores it as computed
/// inside the save's transaction, and "重新计算" puts it right for an
/// account whose bookings were changed outside these windows.
class TfrmMoxAccount : public TfrmMasterDataAuto
{
    Q_OBJECT

public:
    explicit TfrmMoxAccount(QWidget *parent = nullptr);

    /// "重新计算": stores CurrMoney = InitMoney + movement for the account
    /// and shows the window's opening balance plus the movement.
    void Recalculate();
    QPushButton *RecalculateButton() const { return m_recalculate; }

protected:
    void AfterFormInit() override;
    void SetFrmState(int state) override;
    void DoSave() override;
    void FieldOnChange(TZDataField &field) override;

private:
    QString accountID() const;
    QPushButton *m_recalculate;
};
