// The household ledger's windows keep each account's current balance in step
// with the income and expense items and the transfers saved and deleted
// through them.
#include "HouseholdTestSupport.h"
#include "ZScreenshot.h"

#include "forms/TfrmMoxAccount.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/ZLauncher.h"
#include "ledger/ZHouseholdLedger.h"

#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

using HouseholdLedger = THouseholdTest;

TEST_F(HouseholdLedger, EachModuleOpensInTheWindowItsDefinitionNames)
{
    // The package's registrations, for the length of the test.
    const QStringList classes{s("TfrmMoxAccount"), s("TfrmMoxFee"), s("TfrmAccountTran")};
    ZRegisterClass(classes.at(0), [] { return new TfrmMoxAccount; });
    ZRegisterClass(classes.at(1), [] { return new TfrmMoxFee; });
    ZRegisterClass(classes.at(2), [] { return new TfrmAccountTran; });
    const std::pair<const char *, const char *> modules[] = {{"moxAccount", "TfrmMoxAccount"},
                                                             {"moxIncome", "TfrmMoxFee"},
                                                             {"moxFee", "TfrmMoxFee"},
                                                             {"moxAccountTran", "TfrmAccountTran"}};
    for (const auto &[progID, className] : modules) {
        SCOPED_TRACE(progID);
        QPointer<QWidget> window = WakeUpBillFormByProg(QLatin1String(progID), QString(), s("F3"));
        ASSERT_TRUE(window) << qPrintable(boxTexts.join(s(" | ")));
        EXPECT_STREQ(window->metaObject()->className(), className);
        auto *record = qobject_cast<TfrmMasterData *>(window.data());
        ASSERT_TRUE(record);
        EXPECT_EQ(record->GetProgID(), QLatin1String(progID));
        window->close();
    }
    for (const QString &name : classes)
        ZUnRegisterClass(name);
}

TEST_F(HouseholdLedger, IncomeItemsMoveTheirAccountOnSaveEditAndDelete)
{
    auto window = openRecordWindow<TfrmMoxFee>(s("moxIncome"));
    EXPECT_EQ(window->Sign(), 1);
    const QString id = book(*window, s("XJ"), s("50"));
    ASSERT_FALSE(id.isEmpty());
    EXPECT_EQ(value(s("select Flag from moxIncomeFee where BillNo = '%1'").arg(id)), s("1"));
    EXPECT_EQ(balance(s("XJ")), s("150"));

    // Only the amount: the balance changes by the difference.
    ASSERT_TRUE(window->RunAction(2));
    window->MasterData().FieldByName(s("ItemMoney")).SetAsString(s("80.25"));
    ASSERT_TRUE(window->RunAction(5));
    EXPECT_EQ(balance(s("XJ")), s("180.25"));

    // Another account: the old amount leaves XJ, the new one goes to YH.
    ASSERT_TRUE(window->RunAction(2));
    window->MasterData().FieldByName(s("AccountID")).SetAsString(s("YH"));
    window->MasterData().FieldByName(s("ItemMoney")).SetAsString(s("30"));
    ASSERT_TRUE(window->RunAction(5));
    EXPECT_EQ(balance(s("XJ")), s("100"));
    EXPECT_EQ(balance(s("YH")), s("30"));

    answers << s("btnYes");
    ASSERT_TRUE(window->RunAction(3));
    EXPECT_EQ(balance(s("YH")), s("0"));
    EXPECT_EQ(value(s("select count(*) from moxIncomeFee")), s("0"));
}

TEST_F(HouseholdLedger, ExpenseItemsTakeOffAndADeletedOneGivesBack)
{
    auto window = openRecordWindow<TfrmMoxFee>(s("moxFee"));
    EXPECT_EQ(window->Sign(), -1);
    const QString first = book(*window, s("XJ"), s("40"));
    book(*window, s("XJ"), s("12.5"));
    EXPECT_EQ(value(s("select group_concat(Flag) from moxIncomeFee")), s("2,2"));
    EXPECT_EQ(balance(s("XJ")), s("47.5"));

    ASSERT_TRUE(window->MoveTo(first));
    answers << s("btnYes");
    ASSERT_TRUE(window->RunAction(3));
    EXPECT_EQ(balance(s("XJ")), s("87.5"));
    ZSaveScreenshot(*window, s("household_expense"));
}

