#pragma once

#include <QString>

/// A reversible encoding for texts kept in configuration files (sysconfig.ini
/// and stored passwords): the UTF-8 bytes of the text mixed with a fixed key
/// stream, followed by a 16-bit check, written as upper-case hexadecimal
/// digits. It hides values from a casual look; it is not encryption.
/// The empty text encodes to the empty text.
QString EncodeString(const QString &text);

/// The inverse of EncodeString. A text that is not an encoded text (a value
/// typed into the file by hand, say) is returned unchanged.
QString DecodeString(const QString &text);
