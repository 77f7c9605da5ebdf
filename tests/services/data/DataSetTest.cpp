#include "TestText.h"

#include "common/ZErrors.h"
#include "data/TZClientDataSet.h"
#include "data/ZDataSetRoutines.h"

#include <gtest/gtest.h>

namespace {

QList<TZColumnInfo> billColumns()
{
    return {{s("BillNo"), ftZString, 20, {}, {}},      {s("RowNo"), ftZInteger, 0, {}, {}},
            {s("ParentRowNo"), ftZInteger, 0, {}, {}}, {s("Amount"), ftZCurrency, 0, {}, {}},
            {s("BillDate"), ftZDate, 0, {}, {}},       {s("UseForFilter"), ftZString, 50, {}, {}}};
}

void addRow(TZClientDataSet &ds, const char *bill, int row, int parent, const char *amount, const char *text)
{
    ds.Append();
    ds.FieldByName(s("BillNo")).SetAsString(s(bill));
    ds.FieldByName(s("RowNo")).SetAsInteger(row);
    ds.FieldByName(s("ParentRowNo")).SetAsInteger(parent);
    ds.FieldByName(s("Amount")).SetAsString(s(amount));
    ds.FieldByName(s("UseForFilter")).SetAsString(s(text));
    ds.Post();
}

QStringList column(TZClientDataSet &ds, const char *field)
{
    QStringList values;
    for (ds.First(); !ds.Eof(); ds.Next())
        values << ds.FieldByName(s(field)).AsString();
    return values;
}

class DataSetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ds.CreateDataSet(billColumns());
        addRow(ds, "B2", 1, 0, "10.5", "甲乙");
        addRow(ds, "B1", 2, 3, "20", "xyz");
        addRow(ds, "B1", 1, 3, "-3.25", "XY");
    }
    TZClientDataSet ds;
};

} // namespace

TEST_F(DataSetTest, NavigationEofBofAndRecNo)
{
    EXPECT_EQ(ds.RecordCount(), 3);
    ds.First();
    EXPECT_TRUE(ds.Bof());
    EXPECT_EQ(ds.RecNo(), 1);
    ds.Next();
    ds.Next();
    EXPECT_FALSE(ds.Eof());
    EXPECT_EQ(ds.RecNo(), 3);
    ds.Next();
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(ds.RecNo(), 3); // the cursor stays on the last row
    ds.MoveBy(-10);
    EXPECT_TRUE(ds.Bof());
    EXPECT_EQ(ds.FieldByName(s("BillNo")).AsString(), s("B2"));
    ds.SetRecNo(2);
    EXPECT_EQ(ds.FieldByName(s("RowNo")).AsInteger(), 2);

    TZClientDataSet empty;
    empty.CreateDataSet(billColumns());
    empty.First();
    EXPECT_TRUE(empty.Eof() && empty.Bof() && empty.IsEmpty());
    EXPECT_TRUE(empty.FieldByName(s("BillNo")).IsNull());
    EXPECT_THROW(empty.Delete(), EZError);
}

TEST_F(DataSetTest, FieldsConvertToTheirKind)
{
    ds.First();
    TZDataField &amount = ds.FieldByName(s("amount"));
    EXPECT_EQ(amount.AsCurrency(), Currency::fromRaw(105000));
    EXPECT_EQ(amount.AsString(), s("10.5"));
    EXPECT_THROW(amount.SetAsString(s("1")), EZError); // not in edit state
    ds.Edit();
    amount.SetAsString(s("  "));
    EXPECT_TRUE(amount.IsNull()); // blank text is null
    amount.SetAsFloat(1.23456);
    EXPECT_EQ(amount.AsCurrency(), Currency::fromRaw(12346));
    ds.FieldByName(s("BillDate")).SetAsString(s("2011-06-21"));
    EXPECT_EQ(ds.FieldByName(s("BillDate")).AsDateTime(), QDateTime(QDate(2011, 6, 21), QTime(0, 0)));
    ds.FieldByName(s("RowNo")).SetAsString(s(" 7 "));
    EXPECT_EQ(ds.FieldByName(s("RowNo")).Value(), QVariant(7));
    ds.Cancel();
    EXPECT_EQ(amount.AsString(), s("10.5"));
    try {
        ds.FieldByName(s("Nope"));
        FAIL();
    } catch (const EZError &e) {
        EXPECT_EQ(e.message(), s("数据集中不存在字段 Nope"));
    }
}

