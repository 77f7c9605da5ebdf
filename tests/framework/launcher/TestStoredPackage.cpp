// A run-time package for the launcher's tests that only the stored class map
// names: no test loads it directly, so the map is what finds it.
#include "forms/TfrmZForm.h"
#include "launcher/TFormClassCtrl.h"

#include <QtGlobal>

class TfrmTestStored : public TfrmZForm
{
    Q_OBJECT
};

namespace {

struct TRegistration
{
    TRegistration()
    {
        ZRegisterClass(QStringLiteral("TfrmTestStored"), [] { return new TfrmTestStored; });
    }
    ~TRegistration() { ZUnRegisterClass(QStringLiteral("TfrmTestStored")); }
} registration;

} // namespace

extern "C" Q_DECL_EXPORT const char *ZPackageName()
{
    return "dpkTestStored";
}

#include "TestStoredPackage.moc"
