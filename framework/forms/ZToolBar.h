#pragma once

#include <QStyle>

#include <span>

class QToolBar;
class QWidget;

/// One button of a window's tool bar; an entry without a name is a separator.
struct TZToolAction
{
    const char *name;
    const char16_t *caption;
    QStyle::StandardPixmap icon;
    const char *shortcut = nullptr; ///< a window shortcut, or none
};

/// The tool bar of a framework window ("ToolBar1"): small icons with their
/// captions beside them, not movable; one action per entry, a child of the
/// window named by the entry (the window finds it by that name).
QToolBar *ZCreateToolBar(QWidget *window, std::span<const TZToolAction> entries);
