// The program entry: the application object, then the start-up sequence.

#include "ZStartup.h"

#include "forms/TZApplication.h"

int main(int argc, char *argv[])
{
    TZApplication app(argc, argv);
    return ZRunProgram();
}
