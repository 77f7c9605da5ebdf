// The package's entry: its name, which the launcher resolves to tell a
// package of the program from any other library, and the window classes it
// registers while it is loaded.
#include "forms/TfrmUserMsg.h"
#include "launcher/TFormClassCtrl.h"

#include <QtGlobal>

namespace {

struct TRegistration
{
    TRegistration()
    {
        ZRegisterClass(QStringLiteral("TfrmUserMsg"), [] { return new TfrmUserMsg; });
    }
    ~TRegistration() { ZUnRegisterClass(QStringLiteral("TfrmUserMsg")); }
} registration;

} // namespace

extern "C" Q_DECL_EXPORT const char *ZPackageName()
{
    return "dpkZSys";
}
