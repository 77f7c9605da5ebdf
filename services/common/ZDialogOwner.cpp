#include "ZDialogOwner.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

bool staysOnTop(const QWidget *window)
{
    return window && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

} // namespace

QWidget *ZDialogOwner()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    QWidget *front = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip)
            continue;
        if (!front || (staysOnTop(window) && !staysOnTop(front)))
            front = window;
    }
    return front;
}

void ZPlaceDialog(QWidget *dialog, QWidget *owner)
{
    if (!owner)
        owner = ZDialogOwner();
    if (owner == dialog)
        owner = nullptr;
    if (!owner) {
        // A box of a program with no window up (a start-up message, the
        // notice that the program already runs) must not hide behind the
        // windows of other programs, among them another running copy's
        // login dialog, which stays on top.
        dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    } else {
        owner = owner->window();
        // A window still waiting for its place takes it first. On X11 one
        // that is not on the screen yet (just shown) is brought up to date
        // with the window server first: window managers centre a box on its
        // owner where they have it, not where the program put it.
        if (owner->metaObject()->indexOfMethod("ZPlaceNow()") >= 0)
            QMetaObject::invokeMethod(owner, "ZPlaceNow", Qt::DirectConnection);
        if (owner->isVisible() && owner->windowHandle() && !owner->windowHandle()->isExposed()
            && QGuiApplication::platformName() == QLatin1String("xcb"))
            QGuiApplication::sync();
        if (staysOnTop(owner))
            dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        // A transient window of its owner: window managers keep it in front
        // of the owner. Ownership stays with whoever made the dialog.
        if (!dialog->parentWidget() || dialog->parentWidget()->window() != owner) {
            dialog->winId();
            owner->winId();
            if (dialog->windowHandle() && owner->windowHandle())
                dialog->windowHandle()->setTransientParent(owner->windowHandle());
        }
    }
    dialog->adjustSize();
    const QRect area =
        owner ? owner->frameGeometry() : (dialog->screen() ? dialog->screen()->availableGeometry() : QRect());
    if (area.isValid()) {
        QRect frame = dialog->frameGeometry();
        frame.moveCenter(area.center());
        dialog->move(frame.topLeft());
    }
}
