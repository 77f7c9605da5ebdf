// The offset bills: loading a counterparty's open bills, spreading the
// amount over them, and the settled bills' balances after every save and
// delete (lines removed, amounts changed, the bill deleted).
#include "BillsTestSupport.h"
#include "ZScreenshot.h"

#include "forms/TfrmAccGather.h"
#include "forms/TfrmAccIncome.h"
#include "forms/TfrmAccPay.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

/// Income bills of 张三 (I1 100 and I2 50 open, I3 settled), one of 李四,
/// and a payment bill of 张三 (P1, 80 open, 20 paid at once).
void addBills()
{
    DBConn().DBExcuteSql(
        s("insert into accFee (Flag, BillNo, BillDate, AccMonth, ObjectName, FeeMoney, Discount, NowRecv, Offset, "
          "RemainMoney) values "
          "(1, 'I2', '2024-03-05', 202403, '张三', 60, 10, 0, 0, 50), "
          "(1, 'I1', '2024-03-01', 202403, '张三', 100, 0, 0, 0, 100), "
          "(1, 'I3', '2024-03-02', 202403, '张三', 30, 0, 30, 0, 0), "
          "(1, 'I4', '2024-03-02', 202403, '李四', 70, 0, 0, 0, 70), "
          "(2, 'P1', '2024-03-03', 202403, '张三', 100, 0, 20, 0, 80)"));
}

QString lineOffsets(TfrmAccGather &window)
{
    QStringList texts;
    TOrvDataSet &lines = window.Detaildata();
    for (lines.First(); !lines.Eof(); lines.Next())
        texts << lines.FieldByName(s("FeeBillNo")).AsString() + QLatin1Char('=')
                     + lines.FieldByName(s("Offset")).AsCurrency().toString();
    return texts.join(QLatin1Char(' '));
}

QString balances()
{
    return DBConn()
        .DBSelectValue(s("select group_concat(BillNo || ':' || Offset || '/' || RemainMoney, ' ') from "
                         "(select * from accFee order by BillNo)"))
        .value(0);
}

} // namespace

class OffsetBill : public TBillsTest
{
protected:
    void SetUp() override
    {
        TBillsTest::SetUp();
        addBills();
    }

    /// A new receivable offset bill for 张三 of `amount`, its open bills loaded.
    std::unique_ptr<TfrmAccGather> newGather(const char *amount)
    {
        auto window = openRecordWindow<TfrmAccGather>(s("accGather"));
        EXPECT_TRUE(window->RunAction(1));
        set(*window, "ObjectName", s("张三"));
        set(*window, "FeeMoney", QVariant::fromValue(Currency::fromString(QLatin1String(amount))));
        window->LoadBills();
        return window;
    }
};

TEST_F(OffsetBill, LoadOffersTheCounterpartysOpenBillsInDateOrder)
{
    auto window = openRecordWindow<TfrmAccGather>(s("accGather"));
    EXPECT_TRUE(window->ObjectNames().contains(s("李四")));
    EXPECT_EQ(window->ObjectNames().size(), 2);
    ASSERT_TRUE(window->RunAction(1));
    EXPECT_EQ(refusal([&] { window->LoadBills(); }), s("请先选择 收款对象"));

    set(*window, "ObjectName", s("张三"));
    window->LoadBills();
    EXPECT_EQ(lineOffsets(*window), s("I1=0 I2=0"));
    TOrvDataSet &lines = window->Detaildata();
    lines.First();
    EXPECT_EQ(lines.FieldByName(s("FeeRemainMoney")).AsCurrency().toString(), s("100"));
    // The line shows the bill's number, not the bill's counterparty.
    EXPECT_EQ(lines.FieldByName(s("FeeBillNo")).Text(), s("I1"));

    // Another counterparty: the loaded lines go.
    set(*window, "ObjectName", s("李四"));
    EXPECT_EQ(lineOffsets(*window), QString());
    window->LoadBills();
    EXPECT_EQ(lineOffsets(*window), s("I4=0"));
}

TEST_F(OffsetBill, AutoOffsetSettlesInOrderAndLeavesTheRestUnapplied)
{
    // More than all open balances: every line settled in full.
    auto window = newGather("200");
    window->AutoOffset();
    EXPECT_EQ(lineOffsets(*window), s("I1=100 I2=50"));
    window->ClearOffsets();
    EXPECT_EQ(lineOffsets(*window), s("I1=0 I2=0"));

    // Less: the last line touched is settled in part.
    set(*window, "FeeMoney", QVariant::fromValue(Currency::fromString(s("120"))));
    window->AutoOffset();
    EXPECT_EQ(lineOffsets(*window), s("I1=100 I2=20"));
    EXPECT_EQ(refusal([&] { window->RunAction(5); }), QString()) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(balances(), s("I1:100/0 I2:20/30 I3:0/0 I4:0/70 P1:0/80"));

    window->show();
    ZSaveScreenshot(*window, s("bills_gather"));

    // No amount, no automatic offset.
    ASSERT_TRUE(window->RunAction(1));
    EXPECT_EQ(refusal([&] { window->AutoOffset(); }), s("前先输入收款金额"));
}

