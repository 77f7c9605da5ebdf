#include "TfrmAddressBook.h"

#include "common/ZTrim.h"
#include "metadata/TOrvDataSet.h"
#include "remind/ZBirthdayRemind.h"

TfrmAddressBook::TfrmAddressBook(QWidget *parent) : TfrmMasterDataAuto(parent) {}

void TfrmAddressBook::UpdateToRemind(bool deleting)
{
    // The key shown before the change is that of the stored record for an
    // edit or a delete; an added or copied record has none.
    const bool stored = FrmState() != fsAdd && FrmState() != fsCopy;
    const QString oldKey = stored ? CurrKeyValue() : QString();
    const QString key = deleting ? oldKey : ZTrim(MasterData().FieldByName(KeyFieldName()).AsString());
    ZUpdateBirthdayRemind(oldKey, key, deleting);
}

void TfrmAddressBook::DoSave()
{
    TfrmMasterDataAuto::DoSave();
    UpdateToRemind(false);
}

void TfrmAddressBook::DoDelete()
{
    TfrmMasterDataAuto::DoDelete();
    UpdateToRemind(true);
}
