#include "TZReportLayout.h"


#include <algorithm>

QString ZBandKindName(TZBandKind kind)
{
    switch (kind) {
    case bkTitle:
        return QStringLiteral("Title");
    case bkPageHeader:
        return QStringLiteral("PageHeader");
    case bkColumnHeader:
        return QStringLiteral("ColumnHeader");
    case bkGroupHeader:
        return QStringLiteral("GroupHeader");
    case bkData:
        return QStringLiteral("Data");
    case bkGroupFooter:
        return QStringLiteral("GroupFooter");
    case bkSummary:
        return QStringLiteral("Summary");
    case bkPageFooter:
        return QStringLiteral("PageFooter");
    }
    return {};
}

QString ZBandKindCaption(TZBandKind kind)
{
    switch (kind) {
    case bkTitle:
        return QStringLiteral("报表标题");
    case bkPageHeader:
        return QStringLiteral("页眉");
    case bkColumnHeader:
        return QStringLiteral("列标题");
    case bkGroupHeader:
        return QStringLiteral("分组头");
    case bkData:
        return QStringLiteral("数据");
    case bkGroupFooter:
        return QStringLiteral("分组尾");
    case bkSummary:
        return QStringLiteral("报表合计");
    case bkPageFooter:
        return QStringLiteral("页脚");
    }
    return {};
}

QString TZReportObject::DefaultFontFamily()
{
    return QStringLiteral("Noto Sans CJK SC");
}

QSizeF TZReportPage::PaperSizeMm() const
{
    const QSizeF size = QPageSize(paper).size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? size.transposed() : size;
}

double TZReportPage::ContentWidthMm() const
{
    return PaperSizeMm().width() - marginLeft - marginRight;
}

QPageLayout TZReportPage::PageLayout() const
{
    // The margins are applied by the renderer: the device's page starts at
    // the paper's corner.
    return QPageLayout(QPageSize(paper), orientation, QMarginsF(), QPageLayout::Millimeter);
}

QList<int> TZReportLayout::BandOrder() const
{
    QList<int> order;
    for (int i = 0; i < bands.size(); ++i)
        order << i;
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) { return bands[a].kind < bands[b].kind; });
    return order;
}
