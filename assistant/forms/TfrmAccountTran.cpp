#include "TfrmAccountTran.h"

#include "ledger/ZHouseholdLedger.h"
#include "metadata/TOrvDataSet.h"

TfrmAccountTran::TfrmAccountTran(QWidget *parent) : TfrmMasterDataAuto(parent) {}

void TfrmAccountTran::undoStored()
{
    TOrvDataSet &before = Snapshot(0);
    if (before.IsEmpty())
        return;
    before.First();
    const Currency amount = before.FieldByName(QStringLiteral("TranMoney")).AsCurrency();
    ZAddAccountMoney(before.FieldByName(QStringLiteral("SrcAccountID")).AsString(), amount);
    ZSubAccountMoney(before.FieldByName(QStringLiteral("DestAccountID")).AsString(), amount);
}

void TfrmAccountTran::DoSave()
{
    const bool editing = FrmState() == fsEdit;
    TfrmMasterDataAuto::DoSave();
    if (editing)
        undoStored();
    TOrvDataSet &master = MasterData();
    const Currency amount = master.FieldByName(QStringLiteral("TranMoney")).AsCurrency();
    ZSubAccountMoney(master.FieldByName(QStringLiteral("SrcAccountID")).AsString(), amount);
    ZAddAccountMoney(master.FieldByName(QStringLiteral("DestAccountID")).AsString(), amount);
}

void TfrmAccountTran::DoDelete()
{
    TfrmMasterDataAuto::DoDelete();
    undoStored();
}
