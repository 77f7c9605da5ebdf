#pragma once

#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>

struct TZReportColumn;

/// The kinds of bands of a printable report, in the order they stand on a page.
enum TZBandKind {
    bkTitle,        ///< once, at the top of the first page
    bkPageHeader,   ///< at the top of every page
    bkColumnHeader, ///< above the rows, repeated on every page
    bkGroupHeader,  ///< before the rows of each group
    bkData,         ///< once per row of "ReportData"
    bkGroupFooter,  ///< after the rows of each group
    bkSummary,      ///< once, after the last row
    bkPageFooter    ///< at the bottom of every page
};

/// The name of a band kind in layout files ("Title", "PageHeader", …).
QString ZBandKindName(TZBandKind kind);
/// The caption of a band kind in the layout editor ("报表标题", …).
QString ZBandKindCaption(TZBandKind kind);

/// The lines of a text object's frame (combined as bits).
enum TZFrameLine { flLeft = 1, flTop = 2, flRight = 4, flBottom = 8, flAll = 15 };

/// One object of a band: a text (literal text with "[…]" expressions) or a
/// line from the top-left to the bottom-right corner of its rectangle.
struct TZReportObject
{
    enum Kind { okText, okLine };

    Kind kind = okText;
    QRectF rect; ///< in mm, from the band's left (the page's left margin) and top
    QString text;
    QString fontFamily = DefaultFontFamily();
    double fontSize = 10; ///< points
    bool bold = false;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    int frame = 0; ///< TZFrameLine bits
    bool wordWrap = false;

    /// The family new text objects get: a Chinese font present on the system.
    static QString DefaultFontFamily();

    bool operator==(const TZReportObject &) const = default;
};

struct TZReportBand
{
    TZBandKind kind = bkData;
    double height = 8; ///< mm
    /// For group headers: the text whose value starts a new group when it
    /// changes ("[ReportData.Category]"). Group footers pair with the group
    /// headers in their order.
    QString groupExpression;
    QList<TZReportObject> objects;

    bool operator==(const TZReportBand &) const = default;
};

/// The paper of a report and its margins (mm).
struct TZReportPage
{
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double marginLeft = 10;
    double marginTop = 10;
    double marginRight = 10;
    double marginBottom = 10;

    /// The paper's size in mm in its orientation.
    QSizeF PaperSizeMm() const;
    /// The width between the margins.
    double ContentWidthMm() const;
    QPageLayout PageLayout() const;

    bool operator==(const TZReportPage &) const = default;
};

/// A printable report layout: the paper and the bands with their objects.
/// Stored as a ".zrl" file (XML, see ZReportLayoutFile.cpp).
class TZReportLayout
{
public:
    TZReportPage page;
    QList<TZReportBand> bands;

    /// Reads a layout file. A missing, damaged or foreign file raises EZError
    /// "报表格式文件“<file>”无法读取：<reason>" and leaves this layout as it was.
    void LoadFromFile(const QString &fileName);
    /// Writes the layout to the file through a temporary file and a rename;
    /// raises EZError when it cannot be written.
    void SaveToFile(const QString &fileName) const;

    /// The file text of the layout, and the reverse; `source` names the file
    /// in error texts.
    QByteArray ToXml() const;
    static TZReportLayout FromXml(const QByteArray &xml, const QString &source);

    /// A plain list report: the title, the column captions, one row per data
    /// row, the sums of the numeric columns and the page numbers. The columns
    /// (widths in screen pixels) are scaled to the page width; the page turns
    /// to landscape when they do not fit across a portrait page.
    static TZReportLayout DefaultLayout(const QString &title, const QList<TZReportColumn> &columns);

    /// The bands in the order the editor shows them (by kind, then as stored).
    QList<int> BandOrder() const;

    bool operator==(const TZReportLayout &) const = default;
};
