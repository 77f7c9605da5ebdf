#pragma once

#include <QString>

/// A value of sysconfig.ini in the program folder (stored encoded); the
/// default when the key is missing.
QString ReadSysConfig(const QString &section, const QString &key, const QString &defaultValue = QString());

/// Writes a value of sysconfig.ini, encoded.
void WriteSysConfig(const QString &section, const QString &key, const QString &value);