TEST_F(DataSetTest, TextsThatAreNoDateOrNumberAreRefusedAndTheValueKept)
{
    ds.First();
    ds.Edit();
    const struct
    {
        const char *field;
        const char *text;
        const char *message;
    } cases[] = {{"BillDate", "2011-02-30", "“2011-02-30”不是有效的日期"},
                 {"BillDate", "明天", "“明天”不是有效的日期"},
                 {"Amount", "abc", "“abc”不是有效的数值"},
                 {"RowNo", "1x", "“1x”不是有效的数值"},
                 {"ParentRowNo", "--", "“--”不是有效的数值"}};
    ds.FieldByName(s("BillDate")).SetText(s("2011-02-28"));
    for (const auto &c : cases) {
        TZDataField &field = ds.FieldByName(s(c.field));
        const QVariant before = field.Value();
        for (int viaText = 0; viaText < 2; ++viaText) {
            try {
                viaText ? field.SetText(s(c.text)) : field.SetAsString(s(c.text));
                FAIL() << c.text;
            } catch (const EZError &e) {
                EXPECT_EQ(e.message(), s(c.message));
            }
            EXPECT_EQ(field.Value(), before) << c.field;
        }
    }
    ds.FieldByName(s("BillDate")).SetText(QString());
    EXPECT_TRUE(ds.FieldByName(s("BillDate")).IsNull());
    ds.Post();
}

TEST_F(DataSetTest, FilterTexts)
{
    ds.SetFilter(s("ParentRowNo = 3"));
    ds.SetFiltered(true);
    EXPECT_EQ(ds.RecordCount(), 2);
    ds.SetFilter(s("UseForFilter like '%x%'"));
    EXPECT_EQ(column(ds, "UseForFilter"), QStringList({s("xyz"), s("XY")})); // ignoring case
    ds.SetFilter(s("Amount > 0 and not (BillNo = 'b1')"));
    EXPECT_EQ(column(ds, "BillNo"), QStringList({s("B2")}));
    ds.SetFilter(s("[BillNo] in ('B1', 'B3') or Amount < -3"));
    EXPECT_EQ(ds.RecordCount(), 2);
    ds.SetFilter(s("BillDate is null and UseForFilter like '甲%'"));
    EXPECT_EQ(ds.RecordCount(), 1);
    ds.SetFiltered(false);
    EXPECT_EQ(ds.RecordCount(), 3);
    for (const char *bad : {"Nope = 1", "Amount >", "(BillNo = 'x'", "BillNo == 'x'", "UseForFilter = '甲乙",
                            "BillNo = 'abc", "BillNo = 'ab''", "[BillNo = 'x'", "BillNo = 'x' or 'y"}) {
        try {
            ds.SetFilter(s(bad));
            FAIL() << bad;
        } catch (const EZError &e) {
            EXPECT_EQ(e.message(), s("过滤条件错误：") + s(bad));
        }
    }
}

TEST_F(DataSetTest, RowFilterReadsEachRowAndJoinsTheFilterText)
{
    // The filter reads each row's texts through OnGetText.
    ds.FieldByName(s("UseForFilter")).OnGetText = [](const TZDataField &f) { return s("<") + f.AsString() + s(">"); };
    const int useForFilter = ds.FieldByName(s("UseForFilter")).Index();
    QString wanted = s("x");
    ds.SetFiltered(true);
    ds.SetRowFilter([&wanted, useForFilter](TZClientDataSet &rows, const TZRowData &row) {
        return rows.RowText(row, useForFilter).contains(wanted);
    });
    EXPECT_EQ(column(ds, "BillNo"), QStringList({s("B1")}));
    // What the filter tests changed: the view follows on request.
    wanted = s("<");
    ds.RefreshFilter();
    EXPECT_EQ(ds.RecordCount(), 3);
    ds.SetFilter(s("Amount > 0"));
    EXPECT_EQ(column(ds, "BillNo"), QStringList({s("B2"), s("B1")}));
    // The current row's own values are read again outside the filter.
    ds.Last();
    EXPECT_EQ(ds.FieldByName(s("Amount")).AsString(), s("20"));
    ds.SetFiltered(false);
    ds.SetRowFilter(nullptr);
    EXPECT_EQ(ds.RecordCount(), 3);
}

