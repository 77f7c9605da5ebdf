#include "TZLinkageCtrl.h"

#include "common/ZNumbers.h"
#include "data/TCurrInfo.h"
#include "metadata/TOrvDataSet.h"

#include <QLocale>

#include <functional>

namespace {

bool is(const TZDataField &field, const QString &name)
{
    return field.FieldName().compare(name, Qt::CaseInsensitive) == 0;
}

// Suspends a field's change handler for the lifetime of the object.
class Suspended
{
public:
    explicit Suspended(TZDataField *field) : m_field(field)
    {
        if (m_field) {
            m_saved = std::move(m_field->OnChange);
            m_field->OnChange = nullptr;
        }
    }
    ~Suspended()
    {
        if (m_field)
            m_field->OnChange = std::move(m_saved);
    }
    Suspended(const Suspended &) = delete;
    Suspended &operator=(const Suspended &) = delete;

private:
    TZDataField *m_field;
    std::function<void(TZDataField &)> m_saved;
};

QString decimalText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// Writes a value as the field's edit text, so its rounding applies.
void write(TZDataField *field, double value)
{
    if (field)
        field->SetText(decimalText(value));
}

// Writes a fraction as percent text.
void writePercent(TZDataField *field, double fraction)
{
    if (field)
        field->SetText(decimalText(fraction * 100));
}

double valueOf(const TZDataField *field)
{
    return field ? field->AsFloat() : 0;
}

} // namespace

bool TZLinkageCtrl::PriceOfTax() const
{
    const TZDataField *field = HeadDataSet ? HeadDataSet->FindField(HeadPriceOfTaxFN) : nullptr;
    return field && field->AsBoolean();
}

void TZLinkageCtrl::InstallHandlers()
{
    if (!active())
        return;
    const auto install = [this](TOrvDataSet *ds, const QStringList &names) {
        for (const QString &name : names) {
            if (TZDataField *field = ds->FindField(name))
                field->OnChange = [this](TZDataField &f) { FieldOnChange(f); };
        }
    };
    install(HeadDataSet, {HeadCurrIDFN, HeadExchRateFN, HeadPriceOfTaxFN});
    install(SubDataSet, {SubCurrIDFN, SubOriPriceFN, SubDiscountFN, SubPriceFN, SubQuantityFN, SubAmountFN,
                         SubTaxRateFN, SubTaxFN, SubMAmountFN});
    HeadDataSet->SetZLinkageCtrl(this);
    SubDataSet->SetZLinkageCtrl(this);
}

void TZLinkageCtrl::AfterPost(TZClientDataSet &dataSet)
{
    if (active() && &dataSet == SubDataSet)
        CalcHeadSum();
}

void TZLinkageCtrl::AfterDelete(TZClientDataSet &dataSet)
{
    if (active() && &dataSet == SubDataSet)
        CalcHeadSum();
}

void TZLinkageCtrl::CalcHeadSum()
{
    if (!active() || !HeadDataSet->FindField(HeadTotalFN))
        return;
    TZClientDataSet lines;
    lines.CloneCursor(*SubDataSet);
    const int amount = lines.FindField(SubAmountFN) ? lines.FindField(SubAmountFN)->Index() : -1;
    const int tax = lines.FindField(SubTaxFN) ? lines.FindField(SubTaxFN)->Index() : -1;
    const int mAmount = lines.FindField(SubMAmountFN) ? lines.FindField(SubMAmountFN)->Index() : -1;
    Currency total, taxes, mTotal;
    for (const TZRowData *row : lines.visibleRows()) {
        if (amount >= 0)
            total += ZCurr(row->values().at(amount));
        if (tax >= 0)
            taxes += ZCurr(row->values().at(tax));
        if (mAmount >= 0)
            mTotal += ZCurr(row->values().at(mAmount));
    }
    HeadDataSet->Edit();
    HeadDataSet->FieldByName(HeadTotalFN).SetAsString(total.toString());
    if (TZDataField *field = HeadDataSet->FindField(HeadTaxFN))
        field->SetAsString(taxes.toString());
    if (TZDataField *field = HeadDataSet->FindField(HeadMTotalFN))
        field->SetAsString(mTotal.toString());
}

void TZLinkageCtrl::FieldOnChange(TZDataField &field)
{
    if (!active())
        return;
    Suspended own(&field);
    if (field.DataSet() == HeadDataSet)
        headChanged(field);
    else if (field.DataSet() == SubDataSet)
        detailChanged(field);
}

