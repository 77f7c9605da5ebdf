#pragma once

#include <QString>
#include <QStringList>

// One-call access to a value of an INI file (a relative name is taken below
// the program folder). With `decode`/`encode` the stored text passes through
// DecodeString/EncodeString, as sysconfig.ini keeps its values.

/// The value, or `defaultValue` when the file, section or key is missing.
QString GetIniItemValue(const QString &file, const QString &section, const QString &key, bool decode = false,
                        const QString &defaultValue = QString());

void SetIniItemValue(const QString &file, const QString &section, const QString &key, const QString &value,
                     bool encode = false);

/// The section names of the file in file order.
QStringList GetIniSections(const QString &file);

/// The keys of one section in file order.
QStringList GetIniSecIdenList(const QString &file, const QString &section);

void DeleteIniItem(const QString &file, const QString &section, const QString &key);
