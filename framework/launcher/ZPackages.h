#pragma once

#include <QString>
#include <QStringList>

/// The run-time packages of the program, in the order the main window loads
/// them: dpkZSys, dpkSysAdmin, dpkSelfBase, dpkMOX.
QStringList ZRuntimePackages();

/// The file of a run-time package in the program folder ("dpkZSys" →
/// "<program folder>dpkZSys.so").
QString ZPackageFile(const QString &package);

/// The symbol every run-time package exports: extern "C" const char
/// *ZPackageName(), the package's own name.
constexpr const char *ZPackageNameSymbol = "ZPackageName";
using TZPackageNameFunc = const char *(*)();
