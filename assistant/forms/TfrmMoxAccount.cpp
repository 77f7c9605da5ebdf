#include "TfrmMoxAccount.h"

#include "common/ZGuard.h"
#include "common/ZTrim.h"
#include "ledger/ZHouseholdLedger.h"
#include "metadata/TOrvDataSet.h"

#include <QPushButton>

namespace {

constexpr int kButtonWidth = 76;
constexpr int kGap = 4;

} // namespace

TfrmMoxAccount::TfrmMoxAccount(QWidget *parent)
    : TfrmMasterDataAuto(parent), m_recalculate(new QPushButton(QStringLiteral("重新计算"), this))
{
    m_recalculate->setObjectName(QStringLiteral("btnRecalculate"));
    m_recalculate->setEnabled(false);
    connect(m_recalculate, &QPushButton::clicked, this, [this] { ZGuard([this] { Recalculate(); }); });
}

void TfrmMoxAccount::AfterFormInit()
{
    TfrmMasterDataAuto::AfterFormInit();
    // The button stands at the end of the current balance's editor, which
    // gives it room.
    QWidget *balance = findChild<QWidget *>(QStringLiteral("DBCurrMoney"));
    if (!balance)
        return;
    const QRect room = balance->geometry();
    balance->setGeometry(room.adjusted(0, 0, -(kButtonWidth + kGap), 0));
    m_recalculate->setParent(balance->parentWidget());
    m_recalculate->setGeometry(room.right() - kButtonWidth + 1, room.top(), kButtonWidth, room.height());
    m_recalculate->show();
}

void TfrmMoxAccount::SetFrmState(int state)
{
    TfrmMasterDataAuto::SetFrmState(state);
    m_recalculate->setEnabled(state != fsNoRecord);
}

QString TfrmMoxAccount::accountID() const
{
    return ZTrim(MasterData().FieldByName(KeyFieldName()).AsString());
}

void TfrmMoxAccount::Recalculate()
{
    if (FrmState() == fsNoRecord || MasterData().IsEmpty())
        return;
    // While browsing the window's record is the stored one: shown again, it
    // carries the balance just stored. While editing, the window's opening
    // balance (perhaps changed and not yet saved) gives the balance shown.
    const QString id = Editing() ? accountID() : CurrKeyValue();
    const Currency movement = ZRecalcAccountMoney(id);
    if (!Editing()) {
        MoveTo(id, false);
        return;
    }
    TOrvDataSet &master = MasterData();
    if (master.State() == dsBrowse)
        master.Edit();
    master.FieldByName(QStringLiteral("CurrMoney"))
        .SetAsCurrency(master.FieldByName(QStringLiteral("InitMoney")).AsCurrency() + movement);
}

void TfrmMoxAccount::DoSave()
{
    TfrmMasterDataAuto::DoSave();
    // The balance is stored as computed now, inside the transaction: a
    // balance the window showed before other bookings were saved is not
    // written back.
    ZRecalcAccountMoney(accountID());
}

void TfrmMoxAccount::FieldOnChange(TZDataField &field)
{
    TfrmMasterDataAuto::FieldOnChange(field);
    if (!Editing() || field.DataSet() != &MasterData()
        || field.FieldName().compare(QLatin1String("InitMoney"), Qt::CaseInsensitive) != 0)
        return;
    MasterData()
        .FieldByName(QStringLiteral("CurrMoney"))
        .SetAsCurrency(field.AsCurrency() + ZAccountMovement(accountID()));
}
