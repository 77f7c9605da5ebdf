#pragma once

#include <QString>

/// Why a file cannot serve as a data file of the program (a backup to
/// restore, or a data file about to be opened); empty when it can. With
/// `full` the file is opened read-only, every page and row is read (SQLite's
/// quick_check) and the parameter table must be there; without it only the
/// file's first bytes are read (an empty file, or one that is no SQLite
/// database, fails). The file is never changed.
QString ZDataFileProblem(const QString &path, bool full);
