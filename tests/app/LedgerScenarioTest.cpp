// The household ledger met as a person meets it, from the main window: an
// expense booked from the expense list, the account's balance seen to fall
// in the account list, and the month's expenses in the monthly report.
#include "../framework/record/RecordTestSupport.h"
#include "TTestClock.h"
#include "TestText.h"
#include "ZScreenshot.h"
#include "main/MainWindowFixture.h"

#include "controls/TZDBGrid.h"
#include "controls/TZLookUpCombobox.h"
#include "data/TDBConn.h"
#include "list/TfrmListForm.h"
#include "main/TfrmMOXMain.h"
#include "record/TfrmMasterData.h"
#include "report/TRptDataSet.h"
#include "report/TfrmRptBase.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

using LedgerScenario = MainWindowFixture;

// The open window of a class (and module), or null.
template<class Form>
Form *openWindow(const QString &progID = QString())
{
    for (TfrmZForm *form : TfrmZForm::OpenForms()) {
        auto *found = qobject_cast<Form *>(form);
        if (found && !form->Closed() && (progID.isEmpty() || found->GetProgID() == progID))
            return found;
    }
    return nullptr;
}

// The text a grid shows in a row for a field.
QString cell(TZDBGrid &grid, int row, const QString &field)
{
    QAbstractItemModel *model = grid.View()->model();
    return model->index(row, grid.ColumnOf(field)).data().toString();
}

// Picks a look-up value by typing the start of its name and taking the one
// offered.
void pick(QWidget &window, const QString &editor, const QString &typed)
{
    auto *lookup = window.findChild<TZDBLookUpCombobox *>(editor);
    ASSERT_TRUE(lookup) << editor.toStdString();
    lookup->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(lookup->lineEdit(), typed);
    QAbstractItemView *offered = lookup->TypeAhead()->popup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return offered->isVisible(); })) << editor.toStdString();
    QTest::keyClick(offered, Qt::Key_Down);
    QTest::keyClick(offered, Qt::Key_Return);
    QTest::keyClick(lookup->lineEdit(), Qt::Key_Tab);
}

} // namespace

TEST_F(LedgerScenario, AnExpenseFromTheListMovesTheAccountAndShowsInTheMonthlyReport)
{
    TTestClock clock(QDateTime(QDate(2026, 10, 14), QTime(12, 30)));
    DBConn().DBExcuteSql(s("insert into moxAccount(AccountID, AccountName, InitMoney, CurrMoney) "
                           "values('XJ', '现金', 100, 100)"));
    DBConn().DBExcuteSql(s("insert into moxFeeType(TypeID, TypeName) values('CY', '餐饮')"));
    TfrmMOXMain &main = showWindow();

    // The account list shows the opening balance.
    main.CommandButton(2, s("现金银行账户"))->click();
    auto *accounts = openWindow<TfrmListForm>(s("moxAccount"));
    ASSERT_TRUE(accounts) << texts.join(s(" | ")).toStdString();
    ASSERT_EQ(accounts->Grid()->View()->model()->rowCount(), 1);
    EXPECT_EQ(cell(*accounts->Grid(), 0, s("CurrMoney")), s("100.00"));

    // "支出账务", "新增": lunch and dinner typed into the item, offered as
    // the amount.
    main.CommandButton(2, s("支出账务"))->click();
    auto *expenses = openWindow<TfrmListForm>(s("moxFee"));
    ASSERT_TRUE(expenses) << texts.join(s(" | ")).toStdString();
    expenses->Action(s("actAdd"))->trigger();
    auto *expense = openWindow<TfrmMasterData>(s("moxFee"));
    ASSERT_TRUE(expense) << texts.join(s(" | ")).toStdString();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(expense));
    EXPECT_STREQ(expense->metaObject()->className(), "TfrmMoxFee");
    pick(*expense, s("DBInOutType"), s("cy"));
    pick(*expense, s("DBAccountID"), s("xj"));
    answers << s("btnYes");
    typeInto(expense->findChild<QWidget *>(s("DBItem")), s("午饭12.5元，晚饭30元"));
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.back(), s("项目中含有数值，是否汇总到金额栏位？"));
    ZSaveScreenshot(*expense, s("scenario_expense"));
    press(*expense, "actSave");
    ASSERT_EQ(expense->FrmState(), fsBrowse) << texts.join(s(" | ")).toStdString();
    EXPECT_EQ(expense->MasterData().FieldByName(s("ItemMoney")).AsCurrency().toString(), s("42.5"));
    EXPECT_EQ(expense->MasterData().FieldByName(s("FeeMonth")).AsInteger(), 202610);
    expense->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Back in the account list, "刷新": the balance has fallen by the amount.
    accounts->Action(s("actRefresh"))->trigger();
    EXPECT_EQ(cell(*accounts->Grid(), 0, s("CurrMoney")), s("57.50"));
    ZSaveScreenshot(*accounts, s("scenario_accounts"));

    // "支出统计表", "确定(&G)": October's row, the type as its column.
    main.CommandButton(2, s("支出统计表"))->click();
    auto *report = openWindow<TfrmRptBase>();
    ASSERT_TRUE(report) << texts.join(s(" | ")).toStdString();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(report));
    QTest::mouseClick(report->findChild<QPushButton *>(s("btnRun")), Qt::LeftButton);
    EXPECT_TRUE(texts.isEmpty() || !texts.back().contains(s("错误"))) << texts.join(s(" | ")).toStdString();
    auto *shown = report->GridViewForm();
    ASSERT_TRUE(shown);
    TZDBGrid *grid = shown->findChild<TZDBGrid *>();
    ASSERT_TRUE(grid);
    ASSERT_EQ(grid->View()->model()->rowCount(), 1);
    EXPECT_EQ(cell(*grid, 0, s("FeeMonth")), s("2026年10月"));
    EXPECT_EQ(grid->ColumnCaption(s("_AutoField1")), s("餐饮"));
    EXPECT_EQ(cell(*grid, 0, s("_AutoField1")), s("42.50"));
    EXPECT_EQ(grid->FooterText(s("_AutoField1")), s("42.50")); // the sum shows as the amounts do
    ZSaveScreenshot(*shown, s("scenario_fee_total"));
}
