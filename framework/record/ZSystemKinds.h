#pragma once

#include "settings/ZSession.h"

/// The trading systems of the framework (person and department stamps,
/// branch checks, synchronisation marks): 1001 and 1007 to 1011.
inline bool ZTradingSystem()
{
    const qint32 id = CurrentSysID();
    return id == 1001 || (id >= 1007 && id <= 1011);
}

/// The systems that lock a record against a second editor: 1001 and 1007 to
/// 1010.
inline bool ZLockingSystem()
{
    const qint32 id = CurrentSysID();
    return id == 1001 || (id >= 1007 && id <= 1010);
}
