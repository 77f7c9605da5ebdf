#pragma once

// The report windows of the ledger under their class names, for tests that
// open the report modules through the launcher.
#include "TestText.h"

#include "forms/TfrmRptAccDaily.h"
#include "forms/TfrmRptAccDailyGrid.h"
#include "forms/TfrmRptAccFeeTotal.h"
#include "forms/TfrmRptAccObjectNameTotal.h"
#include "forms/TfrmRptAccStock.h"
#include "forms/TfrmRptIncomeTotal.h"
#include "launcher/TFormClassCtrl.h"
#include "report/TfrmRptGridView.h"

inline void ZRegisterLedgerReports()
{
    ZRegisterClass(s("TfrmRptGridView"), [] { return new TfrmRptGridView; });
    ZRegisterClass(s("TfrmRptAccDailyGrid"), [] { return new TfrmRptAccDailyGrid; });
    ZRegisterClass(s("TfrmRptAccDaily"), [] { return new TfrmRptAccDaily; });
    ZRegisterClass(s("TfrmRptAccFeeTotal"), [] { return new TfrmRptAccFeeTotal; });
    ZRegisterClass(s("TfrmRptAccIncomeTotal"), [] { return new TfrmRptAccIncomeTotal; });
    ZRegisterClass(s("TfrmRptAccStock"), [] { return new TfrmRptAccStock; });
    ZRegisterClass(s("TfrmRptAccObjectNameTotal"), [] { return new TfrmRptAccObjectNameTotal; });
    ZRegisterClass(s("TfrmRptFeeTotal"), [] { return new TfrmRptFeeTotal; });
    ZRegisterClass(s("TfrmRptIncomeTotal"), [] { return new TfrmRptIncomeTotal; });
}

inline void ZUnRegisterLedgerReports()
{
    for (const char *name :
         {"TfrmRptGridView", "TfrmRptAccDailyGrid", "TfrmRptAccDaily", "TfrmRptAccFeeTotal", "TfrmRptAccIncomeTotal",
          "TfrmRptAccStock", "TfrmRptAccObjectNameTotal", "TfrmRptFeeTotal", "TfrmRptIncomeTotal"})
        ZUnRegisterClass(s(name));
}
