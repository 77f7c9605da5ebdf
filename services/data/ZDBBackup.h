#pragma once

#include <QString>

/// The backup folder remembered in the parameter DBBackPath, else DBBack/
/// below the program folder; always ending with "/".
QString ZBackUpFolder();

/// Backs the session's database up into ZBackUpFolder() (created when
/// missing) and returns the backup file's full path.
QString DoBackUpDatabase();

/// Backs a database up into an existing folder and returns the backup
/// file's full path. On the data file kinds the open data file is backed up
/// (there is one database, so `database` is not used) under
/// "ACS<n>_<yyyymmdd>_<hhmmss>.Bak"; on the server kind `database`, or the
/// connection's default database when empty, under
/// "<database>_<yyyymmdd>_<hhmmss>.Bak". A missing folder raises
/// "不存在目录: <folder>！ 请重新设置数据备份路径参数值！".
QString DoBackUpDatabase(const QString &folder, const QString &database);

/// Gives the free space of the session's database back: VACUUM on the data
/// file kinds, DBCC SHRINKDATABASE of the default database on the server.
void DoShrinkDatabase();

/// The server's backup statement for a database into a file.
QString ZBackUpDatabaseSql(const QString &database, const QString &file);
