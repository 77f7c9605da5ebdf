#pragma once

#include <QString>

class TDBConn;

/// Replaces data file `dataFileNo` of the session with a backup and leaves
/// the session open on it. The backup is checked first (ZDataFileProblem:
/// every page and row readable, the parameter table there); a backup that
/// fails is refused with an EZError before anything is touched.
/// The backup is copied beside the data file, checked again there and only
/// then renamed over it, so a failed or interrupted restore leaves the old
/// data file whole. The session's connection is reopened in every case;
/// failures raise EZError with the reason.
void ZRestoreDataFile(TDBConn &db, const QString &backup, int dataFileNo);
