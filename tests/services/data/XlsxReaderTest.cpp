// The workbook writer and reader together, and the reader on workbooks that
// are damaged, incomplete or no workbooks at all.
#include "TestText.h"

#include "common/ZErrors.h"
#include "data/TZXlsxWriter.h"
#include "data/ZXlsxReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <minizip/zip.h>

#include <gtest/gtest.h>

namespace {

class XlsxReaderTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    /// A zip of the given parts (name → content).
    QString zipOf(const QString &name, const QList<QPair<QString, QByteArray>> &parts)
    {
        const QString file = dir.filePath(name);
        zipFile zip = zipOpen64(QFile::encodeName(file).constData(), APPEND_STATUS_CREATE);
        EXPECT_NE(zip, nullptr);
        for (const auto &part : parts) {
            EXPECT_EQ(zipOpenNewFileInZip64(zip, part.first.toUtf8().constData(), nullptr, nullptr, 0, nullptr, 0,
                                            nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0),
                      ZIP_OK);
            zipWriteInFileInZip(zip, part.second.constData(), unsigned(part.second.size()));
            zipCloseFileInZip(zip);
        }
        zipClose(zip, nullptr);
        return file;
    }

    /// The reader's error text for a file; empty when it reads.
    static QString errorOf(const QString &file)
    {
        try {
            ZReadXlsxSheet(file);
        } catch (const EZError &error) {
            return error.message();
        }
        return {};
    }

    void writeSample(const QString &file, bool constantMemory)
    {
        TZXlsxWriter writer(file, constantMemory);
        writer.WriteHeader(0, 0, s("名称"));
        writer.WriteHeader(0, 1, s("金额"));
        writer.WriteHeader(0, 3, s("时间"));
        writer.WriteText(1, 0, s("中文 <&> \"引号\"\t制表"));
        writer.WriteNumber(1, 1, 1234.5678, TZXlsxWriter::nsMoney);
        writer.WriteNumber(1, 2, -7);
        writer.WriteDateTime(1, 3, QDateTime(QDate(2026, 3, 1), QTime(8, 30, 15)), TZXlsxWriter::nsDateTime);
        writer.WriteText(2, 0, QString());
        writer.WriteDateTime(2, 1, QDateTime(QDate(1900, 1, 1), QTime(0, 0)), TZXlsxWriter::nsDate);
        writer.WriteDateTime(2, 2, QDateTime(QDate(1850, 6, 1), QTime(0, 0)), TZXlsxWriter::nsDate);
        writer.WriteText(2, 3, QString(40000, QLatin1Char('x')));
        writer.Close();
    }

    QTemporaryDir dir;
};

TEST_F(XlsxReaderTest, ReadsBackWhatTheWriterWroteWithSharedOrInlineStrings)
{
    for (const bool constantMemory : {false, true}) {
        SCOPED_TRACE(constantMemory ? "inline strings" : "shared strings");
        const QString file = dir.filePath(constantMemory ? s("inline.xlsx") : s("shared.xlsx"));
        writeSample(file, constantMemory);
        const TZXlsxRows rows = ZReadXlsxSheet(file);
        ASSERT_EQ(rows.size(), 3);
        ASSERT_EQ(rows.at(0).size(), 4);
        EXPECT_EQ(rows.at(0).at(0).text, s("名称"));
        EXPECT_EQ(rows.at(0).at(2).kind, TZXlsxCell::ckEmpty) << "a gap stays empty";
        EXPECT_EQ(rows.at(1).at(0).kind, TZXlsxCell::ckText);
        EXPECT_EQ(rows.at(1).at(0).text, s("中文 <&> \"引号\"\t制表"));
        EXPECT_EQ(rows.at(1).at(1).kind, TZXlsxCell::ckNumber);
        EXPECT_DOUBLE_EQ(rows.at(1).at(1).number, 1234.5678);
        EXPECT_EQ(rows.at(1).at(1).numberFormat, s("#,##0.00##"));
        EXPECT_EQ(rows.at(1).at(2).toString(), s("-7"));
        EXPECT_EQ(rows.at(1).at(3).kind, TZXlsxCell::ckDate);
        EXPECT_EQ(rows.at(1).at(3).toString(), s("2026-03-01 08:30:15"));
        EXPECT_EQ(rows.at(2).at(0).kind, TZXlsxCell::ckEmpty) << "an empty text is no cell";
        EXPECT_EQ(rows.at(2).at(1).dateTime.date(), QDate(1900, 1, 1)) << "before Excel's false leap day";
        EXPECT_EQ(rows.at(2).at(2).kind, TZXlsxCell::ckText) << "a date Excel cannot hold is its text";
        EXPECT_EQ(rows.at(2).at(2).text, s("1850-06-01 00:00:00"));
        EXPECT_EQ(rows.at(2).at(3).text.size(), TZXlsxWriter::MaxTextLength);
        EXPECT_EQ(ZReadXlsxCells(file).at(1).at(1), s("1234.5678"));
    }
}

