#pragma once

#include <QString>

#include <functional>

class QWidget;

/// Runs a window entry point (slot, event handler, action) so that no error
/// crosses a Qt frame: EZAbort ends it silently; any other error is shown to
/// the user (ZShowError). Returns false when the body did not complete.
bool ZGuard(const std::function<void()> &body);

/// Shows the error being handled (call inside a catch block): EZAbort is
/// silent, anything else goes to ZShowError.
void ZShowCurrentError();

/// Shows an error text the framework's way: in the user message window
/// through the main window (red), or in the error box when there is no main
/// window yet.
void ZShowError(const QString &text);

/// The box that shows an error when there is no main window; the form
/// framework installs its message box when it loads.
using TZErrorBox = std::function<void(const QString &text)>;
void SetZErrorBox(TZErrorBox box);
