#include "ZMainLook.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <iterator>

namespace {

QPixmap tile(int size, const QString &glyph, const QColor &colour)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient fill(0, 0, 0, size);
    fill.setColorAt(0, colour.lighter(118));
    fill.setColorAt(1, colour);
    QPainterPath shape;
    const qreal radius = size * 0.22;
    shape.addRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), radius, radius);
    painter.fillPath(shape, fill);
    QFont font = painter.font();
    font.setPixelSize(int(size * 0.5));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, glyph);
    return pixmap;
}

} // namespace

QIcon ZProgramIcon()
{
    return ZTileIcon(QStringLiteral("助"), QColor(0x2b, 0x7c, 0xd3));
}

QIcon ZTileIcon(const QString &glyph, const QColor &colour)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 96})
        icon.addPixmap(tile(size, glyph, colour));
    return icon;
}

QColor ZTileColour(int page, int index)
{
    static const QColor palette[] = {
        QColor(0x2b, 0x7c, 0xd3), QColor(0x2e, 0xa0, 0x6b), QColor(0xe8, 0x8a, 0x1a), QColor(0x8e, 0x5c, 0xc7),
        QColor(0xd9, 0x4f, 0x5c), QColor(0x17, 0x9c, 0xa8), QColor(0x5b, 0x6b, 0xd6), QColor(0xc7, 0x6b, 0x2e),
    };
    constexpr int count = int(std::size(palette));
    return palette[(page * 3 + index) % count];
}

QString ZMainStyleSheet()
{
    return QStringLiteral(R"(
#pnlHeader { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1f5fa8, stop:1 #3d8be0); }
#pnlHeader QLabel { color: white; }
#lblGreeting { font-size: 18px; font-weight: bold; }
#lblTime { font-size: 26px; font-weight: bold; }
#lblWeek, #lblDate { font-size: 13px; }
#lblRemind { font-size: 13px; padding: 2px 8px; border: 1px solid rgba(255,255,255,120); border-radius: 9px; }
#pnlPageButtons { background: #eaf1fa; border-right: 1px solid #cfdcec; }
#pnlPageButtons QPushButton { font-size: 14px; color: #1f3f66; background: transparent; border: none;
                              border-radius: 6px; text-align: left; padding-left: 14px; }
#pnlPageButtons QPushButton:hover { background: #d6e5f7; }
#pnlPageButtons QPushButton:checked { background: white; color: #1f5fa8; font-weight: bold; }
#pnlPageButtons QPushButton#btnExit { color: #a33a3a; }
#pnlPageButtons QPushButton#btnExit:hover { background: #f6dcdc; }
#pgcMain, #pgcMain > QWidget { background: white; }
#pgcMain QLabel[pageTitle="true"] { font-size: 16px; font-weight: bold; color: #1f3f66; }
#pgcMain QToolButton { font-size: 13px; color: #2a2a2a; border: 1px solid transparent; border-radius: 10px;
                       padding: 6px 2px 4px 2px; background: transparent; }
#pgcMain QToolButton:hover { background: #eef4fc; border-color: #c9dbf2; }
#pgcMain QToolButton:pressed { background: #dce9f9; }
#pnlFooter { background: #f4f6f9; border-top: 1px solid #dde3ea; }
#pnlFooter QLabel { color: #5a6675; }
)");
}
