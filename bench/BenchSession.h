#pragma once

#include <QString>

/// Opens the program's session, alone, on the data file of the program
/// folder `folder` (made from DBAcs.orv there when missing). A benchmark
/// calls it before its timed loop: the others open sessions of their own.
void ZBenchOpenSession(const QString &folder);
