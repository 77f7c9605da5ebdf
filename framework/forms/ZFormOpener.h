#pragma once

#include <QString>

#include <functional>

class QWidget;

/// How a framework window opens another window by class name (message 1939
/// opens the record selection window this way). The module launcher, which
/// sits above the windows, installs itself here when its library loads, so
/// the windows never call up into it.
using TZFormOpener = std::function<QWidget *(const QString &formClass, const QString &param1, const QString &param2)>;
void SetZFormOpener(TZFormOpener opener);

/// Opens (or brings back) a window through the installed opener; null when
/// none is installed or the window cannot be made.
QWidget *ZOpenForm(const QString &formClass, const QString &param1, const QString &param2);
