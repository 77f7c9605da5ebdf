#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

/// The kinds of numbers, which decide their decimals.
enum TNumberType { ntUnAssign, ntMoney, ntPrice, ntAmount, ntExchRate, ntWeight, ntVolume, ntPercent };

/// A currency as cached from comCurrency.
struct TCurrItem
{
    QString CurrencyID;
    QString CurrencyName;
    QString ShortName;
    QString EngName;
    double FixRate = 0;
    double BuyInRate = 0;
    double SellOutRate = 0;
    QDateTime ModifyDate;
    int AmountDeciDigits = 2;
    int PriceDeciDigits = 2;
    bool AmountThouPt = false;
    bool PriceThouPt = false;
};

/// The currency cache, keyed by CurrencyID ignoring case; empty when the data
/// file has no comCurrency.
class TCurrInfo
{
public:
    void UpdateCurrInfo();
    const TCurrItem *GetCurrItem(const QString &currencyID) const;

private:
    QHash<QString, TCurrItem> m_items;
};

TCurrInfo &GetCurrInfo();
void FreeCurrInfo();

/// The decimals of a number type: the currency's for money and prices (the
/// home currency NativeCurrID when `currencyID` is empty), else the
/// parameters MoneyDig, PriceDig, AmountDig, ExchRateDig, WeightDig,
/// VolumeDig, PercentDig; 1 for ntUnAssign. A digits parameter that is not an
/// integer raises an EZError.
int DecimalsOf(TNumberType type, const QString &currencyID = QString());

/// The value rounded by its number type, ties to even; a percent is rounded
/// and then divided by 100.
double RoundByCurr(TNumberType type, double value, const QString &currencyID = QString());

/// The value as text with exactly the type's decimals; money and prices of a
/// cached currency with thousands separators when its flag is set and the
/// value is at least 1000; a percent shows the value times 100.
QString RoundTextByCurr(TNumberType type, double value, const QString &currencyID = QString());
