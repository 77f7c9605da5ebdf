#pragma once

#include <QString>

class TOrvDataSet;
class TZClientDataSet;
class TZDataField;

/// Keeps a bill's head totals and its lines' prices, discounts, amounts and
/// taxes consistent: the bill form installs FieldOnChange as the change
/// handler of the linked fields, and the detail dataset reports its posts
/// and deletes. Rates (discount, tax rate) are percent fields: they hold
/// fractions and are written through their edit text in percent. Works only
/// while IsActive is true and both datasets are set.
class TZLinkageCtrl
{
public:
    TOrvDataSet *HeadDataSet = nullptr;
    TOrvDataSet *SubDataSet = nullptr;
    bool IsActive = true;
    QString HeadCurrIDFN = QStringLiteral("CurrID");
    QString HeadExchRateFN = QStringLiteral("ExchRate");
    QString HeadTotalFN = QStringLiteral("Total");
    QString HeadTaxFN = QStringLiteral("Tax");
    QString HeadMTotalFN = QStringLiteral("MTotal");
    QString HeadTotalQtyFN = QStringLiteral("TotalQty");
    QString HeadTaxTypeFN = QStringLiteral("TaxType");
    QString HeadPriceOfTaxFN = QStringLiteral("PriceOfTax");
    QString SubCurrIDFN = QStringLiteral("CurrID");
    QString SubExchRateFN = QStringLiteral("ExchRate");
    QString SubOriPriceFN = QStringLiteral("OriPrice");
    QString SubDiscountFN = QStringLiteral("Discount");
    QString SubPriceFN = QStringLiteral("Price");
    QString SubQuantityFN = QStringLiteral("Quantity");
    QString SubAmountFN = QStringLiteral("Amount");
    QString SubTaxRateFN = QStringLiteral("TaxRate");
    QString SubTaxFN = QStringLiteral("Tax");
    QString SubMAmountFN = QStringLiteral("MAmount");

    /// The change handler of a linked head or detail field.
    void FieldOnChange(TZDataField &field);
    /// The detail dataset posted or deleted a row: the head totals follow.
    void AfterPost(TZClientDataSet &dataSet);
    void AfterDelete(TZClientDataSet &dataSet);
    /// Writes the sums of the lines' amounts, taxes and foreign amounts into
    /// the head.
    void CalcHeadSum();
    /// The head's price-of-tax switch (false when it has none).
    bool PriceOfTax() const;

    /// Installs FieldOnChange on every linked field both datasets have.
    void InstallHandlers();

private:
    bool active() const { return IsActive && HeadDataSet && SubDataSet; }
    void headChanged(TZDataField &field);
    void detailChanged(TZDataField &field);

    bool m_priceGuard = false;  // keeps the list-price, discount and price steps from re-entering
    bool m_amountGuard = false; // keeps the amount from being written back while it is copied
};
