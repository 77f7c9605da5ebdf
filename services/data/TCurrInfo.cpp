#include "TCurrInfo.h"

#include "common/ZErrors.h"
#include "common/ZNumbers.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"

#include <QLocale>

#include <memory>

namespace {

std::unique_ptr<TCurrInfo> &cache()
{
    static std::unique_ptr<TCurrInfo> instance;
    return instance;
}

int digitsParam(const char *name, const char *defaultValue)
{
    const QString text = ZTrim(GetParamValue(QLatin1String(name), QLatin1String(defaultValue)));
    bool ok = false;
    const int digits = text.toInt(&ok);
    if (!ok)
        throw EZError(QStringLiteral("'%1' 不是有效的整数").arg(text));
    return digits;
}

const TCurrItem *currencyOf(const QString &currencyID)
{
    const QString id = ZIsBlank(currencyID) ? GetParamValue(QStringLiteral("NativeCurrID")) : currencyID;
    return ZIsBlank(id) ? nullptr : GetCurrInfo().GetCurrItem(id);
}

} // namespace

void TCurrInfo::UpdateCurrInfo()
{
    m_items.clear();
    TDBConn &conn = DBConn();
    if (!conn.ExistTable(QStringLiteral("comCurrency")))
        return;
    const auto rows = conn.DBOpenDataSet(QStringLiteral("Select * From comCurrency"));
    const auto text = [&](const char *f) {
        TZDataField *field = rows->FindField(QLatin1String(f));
        return field ? ZTrim(field->AsString()) : QString();
    };
    const auto number = [&](const char *f) {
        TZDataField *field = rows->FindField(QLatin1String(f));
        return field ? field->AsFloat() : 0.0;
    };
    const auto integer = [&](const char *f, int def) {
        TZDataField *field = rows->FindField(QLatin1String(f));
        return field && !field->IsNull() ? field->AsInteger() : def;
    };
    const auto flag = [&](const char *f) {
        TZDataField *field = rows->FindField(QLatin1String(f));
        return field && field->AsBoolean();
    };
    for (rows->First(); !rows->Eof(); rows->Next()) {
        TCurrItem item;
        item.CurrencyID = text("CurrencyID");
        item.CurrencyName = text("CurrencyName");
        item.ShortName = text("ShortName");
        item.EngName = text("EngName");
        item.FixRate = number("FixRate");
        item.BuyInRate = number("BuyInRate");
        item.SellOutRate = number("SellOutRate");
        if (TZDataField *modified = rows->FindField(QStringLiteral("ModifyDate")))
            item.ModifyDate = modified->AsDateTime();
        item.AmountDeciDigits = integer("AmountDeciDigits", 2);
        item.PriceDeciDigits = integer("PriceDeciDigits", 2);
        item.AmountThouPt = flag("AmountThouPt");
        item.PriceThouPt = flag("PriceThouPt");
        const QString key = item.CurrencyID.toCaseFolded();
        if (!m_items.contains(key))
            m_items.insert(key, item);
    }
}

const TCurrItem *TCurrInfo::GetCurrItem(const QString &currencyID) const
{
    const auto found = m_items.constFind(ZTrim(currencyID).toCaseFolded());
    return found == m_items.constEnd() ? nullptr : &found.value();
}

TCurrInfo &GetCurrInfo()
{
    auto &instance = cache();
    if (!instance) {
        instance = std::make_unique<TCurrInfo>();
        instance->UpdateCurrInfo();
    }
    return *instance;
}

void FreeCurrInfo()
{
    cache().reset();
}

int DecimalsOf(TNumberType type, const QString &currencyID)
{
    switch (type) {
    case ntMoney:
        if (const TCurrItem *c = currencyOf(currencyID))
            return c->AmountDeciDigits;
        return digitsParam("MoneyDig", "2");
    case ntPrice:
        if (const TCurrItem *c = currencyOf(currencyID))
            return c->PriceDeciDigits;
        return digitsParam("PriceDig", "2");
    case ntAmount:
        return digitsParam("AmountDig", "2");
    case ntExchRate:
        return digitsParam("ExchRateDig", "6");
    case ntWeight:
        return digitsParam("WeightDig", "2");
    case ntVolume:
        return digitsParam("VolumeDig", "3");
    case ntPercent:
        return digitsParam("PercentDig", "2");
    case ntUnAssign:
        break;
    }
    return 1;
}

double RoundByCurr(TNumberType type, double value, const QString &currencyID)
{
    const double rounded =
        FormatNumber(QString::number(value, 'g', QLocale::FloatingPointShortest), DecimalsOf(type, currencyID));
    return type == ntPercent ? rounded / 100 : rounded;
}

QString RoundTextByCurr(TNumberType type, double value, const QString &currencyID)
{
    const int digits = DecimalsOf(type, currencyID);
    if (type == ntPercent)
        return FormatNumber(value * 100, digits);
    if (type == ntMoney || type == ntPrice) {
        if (const TCurrItem *c = currencyOf(currencyID)) {
            const bool thousands = type == ntMoney ? c->AmountThouPt : c->PriceThouPt;
            return FormatNumber(value, digits, thousands);
        }
    }
    return FormatNumber(value, digits);
}