TEST_F(DataSetTest, FilterNestingIsLimitedAndChainsHaveNoLimit)
{
    const int deep = 50000;
    for (const QString &text :
         {s("(").repeated(deep) + s("RowNo = 1") + s(")").repeated(deep), s("not ").repeated(deep) + s("RowNo = 1")}) {
        try {
            ds.SetFilter(text);
            FAIL() << "accepted";
        } catch (const EZError &e) {
            EXPECT_EQ(e.message(), s("过滤条件错误：嵌套超过200层"));
        }
    }
    ds.SetFilter(s("(").repeated(150) + s("not RowNo = 1") + s(")").repeated(150));
    ds.SetFiltered(true);
    EXPECT_EQ(ds.RecordCount(), 1);
    // 50,000 terms joined by or and and: one level each.
    ds.SetFilter(s("RowNo = 7 or ").repeated(deep) + s("RowNo = 2"));
    EXPECT_EQ(column(ds, "RowNo"), QStringList({s("2")}));
    ds.SetFilter(s("RowNo = 1 and ").repeated(deep) + s("BillNo = 'B1'"));
    EXPECT_EQ(column(ds, "RowNo"), QStringList({s("1")}));
}

TEST_F(DataSetTest, SortByFieldListsKeepsEqualRowsInOrder)
{
    ds.SetIndexFieldNames(s("BillNo;RowNo"));
    EXPECT_EQ(column(ds, "RowNo"), QStringList({s("1"), s("2"), s("1")}));
    EXPECT_EQ(column(ds, "BillNo"), QStringList({s("B1"), s("B1"), s("B2")}));
    ds.SetIndexFieldNames(s("Amount DESC"));
    EXPECT_EQ(column(ds, "Amount"), QStringList({s("20"), s("10.5"), s("-3.25")}));
    // A new row goes to its place in the order.
    addRow(ds, "B0", 9, 0, "15", "");
    EXPECT_EQ(ds.RecNo(), 2);
    ds.SetIndexFieldNames(QString());
    EXPECT_EQ(column(ds, "BillNo").last(), s("B0"));
}

TEST_F(DataSetTest, InsertEditDeleteAndEvents)
{
    QStringList events;
    ds.BeforePost = [&](TZClientDataSet &) { events << s("beforePost"); };
    ds.AfterPost = [&](TZClientDataSet &) { events << s("afterPost"); };
    ds.OnNewRecord = [&](TZClientDataSet &d) {
        events << s("newRecord");
        d.FieldByName(s("RowNo")).SetAsInteger(99);
    };
    ds.AfterDelete = [&](TZClientDataSet &) { events << s("afterDelete"); };
    ds.SetRecNo(2);
    ds.Insert();
    EXPECT_EQ(ds.State(), dsInsert);
    ds.FieldByName(s("BillNo")).SetAsString(s("NEW"));
    ds.Next(); // moving posts
    EXPECT_EQ(column(ds, "BillNo"), QStringList({s("B2"), s("NEW"), s("B1"), s("B1")}));
    ds.SetRecNo(2);
    EXPECT_EQ(ds.FieldByName(s("RowNo")).AsInteger(), 99);
    ds.Delete();
    EXPECT_EQ(ds.FieldByName(s("BillNo")).AsString(), s("B1"));
    EXPECT_EQ(events, QStringList({s("newRecord"), s("beforePost"), s("afterPost"), s("afterDelete")}));

    ds.FieldByName(s("BillNo")).Required = true;
    ds.Append();
    EXPECT_THROW(ds.Post(), EZError);
    EXPECT_EQ(ds.State(), dsInsert); // the input is kept
    ds.Cancel();
    EXPECT_EQ(ds.RecordCount(), 3);
}

TEST_F(DataSetTest, ClonesShareRowsAndChangesCount)
{
    ds.MergeChangeLog();
    EXPECT_EQ(ds.ChangeCount(), 0);
    TZClientDataSet clone;
    clone.CloneCursor(ds);
    clone.SetFilter(s("BillNo = 'B1'"));
    clone.SetFiltered(true);
    EXPECT_EQ(clone.RecordCount(), 2);
    clone.First();
    clone.Edit();
    clone.FieldByName(s("UseForFilter")).SetAsString(s("changed"));
    clone.Post();
    ds.SetRecNo(2);
    EXPECT_EQ(ds.FieldByName(s("UseForFilter")).AsString(), s("changed"));
    EXPECT_EQ(ds.FieldByName(s("UseForFilter")).OldValue(), QVariant(s("xyz")));
    addRow(ds, "B1", 3, 3, "1", "");
    EXPECT_EQ(clone.RecordCount(), 3);
    ds.First();
    ds.Delete();
    EXPECT_EQ(ds.ChangeCount(), 3); // modified, inserted, deleted
    EXPECT_EQ(GetDatasetChangeCount(clone), 3);
    ds.CancelBatch();
    EXPECT_EQ(ds.ChangeCount(), 0);
    EXPECT_EQ(ds.RecordCount(), 3);
    EXPECT_EQ(clone.RecordCount(), 2);
}

