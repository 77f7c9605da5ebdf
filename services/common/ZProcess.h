#pragma once

#include <QString>
#include <QStringList>

/// Starts the program of the command line (program and arguments, quoted as
/// a shell would) and waits until it ends. On the user-interface thread the
/// windows keep repainting while it waits. `hide` asks for no visible window
/// and has no effect for programs that show none. Returns the program's exit
/// code, or -1 when it could not be started or crashed.
int WaitExeFinish(const QString &commandLine, bool hide = true);

/// The same with the program and its arguments apart, so that an argument
/// may hold blanks and quotes of its own.
int WaitExeFinish(const QString &program, const QStringList &arguments, bool hide = true);
