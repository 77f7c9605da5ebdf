#include "ZSkins.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace {

struct TSkin
{
    const char16_t *name;
    QRgb window;    ///< window background
    QRgb highlight; ///< selection and default buttons
};

const TSkin kSkins[] = {
    {u"经典", 0xF0F0F0, 0x2D6CB5},
    {u"商务蓝", 0xE8EEF6, 0x1F4E8C},
    {u"清新绿", 0xEEF5EC, 0x3C8D4A},
    {u"暖阳橙", 0xFBF1E6, 0xC8641E},
};

int &current()
{
    static int index = 0;
    return index;
}

} // namespace

QStringList ZSkinNames()
{
    QStringList names;
    for (const TSkin &skin : kSkins)
        names << QString::fromUtf16(skin.name);
    return names;
}

void ZApplySkin(int index)
{
    if (index < 0 || index >= int(std::size(kSkins)))
        index = 0;
    current() = index;
    const TSkin &skin = kSkins[index];
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QPalette palette = QApplication::style()->standardPalette();
    palette.setColor(QPalette::Window, QColor(skin.window));
    palette.setColor(QPalette::Highlight, QColor(skin.highlight));
    QApplication::setPalette(palette);
}

int ZCurrentSkin()
{
    return current();
}

QColor ZWindowBackground()
{
    return QColor(kSkins[current()].window);
}
