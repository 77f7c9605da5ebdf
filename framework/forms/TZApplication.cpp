#include "TZApplication.h"

#include "ZGuard.h"

bool TZApplication::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    ZGuard([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
