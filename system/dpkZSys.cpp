// The package's entry: its name, which the launcher resolves to tell a
// package of the program from any other library, and the window classes it
// registers while it is loaded.
#include "forms/TfrmListFormPub.h"
#include "forms/TfrmMasterDataBase.h"
#include "forms/TfrmRemindBox.h"
#include "forms/TfrmRemindSet.h"
#include "forms/TfrmSearch.h"
#include "forms/TfrmSelectDS.h"
#include "forms/TfrmSelectID.h"
#include "forms/TfrmSelfWhere3.h"
#include "forms/TfrmUserFeedBack.h"
#include "forms/TfrmUserFeedBackMOX.h"
#include "forms/TfrmUserMsg.h"
#include "launcher/TFormClassCtrl.h"
#include "record/TfrmGridData.h"
#include "record/TfrmMasterDataAuto.h"
#include "report/TfrmRptPubBase.h"

#include <QtGlobal>

namespace {

TZRegisteredForm<TfrmUserMsg> userMsg;
TZRegisteredForm<TfrmMasterDataBase> masterDataBase;
TZRegisteredForm<TfrmMasterDataAuto> masterDataAuto;
TZRegisteredForm<TfrmGridData> gridData;
TZRegisteredForm<TfrmSelectID> selectID;
TZRegisteredForm<TfrmListFormPub> listFormPub;
TZRegisteredForm<TfrmRptPubBase> rptPubBase;
TZRegisteredForm<TfrmSelfWhere3> selfWhere3;
TZRegisteredForm<TfrmSearch> search;
TZRegisteredForm<TfrmRemindSet> remindSet;
TZRegisteredForm<TfrmRemindBox> remindBox;
TZRegisteredForm<TfrmSelectDS> selectDS;
TZRegisteredForm<TfrmUserFeedBackMOX> userFeedBackMOX;
TZRegisteredForm<TfrmUserFeedBack> userFeedBack;

} // namespace

extern "C" Q_DECL_EXPORT const char *ZPackageName()
{
    return "dpkZSys";
}
