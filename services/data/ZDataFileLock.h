#pragma once

#include <QString>

/// Keeps a data file to this process: a lock file beside it ("<file>.lock")
/// held while any connection of the process has the file open. Another
/// process that tries to open the file is refused; a lock left by a process
/// that died is taken over. Connections of the same process (worker threads)
/// share the lock.
class TZDataFileLock
{
public:
    /// Takes the lock of the file; raises EZError when another process holds it.
    explicit TZDataFileLock(const QString &path);
    ~TZDataFileLock();
    TZDataFileLock(const TZDataFileLock &) = delete;
    TZDataFileLock &operator=(const TZDataFileLock &) = delete;

private:
    QString m_key;
};
