// A run-time package for the launcher's tests: window classes that record
// what the launcher hands them, registered when the package is loaded.
#include "forms/TfrmZForm.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/TFormParams.h"

#include <QtGlobal>

namespace {

/// Keeps the parameters it receives in its dynamic properties, where the
/// test reads them without knowing this class.
class TfrmRecording : public TfrmZForm
{
public:
    QString GetProgID() override { return m_progID; }

    void FormReturnValue(const QString &name, const QString &value) override
    {
        if (name != kFormParamsName)
            return;
        const TFormParams *params = ZFormParamsAt(value);
        if (!params)
            return;
        m_progID = params->ProgID;
        setProperty("action", params->Action);
        setProperty("keyValue", params->KeyValue);
        setProperty("received", property("received").toInt() + 1);
    }

private:
    QString m_progID;
};

} // namespace

class TfrmListFormPub : public TfrmRecording
{
    Q_OBJECT
};

class TfrmTestOwnList : public TfrmRecording
{
    Q_OBJECT
};

class TfrmTestEdit : public TfrmRecording
{
    Q_OBJECT
};

namespace {

struct TRegistration
{
    TRegistration()
    {
        ZRegisterClass(QStringLiteral("TfrmListFormPub"), [] { return new TfrmListFormPub; });
        ZRegisterClass(QStringLiteral("TfrmTestOwnList"), [] { return new TfrmTestOwnList; });
        ZRegisterClass(QStringLiteral("TfrmTestEdit"), [] { return new TfrmTestEdit; });
    }
    ~TRegistration()
    {
        for (const char *name : {"TfrmListFormPub", "TfrmTestOwnList", "TfrmTestEdit"})
            ZUnRegisterClass(QLatin1String(name));
    }
} registration;

} // namespace

extern "C" Q_DECL_EXPORT const char *ZPackageName()
{
    return "dpkTestForms";
}

#include "TestFormsPackage.moc"
