#pragma once

#include "TDataFileTest.h"

/// A program folder with a few small module definitions and their tables:
/// comDuty, comPerson (related to comDuty), accFee (a bill with a detail
/// dataset, related to comPerson) and moxNote (no date, no flag).
class ModelFixture : public TDataFileTest
{
protected:
    void SetUp() override;
    void TearDown() override;
};
