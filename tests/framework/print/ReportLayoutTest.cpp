// Layout files: saved and read back whole; bad and foreign files refused
// with the file's name, leaving the layout as it was; the default layout.

#include "ReportTestSupport.h"
#include "TTempProgramFolder.h"

#include "common/ZErrors.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

class ReportLayoutFile : public ::testing::Test
{
protected:
    TTempProgramFolder folder;

    /// The error text of loading the content as a layout file; the layout
    /// loaded into must stay as it was.
    QString loadError(const QByteArray &content)
    {
        const QString file = folder.writeFile(s("Report/Rpt_bad.zrl"), content);
        TZReportLayout layout = TZReportLayout::DefaultLayout(s("原样"), TReportFixture::columns());
        const TZReportLayout before = layout;
        try {
            layout.LoadFromFile(file);
        } catch (const EZError &error) {
            EXPECT_TRUE(layout == before) << "the layout changed";
            EXPECT_TRUE(error.message().startsWith(s("报表格式文件“%1”无法读取：").arg(file)))
                << error.message().toStdString();
            return error.message().mid(error.message().indexOf(s("：")) + 1);
        }
        ADD_FAILURE() << "no error for " << content.toStdString();
        return {};
    }
};

TEST_F(ReportLayoutFile, SavedLayoutReadsBackTheSame)
{
    TZReportLayout layout = TZReportLayout::DefaultLayout(s("销售报表"), TReportFixture::columns());
    layout.page.paper = QPageSize::B5;
    layout.page.marginLeft = 12.5;
    TZReportObject line;
    line.kind = TZReportObject::okLine;
    line.rect = QRectF(0, 1.25, 150, 0);
    TZReportObject wrapped;
    wrapped.rect = QRectF(3, 4, 50.5, 12);
    wrapped.text = s("多行\n<文本> & \"引号\" [ReportData.Name]");
    wrapped.fontFamily = s("Noto Serif CJK SC");
    wrapped.fontSize = 11.5;
    wrapped.bold = true;
    wrapped.alignment = Qt::AlignRight | Qt::AlignBottom;
    wrapped.frame = flLeft | flBottom;
    wrapped.wordWrap = true;
    layout.bands << TZReportBand{bkGroupHeader, 9.5, s("[ReportData.Category]"), {line, wrapped}};

    const QString file = folder.path() + s("Report/Rpt_moxSales_月报.zrl");
    layout.SaveToFile(file);
    TZReportLayout again;
    again.LoadFromFile(file);
    EXPECT_TRUE(again == layout) << again.ToXml().toStdString();

    layout.bands.removeLast();
    layout.SaveToFile(file);
    again.LoadFromFile(file);
    EXPECT_TRUE(again == layout) << "saving over the file replaces it";
    EXPECT_EQ(QDir(folder.path() + s("Report")).entryList(QDir::Files), QStringList({s("Rpt_moxSales_月报.zrl")}));
}

