#pragma once

#include <QString>

/// An exclusive lock on a lock file held by this process through the
/// operating system (flock). The kernel drops it when the process ends in
/// any way, so whatever a dead process left in the file (nothing, a half
/// written line, another program's number) never keeps a later start out:
/// only a living holder does. The file itself stays; its content (the
/// holder's process number) is for people, never read back.
class TZProcessLock
{
public:
    enum Result { Acquired, HeldByOther, CannotWrite };

    explicit TZProcessLock(QString path);
    ~TZProcessLock();
    TZProcessLock(const TZProcessLock &) = delete;
    TZProcessLock &operator=(const TZProcessLock &) = delete;

    /// Tries once, without waiting. CannotWrite: the file cannot be created
    /// or opened for writing (a read-only folder, missing rights).
    Result TryLock();
    /// Releases the lock (the destructor does too).
    void Unlock();
    bool IsLocked() const { return m_fd >= 0; }
    const QString &Path() const { return m_path; }
    /// The system's reason of the last CannotWrite.
    const QString &ErrorText() const { return m_error; }

private:
    QString m_path;
    QString m_error;
    int m_fd = -1;
};
