// A library with a package's file name that does not name itself as a
// package of the program, though it registers a window class when loaded:
// the launcher must refuse it and forget the class.
#include "launcher/TFormClassCtrl.h"

#include <QWidget>

namespace {

const bool g_registered = [] {
    ZRegisterClass(QStringLiteral("TfrmTestNameless"), [] { return new QWidget; });
    return true;
}();

} // namespace

extern "C" Q_DECL_EXPORT int ZSomethingElse()
{
    return g_registered ? 42 : 0;
}
