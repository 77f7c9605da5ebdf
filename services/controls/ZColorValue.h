#pragma once

#include <QColor>

/// A colour stored as a number: red in the low byte, then green, then blue
/// (255 is red, 16711680 blue), as colour parameters keep them.
QColor ZColorFromValue(int value);

/// The number a colour is stored as.
int ZColorValue(const QColor &color);
