#pragma once

/// Runs the program on the application object that exists: the single-copy
/// guard, start-up window, session, login, main window and its event loop.
/// Returns the exit code.
int ZRunProgram();