TEST_F(HouseholdLedger, TheDateSetsTheMonthAndNumbersInTheItemAreOffered)
{
    auto window = openRecordWindow<TfrmMoxFee>(s("moxFee"));
    ASSERT_TRUE(window->RunAction(1));
    TOrvDataSet &master = window->MasterData();
    // A new item is dated today, and its month with it.
    const QDate today = master.FieldByName(s("ItemDate")).AsDateTime().date();
    ASSERT_TRUE(today.isValid());
    EXPECT_EQ(master.FieldByName(s("FeeMonth")).AsInteger(), today.year() * 100 + today.month());
    master.FieldByName(s("ItemDate")).SetAsDateTime(QDateTime(QDate(2024, 3, 9), QTime()));
    EXPECT_EQ(master.FieldByName(s("FeeMonth")).AsInteger(), 202403);

    answers << s("btnYes");
    master.FieldByName(s("Item")).SetAsString(s(" 午饭12.5元，晚饭30元 "));
    ASSERT_EQ(boxTexts.size(), 1);
    EXPECT_TRUE(boxTexts.back().contains(s("项目中含有数值，是否汇总到金额栏位？"))) << boxTexts.back().toStdString();
    EXPECT_EQ(master.FieldByName(s("ItemMoney")).AsCurrency().toString(), s("42.5"));

    // "No" keeps the amount; a text whose only number is malformed asks nothing.
    answers << s("btnNo");
    master.FieldByName(s("Item")).SetAsString(s("买菜 7 元"));
    EXPECT_EQ(boxTexts.size(), 2);
    EXPECT_EQ(master.FieldByName(s("ItemMoney")).AsCurrency().toString(), s("42.5"));
    master.FieldByName(s("Item")).SetAsString(s("版本1.2.3"));
    master.FieldByName(s("Item")).SetAsString(s("没有数字"));
    EXPECT_EQ(boxTexts.size(), 2);

    EXPECT_EQ(ZItemTextMoney(s("12.5元和30元")).toString(), s("42.5"));
    EXPECT_EQ(ZItemTextMoney(s("1.2.3")).toString(), s("0"));
    EXPECT_EQ(ZItemTextMoney(s("a1.2.3b 4")).toString(), s("4"));
    EXPECT_EQ(ZItemTextMoney(s(". 0.5 .25")).toString(), s("0.75"));
    // Two reference numbers whose sum no amount can hold offer nothing.
    EXPECT_EQ(ZItemTextMoney(s("单号900000000000000和900000000000000")).toString(), s("0"));
}

TEST_F(HouseholdLedger, TransfersMoveBothAccountsAndASwapReversesThem)
{
    auto window = openRecordWindow<TfrmAccountTran>(s("moxAccountTran"));
    const QString id = transfer(*window, s("XJ"), s("YH"), s("60"));
    EXPECT_EQ(balance(s("XJ")), s("40"));
    EXPECT_EQ(balance(s("YH")), s("60"));

    ASSERT_TRUE(window->RunAction(2));
    window->MasterData().FieldByName(s("SrcAccountID")).SetAsString(s("YH"));
    window->MasterData().FieldByName(s("DestAccountID")).SetAsString(s("XJ"));
    ASSERT_TRUE(window->RunAction(5));
    EXPECT_EQ(balance(s("XJ")), s("160"));
    EXPECT_EQ(balance(s("YH")), s("-60"));

    // A new destination and amount: the old transfer is undone first.
    ASSERT_TRUE(window->RunAction(2));
    window->MasterData().FieldByName(s("DestAccountID")).SetAsString(s("ZF"));
    window->MasterData().FieldByName(s("TranMoney")).SetAsString(s("10"));
    ASSERT_TRUE(window->RunAction(5));
    EXPECT_EQ(balance(s("XJ")), s("100"));
    EXPECT_EQ(balance(s("YH")), s("-10"));
    EXPECT_EQ(balance(s("ZF")), s("10"));
    ZSaveScreenshot(*window, s("household_transfer"));

    ASSERT_TRUE(window->MoveTo(id));
    answers << s("btnYes");
    ASSERT_TRUE(window->RunAction(3));
    EXPECT_EQ(balance(s("YH")), s("0"));
    EXPECT_EQ(balance(s("ZF")), s("0"));
}

