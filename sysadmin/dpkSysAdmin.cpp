// The package's entry: its name, which the launcher resolves to tell a
// package of the program from any other library, and the windows it
// registers.
#include "forms/TfrmACCESSBackUp.h"
#include "forms/TfrmUpdateDB.h"
#include "launcher/TFormClassCtrl.h"

#include <QtGlobal>

namespace {

TZRegisteredForm<TfrmACCESSBackUp> accessBackUp;
TZRegisteredForm<TfrmUpdateDB> updateDB;

} // namespace

extern "C" Q_DECL_EXPORT const char *ZPackageName()
{
    return "dpkSysAdmin";
}
