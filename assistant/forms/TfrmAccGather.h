#pragma once

#include "common/Currency.h"
#include "record/TfrmMasterSubData.h"

class QCompleter;
class QPushButton;

/// The receivable offset bill (module accGather, bill flag 1): an amount
/// received from a counterparty and the lines that settle that
/// counterparty's open income bills with it. "载入帐款" loads the open bills
/// as lines, "自动冲款" spreads the amount over them in date order,
/// "清空冲款" clears what the lines settle. Saving or deleting the bill
/// recomputes Offset and RemainMoney of every bill its lines named before
/// and after, inside the same transaction. The payable payment bill
/// (TfrmAccPay) is the same window on flag 2.
class TfrmAccGather : public TfrmMasterSubData
{
    Q_OBJECT

public:
    explicit TfrmAccGather(QWidget *parent = nullptr);

    /// The bill flag of the module's master table (1 receivable, 2 payable).
    int BillFlag() const;
    /// The counterparties of bills of the window's flag, trimmed, in order.
    QStringList ObjectNames() const;

    /// "载入帐款": replaces the lines by the counterparty's open bills.
    void LoadBills();
    /// "自动冲款": spreads the bill's amount over the lines in order.
    void AutoOffset();
    /// "清空冲款": every line settles nothing.
    void ClearOffsets();

protected:
    void AfterFormInit() override;
    void SetFrmState(int state) override;
    void FieldOnChange(TZDataField &field) override;
    /// Loads the bill; a line shows the number of the bill it settles (not
    /// the related bill's name field, which is the counterparty).
    void OpenBillDataset(const QString &key) override;
    void DoSave() override;
    void DoDelete() override;

private:
    void buildButtons();
    void clearLines();
    void setLineOffset(Currency offset);

    QPushButton *m_load = nullptr;
    QPushButton *m_auto = nullptr;
    QPushButton *m_clear = nullptr;
    QCompleter *m_names = nullptr;
    bool m_changing = false; ///< the window changes lines itself
};
