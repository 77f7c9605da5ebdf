#include "ZReportPaint.h"

#include "TZReportLayout.h"

#include <QPainter>

namespace {

constexpr double FramePenMm = 0.2;
constexpr double LinePenMm = 0.3;
constexpr double PaddingMm = 1;

} // namespace

QStringList ZReportFontFamilies(const QString &family)
{
    if (family.contains(QLatin1String("CJK"), Qt::CaseInsensitive))
        return {QStringLiteral("DejaVu Sans"), family};
    return {family, TZReportObject::DefaultFontFamily()};
}

void ZPaintReportObject(QPainter &painter, const TZReportObject &object, const QRectF &rect, const QString &text,
                        double dotsPerMm)
{
    painter.save();
    if (object.kind == TZReportObject::okLine) {
        painter.setPen(QPen(Qt::black, LinePenMm * dotsPerMm));
        painter.drawLine(rect.topLeft(), rect.bottomRight());
        painter.restore();
        return;
    }
    QFont font;
    font.setFamilies(ZReportFontFamilies(object.fontFamily));
    font.setPointSizeF(object.fontSize);
    font.setBold(object.bold);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.setClipRect(rect);
    const double padding = PaddingMm * dotsPerMm;
    int flags = int(object.alignment);
    if (object.wordWrap)
        flags |= Qt::TextWordWrap;
    painter.drawText(rect.adjusted(padding, 0, -padding, 0), flags, text);
    painter.setClipping(false);
    if (object.frame) {
        painter.setPen(QPen(Qt::black, FramePenMm * dotsPerMm));
        if (object.frame & flLeft)
            painter.drawLine(rect.topLeft(), rect.bottomLeft());
        if (object.frame & flTop)
            painter.drawLine(rect.topLeft(), rect.topRight());
        if (object.frame & flRight)
            painter.drawLine(rect.topRight(), rect.bottomRight());
        if (object.frame & flBottom)
            painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    }
    painter.restore();
}