TEST_F(DataSetTest, LocateBookmarksAndRoutines)
{
    EXPECT_TRUE(ds.Locate(s("BillNo;RowNo"), {s("b1"), 1}, true));
    EXPECT_EQ(ds.RecNo(), 3);
    EXPECT_FALSE(ds.Locate(s("BillNo"), {s("b1")})); // case matters unless asked
    EXPECT_TRUE(ds.Locate(s("UseForFilter"), {s("甲")}, false, true));
    const TZBookmark mark = ds.GetBookmark();
    ds.Last();
    EXPECT_TRUE(ds.GotoBookmark(mark));
    EXPECT_EQ(ds.RecNo(), 1);

    EXPECT_EQ(GetSumValue(ds, s("Amount")), 27.25);
    EXPECT_EQ(GetMaxValue(ds, s("Amount")).value<Currency>(), Currency::fromRaw(200000));
    EXPECT_EQ(GetMinValue(ds, s("BillNo")).toString(), s("B1"));
    EXPECT_DOUBLE_EQ(GetAvgValue(ds, s("RowNo")), 4.0 / 3);

    TZClientDataSet copy;
    copy.CreateDataSet({{s("billno"), ftZString, 0, {}, {}}, {s("Amount"), ftZFloat, 0, {}, {}}});
    CopyDataSet(ds, copy);
    EXPECT_EQ(column(copy, "Amount"), QStringList({s("10.5"), s("20"), s("-3.25")}));

    ResetRowNo(ds);
    EXPECT_EQ(column(ds, "RowNo"), QStringList({s("1"), s("2"), s("3")}));

    DBClearDataSet(ds, s("BillNo = 'B1'"));
    EXPECT_EQ(column(ds, "BillNo"), QStringList({s("B2")}));
    EXPECT_FALSE(ds.Filtered());
}

TEST_F(DataSetTest, MoveRecWalksOrderedDatasets)
{
    ds.SetIndexFieldNames(s("BillNo;RowNo"));
    TZClientDataSet keys;
    keys.CreateDataSet({{s("No"), ftZString, 0, {}, {}}, {s("Row"), ftZInteger, 0, {}, {}}});
    keys.Append();
    keys.FieldByName(s("No")).SetAsString(s("B1"));
    keys.FieldByName(s("Row")).SetAsInteger(2);
    keys.Post();
    ds.First();
    EXPECT_TRUE(MoveRec(keys, ds, s("No;Row"), s("BillNo,RowNo")));
    EXPECT_EQ(ds.RecNo(), 2);
    keys.Edit();
    keys.FieldByName(s("Row")).SetAsInteger(1);
    keys.Post();
    EXPECT_FALSE(MoveRec(keys, ds, s("No;Row"), s("BillNo;RowNo"))); // passed the place
}

// A filter set while a row is being edited posts the edit first, so the
// values land in the row that was edited even when it leaves the view.
TEST(DataSetEditing, AFilterSetDuringAnEditPostsItToItsOwnRow)
{
    TZClientDataSet data;
    data.CreateDataSet({{QStringLiteral("N"), ftZInteger, 0, QString(), QString()}});
    for (int i = 1; i <= 3; ++i) {
        data.Append();
        data.FieldByName(QStringLiteral("N")).SetValue(i);
        data.Post();
    }
    data.SetFiltered(true);
    data.First();
    data.Edit();
    data.FieldByName(QStringLiteral("N")).SetValue(10);
    data.SetFilter(QStringLiteral("N < 5"));
    EXPECT_EQ(data.State(), dsBrowse);
    EXPECT_EQ(data.RecordCount(), 2);
    data.SetFilter(QString());
    QList<int> values;
    for (data.First(); !data.Eof(); data.Next())
        values << data.FieldByName(QStringLiteral("N")).AsInteger();
    EXPECT_EQ(values, QList<int>({10, 2, 3}));
}
