#include "TfrmAccIncome.h"

#include "common/ZErrors.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TZClientDataSet.h"
#include "data/TZDataField.h"
#include "layout/TAutoDesignUI.h"
#include "ledger/ZAccOffset.h"
#include "ledger/ZMonthOfDate.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZDataset.h"
#include "metadata/TZField.h"

#include <QGridLayout>
#include <QLabel>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr int kLines = 10;
// Room for the tool bar the record window keeps at its top.
constexpr int kTopMargin = 38;

/// The line number nn of a field named `prefix` + two characters, or empty.
QString lineOf(const QString &fieldName, QLatin1String prefix)
{
    if (fieldName.size() != prefix.size() + 2 || !fieldName.startsWith(prefix, Qt::CaseInsensitive))
        return {};
    return fieldName.right(2);
}

bool isOneOf(const QString &name, std::initializer_list<const char *> names)
{
    for (const char *candidate : names) {
        if (name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

TfrmAccIncome::TfrmAccIncome(QWidget *parent) : TfrmMasterData(parent), m_factory(new TAutoDesignUI(this))
{
    m_factory->setObjectName(QStringLiteral("BillEditors"));
}

TfrmAccIncome::~TfrmAccIncome() = default;

void TfrmAccIncome::AfterFormInit()
{
    buildLayout();
    TfrmMasterData::AfterFormInit();
}

void TfrmAccIncome::buildLayout()
{
    m_factory->UIDataSource = &MasterData();
    TZDataset &definition = *DataSource().Datasets.at(0);
    const auto editor = [&](const QString &name) -> QWidget * {
        TZField *field = definition.GetZField(name);
        return field ? m_factory->CreateCtrlByField(*field) : new QWidget(this);
    };
    const auto label = [&](const QString &name, QWidget *buddy) {
        TZField *field = definition.GetZField(name);
        auto *made = new QLabel(field ? field->DisplayName : name, this);
        made->setObjectName(QStringLiteral("lbl") + name);
        made->setBuddy(buddy);
        return made;
    };
    // Label and editor pairs in a grid, `columns` pairs to a row.
    const auto pairs = [&](const QStringList &names, int columns) {
        auto *grid = new QGridLayout;
        grid->setHorizontalSpacing(8);
        for (qsizetype i = 0; i < names.size(); ++i) {
            QWidget *edit = editor(names.at(i));
            const int row = int(i / columns);
            const int column = int(i % columns) * 2;
            grid->addWidget(label(names.at(i), edit), row, column);
            grid->addWidget(edit, row, column + 1);
            grid->setColumnStretch(column + 1, 1);
        }
        return grid;
    };

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, kTopMargin, 10, 10);
    layout->addLayout(pairs({QStringLiteral("BillNo"), QStringLiteral("BillDate"), QStringLiteral("AccMonth"),
                             QStringLiteral("ObjectName"), QStringLiteral("ItemID")},
                            3));

    // The lines: one row per line, its item, unit, quantity, price and sum.
    auto *lines = new QGridLayout;
    lines->setHorizontalSpacing(6);
    lines->setVerticalSpacing(2);
    const std::array<const char *, 5> parts{"FeeItemID", "UnitID", "Quantity", "Price", "Sum"};
    for (std::size_t part = 0; part < parts.size(); ++part) {
        TZField *first = definition.GetZField(QLatin1String(parts[part]) + QStringLiteral("01"));
        QString caption = first ? first->DisplayName : QString();
        caption.remove(QLatin1Char('1'));
        auto *header = new QLabel(caption, this);
        header->setObjectName(QStringLiteral("lblLine") + QLatin1String(parts[part]));
        lines->addWidget(header, 0, int(part) + 1);
        lines->setColumnStretch(int(part) + 1, part == 0 ? 3 : 2);
    }
    for (int n = 1; n <= kLines; ++n) {
        const QString line = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        lines->addWidget(new QLabel(QString::number(n), this), n, 0);
        for (std::size_t part = 0; part < parts.size(); ++part)
            lines->addWidget(editor(QLatin1String(parts[part]) + line), n, int(part) + 1);
    }
    layout->addLayout(lines);
    layout->addLayout(pairs({QStringLiteral("FeeMoney"), QStringLiteral("Discount"), QStringLiteral("NowRecv"),
                             QStringLiteral("Offset"), QStringLiteral("RemainMoney"), QStringLiteral("Remark")},
                            3));
    layout->addStretch();
    resize(760, 620);
}

int TfrmAccIncome::BillFlag() const
{
    return DataSource().MasterTableFlag();
}

void TfrmAccIncome::setMonth()
{
    ZSetMonthOfDate(MasterData(), QStringLiteral("BillDate"), QStringLiteral("AccMonth"));
}

void TfrmAccIncome::AfterAddNew()
{
    TfrmMasterData::AfterAddNew();
    setMonth();
}

void TfrmAccIncome::DoSave()
{
    setMonth();
    TfrmMasterData::DoSave();
    RecomputeBillOffset(BillFlag(), ZTrim(MasterData().FieldByName(KeyFieldName()).AsString()));
}

void TfrmAccIncome::FieldOnChange(TZDataField &field)
{
    TfrmMasterData::FieldOnChange(field);
    if (m_changing || field.DataSet() != &MasterData())
        return;
    const QScopedValueRollback<bool> changing(m_changing, true);

    const QString name = field.FieldName();
    if (name.compare(QLatin1String("BillDate"), Qt::CaseInsensitive) == 0) {
        setMonth();
        return;
    }
    QString line = lineOf(name, QLatin1String("Price"));
    if (line.isEmpty())
        line = lineOf(name, QLatin1String("Quantity"));
    if (!line.isEmpty()) {
        setLineSum(line);
        setFeeMoney();
        setRemainMoney();
    } else if (!lineOf(name, QLatin1String("Sum")).isEmpty()) {
        setFeeMoney();
        setRemainMoney();
    } else if (isOneOf(name, {"FeeMoney", "Offset", "NowRecv", "Discount"})) {
        setRemainMoney();
    }
}

void TfrmAccIncome::FieldOnValidate(TZDataField &field, const QVariant &newValue)
{
    TfrmMasterData::FieldOnValidate(field, newValue);
    const QString item = ZTrim(newValue.toString());
    if (item.isEmpty() || !field.FieldName().toUpper().startsWith(QLatin1String("FEEITEMID")))
        return;
    const std::unique_ptr<TZClientDataSet> found = DBConn().DBOpenDataSet(
        QStringLiteral("Select ItemType From accFeeItem Where ItemID = %1").arg(ZQuotedStr(item)));
    if (found->IsEmpty())
        return;
    const int type = found->Fields(0).AsInteger();
    if (BillFlag() == 1 && type == 2)
        throw EZError(QStringLiteral("收入单不能选择支付项目，请重新选择！"));
    if (BillFlag() == 2 && type == 1)
        throw EZError(QStringLiteral("支付单不能选择收入项目，请重新选择！"));
}

void TfrmAccIncome::setLineSum(const QString &line)
{
    TOrvDataSet &bill = MasterData();
    TZDataField *quantity = bill.FindField(QStringLiteral("Quantity") + line);
    TZDataField *price = bill.FindField(QStringLiteral("Price") + line);
    TZDataField *sum = bill.FindField(QStringLiteral("Sum") + line);
    if (!quantity || !price || !sum)
        return;
    sum->SetAsCurrency(Currency::fromDouble(quantity->AsFloat() * price->AsCurrency().toDouble()));
}

void TfrmAccIncome::setFeeMoney()
{
    TOrvDataSet &bill = MasterData();
    Currency total;
    for (int n = 1; n <= kLines; ++n) {
        if (const TZDataField *sum = bill.FindField(QStringLiteral("Sum%1").arg(n, 2, 10, QLatin1Char('0'))))
            total += sum->AsCurrency();
    }
    if (TZDataField *fee = bill.FindField(QStringLiteral("FeeMoney")))
        fee->SetAsCurrency(total);
}

void TfrmAccIncome::setRemainMoney()
{
    TOrvDataSet &bill = MasterData();
    const auto money = [&bill](const char *name) {
        const TZDataField *field = bill.FindField(QLatin1String(name));
        return field ? field->AsCurrency() : Currency();
    };
    if (TZDataField *remain = bill.FindField(QStringLiteral("RemainMoney")))
        remain->SetAsCurrency(money("FeeMoney") - money("Discount") - money("NowRecv") - money("Offset"));
}
