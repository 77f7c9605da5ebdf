#pragma once

#include <QString>

#include <memory>

class QLockFile;

/// The guard against a second running copy: a lock file "ZKVA.lock" in the
/// user's runtime folder, held while the program runs. A lock left by a dead
/// process is taken over.
class TZSingleInstance
{
public:
    explicit TZSingleInstance(const QString &name);
    ~TZSingleInstance();

    /// False when another running copy holds the lock.
    bool Acquired() const { return m_acquired; }

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_acquired = false;
};
