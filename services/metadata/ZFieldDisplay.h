#pragma once

#include <QString>
#include <QVariant>

class TZDataField;
class TZField;

/// The text a grid or editor shows for a dataset field, by its definition:
/// "---" when the user may not see it; the caption of the module a SrcProgID
/// or ProgID names; 是/否 for booleans; the pick-list text of an integer; money and
/// prices by their currency (the row's currency column, or the home currency
/// for a home-currency field) and other numbers by the home currency, blank
/// for zero when ZeroNotShow; a linked ID by IDNameShowStyle (nothing when
/// the ID is not in the linked list); plain texts trimmed on the file kinds.
/// Without a definition, the field's own text.
QString ZFieldDisplayText(const TZField *definition, const TZDataField &field);

/// The value a typed text stores in a dataset field, by its definition:
/// numbers (blank is 0, "," removed, rounded by number type and currency),
/// the pick-list value of an integer, the module of a module caption in a
/// SrcProgID or ProgID (the shown caption keeps the stored module), the ID
/// of a linked name, else the trimmed text.
QVariant ZFieldEntryValue(const TZField *definition, const TZDataField &field, const QString &text);
