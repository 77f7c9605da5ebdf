// The income and payment bills: the figures the window keeps in step while
// the user types, the refusal of an item of the other kind, and the bill as
// stored.
#include "BillsTestSupport.h"
#include "ZScreenshot.h"

#include "forms/TfrmAccFee.h"
#include "forms/TfrmAccIncome.h"

#include <QLabel>

#include <gtest/gtest.h>

using IncomeBill = TBillsTest;

TEST_F(IncomeBill, LineSumsTotalAndBalanceFollowTheUsersFigures)
{
    auto window = openRecordWindow<TfrmAccIncome>(s("accIncome"));
    ASSERT_TRUE(window->RunAction(1));
    // A new bill is dated today, and its month with it.
    const QDate today = window->MasterData().FieldByName(s("BillDate")).AsDateTime().date();
    ASSERT_TRUE(today.isValid());
    EXPECT_EQ(window->MasterData().FieldByName(s("AccMonth")).AsInteger(), today.year() * 100 + today.month());
    set(*window, "ObjectName", s("张三"));
    set(*window, "BillDate", QDateTime(QDate(2024, 2, 29), QTime()));
    EXPECT_EQ(window->MasterData().FieldByName(s("AccMonth")).AsInteger(), 202402);

    set(*window, "Quantity01", 3);
    set(*window, "Price01", QVariant::fromValue(Currency::fromString(s("12.5"))));
    EXPECT_EQ(text(*window, "Sum01"), s("37.5"));
    EXPECT_EQ(text(*window, "FeeMoney"), s("37.5"));
    // Line 10 counts as well; a sum typed directly joins the total.
    set(*window, "Price10", QVariant::fromValue(Currency::fromString(s("0.25"))));
    set(*window, "Quantity10", 4);
    set(*window, "Sum05", QVariant::fromValue(Currency::fromString(s("10"))));
    EXPECT_EQ(text(*window, "FeeMoney"), s("48.5"));
    EXPECT_EQ(text(*window, "RemainMoney"), s("48.5"));

    set(*window, "Discount", QVariant::fromValue(Currency::fromString(s("2.5"))));
    set(*window, "NowRecv", QVariant::fromValue(Currency::fromString(s("6"))));
    EXPECT_EQ(text(*window, "RemainMoney"), s("40"));
    // A total typed over the sums is the user's; the balance follows it.
    set(*window, "FeeMoney", QVariant::fromValue(Currency::fromString(s("100"))));
    EXPECT_EQ(text(*window, "Sum01"), s("37.5"));
    EXPECT_EQ(text(*window, "RemainMoney"), s("91.5"));

    EXPECT_EQ(refusal([&] { window->RunAction(5); }), QString()) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(value(s("select Flag || ':' || AccMonth || ':' || FeeMoney || ':' || RemainMoney from accFee")),
              s("1:202402:100:91.5"));

    window->show();
    ZSaveScreenshot(*window, s("bills_income"));
}

TEST_F(IncomeBill, AnItemOfTheOtherKindIsRefusedOnEveryLine)
{
    auto income = openRecordWindow<TfrmAccIncome>(s("accIncome"));
    ASSERT_TRUE(income->RunAction(1));
    EXPECT_EQ(refusal([&] { set(*income, "FeeItemID01", s("OUT1")); }), s("收入单不能选择支付项目，请重新选择！"));
    EXPECT_EQ(refusal([&] { set(*income, "FeeItemID10", s("OUT2")); }), s("收入单不能选择支付项目，请重新选择！"));
    EXPECT_EQ(refusal([&] { set(*income, "FeeItemID01", s("IN1")); }), QString());
    EXPECT_EQ(income->MasterData().FieldByName(s("FeeItemID01")).AsString(), s("IN1"));
    EXPECT_TRUE(income->Editing());
    income->close();

    auto fee = openRecordWindow<TfrmAccFee>(s("accFee"));
    ASSERT_TRUE(fee->RunAction(1));
    EXPECT_EQ(refusal([&] { set(*fee, "FeeItemID03", s("IN2")); }), s("支付单不能选择收入项目，请重新选择！"));
    EXPECT_TRUE(fee->MasterData().FieldByName(s("FeeItemID03")).AsString().isEmpty());
    EXPECT_EQ(refusal([&] { set(*fee, "FeeItemID03", s("OUT2")); }), QString());
    EXPECT_EQ(fee->BillFlag(), 2);
    const QLabel *caption = fee->findChild<QLabel *>(s("lblObjectName"));
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->text(), s("支付对象"));

    set(*fee, "ObjectName", s("房东"));
    set(*fee, "Quantity03", 2);
    set(*fee, "Price03", QVariant::fromValue(Currency::fromString(s("1500"))));
    EXPECT_EQ(refusal([&] { fee->RunAction(5); }), QString()) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(value(s("select Flag || ':' || FeeItemID03 || ':' || FeeMoney || ':' || RemainMoney from accFee")),
              s("2:OUT2:3000:3000"));
    fee->show();
    ZSaveScreenshot(*fee, s("bills_payment"));
}
