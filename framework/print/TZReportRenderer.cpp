#include "TZReportRenderer.h"

#include "ZReportPaint.h"
#include "common/ZErrors.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

namespace {

constexpr double Tolerance = 1e-6;

} // namespace

TZReportRenderer::TZReportRenderer(const TZReportLayout &layout, const TZReportData &data)
    : m_layout(layout), m_scope(data)
{
    for (const TZReportBand &band : m_layout.bands) {
        QList<TZReportText> texts;
        for (const TZReportObject &object : band.objects)
            texts << TZReportText(object.kind == TZReportObject::okText ? object.text : QString());
        m_texts << texts;
    }
    layoutPages();
}

void TZReportRenderer::layoutPages()
{
    QList<int> byKind[bkPageFooter + 1];
    for (int i = 0; i < m_layout.bands.size(); ++i)
        byKind[m_layout.bands.at(i).kind] << i;
    auto height = [this](int band) { return m_layout.bands.at(band).height; };

    const TZReportPage &page = m_layout.page;
    const double top = page.marginTop;
    const double bottom = page.PaperSizeMm().height() - page.marginBottom;
    double footerHeight = 0;
    for (int band : byKind[bkPageFooter])
        footerHeight += height(band);
    const double bodyBottom = bottom - footerHeight;

    const int rows = m_scope.RowCount();
    const int lastRow = rows - 1;
    double y = top;
    double bodyStart = top;
    int pageRow = 0; // the last row printed on the page, for its header and footer

    auto append = [&](int band, int row, int first, int last) {
        m_pages.last().append({band, y, row, first, last});
        y += height(band);
    };
    auto startPage = [&](bool first) {
        m_pages.append(TPage());
        y = top;
        if (first) {
            for (int band : byKind[bkTitle])
                append(band, 0, 0, lastRow);
        }
        for (int band : byKind[bkPageHeader])
            append(band, pageRow, 0, lastRow);
        for (int band : byKind[bkColumnHeader])
            append(band, pageRow, 0, lastRow);
        bodyStart = y;
    };
    auto finishPage = [&] {
        y = bottom - footerHeight;
        for (int band : byKind[bkPageFooter])
            append(band, pageRow, 0, lastRow);
    };
    // A band goes to a new page when it (with `keep` mm that must follow it)
    // does not fit, unless the page has nothing else yet.
    auto put = [&](int band, int row, int first, int last, double keep = 0) {
        if (y + height(band) + keep > bodyBottom + Tolerance && y > bodyStart + Tolerance) {
            finishPage();
            pageRow = row;
            startPage(false);
        }
        append(band, row, first, last);
    };

    // The group values of every row, outer group first.
    const QList<int> &headers = byKind[bkGroupHeader];
    const QList<int> &footers = byKind[bkGroupFooter];
    const int levels = int(headers.size());
    QList<TZReportText> groupTexts;
    for (int band : headers)
        groupTexts << TZReportText(m_layout.bands.at(band).groupExpression);
    QList<QStringList> keys;
    for (int row = 0; row < rows; ++row) {
        m_scope.SetRow(row);
        QStringList values;
        for (const TZReportText &text : groupTexts)
            values << text.Evaluate(m_scope);
        keys << values;
    }
    auto groupEnd = [&](int level, int start) {
        int end = start;
        while (end + 1 < rows && keys.at(end + 1).mid(0, level + 1) == keys.at(start).mid(0, level + 1))
            ++end;
        return end;
    };
    double dataHeight = 0;
    for (int band : byKind[bkData])
        dataHeight += height(band);

    startPage(true);
    QList<int> groupStart(levels, 0);
    for (int row = 0; row < rows; ++row) {
        int changed = row == 0 ? 0 : levels;
        for (int level = 0; row > 0 && level < levels; ++level) {
            if (keys.at(row).at(level) != keys.at(row - 1).at(level)) {
                changed = level;
                break;
            }
        }
        for (int level = levels - 1; row > 0 && level >= changed; --level) {
            if (level < footers.size())
                put(footers.at(level), row - 1, groupStart.at(level), row - 1);
        }
        for (int level = changed; level < levels; ++level) {
            groupStart[level] = row;
            put(headers.at(level), row, row, groupEnd(level, row), dataHeight);
        }
        for (int band : byKind[bkData])
            put(band, row, 0, lastRow);
        pageRow = row;
    }
    for (int level = levels - 1; rows > 0 && level >= 0; --level) {
        if (level < footers.size())
            put(footers.at(level), lastRow, groupStart.at(level), lastRow);
    }
    for (int band : byKind[bkSummary])
        put(band, qMax(lastRow, 0), 0, lastRow);
    finishPage();
}

void TZReportRenderer::Print(QPagedPaintDevice &device)
{
    if (auto *printer = dynamic_cast<QPrinter *>(&device))
        printer->setFullPage(true);
    device.setPageLayout(m_layout.page.PageLayout());
    QPainter painter;
    if (!painter.begin(&device))
        throw EZError(QStringLiteral("无法打印报表：打印设备不能使用"));
    const double dotsPerMmX = device.logicalDpiX() / 25.4;
    const double dotsPerMmY = device.logicalDpiY() / 25.4;
    for (int page = 0; page < m_pages.size(); ++page) {
        if (page > 0)
            device.newPage();
        paintPage(painter, page, dotsPerMmX, dotsPerMmY);
    }
    painter.end();
}

void TZReportRenderer::paintPage(QPainter &painter, int page, double dotsPerMmX, double dotsPerMmY)
{
    const double left = m_layout.page.marginLeft;
    for (const TPlaced &placed : m_pages.at(page)) {
        const TZReportBand &band = m_layout.bands.at(placed.band);
        m_scope.SetRow(placed.row);
        m_scope.SetSumRange(placed.sumFirst, placed.sumLast);
        m_scope.SetPage(page + 1, int(m_pages.size()));
        for (int i = 0; i < band.objects.size(); ++i) {
            const TZReportObject &object = band.objects.at(i);
            const QRectF rect((left + object.rect.x()) * dotsPerMmX, (placed.top + object.rect.y()) * dotsPerMmY,
                              object.rect.width() * dotsPerMmX, object.rect.height() * dotsPerMmY);
            const QString text =
                object.kind == TZReportObject::okText ? m_texts.at(placed.band).at(i).Evaluate(m_scope) : QString();
            ZPaintReportObject(painter, object, rect, text, dotsPerMmX);
        }
    }
}
