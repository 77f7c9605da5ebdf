#include "GridFixture.h"
#include "TestText.h"

#include "common/ZFiles.h"
#include "controls/TZDBGrid.h"
#include "controls/TZGridGroupModel.h"
#include "controls/ZGridColumns.h"
#include "data/TDBConn.h"
#include "layout/TGridCtrl.h"
#include "layout/ZFormKeepers.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "settings/ZSession.h"

#include <QFile>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

/// A window with two grids over two datasets of the line module.
class TfrmGridHost final : public QWidget
{
    Q_OBJECT

public:
    TfrmGridHost(TOrvDataSet &first, TOrvDataSet &second)
    {
        auto *layout = new QVBoxLayout(this);
        for (auto [grid, dataSet, name] : {std::tuple{&top, &first, "gridTop"}, {&bottom, &second, "gridBottom"}}) {
            *grid = new TZDBGrid(this);
            (*grid)->setObjectName(QString::fromLatin1(name));
            (*grid)->SetDataSet(dataSet);
            RefreshGridByDS(**grid);
            layout->addWidget(*grid);
        }
        resize(900, 500);
    }

    TZDBGrid *top = nullptr;
    TZDBGrid *bottom = nullptr;
};

class GridLayoutTest : public GridFixture
{
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        UserInfo.UserID = s("张三");
        first = openLines();
        second = openLines();
    }

    void TearDown() override
    {
        first.reset();
        second.reset();
        GridFixture::TearDown();
    }

    std::unique_ptr<TfrmGridHost> window() { return std::make_unique<TfrmGridHost>(*first, *second); }

    std::unique_ptr<TOrvDataSet> first, second;
};

TEST_F(GridLayoutTest, LayoutFileNameAndInstalledMaker)
{
    auto host = window();
    EXPECT_EQ(TGridCtrl(*host, QString()).FileName(), GetCurrPath() + s("log/Grid_张三_TfrmGridHost.log"));
    EXPECT_EQ(TGridCtrl(*host, s(" tstLine ")).FileName(), GetCurrPath() + s("log/Grid_张三_TfrmGridHost_tstLine.log"));
    ASSERT_TRUE(ZGridKeeperMaker());
    auto keeper = ZGridKeeperMaker()(*host, QString(), true);
    auto *ctrl = dynamic_cast<TGridCtrl *>(keeper.get());
    ASSERT_NE(ctrl, nullptr);
    ASSERT_EQ(ctrl->Grids().size(), 2);
    EXPECT_EQ(ctrl->Grids().at(0)->objectName(), s("gridTop"));
}

TEST_F(GridLayoutTest, TwoGridsComeBackAsTheUserLeftThem)
{
    {
        auto host = window();
        TGridCtrl keeper(*host, QString());
        keeper.GetAllGridLog();
        host->top->SetColumnVisible(s("ItemName"), false);
        host->top->SetColumnWidth(s("Amount"), 222);
        host->top->SetColumnGroupIndex(s("Kind"), 0);
        host->top->SetColumnPosition(s("Qty"), 0);
        host->bottom->SetColumnWidth(s("LineID"), 111);
        host->bottom->SetColumnGroupIndex(s("State"), 0);
        keeper.SaveAllGridLog();
    }
    const QString file = QString::fromUtf8(folder->readFile(s("log/Grid_张三_TfrmGridHost.log")));
    EXPECT_TRUE(file.contains(s("[gridTop_ColumnWidthTag]"))) << file.toStdString();
    EXPECT_TRUE(file.contains(s("Amount=222")));
    EXPECT_TRUE(file.contains(s("[gridBottom_ColumnGroupIndexTag]")));

    auto host = window();
    TGridCtrl keeper(*host, QString());
    keeper.GetAllGridLog();
    TZDBGrid &top = *host->top;
    EXPECT_FALSE(top.ColumnShown(s("ItemName")));
    EXPECT_EQ(top.ColumnWidth(s("Amount")), 222);
    EXPECT_EQ(top.ColumnGroupIndex(s("Kind")), 0);
    EXPECT_FALSE(top.ColumnShown(s("Kind"))); // a grouped column stays hidden
    EXPECT_EQ(top.ColumnPosition(s("Qty")), 0);
    EXPECT_EQ(top.ColumnPosition(s("LineID")), 1);
    EXPECT_EQ(top.GroupModel()->rowCount(), 2);
    EXPECT_EQ(host->bottom->ColumnWidth(s("LineID")), 111);
    EXPECT_EQ(host->bottom->ColumnGroupIndex(s("State")), 0);
    EXPECT_TRUE(host->bottom->ColumnShown(s("ItemName")));
    EXPECT_EQ(host->bottom->ColumnGroupIndex(s("Kind")), -1);
}

