#pragma once

#include <QString>

class QWidget;

/// The application's main window, the receiver of the messages that reach
/// the user (ZWM_ADDMSG). Set by the program when its main window exists and
/// cleared when it goes; null until then.
QWidget *ZMainWindow();
void SetZMainWindow(QWidget *window);

/// Posts a text to show to the user in a colour (ZWM_ADDMSG) to the main
/// window; returns false when there is no main window.
bool PostMsgToMainWindow(const QString &text, int colour);
