#pragma once

#include <QString>

/// The value of one item of a property text. A property text is a list of
/// items separated by ";", each a key, "=" and a value, or a key, "[##]" and a
/// value. The first item that starts with the name followed by "[##]" (when
/// the item contains "[##]") or by "=" (otherwise) gives the value: the second
/// piece of the item split at every "[##]" (or "="), trimmed. The match is
/// case-sensitive and at the first character. A missing name gives "".
QString GetProperty(const QString &text, const QString &name);
