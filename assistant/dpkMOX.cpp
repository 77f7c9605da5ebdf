// The package's entry: its name, which the launcher resolves to tell a
// package of the program from any other library, and the window classes it
// registers while it is loaded.
#include "forms/TfrmHandPaper.h"
#include "forms/TfrmMoxCalcendar.h"
#include "forms/TfrmMoxRemind.h"
#include "forms/TfrmRptModules.h"
#include "forms/TfrmSystemSet.h"
#include "launcher/TFormClassCtrl.h"

#include <QtGlobal>

namespace {

TZRegisteredForm<TfrmHandPaper> handPaper;
TZRegisteredForm<TfrmMoxCalcendar> moxCalcendar;
TZRegisteredForm<TfrmMoxRemind> moxRemind;
TZRegisteredForm<TfrmSystemSet> systemSet;
TZRegisteredForm<TfrmRptAccDaily> rptAccDaily;
TZRegisteredForm<TfrmRptAccFeeTotal> rptAccFeeTotal;
TZRegisteredForm<TfrmRptAccIncomeTotal> rptAccIncomeTotal;
TZRegisteredForm<TfrmRptAccStock> rptAccStock;
TZRegisteredForm<TfrmRptFeeTotal> rptFeeTotal;
TZRegisteredForm<TfrmRptIncomeTotal> rptIncomeTotal;

} // namespace

extern "C" Q_DECL_EXPORT const char *ZPackageName()
{
    return "dpkMOX";
}
