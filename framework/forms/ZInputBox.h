#pragma once

#include <QString>

/// The framework's one-line input box: the caption is `caption`, or the
/// application title when that is empty; the edit starts with `value` and,
/// with `password`, shows "*" for each character. Returns true when closed
/// with OK, and `value` then holds the edit's text. The box has a fixed size.
bool ZInputQueryNew(const QString &caption, const QString &prompt, QString &value, bool password = false);

/// The same box showing `text` unmasked in its edit, so that it can be read
/// and copied; nothing is returned.
void ZInputBoxNew(const QString &caption, const QString &prompt, const QString &text);
