#pragma once

/// The database kinds of the framework. This program always runs on the
/// numbered data file (dtDbACCESS); dtNone as an argument means "the current
/// kind of the session".
enum TDBType { dtMSSQL, dtDefACCESS, dtDbACCESS, dtDbDemo, dtNone };

/// The database kind of the process, computed on every call from the system
/// ID and the edition kind; in a development run from the registry value
/// DBType ("1" → dtDbACCESS, anything else → dtMSSQL).
TDBType GetDBType();

/// The kind a caller means: `kind` itself, or the current kind for dtNone.
TDBType ResolveDBType(TDBType kind);