TEST_F(XlsxReaderTest, TellsDateFormatsFromNumberFormats)
{
    for (const char *format : {"yyyy-mm-dd", "mm-dd-yy", "h:mm:ss AM/PM", "[h]:mm", "[$-804]yyyy\"年\"m\"月\"", "d-mmm"})
        EXPECT_TRUE(ZIsXlsxDateFormat(s(format))) << format;
    for (const char *format : {"General", "0.00", "#,##0.00##", "[Red]0.00", "\"days\" 0", "0.0_);(0.0)", "\\d0", "@"})
        EXPECT_FALSE(ZIsXlsxDateFormat(s(format))) << format;
}

TEST_F(XlsxReaderTest, RefusesWhatIsNoReadableWorkbook)
{
    // Not there, not a zip, a cut-off workbook.
    EXPECT_TRUE(errorOf(dir.filePath(s("无.xlsx"))).contains(s("无.xlsx")));
    const QString garbage = dir.filePath(s("garbage.xlsx"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("PK\x03\x04 this is no workbook at all");
    file.close();
    const QString error = errorOf(garbage);
    EXPECT_TRUE(error.contains(s("garbage.xlsx"))) << error.toStdString();
    EXPECT_TRUE(error.contains(s("不是有效的Excel(xlsx)文件"))) << error.toStdString();

    const QString whole = dir.filePath(s("whole.xlsx"));
    writeSample(whole, false);
    QFile wholeFile(whole);
    ASSERT_TRUE(wholeFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = wholeFile.readAll();
    for (const qsizetype cut : {qsizetype(30), bytes.size() / 2, bytes.size() - 10})
        EXPECT_THROW(ZReadXlsxSheetData(bytes.left(cut)), EZError) << cut;

    // A zip without a worksheet, and a workbook whose sheet part is missing.
    EXPECT_TRUE(errorOf(zipOf(s("empty.xlsx"), {{s("readme.txt"), "hello"}})).contains(s("不是有效的Excel(xlsx)文件")));
    const QByteArray workbook =
        "<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    const QByteArray relations =
        "<Relationships><Relationship Id=\"rId1\" Type=\"http://x/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
        "</Relationships>";
    EXPECT_TRUE(errorOf(zipOf(s("nosheet.xlsx"), {{s("xl/workbook.xml"), workbook}})).contains(s("没有工作表")));
    EXPECT_TRUE(errorOf(zipOf(s("lost.xlsx"), {{s("xl/workbook.xml"), workbook},
                                                 {s("xl/_rels/workbook.xml.rels"), relations}}))
                    .contains(s("没有工作表")));

    // Damaged sheet contents.
    const auto sheetWith = [&](const char *name, const QByteArray &sheet) {
        return errorOf(zipOf(s(name), {{s("xl/workbook.xml"), workbook},
                                       {s("xl/_rels/workbook.xml.rels"), relations},
                                       {s("xl/worksheets/sheet1.xml"), sheet}}));
    };
    EXPECT_TRUE(sheetWith("broken.xlsx", "<worksheet><sheetData><row><c r=\"A1\"><v>1</v></row>")
                    .contains(s("工作表内容已损坏")));
    EXPECT_TRUE(sheetWith("string.xlsx", "<worksheet><sheetData><row><c r=\"A1\" t=\"s\"><v>5</v></c></row>"
                                         "</sheetData></worksheet>")
                    .contains(s("共享字符串")));
    EXPECT_FALSE(sheetWith("far.xlsx", "<worksheet><sheetData><row><c r=\"XFE1\"><v>1</v></c></row>"
                                       "</sheetData></worksheet>")
                     .isEmpty());
    EXPECT_TRUE(sheetWith("fine.xlsx", "<worksheet><sheetData><row><c r=\"B2\"><v>2.5</v></c></row>"
                                       "</sheetData></worksheet>")
                    .isEmpty());
}

} // namespace
