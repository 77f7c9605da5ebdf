#pragma once

#include <QString>

/// Why a file cannot serve as a data file of the program (a backup to
/// restore, or a data file about to be opened); empty when it can. A full
/// check opens the file read-only, runs SQLite's integrity check and looks
/// for the parameter table; a quick check only reads the file's first bytes
/// (an empty file or one that is not an SQLite database fails it). The file
/// is never changed.
QString ZDataFileProblem(const QString &path, bool full);
