#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

// The look of the main window: the program's icon, the tile icons of the
// command panel, and the style of its parts. Drawn by the program, so that
// no picture files are needed.

/// The program's icon (window and tray).
QIcon ZProgramIcon();

/// A tile icon: a rounded square of `colour` with `glyph` in white.
QIcon ZTileIcon(const QString &glyph, const QColor &colour);

/// The tile colour of the n-th command of a page.
QColor ZTileColour(int page, int index);

/// The style sheet of the main window's panel, page buttons and header.
QString ZMainStyleSheet();
