#pragma once

#include <QString>

/// Keeps a data file to this process: a lock file beside it ("<file>.lock")
/// held through the operating system while any connection of the process has
/// the file open. Another process that tries to open the file is refused;
/// the kernel releases the lock of a process that dies, so nothing a dead
/// process leaves behind blocks a start. Connections of the same process
/// (worker threads) share the lock.
class TZDataFileLock
{
public:
    /// Takes the lock of the file; raises EZError when another process holds it
    /// or when the lock file cannot be written beside the data file.
    explicit TZDataFileLock(const QString &path);
    ~TZDataFileLock();
    TZDataFileLock(const TZDataFileLock &) = delete;
    TZDataFileLock &operator=(const TZDataFileLock &) = delete;

private:
    QString m_key;
};
