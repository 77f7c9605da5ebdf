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
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

    for (int i = 0; i < 3; ++i) {
        ds.Append();
        ds.FieldByName(s("Name")).SetAsString(s("名%1").arg(i));
        ds.FieldByName(s("Amount")).SetAsFloat(i * 1.5);
        ds.FieldByName(s("Day")).SetAsString(s("2011-06-2%1").arg(i));
        ds.Post();
    }
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_GE(resets.count(), 3);
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
