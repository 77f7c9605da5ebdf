#include "TfrmAccGather.h"

#include "common/ZErrors.h"
#include "common/ZGuard.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TZClientDataSet.h"
#include "data/TZDataField.h"
#include "ledger/ZAccOffset.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZField.h"
#include "record/ZRowWalk.h"

#include <QCompleter>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStringListModel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

void setIfPresent(TZClientDataSet &lines, const char *name, const QVariant &value)
{
    if (TZDataField *field = lines.FindField(QLatin1String(name)))
        field->SetValue(value);
}

} // namespace

TfrmAccGather::TfrmAccGather(QWidget *parent) : TfrmMasterSubData(parent) {}

int TfrmAccGather::BillFlag() const
{
    return DataSource().MasterTableFlag();
}

QStringList TfrmAccGather::ObjectNames() const
{
    const std::unique_ptr<TZClientDataSet> names = DBConn().DBOpenDataSet(
        QStringLiteral("Select Distinct ObjectName From accFee Where Flag = %1 Order by ObjectName").arg(BillFlag()));
    QStringList result;
    for (names->First(); !names->Eof(); names->Next()) {
        const QString name = ZTrim(names->Fields(0).AsString());
        if (!name.isEmpty() && !result.contains(name))
            result << name;
    }
    return result;
}

void TfrmAccGather::AfterFormInit()
{
    TfrmMasterSubData::AfterFormInit();
    buildButtons();
    if (auto *name = findChild<QLineEdit *>(QStringLiteral("DBObjectName"))) {
        m_names = new QCompleter(new QStringListModel(ObjectNames(), this), this);
        m_names->setCaseSensitivity(Qt::CaseInsensitive);
        m_names->setFilterMode(Qt::MatchContains);
        name->setCompleter(m_names);
    }
    SetFrmState(FrmState());
}

void TfrmAccGather::buildButtons()
{
    QWidget *sheet = PageControl()->widget(0);
    auto *row = new QHBoxLayout;
    const auto button = [&](const QString &caption, const char *name, void (TfrmAccGather::*run)()) {
        auto *made = new QPushButton(caption, sheet);
        made->setObjectName(QLatin1String(name));
        connect(made, &QPushButton::clicked, this, [this, run] { ZGuard([this, run] { (this->*run)(); }); });
        row->addWidget(made);
        return made;
    };
    m_load = button(QStringLiteral("载入帐款"), "btnLoadBills", &TfrmAccGather::LoadBills);
    m_auto = button(QStringLiteral("自动冲款"), "btnAutoOffset", &TfrmAccGather::AutoOffset);
    m_clear = button(QStringLiteral("清空冲款"), "btnClearOffset", &TfrmAccGather::ClearOffsets);
    row->addStretch();
    static_cast<QVBoxLayout *>(sheet->layout())->insertLayout(0, row);
}

void TfrmAccGather::SetFrmState(int state)
{
    TfrmMasterSubData::SetFrmState(state);
    // The counterparty and its open bills are chosen when the bill is new;
    // an edited bill keeps its counterparty.
    const bool choosing = state == fsAdd || state == fsCopy;
    if (auto *name = findChild<QWidget *>(QStringLiteral("DBObjectName")))
        name->setEnabled(choosing);
    if (m_load)
        m_load->setEnabled(choosing);
    if (m_auto)
        m_auto->setEnabled(Editing());
    if (m_clear)
        m_clear->setEnabled(Editing());
    if (choosing && m_names)
        static_cast<QStringListModel *>(m_names->model())->setStringList(ObjectNames());
}

void TfrmAccGather::FieldOnChange(TZDataField &field)
{
    TfrmMasterSubData::FieldOnChange(field);
    if (!m_changing && Editing() && field.DataSet() == &MasterData()
        && field.FieldName().compare(QLatin1String("ObjectName"), Qt::CaseInsensitive) == 0)
        clearLines();
}

void TfrmAccGather::OpenBillDataset(const QString &key)
{
    TfrmMasterSubData::OpenBillDataset(key);
    if (TZDataField *billNo = Detaildata().FindField(QStringLiteral("FeeBillNo")))
        billNo->OnGetText = [](const TZDataField &field) { return ZTrim(field.AsString()); };
}

