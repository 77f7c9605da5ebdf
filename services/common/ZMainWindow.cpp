#include "ZMainWindow.h"

#include "common/ZWinMessages.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace {

QPointer<QWidget> &mainWindow()
{
    static QPointer<QWidget> window;
    return window;
}

} // namespace

QWidget *ZMainWindow()
{
    return mainWindow().data();
}

void SetZMainWindow(QWidget *window)
{
    mainWindow() = window;
}

bool PostMsgToMainWindow(const QString &text, int colour)
{
    QWidget *window = ZMainWindow();
    if (!window)
        return false;
    QCoreApplication::postEvent(window, new TZMessageEvent(ZWM_ADDMSG, text, QString(), colour));
    return true;
}
