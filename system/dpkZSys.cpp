// The package's entry: its name, which the launcher resolves to tell a
// package of the program from any other library, and the window classes it
// registers while it is loaded.
#include "forms/TfrmListFormPub.h"
#include "forms/TfrmMasterDataBase.h"
#include "forms/TfrmSearch.h"
#include "forms/TfrmSelectID.h"
#include "forms/TfrmSelfWhere3.h"
#include "forms/TfrmUserMsg.h"
#include "launcher/TFormClassCtrl.h"
#include "record/TfrmGridData.h"
#include "record/TfrmMasterDataAuto.h"
#include "report/TfrmRptPubBase.h"

#include <QtGlobal>

namespace {

/// Registers a window class under its own class name while the package is
/// loaded.
template<typename T>
struct TRegistered
{
    TRegistered() { ZRegisterClass(name(), [] { return new T; }); }
    ~TRegistered() { ZUnRegisterClass(name()); }
    static QString name() { return QString::fromLatin1(T::staticMetaObject.className()); }
};

TRegistered<TfrmUserMsg> userMsg;
TRegistered<TfrmMasterDataBase> masterDataBase;
TRegistered<TfrmMasterDataAuto> masterDataAuto;
TRegistered<TfrmGridData> gridData;
TRegistered<TfrmSelectID> selectID;
TRegistered<TfrmListFormPub> listFormPub;
TRegistered<TfrmRptPubBase> rptPubBase;
TRegistered<TfrmSelfWhere3> selfWhere3;
TRegistered<TfrmSearch> search;

} // namespace

extern "C" Q_DECL_EXPORT const char *ZPackageName()
{
    return "dpkZSys";
}
