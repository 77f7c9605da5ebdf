#pragma once

#include <QDateTime>
#include <QString>

/// The name of a data file's backup: "ACS<n>_<yyyymmdd>_<hhmmss>.Bak".
QString ZDataFileBackupName(int dataFileNo, const QDateTime &moment);

/// Backs the data file `dataFile` up into `folder` (created when missing)
/// under the name `backupName`, and returns the backup's full path.
///
/// The copy is SQLite's online backup of the file as it stands committed,
/// made into a temporary file of the backup folder, checked there (every
/// page and row readable, the parameter table present) and only then given
/// its name. An existing backup of that name is never overwritten, and no
/// half backup is ever left under a backup name: an interrupted backup
/// leaves at most a temporary file that the next backup removes. Failures
/// raise EZError with the reason.
QString ZBackUpDataFile(const QString &dataFile, const QString &folder, const QString &backupName);
