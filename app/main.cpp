// The program entry: the application object, then the start-up sequence.

#include "ZStartup.h"

#include "forms/TZApplication.h"

#include <malloc.h>

int main(int argc, char *argv[])
{
    // Freed dataset memory stays with the process instead of going back to the
    // system and faulting in again on the next open.
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
    TZApplication app(argc, argv);
    return ZRunProgram();
}
