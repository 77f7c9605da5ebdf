#include "TestText.h"

#include "data/TZClientDataSet.h"
#include "data/TZDataSetModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(DataSetModel, ShowsTheDatasetWithoutCopyingAndFollowsItsChanges)
{
    TZClientDataSet ds;
    ds.CreateDataSet(
        {{s("Name"), ftZString, 0, {}, {}}, {s("Amount"), ftZCurrency, 0, {}, {}}, {s("Day"), ftZDate, 0, {}, {}}});
    TZDataSetModel model(&ds);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);

    for (int i = 0; i < 3; ++i) {
        ds.Append();
        ds.FieldByName(s("Name")).SetAsString(s("名%1").arg(i));
        ds.FieldByName(s("Amount")).SetAsFloat(i * 1.5);
        ds.FieldByName(s("Day")).SetAsString(s("2011-06-2%1").arg(i));
        ds.Post();
    }
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(resets.count(), 0); // rows arrive one by one
    EXPECT_EQ(inserted.count(), 3);
    EXPECT_EQ(model.data(model.index(1, 0)).toString(), s("名1"));
    EXPECT_EQ(model.data(model.index(2, 1)).toString(), s("3"));
    EXPECT_EQ(model.data(model.index(0, 2)).toString(), s("2011-06-20"));
    EXPECT_EQ(model.data(model.index(0, 1), Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));

    ds.FieldByName(s("Amount")).DisplayLabel = s("金额");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), s("金额"));

    // edits go through the dataset; a clone's filter does not touch this view
    EXPECT_TRUE(model.setData(model.index(0, 0), s("改")));
    ds.First();
    EXPECT_EQ(ds.FieldByName(s("Name")).AsString(), s("改"));
    ds.FieldByName(s("Name")).ReadOnly = true;
    EXPECT_FALSE(model.setData(model.index(0, 0), s("x")));
    EXPECT_FALSE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));

    ds.SetFilter(s("Amount > 1"));
    ds.SetFiltered(true);
    ds.First(); // views follow the filter once the dataset moves
    EXPECT_EQ(model.rowCount(), 2);
    ds.Delete();
    EXPECT_EQ(model.rowCount(), 1);
    ds.Close();
    EXPECT_EQ(model.rowCount(), 0);
}

namespace {

struct Fixture
{
    Fixture()
    {
        ds.CreateDataSet({{s("Name"), ftZString, 0, {}, {}}, {s("Qty"), ftZInteger, 0, {}, {}}});
        for (const auto &[name, qty] : {std::pair{"a", 3}, {"b", 1}, {"c", 2}, {"d", 5}}) {
            ds.Append();
            ds.Fields(0).SetAsString(s(name));
            ds.Fields(1).SetAsInteger(qty);
            ds.Post();
        }
        ds.MergeChangeLog();
    }
    TZClientDataSet ds;
};

QStringList names(const TZDataSetModel &model)
{
    QStringList list;
    for (int r = 0; r < model.rowCount(); ++r)
        list << model.data(model.index(r, 0)).toString();
    return list;
}

} // namespace