TEST_F(GridLayoutTest, WithoutAFileDesignOrderUngroupedAndFitted)
{
    auto host = window();
    const QStringList design = host->top->FieldsInViewOrder();
    TGridCtrl keeper(*host, QString());
    keeper.GetAllGridLog();
    TZDBGrid &top = *host->top;
    EXPECT_EQ(top.FieldsInViewOrder(), design);
    for (const QString &field : design) {
        EXPECT_EQ(top.ColumnGroupIndex(field), -1) << field.toStdString();
        EXPECT_LE(top.ColumnWidth(field), TGridCtrl::MaxFittedWidth) << field.toStdString();
        EXPECT_GT(top.ColumnWidth(field), 0) << field.toStdString();
    }
    EXPECT_FALSE(top.ColumnShown(s("Secret"))); // the design's visibility
    EXPECT_TRUE(top.ColumnShown(s("ItemName")));
    EXPECT_EQ(top.ColumnWidth(s("ItemName")), TGridCtrl::MaxFittedWidth); // the long name is capped
    EXPECT_LT(top.ColumnWidth(s("Qty")), TGridCtrl::MaxFittedWidth);
    EXPECT_FALSE(QFile::exists(keeper.FileName()));
}

TEST_F(GridLayoutTest, ColumnsFittedBeforeTheRowsCameAreFittedToThem)
{
    TOrvDataSet later;
    later.ProgID = s("tstLine");
    const QString all = GetDataSource(s("tstLine")).GetDataSetSQL(0, false);
    DBConn().DBOpenDataSet(later, s("Select * From (") + all + s(") Where 1=2"));
    TfrmGridHost host(later, *second);
    TGridCtrl keeper(host, QString());
    keeper.GetAllGridLog();
    TZDBGrid &top = *host.top;
    const int dateBefore = top.ColumnWidth(s("LineDate"));
    top.SetColumnWidth(s("Remark"), 77); // the user's own width stays
    DBConn().DBOpenDataSet(later, all);
    ASSERT_GT(top.GroupModel()->rowCount(), 0);
    EXPECT_GT(top.ColumnWidth(s("LineDate")), dateBefore); // "2026-01-05" is wider than its caption
    EXPECT_EQ(top.ColumnWidth(s("ItemName")), TGridCtrl::MaxFittedWidth);
    EXPECT_EQ(top.ColumnWidth(s("Remark")), 77);
    // Once: a later reload keeps the widths.
    top.SetColumnWidth(s("LineDate"), 50);
    DBConn().DBOpenDataSet(later, all);
    EXPECT_EQ(top.ColumnWidth(s("LineDate")), 50);
}

TEST_F(GridLayoutTest, VisibilitySwitchOffKeepsTheRest)
{
    {
        auto host = window();
        TGridCtrl keeper(*host, s("tstLine"));
        host->top->SetColumnVisible(s("ItemName"), false);
        host->top->SetColumnWidth(s("Amount"), 180);
        host->top->SetColumnGroupIndex(s("Kind"), 0);
        host->top->SetColumnPosition(s("Amount"), 0);
        keeper.SaveAllGridLog();
    }
    auto host = window();
    TGridCtrl keeper(*host, s("tstLine"), false);
    keeper.GetAllGridLog();
    TZDBGrid &top = *host->top;
    EXPECT_TRUE(top.ColumnShown(s("ItemName")));
    EXPECT_EQ(top.ColumnWidth(s("Amount")), 180);
    EXPECT_EQ(top.ColumnPosition(s("Amount")), 0);
    EXPECT_EQ(top.ColumnGroupIndex(s("Kind")), 0);
    EXPECT_FALSE(top.ColumnShown(s("Kind")));
}

TEST_F(GridLayoutTest, AGridOpenedLaterIsRestoredWhenItsColumnsCome)
{
    {
        auto host = window();
        TGridCtrl keeper(*host, QString());
        host->top->SetColumnVisible(s("Qty"), false);
        host->top->SetColumnWidth(s("ItemName"), 140);
        keeper.SaveAllGridLog();
    }
    TOrvDataSet later;
    later.ProgID = s("tstLine");
    TfrmGridHost host(later, *second);
    auto keeper = std::make_unique<TGridCtrl>(host, QString());
    keeper->GetAllGridLog();
    EXPECT_EQ(host.top->ColumnCount(), 0);
    DBConn().DBOpenDataSet(later, GetDataSource(s("tstLine")).GetDataSetSQL(0, false));
    EXPECT_FALSE(host.top->ColumnShown(s("Qty")));
    EXPECT_EQ(host.top->ColumnWidth(s("ItemName")), 140);
    // Restored once: a reload keeps what the user changes afterwards.
    host.top->SetColumnVisible(s("Qty"), true);
    later.SetFilter(s("Qty > 1"));
    later.SetFiltered(true);
    EXPECT_TRUE(host.top->ColumnShown(s("Qty")));
    // A keeper that goes first leaves the grid alone.
    keeper.reset();
    later.Close();
    DBConn().DBOpenDataSet(later, GetDataSource(s("tstLine")).GetDataSetSQL(0, false));
    EXPECT_TRUE(host.top->ColumnShown(s("Qty")));
}

} // namespace

#include "GridLayoutTest.moc"
