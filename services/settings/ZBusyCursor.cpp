#include "ZBusyCursor.h"

#include "settings/ZSession.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

bool hasGui()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

} // namespace

void SetCursorBusy()
{
    if (FCursorBusyCount == 0 && hasGui())
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    ++FCursorBusyCount;
}

void SetCursorFree()
{
    if (FCursorBusyCount <= 0) {
        FCursorBusyCount = 0;
        return;
    }
    --FCursorBusyCount;
    if (FCursorBusyCount == 0 && hasGui())
        QGuiApplication::restoreOverrideCursor();
}
