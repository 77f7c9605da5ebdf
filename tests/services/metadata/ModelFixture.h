#pragma once

#include "TDataFileTest.h"

// The stamp columns every table of the system carries.
#define kTableStamps                                                                                                        \
    ",[SysLastUpdateTime] VarChar(14) DEFAULT '',[SysCreateTime] VarChar(14) DEFAULT '',[SyncCompleted] VarChar(100) " \
    "DEFAULT ''"

/// A program folder with a few small module definitions and their tables:
/// comDuty, comPerson (related to comDuty), accFee (a bill with a detail
/// dataset, related to comPerson) and moxNote (no date, no flag).
class ModelFixture : public TDataFileTest
{
protected:
    void SetUp() override;
    void TearDown() override;
};
