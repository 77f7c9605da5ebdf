#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The program folder and file helpers. Paths are written with "/"; routines
// that take paths from the system's texts also accept "\".

/// The program folder with a trailing "/": the folder named by the
/// environment variable ZKVA_HOME when it is set, else the folder of the
/// running executable. Every relative path of the system is below it.
QString GetCurrPath();

/// The folder of per-user and statement log files: GetCurrPath() + "log/".
QString GetLogPath();

/// A path with "\" turned into "/", taken below the program folder when it
/// is relative, and cleaned of "." and ".." parts and a trailing "/".
QString ZNormalizePath(const QString &path);

/// The part of the path after the last "\", "/" or ":".
QString GetFileName(const QString &path);

/// Copies a file; with `failIfExists` an existing target is left alone and
/// the result is false. The target appears whole or not at all.
bool ZCopyFile(const QString &from, const QString &to, bool failIfExists);

/// Files of `folder` matching the wildcard `mask` ("*.dbs"), sorted by name;
/// with `recursive` those of its sub-folders too; with `fullPath` as full
/// paths, else as names. The result is appended to `list`.
void SearchFileList(const QString &folder, const QString &mask, QStringList &list, bool recursive, bool fullPath);

/// Deletes the files of `folder` matching the mask (and of its sub-folders
/// with `recursive`); returns how many were deleted.
int ZDeleteFiles(const QString &folder, const QString &mask, bool recursive);

/// The size of a file in bytes; 0 when it does not exist.
qint64 ZFileSize(const QString &file);

/// Appends a line to a text file, creating the file (and its folder).
bool InsertToTextFile(const QString &file, const QString &line);

/// Creates a desktop launcher `linkFile` that starts `target` with the
/// arguments, named `description`.
bool CreateShortcut(const QString &target, const QString &linkFile, const QString &description,
                    const QString &arguments = QString());

/// Creates the folder and its parents when missing.
bool ZForceDirectories(const QString &folder);

/// Deletes a folder with all its contents.
bool ZDeleteDirectory(const QString &folder);

/// Writes the bytes to the file through a temporary file and a rename, so a
/// crash never leaves half a file; creates the folder when missing. Raises an
/// EZError "保存文件%s失败！" when the file cannot be written.
void ZSaveFileAtomically(const QString &file, const QByteArray &bytes);
