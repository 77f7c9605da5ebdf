#pragma once

#include "record/TfrmMasterDataAuto.h"

/// The record window of transfers between accounts (module moxAccountTran).
/// Every save takes the amount off the source account and adds it to the
/// destination, after undoing the transfer as the data file holds it before
/// an edit; a delete undoes it the same way. The balance statements run
/// inside the save's or the delete's transaction.
class TfrmAccountTran : public TfrmMasterDataAuto
{
    Q_OBJECT

public:
    explicit TfrmAccountTran(QWidget *parent = nullptr);

protected:
    void DoSave() override;
    void DoDelete() override;
};
