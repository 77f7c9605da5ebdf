#include "ZColorValue.h"

QColor ZColorFromValue(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int ZColorValue(const QColor &color)
{
    return color.red() | color.green() << 8 | color.blue() << 16;
}
