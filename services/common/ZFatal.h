#pragma once

#include <QString>

#include <functional>

/// Ends the program after a failure it cannot go on from (a data file that
/// cannot be opened at start, say): the handler shows the text, the
/// application is asked to quit, and the current operation is abandoned with
/// an EZAbort. The default handler shows a plain message box when there is a
/// GUI; tests install their own.
[[noreturn]] void ZFatalError(const QString &text);

using TZFatalHandler = std::function<void(const QString &text)>;
void SetZFatalHandler(TZFatalHandler handler);
