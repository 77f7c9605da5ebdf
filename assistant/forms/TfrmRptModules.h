#pragma once

#include "report/TfrmRptPubBase.h"

// The report windows the shipped report modules name. Each is, for now, the
// published report window under the module's own class name (so that the
// launcher finds an open one again); a report with behaviour of its own
// replaces its class here.

class TfrmRptAccDaily final : public TfrmRptPubBase
{
    Q_OBJECT
};

class TfrmRptAccFeeTotal final : public TfrmRptPubBase
{
    Q_OBJECT
};

class TfrmRptAccIncomeTotal final : public TfrmRptPubBase
{
    Q_OBJECT
};

class TfrmRptAccStock final : public TfrmRptPubBase
{
    Q_OBJECT
};

class TfrmRptFeeTotal final : public TfrmRptPubBase
{
    Q_OBJECT
};

class TfrmRptIncomeTotal final : public TfrmRptPubBase
{
    Q_OBJECT
};
