// The package's entry: its name, which the launcher resolves to tell a
// package of the program from any other library.
#include <QtGlobal>

extern "C" Q_DECL_EXPORT const char *ZPackageName()
{
    return "dpkSysAdmin";
}
