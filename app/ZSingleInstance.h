#pragma once

#include "common/ZProcessLock.h"

#include <QString>

/// The guard against a second running copy: a lock file "<name>.lock" in the
/// user's runtime folder, locked through the operating system while the
/// program runs. The kernel releases it when the program ends in any way, so
/// an empty or garbled lock file left behind never stops a start.
class TZSingleInstance
{
public:
    explicit TZSingleInstance(const QString &name);

    /// False only when another running copy holds the lock. A runtime folder
    /// where no lock file can be written does not stop the program: the data
    /// file keeps its own lock.
    bool Acquired() const { return m_result != TZProcessLock::HeldByOther; }

private:
    TZProcessLock m_lock;
    TZProcessLock::Result m_result;
};