TEST_F(HouseholdLedger, AccountsShowAndStoreTheOpeningBalancePlusTheirMovement)
{
    auto income = openRecordWindow<TfrmMoxFee>(s("moxIncome"));
    book(*income, s("XJ"), s("50"));
    auto tran = openRecordWindow<TfrmAccountTran>(s("moxAccountTran"));
    transfer(*tran, s("XJ"), s("YH"), s("20"));
    EXPECT_EQ(ZAccountMovement(s(" XJ ")).toString(), s("30"));
    EXPECT_EQ(ZAccountMovement(s("ZF")).toString(), s("0"));

    auto window = openRecordWindow<TfrmMoxAccount>(s("moxAccount"), s("XJ"));
    ASSERT_EQ(window->CurrKeyValue(), s("XJ"));
    ASSERT_TRUE(window->RecalculateButton()->isEnabled());
    ASSERT_TRUE(window->RunAction(2));
    window->MasterData().FieldByName(s("InitMoney")).SetAsString(s("200"));
    EXPECT_EQ(window->MasterData().FieldByName(s("CurrMoney")).AsCurrency().toString(), s("230"));
    ASSERT_TRUE(window->RunAction(5));
    EXPECT_EQ(balance(s("XJ")), s("230"));

    // Bookings changed behind the windows' backs: "重新计算" puts it right.
    DBConn().DBExcuteSql(s("update moxIncomeFee set ItemMoney = 70"));
    DBConn().DBExcuteSql(s("update moxAccount set CurrMoney = 1"));
    window->show();
    QTest::mouseClick(window->RecalculateButton(), Qt::LeftButton);
    EXPECT_EQ(balance(s("XJ")), s("250"));
    EXPECT_EQ(window->MasterData().FieldByName(s("CurrMoney")).AsCurrency().toString(), s("250"));
    EXPECT_EQ(balance(s("YH")), s("1"));
    ZSaveScreenshot(*window, s("household_account"));

    // A balance shown before another booking was saved is not written back.
    ASSERT_TRUE(window->RunAction(2));
    book(*income, s("XJ"), s("5"));
    window->MasterData().FieldByName(s("Remark")).SetAsString(s("备注"));
    ASSERT_TRUE(window->RunAction(5));
    EXPECT_EQ(balance(s("XJ")), s("255"));
}

TEST_F(HouseholdLedger, AFailingBalanceStatementRollsTheSaveAndTheDeleteBack)
{
    auto window = openRecordWindow<TfrmMoxFee>(s("moxIncome"));
    const QString id = book(*window, s("XJ"), s("50"));
    DBConn().DBExcuteSql(
        s("create trigger NoRich before update of CurrMoney on moxAccount "
          "when new.CurrMoney > 1000 or new.CurrMoney < 0 begin select raise(abort, '余额超限'); end"));

    ASSERT_TRUE(window->RunAction(1));
    TOrvDataSet &master = window->MasterData();
    master.FieldByName(s("ItemDate")).SetAsDateTime(QDateTime(QDate(2026, 6, 10), QTime()));
    master.FieldByName(s("InOutType")).SetAsString(s("01"));
    master.FieldByName(s("AccountID")).SetAsString(s("XJ"));
    master.FieldByName(s("ItemMoney")).SetAsString(s("5000"));
    const QString refused = refusal([&] { window->RunAction(5); });
    EXPECT_TRUE(refused.contains(s("余额超限"))) << refused.toStdString();
    EXPECT_TRUE(window->Editing());
    EXPECT_EQ(value(s("select count(*) from moxIncomeFee")), s("1"));
    EXPECT_EQ(balance(s("XJ")), s("150"));
    answers << s("btnYes");
    ASSERT_TRUE(window->RunAction(6));

    // Deleting the 50 would leave XJ at 100; an expense account at -1 is refused.
    DBConn().DBExcuteSql(s("update moxAccount set CurrMoney = 40 where AccountID = 'XJ'"));
    ASSERT_TRUE(window->MoveTo(id));
    answers << s("btnYes");
    const QString deleteRefused = refusal([&] { window->RunAction(3); });
    EXPECT_TRUE(deleteRefused.contains(s("余额超限"))) << deleteRefused.toStdString();
    EXPECT_EQ(value(s("select count(*) from moxIncomeFee where BillNo = '%1'").arg(id)), s("1"));
    EXPECT_EQ(balance(s("XJ")), s("40"));
}

