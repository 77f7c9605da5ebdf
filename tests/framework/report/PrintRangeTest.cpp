// The report condition control: the statement fragment of every kind, the
// addresses handed through messages, and the record chooser filling it.
#include "../record/RecordTestSupport.h"
#include "TestText.h"

#include "controls/TPrintRange.h"
#include "controls/TZDBGrid.h"
#include "data/TDBConn.h"
#include "forms/TfrmSelectID.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/ZLauncher.h"
#include "metadata/TOrvDataSet.h"

#include <QItemSelectionModel>
#include <QPointer>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

TEST(PrintRange, KeyRangesPutTheSmallerFirstAndListsWinWhenSwitchedOn)
{
    TPrintRange range(ctRangeID, s("A.ItemID"), s("项目"));
    EXPECT_EQ(range.height(), 40);
    EXPECT_EQ(range.GetWhere(), QString());
    range.SetBeginValue(s("B02"));
    EXPECT_EQ(range.GetWhere(), s(" And A.ItemID >= 'B02'"));
    range.SetEndValue(s("A01"));
    EXPECT_EQ(range.GetWhere(), s(" And A.ItemID Between 'A01' And 'B02'"));
    EXPECT_EQ(range.GetWhere(s("B.Code")), s(" And B.Code Between 'A01' And 'B02'"));
    EXPECT_EQ(range.GetWhere(s("---")), QString());
    range.SetBeginValue(QString());
    EXPECT_EQ(range.GetWhere(), s(" And A.ItemID <= 'A01'"));

    // The list counts only when switched on and not empty.
    range.SetKeyList(s("'X1','X2'"));
    EXPECT_EQ(range.GetWhere(), s(" And A.ItemID <= 'A01'"));
    range.SetListOn(true);
    EXPECT_EQ(range.GetWhere(), s(" And A.ItemID in ('X1','X2')"));
    range.SetKeyList(QString());
    EXPECT_EQ(range.GetWhere(), s(" And A.ItemID <= 'A01'"));
}

TEST(PrintRange, OneKeyDatesAndCheckBoxes)
{
    TPrintRange id(ctID, s("A.ObjectName"), s("对象"));
    EXPECT_TRUE(id.PlainTextEditor());
    EXPECT_EQ(id.GetWhere(), QString());
    id.SetBeginValue(s(" O'Neil "));
    EXPECT_EQ(id.GetWhere(), s(" And A.ObjectName = 'O''Neil'"));

    TPrintRange dates(ctRangeDate, s("A.BillDate"), s("日期区间"));
    dates.SetBeginDate(QDate(2024, 3, 31));
    dates.SetEndDate(QDate(2024, 3, 1));
    EXPECT_EQ(dates.GetWhere(), s(" And Year(A.BillDate) * 10000 + Month(A.BillDate) * 100 + Day(A.BillDate)"
                                  " Between 20240301 And 20240331"));
    EXPECT_EQ(dates.GetWhere(s("---")), QString());

    TPrintRange day(ctDate, s("A.BillDate"), s("日期"));
    day.SetBeginDate(QDate(2024, 3, 5));
    EXPECT_EQ(day.GetWhere(), s(" And A.BillDate = 20240305"));

    TPrintRange check(ctCheck, s("A.HasCheck"), s("已审核"));
    EXPECT_EQ(check.GetWhere(), s(" And A.HasCheck = 0"));
    check.SetChecked(true);
    EXPECT_EQ(check.GetWhere(), s(" And A.HasCheck = 1"));

    EXPECT_EQ(ZWhereCtrlTypeOf(s("ctRangeDate")), ctRangeDate);
    EXPECT_EQ(ZWhereCtrlTypeOf(s(" ctDate ")), ctDate);
    EXPECT_EQ(ZWhereCtrlTypeOf(s("ctID")), ctID);
    EXPECT_EQ(ZWhereCtrlTypeOf(s("ctCheck")), ctCheck);
    EXPECT_EQ(ZWhereCtrlTypeOf(s("whatever")), ctRangeID);
}

TEST(PrintRange, OnlyAddressesOfLiveControlsAreFollowed)
{
    auto range = std::make_unique<TPrintRange>(ctRangeID, s("A.ItemID"), s("项目"));
    const QString address = ZPrintRangeAddress(*range);
    EXPECT_EQ(ZPrintRangeAt(address), range.get());
    range.reset();
    EXPECT_EQ(ZPrintRangeAt(address), nullptr);
    EXPECT_EQ(ZPrintRangeAt(s("12345")), nullptr);
    EXPECT_EQ(ZPrintRangeAt(s("abc")), nullptr);
    EXPECT_EQ(ZPrintRangeAt(QString()), nullptr);
}