void TfrmAccGather::clearLines()
{
    const QScopedValueRollback<bool> changing(m_changing, true);
    TOrvDataSet &lines = Detaildata();
    lines.DisableControls();
    while (!lines.IsEmpty()) {
        lines.First();
        lines.Delete();
    }
    lines.EnableControls();
}

void TfrmAccGather::LoadBills()
{
    const QString name = ZTrim(MasterData().FieldByName(QStringLiteral("ObjectName")).AsString());
    if (name.isEmpty()) {
        const TZField *field = DataSource().GetZField(QStringLiteral("ObjectName"));
        throw EZError(QStringLiteral("请先选择 ") + (field ? field->DisplayName : QStringLiteral("ObjectName")));
    }
    clearLines();
    const std::unique_ptr<TZClientDataSet> bills = DBConn().DBOpenDataSet(
        QStringLiteral(" Select BillNo,BillDate,FeeMoney,RemainMoney From accFee  Where RemainMoney > 0 and "
                       "ObjectName = %1 and Flag = %2 Order by BillDate,BillNo")
            .arg(ZQuotedStr(name))
            .arg(BillFlag()));
    const QScopedValueRollback<bool> changing(m_changing, true);
    TOrvDataSet &lines = Detaildata();
    lines.DisableControls();
    for (bills->First(); !bills->Eof(); bills->Next()) {
        lines.Append();
        lines.FieldByName(QStringLiteral("FeeBillNo")).SetValue(bills->Fields(0).Value());
        // The bill's date, amount and balance as the line's look-up shows them.
        setIfPresent(lines, "FeeBillDate", bills->Fields(1).Value());
        setIfPresent(lines, "FeeBillMoney", bills->Fields(2).Value());
        setIfPresent(lines, "FeeRemainMoney", bills->Fields(3).Value());
        lines.Post();
    }
    lines.First();
    lines.EnableControls();
}

void TfrmAccGather::AutoOffset()
{
    const Currency amount = MasterData().FieldByName(QStringLiteral("FeeMoney")).AsCurrency();
    if (amount <= Currency())
        throw EZError(BillFlag() == 2 ? QStringLiteral("前先输入付款金额") : QStringLiteral("前先输入收款金额"));
    TOrvDataSet &lines = Detaildata();
    std::vector<Currency> remains;
    std::vector<Currency> current;
    for (lines.First(); !lines.Eof(); lines.Next()) {
        const TZDataField *remain = lines.FindField(QStringLiteral("FeeRemainMoney"));
        remains.push_back(remain ? remain->AsCurrency() : Currency());
        current.push_back(lines.FieldByName(QStringLiteral("Offset")).AsCurrency());
    }
    const std::vector<Currency> offsets = AutoOffsets(amount, remains, current);
    const QScopedValueRollback<bool> changing(m_changing, true);
    std::size_t i = 0;
    for (lines.First(); !lines.Eof(); lines.Next())
        setLineOffset(offsets.at(i++));
    lines.First();
}

void TfrmAccGather::ClearOffsets()
{
    TOrvDataSet &lines = Detaildata();
    const QScopedValueRollback<bool> changing(m_changing, true);
    for (lines.First(); !lines.Eof(); lines.Next())
        setLineOffset(Currency());
    lines.First();
}

void TfrmAccGather::setLineOffset(Currency offset)
{
    TOrvDataSet &lines = Detaildata();
    ZSetChanged(lines, lines.FieldByName(QStringLiteral("Offset")), QVariant::fromValue(offset));
    lines.CheckBrowseMode();
}

void TfrmAccGather::DoSave()
{
    QStringList named;
    if (FrmState() == fsEdit)
        named = OffsetBillsOf(BillFlag(), CurrKeyValue());
    TfrmMasterSubData::DoSave();
    named << OffsetBillsOf(BillFlag(), ZTrim(MasterData().FieldByName(KeyFieldName()).AsString()));
    RecomputeBillOffsets(BillFlag(), named);
}

void TfrmAccGather::DoDelete()
{
    const QStringList named = OffsetBillsOf(BillFlag(), CurrKeyValue());
    TfrmMasterSubData::DoDelete();
    RecomputeBillOffsets(BillFlag(), named);
}
