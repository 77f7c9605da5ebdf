#pragma once

#include <QtGlobal>

class QWidget;

/// A process-wide number that stands for a window in the framework's window
/// messages (the opener handed to a new window, the parent a child window
/// answers). Any window has one, framework window or not; it is given on
/// first use and never reused.
qint64 ZWindowHandle(QWidget *window);

/// The living window of that number; null when it is gone or unknown.
QWidget *ZWindowByHandle(qint64 handle);