namespace {

/// A window holding condition controls, as a report window does.
class THost final : public TfrmZForm
{};

class PrintRangeChooser : public TRecordTest
{
protected:
    void SetUp() override
    {
        TRecordTest::SetUp();
        ZRegisterClass(s("TfrmSelectID"), [] { return new TfrmSelectID; });
        for (const char *row : {"('P1', '张三')", "('P2', '李四')", "('P3', '王五')"})
            DBConn().DBExcuteSql(s("insert into moxAddressBook(PersonID, PersonName) values") + s(row));
        host.show();
    }

    void TearDown() override
    {
        // Choosers still open go with the test.
        for (TfrmZForm *form : TfrmZForm::OpenForms()) {
            if (qobject_cast<TfrmSelectID *>(form))
                delete form;
        }
        ZUnRegisterClass(s("TfrmSelectID"));
        TRecordTest::TearDown();
    }

    /// The chooser a control's "..." button opened.
    QPointer<TfrmSelectID> pick(TPrintRange &range, const char *button = "btnPickBegin")
    {
        range.findChild<QToolButton *>(s(button))->click();
        return qobject_cast<TfrmSelectID *>(GetIsExistForm(s("TfrmSelectID")));
    }

    static void selectRows(TfrmSelectID &chooser, std::initializer_list<int> rows)
    {
        QItemSelectionModel *selection = chooser.Grid()->View()->selectionModel();
        selection->clearSelection();
        for (int row : rows)
            selection->select(chooser.Grid()->View()->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    THost host;
};

} // namespace

TEST_F(PrintRangeChooser, APlainEditorTakesOneKeyAListControlTheQuotedKeys)
{
    auto *one = new TPrintRange(ctID, s("A.PersonID"), s("联系人"), &host);
    one->SetProgID(s("moxAddressBook"));
    QPointer<TfrmSelectID> chooser = pick(*one);
    ASSERT_TRUE(chooser);
    EXPECT_EQ(chooser->ProgID(), s("moxAddressBook"));
    EXPECT_FALSE(chooser->MultiSelect());
    ASSERT_TRUE(chooser->Rows().Locate(s("PersonID"), {s("P2")}));
    chooser->TakeBack();
    EXPECT_EQ(one->BeginValue(), s("P2"));

    auto *list = new TPrintRange(ctRangeID, s("A.PersonID"), s("联系人"), &host);
    list->SetProgID(s("moxAddressBook"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    chooser = pick(*list);
    ASSERT_TRUE(chooser);
    EXPECT_TRUE(chooser->MultiSelect());
    selectRows(*chooser, {0, 2});
    chooser->TakeBack();
    EXPECT_EQ(list->KeyList(), s("'P1','P3'"));
    EXPECT_TRUE(list->ListOn());
    EXPECT_EQ(list->GetWhere(), s(" And A.PersonID in ('P1','P3')"));

    // Nothing chosen: the list empties and its switch goes off.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    chooser = pick(*list, "btnPickEnd");
    ASSERT_TRUE(chooser);
    selectRows(*chooser, {});
    chooser->TakeBack();
    EXPECT_EQ(list->KeyList(), QString());
    EXPECT_FALSE(list->ListOn());

    // A plain range editor takes the key into the text of its button.
    list->SetPlainTextEditor(true);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    chooser = pick(*list, "btnPickEnd");
    ASSERT_TRUE(chooser);
    ASSERT_TRUE(chooser->Rows().Locate(s("PersonID"), {s("P3")}));
    chooser->TakeBack();
    EXPECT_EQ(list->EndValue(), s("P3"));
    EXPECT_EQ(list->BeginValue(), QString());
}

TEST_F(PrintRangeChooser, AStaleOrMadeUpAddressIsRefused)
{
    auto *chooser = new TfrmSelectID;
    chooser->FormReturnValue(s("TagPrintRange"), s("4242"));
    EXPECT_TRUE(chooser->Closed());
    EXPECT_TRUE(chooser->ProgID().isEmpty());

    // The control goes while its chooser is open: taking back leaves it be.
    auto *range = new TPrintRange(ctRangeID, s("A.PersonID"), s("联系人"), &host);
    range->SetProgID(s("moxAddressBook"));
    QPointer<TfrmSelectID> open = pick(*range);
    ASSERT_TRUE(open);
    selectRows(*open, {0});
    delete range;
    open->TakeBack();
    EXPECT_TRUE(open->Closed());
}
