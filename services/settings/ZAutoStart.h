#pragma once

#include <QString>

/// The desktop session's start-up entry of the program:
/// $XDG_CONFIG_HOME/autostart/<system code>.desktop (~/.config when the
/// variable is unset).
QString ZAutoStartFile();

/// Whether the session starts the program.
bool ZIsAutoStart();

/// Writes the entry (starting the running program) or removes it. Raises
/// EZError "无法设定开机自动启动：" + the file when it cannot.
void ZSetAutoStart(bool on);
