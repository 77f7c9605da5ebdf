// The package's entry: its name, which the launcher resolves to tell a
// package of the program from any other library, and the window classes it
// registers while it is loaded.
#include "forms/TfrmAccFee.h"
#include "forms/TfrmAccGather.h"
#include "forms/TfrmAccIncome.h"
#include "forms/TfrmAccPay.h"
#include "forms/TfrmAccountTran.h"
#include "forms/TfrmAddressBook.h"
#include "forms/TfrmHandPaper.h"
#include "forms/TfrmMoxAccount.h"
#include "forms/TfrmMoxCalcendar.h"
#include "forms/TfrmMoxDiary.h"
#include "forms/TfrmMoxFee.h"
#include "forms/TfrmMoxRemind.h"
#include "forms/TfrmMyInfo.h"
#include "forms/TfrmNameCards.h"
#include "forms/TfrmPasswordBox.h"
#include "forms/TfrmRptAccDaily.h"
#include "forms/TfrmRptAccDailyGrid.h"
#include "forms/TfrmRptAccFeeTotal.h"
#include "forms/TfrmRptAccObjectNameTotal.h"
#include "forms/TfrmRptAccStock.h"
#include "forms/TfrmRptIncomeTotal.h"
#include "forms/TfrmSystemSet.h"
#include "forms/TfrmdevKnowledge.h"
#include "launcher/TFormClassCtrl.h"

#include <QtGlobal>

namespace {

TZRegisteredForm<TfrmHandPaper> handPaper;
TZRegisteredForm<TfrmMoxCalcendar> moxCalcendar;
TZRegisteredForm<TfrmMoxRemind> moxRemind;
TZRegisteredForm<TfrmSystemSet> systemSet;
TZRegisteredForm<TfrmRptAccDaily> rptAccDaily;
TZRegisteredForm<TfrmRptAccDailyGrid> rptAccDailyGrid;
TZRegisteredForm<TfrmRptAccFeeTotal> rptAccFeeTotal;
TZRegisteredForm<TfrmRptAccIncomeTotal> rptAccIncomeTotal;
TZRegisteredForm<TfrmRptAccObjectNameTotal> rptAccObjectNameTotal;
TZRegisteredForm<TfrmRptAccStock> rptAccStock;
TZRegisteredForm<TfrmRptFeeTotal> rptFeeTotal;
TZRegisteredForm<TfrmRptIncomeTotal> rptIncomeTotal;
TZRegisteredForm<TfrmAddressBook> addressBook;
TZRegisteredForm<TfrmNameCards> nameCards;
TZRegisteredForm<TfrmPasswordBox> passwordBox;
TZRegisteredForm<TfrmdevKnowledge> devKnowledge;
TZRegisteredForm<TfrmMyInfo> myInfo;
TZRegisteredForm<TfrmMoxDiary> moxDiary;
TZRegisteredForm<TfrmMoxAccount> moxAccount;
TZRegisteredForm<TfrmMoxFee> moxFee;
TZRegisteredForm<TfrmAccountTran> accountTran;
TZRegisteredForm<TfrmAccIncome> accIncome;
TZRegisteredForm<TfrmAccFee> accFee;
TZRegisteredForm<TfrmAccGather> accGather;
TZRegisteredForm<TfrmAccPay> accPay;

} // namespace

extern "C" Q_DECL_EXPORT const char *ZPackageName()
{
    return "dpkMOX";
}
