#pragma once

#include <QString>

// Trimming as the system means it everywhere: blanks and control characters
// (every character up to U+0020) are removed. Other white space, such as the
// full-width blank U+3000, is part of the text.

QString ZTrim(const QString &s);
/// The same on a view, without copying the text.
QStringView ZTrim(QStringView s);
QString ZTrimLeft(const QString &s);
QString ZTrimRight(const QString &s);

/// True when the text holds nothing but blanks and control characters.
bool ZIsBlank(const QString &s);
