#include "TZXlsxWriter.h"

#include "common/ZErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <xlsxwriter.h>

#include <cstdio>

namespace {

QString reasonOf(int error)
{
    switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE:
        return QStringLiteral("无法创建文件");
    case LXW_ERROR_CREATING_TMPFILE:
        return QStringLiteral("无法创建临时文件");
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QStringLiteral("内存不足");
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
        return QStringLiteral("超出Excel工作表的行数或列数");
    default:
        return QStringLiteral("写入失败（错误号 %1）").arg(error);
    }
}

lxw_format *numberFormat(lxw_workbook *workbook, const char *format)
{
    lxw_format *result = workbook_add_format(workbook);
    format_set_num_format(result, format);
    return result;
}

} // namespace

TZXlsxWriter::TZXlsxWriter(const QString &fileName, bool constantMemory)
    : m_fileName(fileName)
{
    const QFileInfo target(fileName);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        fail(QStringLiteral("文件夹不存在"));
    if (!folder.isWritable())
        fail(QStringLiteral("文件夹没有写入权限"));
    if (target.isDir())
        fail(QStringLiteral("已有同名的文件夹"));
    // A hidden name of its own beside the target: renaming it into place
    // within one folder replaces the target in one step.
    m_tempName = target.absolutePath() + QStringLiteral("/.") + target.fileName() + QLatin1Char('.')
                 + QString::number(QRandomGenerator::global()->generate64(), 36) + QStringLiteral(".tmp");

    lxw_workbook_options options{};
    options.constant_memory = constantMemory ? LXW_TRUE : LXW_FALSE;
    options.use_zip64 = LXW_TRUE;
    const QByteArray name = QFile::encodeName(m_tempName);
    m_workbook = workbook_new_opt(name.constData(), &options);
    if (!m_workbook)
        fail(reasonOf(LXW_ERROR_MEMORY_MALLOC_FAILED));
    m_sheet = workbook_add_worksheet(m_workbook, nullptr);
    if (!m_sheet)
        fail(reasonOf(LXW_ERROR_MEMORY_MALLOC_FAILED));
    m_bold = workbook_add_format(m_workbook);
    format_set_bold(m_bold);
    m_money = numberFormat(m_workbook, "#,##0.00##");
    m_date = numberFormat(m_workbook, "yyyy-mm-dd");
    m_dateTime = numberFormat(m_workbook, "yyyy-mm-dd hh:mm:ss");
    m_time = numberFormat(m_workbook, "hh:mm:ss");
}

TZXlsxWriter::~TZXlsxWriter()
{
    if (m_workbook) {
        lxw_workbook_free(m_workbook);
        QFile::remove(m_tempName);
    }
}

void TZXlsxWriter::fail(const QString &reason) const
{
    throw EZError(QStringLiteral("导出文件失败：%1\n%2").arg(QDir::toNativeSeparators(m_fileName), reason));
}

void TZXlsxWriter::check(int error) const
{
    if (error != LXW_NO_ERROR)
        fail(reasonOf(error));
}

lxw_format *TZXlsxWriter::formatOf(TNumberStyle style) const
{
    switch (style) {
    case nsMoney:
        return m_money;
    case nsDate:
        return m_date;
    case nsDateTime:
        return m_dateTime;
    case nsTime:
        return m_time;
    case nsGeneral:
        break;
    }
    return nullptr;
}

void TZXlsxWriter::WriteHeader(int row, int column, const QString &text)
{
    check(worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column),
                                 text.left(MaxTextLength).toUtf8().constData(), m_bold));
}

void TZXlsxWriter::WriteText(int row, int column, const QString &text)
{
    if (text.isEmpty())
        return; // an empty string cell would read back as a text, not a blank
    check(worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column),
                                 text.left(MaxTextLength).toUtf8().constData(), nullptr));
}

void TZXlsxWriter::WriteNumber(int row, int column, double value, TNumberStyle style)
{
    check(worksheet_write_number(m_sheet, lxw_row_t(row), lxw_col_t(column), value, formatOf(style)));
}

void TZXlsxWriter::WriteDateTime(int row, int column, const QDateTime &value, TNumberStyle style)
{
    const QDate date = value.date();
    const QTime time = value.time();
    if (style != nsTime && (date.year() < 1900 || date.year() > 9999)) {
        WriteText(row, column, value.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        return;
    }
    lxw_datetime cell{};
    if (style != nsTime) {
        cell.year = date.year();
        cell.month = date.month();
        cell.day = date.day();
    }
    if (style != nsDate) {
        cell.hour = time.hour();
        cell.min = time.minute();
        cell.sec = time.second() + time.msec() / 1000.0;
    }
    check(worksheet_write_datetime(m_sheet, lxw_row_t(row), lxw_col_t(column), &cell, formatOf(style)));
}

void TZXlsxWriter::SetColumnWidth(int column, double characters)
{
    check(worksheet_set_column(m_sheet, lxw_col_t(column), lxw_col_t(column), characters, nullptr));
}

void TZXlsxWriter::FreezeRows(int rows)
{
    worksheet_freeze_panes(m_sheet, lxw_row_t(rows), 0);
}

void TZXlsxWriter::Close()
{
    lxw_workbook *workbook = m_workbook;
    m_workbook = nullptr;
    const lxw_error error = workbook_close(workbook); // frees the workbook whatever happens
    if (error != LXW_NO_ERROR) {
        QFile::remove(m_tempName);
        fail(reasonOf(error));
    }
    if (std::rename(QFile::encodeName(m_tempName).constData(), QFile::encodeName(m_fileName).constData()) != 0) {
        QFile::remove(m_tempName);
        fail(QStringLiteral("无法替换原有的文件"));
    }
}
