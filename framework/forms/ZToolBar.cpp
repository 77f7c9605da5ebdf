#include "ZToolBar.h"

#include <QAction>
#include <QToolBar>

QToolBar *ZCreateToolBar(QWidget *window, std::span<const TZToolAction> entries)
{
    auto *toolBar = new QToolBar(window);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar->setMovable(false);
    for (const TZToolAction &entry : entries) {
        if (!entry.name) {
            toolBar->addSeparator();
            continue;
        }
        auto *action =
            new QAction(window->style()->standardIcon(entry.icon), QString::fromUtf16(entry.caption), window);
        action->setObjectName(QLatin1String(entry.name));
        if (entry.shortcut) {
            action->setShortcut(QKeySequence(QLatin1String(entry.shortcut)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        toolBar->addAction(action);
    }
    return toolBar;
}
