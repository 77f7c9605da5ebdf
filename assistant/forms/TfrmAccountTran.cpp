#include "TfrmAccountTran.h"

#include "ledger/ZHouseholdLedger.h"
#include "metadata/TOrvDataSet.h"

TfrmAccountTran::TfrmAccountTran(QWidget *parent) : TfrmMasterDataAuto(parent) {}

void TfrmAccountTran::DoSave()
{
    // An edit first takes back what the data file holds for the transfer.
    if (FrmState() == fsEdit)
        ZUndoStoredTransfer(CurrKeyValue());
    TfrmMasterDataAuto::DoSave();
    TOrvDataSet &master = MasterData();
    const Currency amount = master.FieldByName(QStringLiteral("TranMoney")).AsCurrency();
    ZSubAccountMoney(master.FieldByName(QStringLiteral("SrcAccountID")).AsString(), amount);
    ZAddAccountMoney(master.FieldByName(QStringLiteral("DestAccountID")).AsString(), amount);
}

void TfrmAccountTran::DoDelete()
{
    ZUndoStoredTransfer(CurrKeyValue());
    TfrmMasterDataAuto::DoDelete();
}