TEST(DataSetModel, EditsThroughAnyCloneReachEveryModelAtItsOwnPosition)
{
    Fixture f;
    TZClientDataSet sorted;
    sorted.CloneCursor(f.ds);
    sorted.SetIndexFieldNames(s("Qty DESC"));
    TZClientDataSet filtered;
    filtered.CloneCursor(f.ds);
    filtered.SetFilter(s("Qty < 3"));
    filtered.SetFiltered(true);
    TZDataSetModel plain(&f.ds), bySort(&sorted), byFilter(&filtered);
    QAbstractItemModelTester t1(&plain, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester t2(&bySort, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester t3(&byFilter, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(names(bySort), QStringList({s("d"), s("a"), s("c"), s("b")}));
    EXPECT_EQ(names(byFilter), QStringList({s("b"), s("c")}));
    QSignalSpy plainChanged(&plain, &QAbstractItemModel::dataChanged);
    QSignalSpy sortChanged(&bySort, &QAbstractItemModel::dataChanged);
    QSignalSpy sortMoved(&bySort, &QAbstractItemModel::rowsMoved);
    QSignalSpy filterRemoved(&byFilter, &QAbstractItemModel::rowsRemoved);
    QSignalSpy filterInserted(&byFilter, &QAbstractItemModel::rowsInserted);
    QSignalSpy resets(&bySort, &QAbstractItemModel::modelReset);

    // Through the filtered clone: "c" (its row 1) is renamed; the others see it at their own rows.
    filtered.SetRecNo(2);
    filtered.Edit();
    filtered.Fields(0).SetAsString(s("c2"));
    filtered.Post();
    ASSERT_EQ(plainChanged.count(), 1);
    EXPECT_EQ(plainChanged.at(0).at(0).toModelIndex().row(), 2);
    ASSERT_EQ(sortChanged.count(), 1);
    EXPECT_EQ(sortChanged.at(0).at(0).toModelIndex().row(), 2);

    // Through the plain one: "b" gets 9, moves to the top of the sorted view and leaves the filter.
    f.ds.SetRecNo(2);
    f.ds.Edit();
    f.ds.Fields(1).SetAsInteger(9);
    f.ds.Post();
    EXPECT_EQ(sortMoved.count(), 1);
    EXPECT_EQ(names(bySort), QStringList({s("b"), s("d"), s("a"), s("c2")}));
    EXPECT_EQ(filterRemoved.count(), 1);
    EXPECT_EQ(names(byFilter), QStringList({s("c2")}));
    // "a" drops to 0 and enters the filter at its natural place.
    f.ds.First();
    f.ds.Edit();
    f.ds.Fields(1).SetAsInteger(0);
    f.ds.Post();
    EXPECT_EQ(filterInserted.count(), 1);
    EXPECT_EQ(names(byFilter), QStringList({s("a"), s("c2")}));
    EXPECT_EQ(names(bySort), QStringList({s("b"), s("d"), s("c2"), s("a")}));
    // Deleting through the sorted clone; appending through the plain one.
    sorted.First();
    sorted.Delete();
    f.ds.Append();
    f.ds.Fields(0).SetAsString(s("e"));
    f.ds.Fields(1).SetAsInteger(4);
    f.ds.Post();
    EXPECT_EQ(names(plain), QStringList({s("a"), s("c2"), s("d"), s("e")}));
    EXPECT_EQ(names(bySort), QStringList({s("d"), s("e"), s("c2"), s("a")}));
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(f.ds.RecNo(), 4); // the cursor is on the new row
    f.ds.CancelBatch(); // a reset; the deleted row comes back last
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(names(byFilter), QStringList({s("c"), s("b")}));
}

TEST(DataSetModel, ShowsFieldTextsOfEveryRowAndSortsThroughTheIndex)
{
    Fixture f;
    TZDataSetModel model(&f.ds);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    f.ds.Fields(1).OnGetText = [](const TZDataField &field) {
        return field.DataSet()->Fields(0).AsString() + s("×") + field.AsString();
    };
    f.ds.First();
    EXPECT_EQ(model.data(model.index(3, 1)).toString(), s("d×5")); // not the current row
    EXPECT_EQ(f.ds.Fields(0).AsString(), s("a"));                  // the cursor did not move
    f.ds.Edit();
    f.ds.Fields(0).SetAsString(s("typed"));
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), s("typed×3")); // the row being edited
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), s("b×1"));
    f.ds.Cancel();

    model.sort(1, Qt::DescendingOrder);
    EXPECT_EQ(f.ds.IndexFieldNames(), s("Qty DESC"));
    EXPECT_EQ(names(model), QStringList({s("d"), s("a"), s("c"), s("b")}));
    model.sort(0);
    EXPECT_EQ(names(model), QStringList({s("a"), s("b"), s("c"), s("d")}));
}
