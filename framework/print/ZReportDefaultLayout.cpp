// The default layout of a list report, made from the columns of a grid.

#include "TZReportLayout.h"
#include "ZReportPrint.h"

namespace {

constexpr double MmPerPixel = 25.4 / 96; // screen pixels at 96 dpi
constexpr double TitleHeight = 14;
constexpr double RowHeight = 7;
constexpr double FooterHeight = 8;

TZReportObject textObject(const QRectF &rect, const QString &text, double size, Qt::Alignment alignment,
                          int frame = 0, bool bold = false)
{
    TZReportObject object;
    object.rect = rect;
    object.text = text;
    object.fontSize = size;
    object.alignment = alignment | Qt::AlignVCenter;
    object.frame = frame;
    object.bold = bold;
    return object;
}

/// Widths in tenths of a millimetre keep the layout file readable.
double tenths(double mm)
{
    return qRound(mm * 10) / 10.0;
}

} // namespace

TZReportLayout TZReportLayout::DefaultLayout(const QString &title, const QList<TZReportColumn> &columns)
{
    TZReportLayout layout;
    double natural = 0;
    for (const TZReportColumn &column : columns)
        natural += qMax(column.width, 1) * MmPerPixel;
    if (natural > layout.page.ContentWidthMm())
        layout.page.orientation = QPageLayout::Landscape;
    const double width = layout.page.ContentWidthMm();
    const double scale = natural > 0 ? width / natural : 1;

    TZReportBand titleBand{bkTitle, TitleHeight, {}, {}};
    titleBand.objects << textObject(QRectF(0, 0, width, TitleHeight - 4), title, 16, Qt::AlignHCenter, 0, true);

    TZReportBand header{bkColumnHeader, RowHeight, {}, {}};
    TZReportBand data{bkData, RowHeight, {}, {}};
    TZReportBand summary{bkSummary, RowHeight, {}, {}};
    double x = 0;
    bool hasSums = false;
    for (int i = 0; i < columns.size(); ++i) {
        const TZReportColumn &column = columns.at(i);
        // The last column takes what rounding left, so the rows end at the margin.
        const double w = tenths(i == columns.size() - 1 ? width - x : qMax(column.width, 1) * MmPerPixel * scale);
        const QRectF cell(tenths(x), 0, w, RowHeight);
        const Qt::Alignment align = column.numeric ? Qt::AlignRight : Qt::AlignLeft;
        header.objects << textObject(cell, column.caption, 10, Qt::AlignHCenter, flAll, true);
        data.objects << textObject(cell, QStringLiteral("[ReportData.%1]").arg(column.fieldName), 10, align, flAll);
        QString sum;
        if (column.numeric) {
            sum = QStringLiteral("[Sum(ReportData.%1)]").arg(column.fieldName);
            hasSums = true;
        } else if (i == 0) {
            sum = QStringLiteral("合计");
        }
        summary.objects << textObject(cell, sum, 10, align, flAll, true);
        x += w;
    }

    TZReportBand footer{bkPageFooter, FooterHeight, {}, {}};
    footer.objects << textObject(QRectF(0, 2, width, FooterHeight - 2), QStringLiteral("第[Page#]页 共[TotalPages#]页"),
                                 9, Qt::AlignHCenter);

    layout.bands << titleBand << header << data;
    if (hasSums)
        layout.bands << summary;
    layout.bands << footer;
    return layout;
}
