// The package's entry: its name, which the launcher resolves to tell a
// package of the program from any other library, and the window classes it
// registers while it is loaded.
#include "launcher/TFormClassCtrl.h"
#include "report/TfrmRptGridView.h"

#include <QtGlobal>

namespace {

TZRegisteredForm<TfrmRptGridView> rptGridView;

} // namespace

extern "C" Q_DECL_EXPORT const char *ZPackageName()
{
    return "dpkSelfBase";
}
