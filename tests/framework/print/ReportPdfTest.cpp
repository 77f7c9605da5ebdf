// Reports rendered to PDF files and read back as text.

#include "ReportTestSupport.h"
#include "TTempProgramFolder.h"
#include "ZScreenshot.h"

#include "common/ZErrors.h"
#include "print/TZReportRenderer.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

class ReportPdf : public ::testing::Test
{
protected:
    TTempProgramFolder folder;
    TReportFixture fixture;

    QString pdf() const { return folder.path() + s("report.pdf"); }

    /// Renders the layout to the PDF file and gives its pages' texts.
    QStringList print(const TZReportLayout &layout)
    {
        ZPrintReportToPdf(layout, fixture.data(), pdf());
        QStringList pages = ZPdfText(pdf()).split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }
};

TZReportObject text(const QRectF &rect, const QString &source)
{
    TZReportObject object;
    object.rect = rect;
    object.text = source;
    return object;
}

TEST_F(ReportPdf, DefaultLayoutPrintsTitleCaptionsRowsSumsAndMoneyInCapitals)
{
    fixture.add(s("张三"), s("办公"), 2, s("1000.25"));
    fixture.add(s("Widget A"), s("杂项"), 10, s("234.25"));
    TZReportLayout layout = TZReportLayout::DefaultLayout(s("销售报表"), TReportFixture::columns());
    for (TZReportBand &band : layout.bands) {
        if (band.kind == bkTitle)
            band.objects << text(QRectF(0, 10, 100, 4), s("单位：[ParamData.Company]"));
    }
    TZReportBand capitals{bkSummary, 8, {}, {text(QRectF(0, 0, 190, 8), s("大写：[MoneyCn(Sum(ReportData.Amount))]"))}};
    layout.bands << capitals;

    const QStringList pages = print(layout);
    ASSERT_EQ(pages.size(), 1);
    const QString page = ZWithoutBlanks(pages.first());
    for (const char *expected : {"销售报表", "单位：星光贸易公司", "名称类别数量金额", "张三办公21000.25",
                                 "WidgetA杂项10234.25", "合计121234.50", "大写：壹仟贰佰叁拾肆元伍角整", "第1页共1页"})
        EXPECT_TRUE(page.contains(s(expected))) << expected << "\n" << pages.first().toStdString();
}

TEST_F(ReportPdf, LongReportBreaksPagesRepeatingHeadersWithPageNumbers)
{
    for (int i = 1; i <= 100; ++i)
        fixture.add(s("客户%1").arg(i, 3, 10, QLatin1Char('0')), s("类"), i, s("1"));
    const TZReportLayout layout = TZReportLayout::DefaultLayout(s("客户清单"), TReportFixture::columns());
    const QStringList pages = print(layout);
    ASSERT_GE(pages.size(), 3);
    const int total = int(pages.size());
    int rowsSeen = 0;
    for (int p = 0; p < total; ++p) {
        const QString page = ZWithoutBlanks(pages.at(p));
        EXPECT_EQ(page.contains(s("客户清单")), p == 0) << "title only on the first page";
        EXPECT_TRUE(page.contains(s("名称类别数量金额"))) << "column header on page " << p + 1;
        EXPECT_TRUE(page.contains(s("第%1页共%2页").arg(p + 1).arg(total))) << pages.at(p).toStdString();
        rowsSeen += int(page.count(s("客户")));
    }
    EXPECT_EQ(rowsSeen, 100 + 1) << "every row once, the title once";
    const QString last = ZWithoutBlanks(pages.last());
    EXPECT_TRUE(last.contains(s("客户100类1001"))) << "the last row";
    EXPECT_TRUE(last.contains(s("合计5050100.00"))) << "sums after the last row";
}

TEST_F(ReportPdf, GroupsPrintHeadersAndFootersWithTheirOwnSums)
{
    fixture.add(s("甲"), s("文具"), 1, s("10"));
    fixture.add(s("乙"), s("文具"), 2, s("20"));
    fixture.add(s("丙"), s("食品"), 3, s("30.5"));
    TZReportLayout layout;
    layout.bands << TZReportBand{bkGroupHeader, 7, s("[ReportData.Category]"),
                                 {text(QRectF(0, 0, 100, 7), s("类别：[ReportData.Category]"))}};
    layout.bands << TZReportBand{bkData, 7, {}, {text(QRectF(10, 0, 100, 7), s("行[ReportData.Name]"))}};
    layout.bands << TZReportBand{bkGroupFooter, 7, {},
                                 {text(QRectF(0, 0, 150, 7), s("小计[Sum(ReportData.Amount)]件数[Sum(ReportData.Qty)]"))}};
    layout.bands << TZReportBand{bkSummary, 7, {}, {text(QRectF(0, 0, 150, 7), s("总计[Sum(ReportData.Amount)]"))}};

    const QString page = ZWithoutBlanks(print(layout).join(QString()));
    const QString expected = s("类别：文具\n行甲\n行乙\n小计30.00件数3\n类别：食品\n行丙\n小计30.50件数3\n总计60.50");
    QString lines;
    for (const QString &line : page.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines += line.trimmed() + QLatin1Char('\n');
    }
    EXPECT_EQ(lines.trimmed(), expected);
}

TEST_F(ReportPdf, EmptyDataAndMissingDatasetsStillPrintOnePage)
{
    const TZReportLayout layout = TZReportLayout::DefaultLayout(s("空报表"), TReportFixture::columns());
    const QStringList pages = print(layout);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(ZWithoutBlanks(pages.first()).contains(s("合计00.00")));

    ZPrintReportToPdf(layout, {}, pdf());
    const QString bare = ZWithoutBlanks(ZPdfText(pdf()));
    EXPECT_TRUE(bare.contains(s("名称类别数量金额")));
    EXPECT_TRUE(bare.contains(s("[错误:没有字段ReportData.Qty]"))) << bare.toStdString();
}

TEST_F(ReportPdf, UnwritablePdfFileGivesTheErrorAndKeepsNothingHalfWritten)
{
    fixture.add(s("甲"), s("文具"), 1, s("10"));
    const TZReportLayout layout = TZReportLayout::DefaultLayout(s("报表"), TReportFixture::columns());
    const QString blocked = folder.writeFile(s("blocked"), "x") + s("/report.pdf");
    try {
        ZPrintReportToPdf(layout, fixture.data(), blocked);
        FAIL() << "no error";
    } catch (const EZError &error) {
        EXPECT_TRUE(error.message().contains(s("report.pdf"))) << error.message().toStdString();
    }
}

TEST_F(ReportPdf, PreviewShowsThePagesInFrontOfItsOwner)
{
    for (int i = 1; i <= 40; ++i)
        fixture.add(s("客户%1").arg(i), s("类"), i, s("12.5"));
    const TZReportLayout layout = TZReportLayout::DefaultLayout(s("客户清单"), TReportFixture::columns());
    QWidget owner;
    owner.resize(1000, 760);
    owner.show();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        EXPECT_EQ(dialog->windowTitle(), s("打印预览"));
        const auto *toolBar = dialog->findChild<QToolBar *>();
        ASSERT_NE(toolBar, nullptr);
        bool hasPdf = false;
        for (const QAction *action : toolBar->actions())
            hasPdf = hasPdf || action->text() == s("导出PDF");
        EXPECT_TRUE(hasPdf);
        QApplication::processEvents();
        ZSaveScreenshot(*dialog, s("report_preview"));
        dialog->reject();
    });
    ZPreviewReport(&owner, layout, fixture.data());
    EXPECT_TRUE(seen);
}

} // namespace
