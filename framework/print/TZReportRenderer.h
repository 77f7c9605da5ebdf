#pragma once

#include "print/TZReportDataScope.h"
#include "print/TZReportLayout.h"
#include "print/TZReportText.h"

class QPagedPaintDevice;
class QPainter;

/// Lays a report out on pages and paints them.
///
/// The first pass places the bands: the title on the first page; the page
/// header and the column header at the top of every page; for each row of
/// "ReportData" the group footers of the groups that end and the group
/// headers of those that start (a group header keeps its first row with it),
/// then the data bands; the summary after the last row; the page footer at
/// the bottom of every page. A band that does not fit below the last one
/// goes to a new page. Painting is the second pass, once the number of pages
/// is known.
class TZReportRenderer
{
public:
    TZReportRenderer(const TZReportLayout &layout, const TZReportData &data);

    int PageCount() const { return int(m_pages.size()); }

    /// Paints every page on the device, setting its page to the layout's
    /// paper (a printer prints on its full page). Raises EZError when the
    /// device cannot be painted on.
    void Print(QPagedPaintDevice &device);

private:
    struct TPlaced
    {
        int band;
        double top; ///< mm from the paper's top
        int row;    ///< the row of "ReportData" the band prints
        int sumFirst, sumLast;
    };
    using TPage = QList<TPlaced>;

    void layoutPages();
    void paintPage(QPainter &painter, int page, double dotsPerMmX, double dotsPerMmY);

    TZReportLayout m_layout;
    TZReportDataScope m_scope;
    QList<QList<TZReportText>> m_texts; ///< per band, per object
    QList<TPage> m_pages;
};
