#pragma once

#include "data/TCurrInfo.h"
#include "data/ZDBType.h"
#include "data/ZFieldType.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

// How field values are shown in grids and editors and how typed texts are
// stored. The field layer calls these with what it knows of the field: its
// kind, number type, pick list, currency and linked list.

/// "---": the text of a field the user may not see.
QString ZHiddenFieldText();

/// "是" or "否".
QString ZBooleanText(bool value);

/// A money, price or other number by its number type and currency (text with
/// the type's decimals); nothing for null or 0 when `zeroNotShow`.
QString ZNumberText(const QVariant &value, TNumberType type, const QString &currencyID, bool zeroNotShow);

/// How linked IDs are shown: the parameter IDNameShowStyle (0 the name, 1 the
/// ID and the name, 2 the ID).
int ZIDNameShowStyle();

/// A linked row as shown: by `style`; nothing when the ID is not in the
/// linked list (`found` false).
QString ZLinkedIDText(const QString &id, const QString &name, bool found, int style);

/// A plain text as shown: trimmed on the file kinds.
QString ZPlainText(const QString &text, TDBType kind = dtNone);

/// A typed number: blank counts as "0", every "," is removed, and the value
/// is rounded by its number type (RoundByCurr). Integer kinds store the whole
/// number. Raises the number error of FormatNumber for a text that is no
/// number.
QVariant ZNumberFromText(const QString &text, TZFieldType kind, TNumberType type, const QString &currencyID);

/// A typed linked ID: the text is looked up among the linked rows' names (style
/// 0), "ID name" texts (1) or IDs (2); the ID of the row found, else the
/// trimmed text as typed. `rows` are pairs of ID and name.
QString ZLinkedIDFromText(const QString &text, const QList<QPair<QString, QString>> &rows, int style);
