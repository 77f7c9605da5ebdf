// Exporting a grid to a workbook, read back with the workbook reader: the
// columns and rows the grid shows, cells of the right kinds, and failures
// that leave no file behind.
#include "GridFixture.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "common/ZQuestionBox.h"
#include "controls/TZDBGrid.h"
#include "controls/ZFileDialogs.h"
#include "controls/ZGridColumns.h"
#include "controls/ZGridExport.h"
#include "data/ZXlsxReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class GridExportTest : public GridFixture
{
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        lines = openLines();
        grid = std::make_unique<TZDBGrid>();
        grid->resize(900, 300);
        grid->SetDataSet(lines.get());
        RefreshGridByDS(*grid);
        ASSERT_TRUE(out.isValid());
    }

    void TearDown() override
    {
        SetZFileDialogAnswerer(nullptr);
        SetZQuestionBox(nullptr);
        grid.reset();
        lines.reset();
        GridFixture::TearDown();
    }

    /// The header row of a sheet as texts.
    static QStringList headerOf(const TZXlsxRows &rows)
    {
        QStringList header;
        for (const TZXlsxCell &cell : rows.value(0))
            header << cell.toString();
        return header;
    }

    static TZXlsxCell cellOf(const TZXlsxRows &rows, int row, const QStringList &header, const char *caption)
    {
        return rows.value(row).value(int(header.indexOf(s(caption))));
    }

    QStringList filesIn(const QString &folder) const
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    std::unique_ptr<TOrvDataSet> lines;
    std::unique_ptr<TZDBGrid> grid;
    QTemporaryDir out;
};

TEST_F(GridExportTest, WritesTheShownColumnsAndTheCellsByKind)
{
    // Money with four decimals, a hidden column and a moved one.
    ASSERT_TRUE(lines->Locate(s("LineID"), {s("L02")}));
    lines->Edit();
    lines->FieldByName(s("Amount")).SetValue(s("1234.5678"));
    lines->Post();
    grid->SetColumnVisible(s("Kind"), false);
    grid->SetColumnPosition(s("Amount"), 0);

    const QString file = out.filePath(s("明细.xlsx"));
    ZExportGridToXlsx(*grid, file);
    const TZXlsxRows rows = ZReadXlsxSheet(file);

    const QStringList header = headerOf(rows);
    EXPECT_EQ(header.value(0), s("金额"));
    EXPECT_FALSE(header.contains(s("类别"))) << "hidden by the user";
    EXPECT_FALSE(header.contains(s("内部"))) << "hidden by the definitions";
    EXPECT_TRUE(header.contains(s("备注"))) << "a read-only caption loses its parentheses";
    QStringList expected;
    for (const QString &field : grid->FieldsInViewOrder())
        if (grid->ColumnShown(field))
            expected << grid->ColumnCaption(field).remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    EXPECT_EQ(header, expected);
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows.at(0).at(0).kind, TZXlsxCell::ckText);

    // L01: texts, integers, a small money value, a date and a pick-list name.
    const TZXlsxCell key = cellOf(rows, 1, header, "行编号");
    EXPECT_EQ(key.kind, TZXlsxCell::ckText);
    EXPECT_EQ(key.text, s("L01"));
    EXPECT_EQ(cellOf(rows, 1, header, "物品名称").text, s("苹果"));
    const TZXlsxCell qty = cellOf(rows, 1, header, "数量");
    EXPECT_EQ(qty.kind, TZXlsxCell::ckNumber);
    EXPECT_EQ(qty.number, 1);
    const TZXlsxCell small = cellOf(rows, 1, header, "金额");
    EXPECT_EQ(small.kind, TZXlsxCell::ckNumber);
    EXPECT_DOUBLE_EQ(small.number, 0.1);
    EXPECT_TRUE(small.numberFormat.contains(s("0.00"))) << small.numberFormat.toStdString();
    const TZXlsxCell date = cellOf(rows, 1, header, "日期");
    EXPECT_EQ(date.kind, TZXlsxCell::ckDate);
    EXPECT_EQ(date.dateTime, QDateTime(QDate(2026, 1, 5), QTime(0, 0)));
    EXPECT_EQ(date.numberFormat, s("yyyy-mm-dd"));
    const TZXlsxCell state = cellOf(rows, 1, header, "状态");
    EXPECT_EQ(state.kind, TZXlsxCell::ckText);
    EXPECT_EQ(state.text, s("草稿"));
    EXPECT_EQ(cellOf(rows, 1, header, "备注").text, s("甲"));
    EXPECT_EQ(cellOf(rows, 3, header, "备注").kind, TZXlsxCell::ckEmpty) << "a blank stays blank";

    // L02: money keeps all four decimals, though the grid rounds it.
    const TZXlsxCell money = cellOf(rows, 2, header, "金额");
    EXPECT_EQ(money.kind, TZXlsxCell::ckNumber);
    EXPECT_DOUBLE_EQ(money.number, 1234.5678);
    EXPECT_EQ(cellOf(rows, 2, header, "状态").text, s("完成"));
    EXPECT_TRUE(cellOf(rows, 5, header, "物品名称").text.startsWith(s("一种名字非常")));
}

