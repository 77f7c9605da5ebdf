#pragma once

#include <QColor>
#include <QStringList>

// Appearances ("skins") of the program: each is a Qt style with a palette.
// The chosen one applies to the whole application; windows take its window
// background colour when they are made.

/// The names of the skins, in menu order (index 0 is the plain one).
QStringList ZSkinNames();

/// Applies skin `index` to the application (an index out of range applies
/// skin 0) and makes it the current one.
void ZApplySkin(int index);

/// The current skin's index, and the window background colour windows take.
int ZCurrentSkin();
QColor ZWindowBackground();
