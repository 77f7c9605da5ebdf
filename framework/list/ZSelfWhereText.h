#pragma once

#include "data/ZFieldType.h"

#include <QString>
#include <QStringList>

/// The words of the condition editor's operator list, "等于" first.
const QStringList &ZWhereOperators();

/// Whether a field type takes a number typed freely in the condition editor.
bool ZIsNumberFieldType(TZFieldType type);

/// The value part of a condition, written for the field type and operator:
/// "包含"/"不包含" quote the trimmed text between "%" signs; a date is its
/// yyyymmdd integer, a time its hhmmss integer (both given by the caller as
/// `text`); a number is the trimmed text, or "0" when blank; a yes/no value
/// is its text ("是"/"否"); anything else is the trimmed text quoted.
QString ZWhereValueText(TZFieldType type, const QString &op, const QString &text);

/// The name under which the condition text of a window class and module is
/// kept in the system parameters: class + "-" + module.
QString ZSelfWhereKey(const QString &formClass, const QString &progID);

/// The stored condition text of a window class and module (empty when none).
QString ZLoadSelfWhere(const QString &formClass, const QString &progID);
void ZSaveSelfWhere(const QString &formClass, const QString &progID, const QString &text);

/// Runs a condition text once on a module: translated, after the master
/// dataset's statement with the first detail joined as B. Returns empty when
/// it runs, else the database's error text.
QString ZCheckSelfWhere(const QString &progID, const QString &text);

/// The message of a failed check: "语法检查失败：", a line break, "错误信息："
/// and the database's text.
QString ZSelfWhereFailure(const QString &databaseText);