void TZLinkageCtrl::headChanged(TZDataField &field)
{
    TOrvDataSet &lines = *SubDataSet;
    const auto eachLine = [&lines](const std::function<void()> &step) {
        lines.CheckBrowseMode();
        const TZBookmark at = lines.GetBookmark();
        lines.DisableControls();
        for (lines.First(); !lines.Eof(); lines.Next()) {
            lines.Edit();
            step();
            lines.Post();
        }
        lines.GotoBookmark(at);
        lines.EnableControls();
    };
    if (is(field, HeadCurrIDFN)) {
        TZDataField *rate = HeadDataSet->FindField(HeadExchRateFN);
        if (const TCurrItem *currency = GetCurrInfo().GetCurrItem(field.AsString())) {
            Suspended quiet(rate);
            write(rate, currency->FixRate);
        }
        const QVariant id = field.Value();
        const QVariant rateValue = rate ? rate->Value() : QVariant();
        eachLine([&] {
            if (TZDataField *f = lines.FindField(SubCurrIDFN))
                f->SetValue(id);
            if (TZDataField *f = lines.FindField(SubExchRateFN); f && rate)
                f->SetValue(rateValue);
        });
    } else if (is(field, HeadExchRateFN)) {
        const QVariant rateValue = field.Value();
        eachLine([&] {
            if (TZDataField *f = lines.FindField(SubExchRateFN))
                f->SetValue(rateValue);
        });
    } else if (is(field, HeadPriceOfTaxFN)) {
        TZDataField *amount = lines.FindField(SubAmountFN);
        TZDataField *mAmount = lines.FindField(SubMAmountFN);
        if (!amount || !mAmount)
            return;
        const bool on = field.AsBoolean();
        eachLine([&] {
            const double r = valueOf(lines.FindField(SubTaxRateFN));
            if (r == 0)
                return;
            TZDataField *price =
                lines.FindField(SubOriPriceFN) ? lines.FindField(SubOriPriceFN) : lines.FindField(SubPriceFN);
            if (!price)
                return;
            const bool equal = amount->AsCurrency() == mAmount->AsCurrency();
            if (on && !equal)
                write(price, price->AsFloat() * (1 + r));
            else if (!on && equal)
                write(price, price->AsFloat() / (1 + r));
        });
    }
}

void TZLinkageCtrl::detailChanged(TZDataField &field)
{
    TOrvDataSet &row = *SubDataSet;
    TZDataField *o = row.FindField(SubOriPriceFN);
    TZDataField *d = row.FindField(SubDiscountFN);
    TZDataField *p = row.FindField(SubPriceFN);
    TZDataField *q = row.FindField(SubQuantityFN);
    TZDataField *a = row.FindField(SubAmountFN);
    TZDataField *m = row.FindField(SubMAmountFN);
    TZDataField *t = row.FindField(SubTaxFN);
    TZDataField *r = row.FindField(SubTaxRateFN);

    if (is(field, SubCurrIDFN)) {
        if (t && p) {
            Suspended quiet(t);
            write(p, p->AsFloat());
        }
        return;
    }
    if (is(field, SubOriPriceFN) && !m_priceGuard) {
        m_priceGuard = true;
        if (d && valueOf(d) == 0)
            d->SetText(QStringLiteral("100"));
        write(p, valueOf(d) * valueOf(o));
        m_priceGuard = false;
        return;
    }
    if (is(field, SubDiscountFN) && !m_priceGuard) {
        m_priceGuard = true;
        write(p, valueOf(d) * valueOf(o));
        m_priceGuard = false;
        return;
    }
    if (is(field, SubPriceFN) && !m_priceGuard && d) {
        Suspended quiet(d);
        if (valueOf(o) != 0)
            writePercent(d, valueOf(p) / valueOf(o));
        else
            writePercent(d, 1);
    }
    const bool priceOrQuantity = is(field, SubPriceFN) || is(field, SubQuantityFN);
    if (PriceOfTax()) {
        if (is(field, SubAmountFN)) {
            m_amountGuard = true;
            write(m, valueOf(a));
            m_amountGuard = false;
        }
        if (priceOrQuantity && m)
            write(m, valueOf(q) * valueOf(p));
        if ((is(field, SubMAmountFN) || is(field, SubTaxRateFN)) && t && r) {
            Suspended quiet(t);
            const double rate = valueOf(r);
            if (rate != -1)
                write(t, rate * valueOf(m) / (1 + rate));
            if (!m_amountGuard)
                write(a, valueOf(m));
        }
        if (is(field, SubTaxFN) && t && r && valueOf(a) != 0) {
            Suspended quiet(t);
            if (valueOf(m) != 0)
                writePercent(r, valueOf(t) / valueOf(m));
        }
    } else {
        if (priceOrQuantity)
            write(a, valueOf(q) * valueOf(p));
        if ((is(field, SubAmountFN) || is(field, SubTaxRateFN)) && r && m) {
            Suspended quiet(r);
            write(t, valueOf(r) * valueOf(a));
            write(m, valueOf(a) * (1 + valueOf(r)));
        }
        if (is(field, SubTaxFN) && a && r && t && valueOf(a) != 0) {
            Suspended quiet(t);
            writePercent(r, valueOf(t) / valueOf(a));
        }
    }
}
