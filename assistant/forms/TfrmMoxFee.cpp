#include "TfrmMoxFee.h"

#include "common/ZTrim.h"
#include "forms/ZMessageBox.h"
#include "ledger/ZHouseholdLedger.h"
#include "ledger/ZMonthOfDate.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"

TfrmMoxFee::TfrmMoxFee(QWidget *parent) : TfrmMasterDataAuto(parent) {}

int TfrmMoxFee::Sign() const
{
    return DataSource().MasterTableFlag() == 2 ? -1 : 1;
}

Currency TfrmMoxFee::signedMoney(Currency amount) const
{
    return Sign() < 0 ? -amount : amount;
}

void TfrmMoxFee::setMonth()
{
    ZSetMonthOfDate(MasterData(), QStringLiteral("ItemDate"), QStringLiteral("FeeMonth"));
}

void TfrmMoxFee::AfterAddNew()
{
    TfrmMasterDataAuto::AfterAddNew();
    setMonth();
}

void TfrmMoxFee::DoSave()
{
    // The month always follows the date, however the date was set; an edit
    // first takes back what the data file holds for the item.
    setMonth();
    if (FrmState() == fsEdit)
        ZUndoStoredItem(CurrKeyValue(), DataSource().MasterTableFlag());
    TfrmMasterDataAuto::DoSave();
    TOrvDataSet &master = MasterData();
    ZAddAccountMoney(master.FieldByName(QStringLiteral("AccountID")).AsString(),
                     signedMoney(master.FieldByName(QStringLiteral("ItemMoney")).AsCurrency()));
}

void TfrmMoxFee::DoDelete()
{
    ZUndoStoredItem(CurrKeyValue(), DataSource().MasterTableFlag());
    TfrmMasterDataAuto::DoDelete();
}

void TfrmMoxFee::FieldOnChange(TZDataField &field)
{
    TfrmMasterDataAuto::FieldOnChange(field);
    if (!Editing() || field.DataSet() != &MasterData())
        return;
    const QString name = field.FieldName();
    if (name.compare(QLatin1String("ItemDate"), Qt::CaseInsensitive) == 0) {
        setMonth();
    } else if (name.compare(QLatin1String("Item"), Qt::CaseInsensitive) == 0) {
        const Currency total = ZItemTextMoney(field.AsString());
        if (total != Currency()
            && ZMessageBox(QStringLiteral("提示"), QStringLiteral("项目中含有数值，是否汇总到金额栏位？"),
                           {zbYes, zbNo})
                   == zbYes)
            MasterData().FieldByName(QStringLiteral("ItemMoney")).SetAsCurrency(total);
    }
}
