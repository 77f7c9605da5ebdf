#pragma once

#include <QString>

// Per-machine values of the system, kept in the INI file registry.ini of the
// program folder, section "Orvex" (the key \SoftWare\Orvex). All values are
// texts; a missing value reads as empty.

/// The key of the system's values: "\SoftWare\Orvex".
QString GetRegKey();

/// The value named <name>_<system code>.
QString ReadRegKey(const QString &name);
void WriteRegKey(const QString &name, const QString &value);

/// The value named <name> itself.
QString ReadRegRootKey(const QString &name);
void WriteRegRootKey(const QString &name, const QString &value);
