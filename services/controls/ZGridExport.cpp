#include "ZGridExport.h"

#include "common/ZErrors.h"
#include "common/ZNumbers.h"
#include "common/ZQuestionBox.h"
#include "controls/TZDBGrid.h"
#include "controls/ZFileDialogs.h"
#include "data/TZClientDataSet.h"
#include "data/TZXlsxWriter.h"
#include "data/ZDbValues.h"
#include "settings/ZBusyCursor.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// Past this many rows the workbook is written in constant memory: rows are
// flushed as they go instead of being held until the end.
constexpr int kConstantMemoryRows = 20000;

struct TExportColumn
{
    int index = -1; // the dataset column
    TZFieldType type = ftZString;
    QString caption;
    double width = 10; // in characters
};

/// The header text without the parentheses the grid puts around the caption
/// of a column that cannot be edited.
QString plainCaption(const TZDBGrid &grid, const QString &field)
{
    const QString caption = grid.ColumnCaption(field);
    if (grid.ColumnReadOnly(field) && caption.size() > 2 && caption.startsWith(QLatin1Char('('))
        && caption.endsWith(QLatin1Char(')')))
        return caption.mid(1, caption.size() - 2);
    return caption;
}

/// The columns the grid shows, in their shown order. Grouping columns count:
/// their values are in the group rows, which are not exported.
QList<TExportColumn> exportColumns(const TZDBGrid &grid, TZClientDataSet &dataSet)
{
    QList<TExportColumn> columns;
    const QStringList fields = grid.FieldsInViewOrder();
    for (const QString &field : fields) {
        if (!grid.ColumnAvailable(field) || !grid.ColumnVisible(field))
            continue;
        TZDataField *dataField = dataSet.FindField(field);
        if (!dataField)
            continue;
        TExportColumn column;
        column.index = dataField->Index();
        column.type = dataField->DataType();
        column.caption = plainCaption(grid, field);
        // About seven pixels make one character of the default font.
        column.width = std::clamp(grid.ColumnWidth(field) / 7.0, 6.0, 80.0);
        columns << column;
    }
    return columns;
}

bool showsNumber(const QString &shown)
{
    bool ok = false;
    QString plain = shown.trimmed();
    plain.remove(QLatin1Char(','));
    plain.toDouble(&ok);
    return ok;
}

/// Writes one cell: the value itself where the grid shows the value, else
/// the grid's text.
void writeCell(TZXlsxWriter &writer, int row, int column, const TExportColumn &info, const QVariant &value,
               const QString &shown)
{
    if (shown.isEmpty() || value.isNull())
        return; // blank, as the grid shows it
    switch (info.type) {
    case ftZInteger:
    case ftZSmallint:
    case ftZFloat:
    case ftZCurrency:
        if (showsNumber(shown)) {
            writer.WriteNumber(row, column, ZFloat(value),
                               info.type == ftZCurrency ? TZXlsxWriter::nsMoney : TZXlsxWriter::nsGeneral);
            return;
        }
        break;
    case ftZDate:
    case ftZTime:
        if (shown == ZDisplayText(value, info.type)) {
            const QDateTime moment = ZDbValueToDateTime(value);
            TZXlsxWriter::TNumberStyle style = TZXlsxWriter::nsTime;
            if (info.type == ftZDate)
                style = moment.time() == QTime(0, 0) ? TZXlsxWriter::nsDate : TZXlsxWriter::nsDateTime;
            writer.WriteDateTime(row, column, moment, style);
            return;
        }
        break;
    case ftZBlob:
        return; // pictures and files have no cell form
    default:
        break;
    }
    writer.WriteText(row, column, shown);
}

} // namespace

void ZExportGridToXlsx(TZDBGrid &grid, const QString &fileName)
{
    TZClientDataSet *dataSet = grid.DataSet();
    if (!dataSet || !dataSet->Active())
        throw EZError(QStringLiteral("导出文件失败：%1\n没有可导出的数据").arg(QDir::toNativeSeparators(fileName)));
    const QList<TExportColumn> columns = exportColumns(grid, *dataSet);
    const int rowCount = int(dataSet->visibleRows().size());
    if (rowCount + 1 > TZXlsxWriter::MaxRows || columns.size() > TZXlsxWriter::MaxColumns)
        throw EZError(QStringLiteral("导出文件失败：%1\n共%2行%3列，超出Excel工作表的最大行数%4或列数%5")
                          .arg(QDir::toNativeSeparators(fileName))
                          .arg(rowCount)
                          .arg(columns.size())
                          .arg(TZXlsxWriter::MaxRows)
                          .arg(TZXlsxWriter::MaxColumns));

    TZBusyCursorScope busy;
    TZXlsxWriter writer(fileName, rowCount > kConstantMemoryRows);
    for (int c = 0; c < columns.size(); ++c) {
        writer.SetColumnWidth(c, columns.at(c).width);
        writer.WriteHeader(0, c, columns.at(c).caption);
    }
    writer.FreezeRows(1);
    for (int r = 0; r < rowCount; ++r) {
        const QVector<QVariant> &values = dataSet->visibleRows().at(std::size_t(r))->values();
        for (int c = 0; c < columns.size(); ++c) {
            const TExportColumn &info = columns.at(c);
            writeCell(writer, r + 1, c, info, values.value(info.index), dataSet->displayText(r, info.index));
        }
    }
    writer.Close();
}

QString ZChooseExportFile(QWidget *owner, const QString &suggestedName)
{
    QString fileName = suggestedName;
    if (!zSaveDialog(QStringLiteral("EXCEL(*.xlsx)|*.xlsx"), fileName, owner))
        return {};
    if (QFileInfo(fileName).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) != 0)
        fileName += QStringLiteral(".xlsx");
    return fileName;
}

bool ZConfirmOverwrite(QWidget *owner, const QString &file)
{
    if (!QFileInfo::exists(file))
        return true;
    return ZAskYesNo(owner, QStringLiteral("提示"),
                     QStringLiteral("文件") + QDir::toNativeSeparators(file) + QStringLiteral("已经存在是否覆盖？"));
}
