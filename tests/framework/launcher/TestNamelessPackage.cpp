// A library with a package's file name that does not name itself as a
// package of the program: the launcher must refuse it.
#include <QtGlobal>

extern "C" Q_DECL_EXPORT int ZSomethingElse()
{
    return 42;
}
