#pragma once

#include <QApplication>

/// The program's application object: the last resort for errors that escape
/// a window's own guard, shown the framework's way instead of ending the
/// program.
class TZApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override;
};
