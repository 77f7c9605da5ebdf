#include "TZApplication.h"

#include "common/ZGuard.h"

// Every event passes here, so the guard is a plain try block.
bool TZApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ZShowCurrentError();
        return false;
    }
}