TEST_F(HouseholdLedger, AWindowLoadedBeforeAnotherChangedTheItemUndoesWhatIsStored)
{
    auto first = openRecordWindow<TfrmMoxFee>(s("moxFee"));
    const QString id = book(*first, s("XJ"), s("50"));
    EXPECT_EQ(balance(s("XJ")), s("50"));

    // A second window changes the amount, then deletes the item; the first
    // still shows 50 when it edits and saves the item again.
    auto second = openRecordWindow<TfrmMoxFee>(s("moxFee"), id);
    ASSERT_EQ(second->CurrKeyValue(), id);
    ASSERT_TRUE(second->RunAction(2));
    second->MasterData().FieldByName(s("ItemMoney")).SetAsString(s("20"));
    ASSERT_TRUE(second->RunAction(5));
    EXPECT_EQ(balance(s("XJ")), s("80"));
    answers << s("btnYes");
    ASSERT_TRUE(second->RunAction(3));
    EXPECT_EQ(balance(s("XJ")), s("100"));

    ASSERT_TRUE(first->RunAction(2));
    first->MasterData().FieldByName(s("ItemMoney")).SetAsString(s("60"));
    ASSERT_TRUE(first->RunAction(5)) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(balance(s("XJ")), s("40")); // 100 less the item saved again
    EXPECT_EQ(ZAccountMovement(s("XJ")).toString(), s("-60"));

    // The same for transfers: the second window swapped the accounts.
    auto tranA = openRecordWindow<TfrmAccountTran>(s("moxAccountTran"));
    const QString tran = transfer(*tranA, s("XJ"), s("YH"), s("10"));
    auto tranB = openRecordWindow<TfrmAccountTran>(s("moxAccountTran"), tran);
    ASSERT_TRUE(tranB->RunAction(2));
    tranB->MasterData().FieldByName(s("SrcAccountID")).SetAsString(s("YH"));
    tranB->MasterData().FieldByName(s("DestAccountID")).SetAsString(s("XJ"));
    ASSERT_TRUE(tranB->RunAction(5));
    answers << s("btnYes");
    ASSERT_TRUE(tranA->RunAction(3));
    for (const char *account : {"XJ", "YH"}) {
        const QString id = s(account);
        EXPECT_EQ(balance(id),
                  (Currency::fromString(value(s("select InitMoney from moxAccount where AccountID = '%1'").arg(id)))
                   + ZAccountMovement(id))
                      .toString())
            << account;
    }
    EXPECT_EQ(balance(s("YH")), s("0"));
}

TEST_F(HouseholdLedger, AnItemStoredWithoutItsMonthIsEditedAndGetsIt)
{
    DBConn().DBExcuteSql(s("insert into moxIncomeFee(BillNo, Flag, ItemDate, InOutType, AccountID, ItemMoney) "
                           "values('OLD1', 2, '2025-11-03', '01', 'XJ', 5)"));
    auto window = openRecordWindow<TfrmMoxFee>(s("moxFee"), s("OLD1"));
    ASSERT_EQ(window->CurrKeyValue(), s("OLD1"));
    ASSERT_TRUE(window->RunAction(2));
    window->MasterData().FieldByName(s("Remark")).SetAsString(s("补记"));
    ASSERT_TRUE(window->RunAction(5)) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(value(s("select FeeMonth from moxIncomeFee where BillNo = 'OLD1'")), s("202511"));
    EXPECT_EQ(balance(s("XJ")), s("100")); // the 5 was never booked: the edit takes back what is stored
}