TEST_F(ReportLayoutFile, BadAndForeignFilesAreRefusedNamingTheReason)
{
    EXPECT_EQ(loadError(""), s("文件内容有误（第1行）"));
    EXPECT_EQ(loadError("PK\x03\x04 binary"), s("文件内容有误（第1行）"));
    EXPECT_EQ(loadError("<html><body/></html>"), s("不是报表格式文件"));
    EXPECT_EQ(loadError("<ZKVAReport version=\"7\"/>"), s("格式版本7不受支持"));
    EXPECT_EQ(loadError("<ZKVAReport version=\"1\">\n<Band kind=\"Data\" height=\"x7\"/></ZKVAReport>"),
              s("第2行：“height”的值“x7”不是有效的数值"));
    EXPECT_EQ(loadError("<ZKVAReport version=\"1\"><Band kind=\"Data\" height=\"-1\"/></ZKVAReport>"),
              s("第1行：“height”的值-1超出范围（0至1000）"));
    EXPECT_EQ(loadError("<ZKVAReport version=\"1\"><Band kind=\"Middle\"/></ZKVAReport>"),
              s("第1行：“kind”的值“Middle”无效"));
    EXPECT_EQ(loadError("<ZKVAReport version=\"1\"><Band kind=\"Data\"><Picture/></Band></ZKVAReport>"),
              s("第1行：未知的元素“Picture”"));
    EXPECT_EQ(loadError("<ZKVAReport version=\"1\"><Band kind=\"Data\"><Text frame=\"LX\"/></Band></ZKVAReport>"),
              s("第1行：边框“LX”无效，应由L、T、R、B组成"));
    EXPECT_EQ(loadError("<ZKVAReport version=\"1\"><Page paper=\"A5\" marginLeft=\"80\" marginRight=\"80\"/>"
                        "</ZKVAReport>"),
              s("第1行：页边距大于纸张"));
    EXPECT_EQ(loadError("<ZKVAReport version=\"1\"><Band kind=\"Data\">"), s("文件内容有误（第1行）"));
    EXPECT_EQ(loadError("<ZKVAReport version=\"1\"><Band kind=\"Data\"><Text>a<b/></Text></Band></ZKVAReport>"),
              s("文件内容有误（第1行）"));

    const QByteArray whole = TZReportLayout::DefaultLayout(s("标题"), TReportFixture::columns()).ToXml();
    EXPECT_TRUE(loadError(whole.left(whole.size() / 2)).startsWith(s("文件内容有误")));

    TZReportLayout layout;
    try {
        layout.LoadFromFile(folder.path() + s("Report/none.zrl"));
        ADD_FAILURE() << "no error";
    } catch (const EZError &error) {
        EXPECT_EQ(error.message(), s("报表格式文件“%1Report/none.zrl”无法读取：文件不存在").arg(folder.path()));
    }
}

TEST_F(ReportLayoutFile, DefaultLayoutFitsTheColumnsAcrossThePage)
{
    const TZReportLayout narrow = TZReportLayout::DefaultLayout(s("清单"), TReportFixture::columns());
    EXPECT_EQ(narrow.page.orientation, QPageLayout::Portrait);
    QList<TZBandKind> kinds;
    for (const TZReportBand &band : narrow.bands)
        kinds << band.kind;
    EXPECT_EQ(kinds, QList<TZBandKind>({bkTitle, bkColumnHeader, bkData, bkSummary, bkPageFooter}));
    const TZReportBand &data = narrow.bands.at(2);
    ASSERT_EQ(data.objects.size(), 4);
    EXPECT_EQ(data.objects.at(0).text, s("[ReportData.Name]"));
    EXPECT_TRUE(data.objects.at(0).alignment & Qt::AlignLeft);
    EXPECT_TRUE(data.objects.at(3).alignment & Qt::AlignRight) << "numbers right-aligned";
    EXPECT_DOUBLE_EQ(data.objects.at(1).rect.left(), data.objects.at(0).rect.right());
    EXPECT_NEAR(data.objects.last().rect.right(), narrow.page.ContentWidthMm(), 1e-9);
    EXPECT_GT(data.objects.at(0).rect.width(), data.objects.at(2).rect.width()) << "widths keep their proportions";
    EXPECT_EQ(narrow.bands.at(3).objects.at(0).text, s("合计"));
    EXPECT_EQ(narrow.bands.at(3).objects.at(3).text, s("[Sum(ReportData.Amount)]"));
    EXPECT_EQ(narrow.bands.at(4).objects.at(0).text, s("第[Page#]页 共[TotalPages#]页"));

    QList<TZReportColumn> wide;
    for (int i = 0; i < 12; ++i)
        wide << TZReportColumn{s("F%1").arg(i), s("列%1").arg(i), 100, false};
    const TZReportLayout landscape = TZReportLayout::DefaultLayout(s("宽表"), wide);
    EXPECT_EQ(landscape.page.orientation, QPageLayout::Landscape);
    EXPECT_NEAR(landscape.bands.at(2).objects.last().rect.right(), 277, 1e-9);
    EXPECT_EQ(landscape.bands.size(), 4) << "no summary without numeric columns";
}

} // namespace
