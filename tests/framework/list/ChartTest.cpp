// The chart window: sums per category from a dataset, the three kinds, the
// picture it saves, and where it opens.
#include "TTempProgramFolder.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "common/ZErrors.h"
#include "controls/ZFileDialogs.h"
#include "data/TZClientDataSet.h"
#include "list/TfrmChartPub.h"

#include <QApplication>
#include <QBarSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineSeries>
#include <QPieSeries>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ChartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data.CreateDataSet({{s("Kind"), ftZString, 20, {}, {}}, {s("Amount"), ftZCurrency, 0, {}, {}},
                            {s("Qty"), ftZInteger, 0, {}, {}}});
        data.FieldByName(s("Kind")).DisplayLabel = s("类别");
        data.FieldByName(s("Amount")).DisplayLabel = s("金额");
        data.FieldByName(s("Qty")).DisplayLabel = s("数量");
        const QList<QVariantList> rows = {{s("水果"), 1.5, 1}, {s("蔬菜"), 2, 2}, {s("水果"), 3, 3},
                                          {QVariant(), 4, 4},   {s("粮油"), QVariant(), 5}};
        for (const QVariantList &row : rows) {
            data.Append();
            data.FieldByName(s("Kind")).SetValue(row.at(0));
            data.FieldByName(s("Amount")).SetValue(row.at(1));
            data.FieldByName(s("Qty")).SetValue(row.at(2));
            data.Post();
        }
    }

    void TearDown() override
    {
        SetZFileDialogAnswerer(nullptr);
        for (TfrmZForm *form : TfrmZForm::OpenForms())
            delete form;
    }

    /// The chart window ZShowChart opened.
    static TfrmChartPub *openChart()
    {
        for (TfrmZForm *form : TfrmZForm::OpenForms())
            if (auto *chart = qobject_cast<TfrmChartPub *>(form))
                return chart;
        return nullptr;
    }

    template <typename T> static T *seriesOf(const TfrmChartPub &window)
    {
        const QList<QAbstractSeries *> series = window.ChartView()->chart()->series();
        return series.isEmpty() ? nullptr : qobject_cast<T *>(series.first());
    }

    TTempProgramFolder folder;
    TZClientDataSet data;
};

TEST_F(ChartTest, ReadsTheKindInEnglishOrChinese)
{
    EXPECT_EQ(ZChartKindOf(s("bar")), ckBar);
    EXPECT_EQ(ZChartKindOf(s(" Line ")), ckLine);
    EXPECT_EQ(ZChartKindOf(s("PIE")), ckPie);
    EXPECT_EQ(ZChartKindOf(s("柱形图")), ckBar);
    EXPECT_EQ(ZChartKindOf(s("折线")), ckLine);
    EXPECT_EQ(ZChartKindOf(s("饼图")), ckPie);
    EXPECT_EQ(ZChartKindOf(s("雷达图")), ckBar);
    EXPECT_EQ(ZChartKindOf(QString()), ckBar);
}

TEST_F(ChartTest, SumsEachValueFieldPerCategoryInDatasetOrder)
{
    const TZChartData chart = ZChartDataOf(data, s("Kind"), s("Amount, Qty"));
    EXPECT_EQ(chart.itemCaption, s("类别"));
    EXPECT_EQ(chart.categories, (QStringList{s("水果"), s("蔬菜"), s("(空白)"), s("粮油")}));
    EXPECT_EQ(chart.seriesNames, (QStringList{s("金额"), s("数量")}));
    EXPECT_EQ(chart.values.at(0), (QList<double>{4.5, 2, 4, 0}));
    EXPECT_EQ(chart.values.at(1), (QList<double>{4, 2, 4, 5}));

    // Only the rows the dataset shows, in its order.
    data.SetIndexFieldNames(s("Qty DESC"));
    data.SetFilter(s("Qty > 1"));
    data.SetFiltered(true);
    EXPECT_EQ(ZChartDataOf(data, s("Kind"), s("Qty")).categories,
              (QStringList{s("粮油"), s("(空白)"), s("水果"), s("蔬菜")}));

    try {
        ZChartDataOf(data, s("Kind"), s("Amount,Price"));
        FAIL() << "no error";
    } catch (const EZError &error) {
        EXPECT_TRUE(error.message().contains(s("Price"))) << error.message().toStdString();
    }
    EXPECT_THROW(ZShowChart(nullptr, data, s("图表"), s("Kind"), QString(), s("bar")), EZError);
    EXPECT_EQ(openChart(), nullptr);
}

TEST_F(ChartTest, OpensOnItsOwnerSwitchesKindsAndSavesAPicture)
{
    QWidget owner;
    owner.setWindowTitle(s("收支清单"));
    owner.setGeometry(100, 100, 1000, 700);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));

    ZShowChart(&owner, data, s("日常收支"), s("Kind"), s("Amount,Qty"), s("折线"));
    TfrmChartPub *window = openChart();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), s("日常收支"));
    EXPECT_EQ(window->ChartView()->chart()->title(), s("日常收支"));
    EXPECT_LE((window->frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 4);

    // The initial kind, then the combo box switches.
    EXPECT_EQ(window->Kind(), ckLine);
    EXPECT_EQ(window->KindBox()->currentText(), s("折线图"));
    const QList<QAbstractSeries *> lines = window->ChartView()->chart()->series();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0)->name(), s("金额"));
    ZSaveScreenshot(*window, s("chart_line"));

    window->KindBox()->setCurrentIndex(ckPie);
    auto *pie = seriesOf<QPieSeries>(*window);
    ASSERT_NE(pie, nullptr);
    EXPECT_EQ(pie->count(), 3) << "a category summing to nothing has no slice";
    EXPECT_DOUBLE_EQ(pie->sum(), 10.5);
    EXPECT_EQ(window->ChartView()->chart()->title(), s("日常收支（金额）"));
    ZSaveScreenshot(*window, s("chart_pie"));

    window->KindBox()->setCurrentIndex(ckBar);
    auto *bars = seriesOf<QBarSeries>(*window);
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(bars->count(), 2);
    ZSaveScreenshot(*window, s("chart_bar"));

    // "保存图片": a PNG picture, ".png" added to a bare name.
    QTemporaryDir out;
    QString answer = out.filePath(s("收支图"));
    SetZFileDialogAnswerer([&](bool save, const QString &filter, const QString &) {
        EXPECT_TRUE(save);
        EXPECT_TRUE(filter.contains(s("*.png")));
        return answer;
    });
    window->findChild<QPushButton *>(s("btnSavePicture"))->click();
    QFile picture(answer + s(".png"));
    ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
    EXPECT_TRUE(picture.read(8).startsWith("\x89PNG"));
    const QImage image(answer + s(".png"));
    EXPECT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), window->ChartView()->size());

    // A picture that cannot be written is an error naming the file.
    try {
        window->SavePicture(out.filePath(s("无此目录/x.png")));
        FAIL() << "no error";
    } catch (const EZError &error) {
        EXPECT_TRUE(error.message().contains(s("无此目录"))) << error.message().toStdString();
    }
}

} // namespace
