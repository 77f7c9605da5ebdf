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
        // A window still waiting for its place takes it first, and the
        // window system is brought up to date with where the owner stands
        // (a window just shown or moved): window managers centre a box on
        // its owner as they know it. The box's own loop, about to run,
        // would deliver the same events.
        if (owner->metaObject()->indexOfMethod("ZPlaceNow()") >= 0)
            QMetaObject::invokeMethod(owner, "ZPlaceNow", Qt::DirectConnection);
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