TEST_F(GridExportTest, WritesDataRowsInTheSortAndFilterOrderOfAGroupedGrid)
{
    lines->SetFilter(s("Kind = '水果'"));
    lines->SetFiltered(true);
    lines->SetIndexFieldNames(s("Qty DESC"));
    grid->SetColumnGroupIndex(s("Kind"), 0);

    const QString file = out.filePath(s("grouped.xlsx"));
    ZExportGridToXlsx(*grid, file);
    const TZXlsxRows rows = ZReadXlsxSheet(file);
    const QStringList header = headerOf(rows);
    ASSERT_TRUE(header.contains(s("类别"))) << "the grouping column keeps its values";
    ASSERT_EQ(rows.size(), 4);
    QStringList keys;
    for (int row = 1; row < rows.size(); ++row) {
        keys << cellOf(rows, row, header, "行编号").text;
        EXPECT_EQ(cellOf(rows, row, header, "类别").text, s("水果"));
    }
    EXPECT_EQ(keys, (QStringList{s("L05"), s("L03"), s("L01")}));
}

TEST_F(GridExportTest, AFailedWriteRaisesAndLeavesNoFile)
{
    // A folder that does not exist.
    const QString missing = out.filePath(s("无此目录/明细.xlsx"));
    try {
        ZExportGridToXlsx(*grid, missing);
        FAIL() << "no error";
    } catch (const EZError &error) {
        EXPECT_TRUE(error.message().contains(s("无此目录"))) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(s("文件夹不存在"))) << error.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(missing));

    // A folder that is a file.
    const QString plain = out.filePath(s("plain"));
    QFile(plain).open(QIODevice::WriteOnly);
    EXPECT_THROW(ZExportGridToXlsx(*grid, plain + s("/x.xlsx")), EZError);
    EXPECT_EQ(filesIn(out.path()), QStringList{s("plain")});

    // A read-only folder keeps an older file as it was (the superuser writes anyway).
    if (geteuid() != 0) {
        const QString locked = out.filePath(s("locked"));
        ASSERT_TRUE(QDir().mkdir(locked));
        const QString older = locked + s("/old.xlsx");
        QFile file(older);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("older");
        file.close();
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_THROW(ZExportGridToXlsx(*grid, older), EZError);
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(filesIn(locked), QStringList{s("old.xlsx")});
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("older"));
    }
}

TEST_F(GridExportTest, ReplacesAnOlderFileWhole)
{
    const QString file = out.filePath(s("list.xlsx"));
    QFile older(file);
    ASSERT_TRUE(older.open(QIODevice::WriteOnly));
    older.write(QByteArray(100000, 'x'));
    older.close();
    ZExportGridToXlsx(*grid, file);
    EXPECT_EQ(ZReadXlsxSheet(file).size(), 6);
    EXPECT_EQ(filesIn(out.path()), QStringList{s("list.xlsx")}) << "no temporary file stays";
}

TEST_F(GridExportTest, ChoosesTheFileAndAsksBeforeOverwriting)
{
    QString filter;
    QString answer = out.filePath(s("清单"));
    SetZFileDialogAnswerer([&](bool save, const QString &askedFilter, const QString &) {
        EXPECT_TRUE(save);
        filter = askedFilter;
        return answer;
    });
    EXPECT_EQ(ZChooseExportFile(nullptr, s("清单.xlsx")), out.filePath(s("清单.xlsx")));
    EXPECT_TRUE(filter.startsWith(s("EXCEL(*.xlsx)")));
    answer = out.filePath(s("a.XLSX"));
    EXPECT_EQ(ZChooseExportFile(nullptr), answer);
    answer.clear();
    EXPECT_EQ(ZChooseExportFile(nullptr), QString()) << "cancelled";

    QStringList asked;
    bool yes = false;
    SetZQuestionBox([&](QWidget *, const QString &caption, const QString &text) {
        asked << caption + s("|") + text;
        return yes;
    });
    const QString file = out.filePath(s("清单.xlsx"));
    EXPECT_TRUE(ZConfirmOverwrite(nullptr, file));
    EXPECT_TRUE(asked.isEmpty()) << "a new file needs no question";
    QFile(file).open(QIODevice::WriteOnly);
    EXPECT_FALSE(ZConfirmOverwrite(nullptr, file));
    yes = true;
    EXPECT_TRUE(ZConfirmOverwrite(nullptr, file));
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked.at(0), s("提示|文件") + QDir::toNativeSeparators(file) + s("已经存在是否覆盖？"));
}

} // namespace
