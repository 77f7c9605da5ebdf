// Records with lines: lines are matched on their line numbers when saved, a
// removed line is deleted, an unchanged one is not written again, and a
// save that fails part-way leaves nothing behind.
#include "RecordTestSupport.h"
#include "TestText.h"

#include "common/ZClock.h"
#include "data/TDBConn.h"
#include "metadata/TOrvDataSet.h"
#include "record/TfrmMasterData.h"

#include <gtest/gtest.h>

namespace {

QString value(const QString &sql)
{
    return DBConn().DBSelectValue(sql).value(0);
}

/// A gathering bill with `lines` lines of 10, 20, 30 … being added.
void fillBill(TfrmMasterData &window, int lines)
{
    TOrvDataSet &head = window.MasterData();
    if (head.State() == dsBrowse)
        head.Edit();
    head.FieldByName(s("BillDate")).SetValue(QDateTime(QDate(2026, 5, 4), QTime()));
    head.FieldByName(s("ObjectName")).SetAsString(s("张三"));
    TOrvDataSet &detail = window.Dataset(1);
    for (int i = 1; i <= lines; ++i) {
        detail.Append();
        detail.FieldByName(s("Offset")).SetValue(10 * i);
        detail.FieldByName(s("Remark")).SetAsString(s("第%1行").arg(i));
        detail.Post();
    }
}

} // namespace

class MasterDataLines : public TRecordTest
{
protected:
    void SetUp() override
    {
        TRecordTest::SetUp();
        SetZClock(QDateTime(QDate(2026, 5, 4), QTime(9, 30)));
        // Every write to a line leaves a mark, so a test sees which lines a
        // save touched.
        DBConn().DBExcuteSql(s("create table LineWrites(RowNo int, Kind text)"));
        DBConn().DBExcuteSql(s("create trigger LineUpdated after update on accGatherSub begin "
                               "insert into LineWrites values(new.RowNo, 'U'); end"));
        DBConn().DBExcuteSql(s("create trigger LineInserted after insert on accGatherSub begin "
                               "insert into LineWrites values(new.RowNo, 'I'); end"));
    }
    void TearDown() override
    {
        ResetZClock();
        TRecordTest::TearDown();
    }
};

TEST_F(MasterDataLines, ARemovedLineIsDeletedAndAnUnchangedOneIsNotWrittenAgain)
{
    auto window = openRecordWindow<TfrmMasterData>(s("accGather"));
    ASSERT_TRUE(window->RunAction(1));
    fillBill(*window, 3);
    ASSERT_TRUE(window->RunAction(5));
    const QString bill = window->CurrKeyValue();
    EXPECT_EQ(bill, s("20260504001"));
    EXPECT_EQ(value(s("select count(*) from accGatherSub where BillNo = '%1' and Flag = 1").arg(bill)), s("3"));
    EXPECT_EQ(value(s("select group_concat(RowNo) from accGatherSub")), s("1,2,3"));
    DBConn().DBExcuteSql(s("delete from LineWrites"));

    ASSERT_TRUE(window->RunAction(2));
    TOrvDataSet &detail = window->Dataset(1);
    ASSERT_TRUE(detail.Locate(s("RowNo"), {2}));
    detail.Delete();
    ASSERT_TRUE(detail.Locate(s("RowNo"), {3}));
    detail.Edit();
    detail.FieldByName(s("Offset")).SetValue(35);
    detail.Post();
    detail.Append();
    detail.FieldByName(s("Offset")).SetValue(5);
    detail.Post();
    ASSERT_TRUE(window->RunAction(5));

    EXPECT_EQ(value(s("select group_concat(RowNo || ':' || Offset) from (select * from accGatherSub order by RowNo)")),
              s("1:10,3:35,4:5"));
    // Line 1 was not touched; line 3 was updated, line 4 inserted.
    EXPECT_EQ(value(s("select group_concat(RowNo || Kind) from LineWrites")), s("3U,4I"));
    EXPECT_EQ(value(s("select count(*) from comChangeLog where KeyValue = '%1'").arg(bill)), s("2"));
}

TEST_F(MasterDataLines, LinesAreRequiredAndAFailingLineWriteLeavesNothing)
{
    auto window = openRecordWindow<TfrmMasterData>(s("accGather"));
    window->RunAction(1);
    fillBill(*window, 0);
    EXPECT_EQ(refusal([&] { window->RunAction(5); }), s("单据分录不允许为空"));

    // The third line cannot be stored: the head, the first lines and the
    // change log are rolled back with it.
    DBConn().DBExcuteSql(s("create trigger NoThird before insert on accGatherSub when new.RowNo = 3 begin "
                           "select raise(abort, 'third line refused'); end"));
    fillBill(*window, 3);
    EXPECT_FALSE(refusal([&] { window->RunAction(5); }).isEmpty());
    EXPECT_EQ(window->FrmState(), fsAdd);
    EXPECT_EQ(window->Dataset(1).RecordCount(), 3);
    EXPECT_EQ(value(s("select count(*) from accGather")), s("0"));
    EXPECT_EQ(value(s("select count(*) from accGatherSub")), s("0"));
    EXPECT_EQ(value(s("select count(*) from comChangeLog")), s("0"));

    // Once the cause is gone the same entry saves.
    DBConn().DBExcuteSql(s("drop trigger NoThird"));
    ASSERT_TRUE(window->RunAction(5));
    EXPECT_EQ(value(s("select count(*) from accGatherSub")), s("3"));
    EXPECT_EQ(value(s("select count(*) from comChangeLog")), s("1"));
}

TEST_F(MasterDataLines, DeletingABillDeletesItsLinesAndCopyingKeepsThem)
{
    auto window = openRecordWindow<TfrmMasterData>(s("accGather"));
    window->RunAction(1);
    fillBill(*window, 2);
    window->RunAction(5);
    ASSERT_TRUE(window->RunAction(4));
    EXPECT_EQ(window->Dataset(1).RecordCount(), 2);
    window->RunAction(5);
    EXPECT_EQ(value(s("select count(*) from accGatherSub where BillNo = '20260504002'")), s("2"));

    answers.push_back(s("btnYes"));
    ASSERT_TRUE(window->RunAction(3));
    // A bill with lines is named by its number.
    EXPECT_EQ(boxTexts.value(0), s("确定删除[单号]为[20260504002]这条记录？"));
    EXPECT_EQ(value(s("select count(*) from accGatherSub where BillNo = '20260504002'")), s("0"));
    EXPECT_EQ(value(s("select count(*) from accGatherSub where BillNo = '20260504001'")), s("2"));
    EXPECT_EQ(window->CurrKeyValue(), s("20260504001"));
}

TEST_F(MasterDataLines, ANumberHeldByAnotherKindOfTheTableIsSkipped)
{
    // A payment (the other kind of the same table) holds the number a new
    // gathering would get: the gathering takes the next free one.
    DBConn().DBExcuteSql(s("insert into accGather(Flag, BillNo, ObjectName) values(2, '20260504001', '付款')"));
    auto window = openRecordWindow<TfrmMasterData>(s("accGather"));
    window->RunAction(1);
    EXPECT_EQ(window->MasterData().FieldByName(s("BillNo")).AsString(), s("20260504001"));
    fillBill(*window, 2);
    ASSERT_TRUE(window->RunAction(5));
    EXPECT_EQ(window->CurrKeyValue(), s("20260504002"));
}