TEST_F(OffsetBill, EditsAndDeletesRestoreTheBalancesOfTheBillsNamed)
{
    auto window = newGather("150");
    window->AutoOffset();
    ASSERT_EQ(refusal([&] { window->RunAction(5); }), QString()) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(balances(), s("I1:100/0 I2:50/0 I3:0/0 I4:0/70 P1:0/80"));

    // The counterparty and loading stay as they are while editing.
    ASSERT_TRUE(window->RunAction(2));
    EXPECT_FALSE(window->findChild<QLineEdit *>(s("DBObjectName"))->isEnabled());
    EXPECT_FALSE(window->findChild<QPushButton *>(s("btnLoadBills"))->isEnabled());
    // A line removed gives its bill its balance back; a changed line counts anew.
    TOrvDataSet &lines = window->Detaildata();
    lines.First();
    lines.Delete();
    lines.First();
    lines.Edit();
    lines.FieldByName(s("Offset")).SetAsCurrency(Currency::fromString(s("5")));
    lines.Post();
    ASSERT_EQ(refusal([&] { window->RunAction(5); }), QString()) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(balances(), s("I1:0/100 I2:5/45 I3:0/0 I4:0/70 P1:0/80"));

    // A second bill settles the same bill; deleting the first keeps the second's part.
    const QString first = window->CurrKeyValue();
    auto second = newGather("30");
    second->AutoOffset();
    ASSERT_EQ(refusal([&] { second->RunAction(5); }), QString()) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(balances(), s("I1:30/70 I2:5/45 I3:0/0 I4:0/70 P1:0/80"));
    answers << s("btnYes");
    ASSERT_TRUE(window->MoveTo(first));
    ASSERT_EQ(refusal([&] { window->RunAction(3); }), QString()) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(balances(), s("I1:30/70 I2:0/50 I3:0/0 I4:0/70 P1:0/80"));
}

TEST_F(OffsetBill, PaymentBillsSettleOnlyPaymentBills)
{
    auto window = openRecordWindow<TfrmAccPay>(s("accPay"));
    EXPECT_EQ(window->ObjectNames(), QStringList{s("张三")});
    ASSERT_TRUE(window->RunAction(1));
    set(*window, "ObjectName", s("张三"));
    window->LoadBills();
    EXPECT_EQ(lineOffsets(*window), s("P1=0"));
    EXPECT_EQ(refusal([&] { window->AutoOffset(); }), s("前先输入付款金额"));
    set(*window, "FeeMoney", QVariant::fromValue(Currency::fromString(s("500"))));
    window->AutoOffset();
    EXPECT_EQ(lineOffsets(*window), s("P1=80"));
    ASSERT_EQ(refusal([&] { window->RunAction(5); }), QString()) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(balances(), s("I1:0/100 I2:0/50 I3:0/0 I4:0/70 P1:80/0"));
    window->show();
    ZSaveScreenshot(*window, s("bills_pay"));
}

TEST_F(OffsetBill, ABillNamedByOffsetLinesStaysAndANewBillStartsUnsettled)
{
    auto window = newGather("30");
    window->AutoOffset();
    ASSERT_EQ(refusal([&] { window->RunAction(5); }), QString()) << qPrintable(boxTexts.join(s(" | ")));

    auto income = openRecordWindow<TfrmAccIncome>(s("accIncome"), s("I1"));
    ASSERT_EQ(income->CurrKeyValue(), s("I1"));
    answers << s("btnYes");
    const QString refused = refusal([&] { income->RunAction(3); });
    EXPECT_TRUE(refused.endsWith(s("不能删除"))) << qPrintable(refused);
    EXPECT_EQ(value(s("select count(*) from accFee where BillNo = 'I1'")), s("1"));
    EXPECT_EQ(balances(), s("I1:30/70 I2:0/50 I3:0/0 I4:0/70 P1:0/80"));

    // Saving the bill keeps what the lines settle of it, whatever the window held.
    DBConn().DBExcuteSql(s("update accFee set Offset = 0, RemainMoney = 100 where BillNo = 'I1'"));
    ASSERT_TRUE(income->MoveTo(s("I1")));
    ASSERT_TRUE(income->RunAction(2));
    set(*income, "Remark", s("改"));
    ASSERT_EQ(refusal([&] { income->RunAction(5); }), QString()) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(balances(), s("I1:30/70 I2:0/50 I3:0/0 I4:0/70 P1:0/80"));
    EXPECT_EQ(text(*income, "RemainMoney"), s("70"));
}

TEST_F(OffsetBill, TheButtonsWorkFromTheWindowAndShowTheirRefusals)
{
    auto window = openRecordWindow<TfrmAccGather>(s("accGather"));
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto *load = window->findChild<QPushButton *>(s("btnLoadBills"));
    auto *automatic = window->findChild<QPushButton *>(s("btnAutoOffset"));
    ASSERT_TRUE(load && automatic);
    EXPECT_FALSE(load->isEnabled());
    press(*window, "actAdd");
    ASSERT_TRUE(load->isEnabled());
    EXPECT_TRUE(window->findChild<QLineEdit *>(s("DBObjectName"))->isEnabled());
    QTest::mouseClick(load, Qt::LeftButton);
    EXPECT_TRUE(boxTexts.join(s("|")).contains(s("请先选择 收款对象"))) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_TRUE(window->Editing());

    set(*window, "ObjectName", s("张三"));
    QTest::mouseClick(load, Qt::LeftButton);
    EXPECT_EQ(lineOffsets(*window), s("I1=0 I2=0")) << qPrintable(boxTexts.join(s(" | ")));
    QTest::mouseClick(automatic, Qt::LeftButton);
    EXPECT_TRUE(boxTexts.join(s("|")).contains(s("前先输入收款金额"))) << qPrintable(boxTexts.join(s(" | ")));
    set(*window, "FeeMoney", QVariant::fromValue(Currency::fromString(s("70"))));
    QTest::mouseClick(automatic, Qt::LeftButton);
    EXPECT_EQ(lineOffsets(*window), s("I1=70 I2=0"));
    ZSaveScreenshot(*window, s("bills_gather_adding"));
}
