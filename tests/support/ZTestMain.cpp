// The main of every test executable: a Qt application on the offscreen
// platform (unless another is asked for) and a temporary program folder for
// the whole run, so no test writes into the build tree.

#include "TTempProgramFolder.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    // A private runtime folder (0700), as a desktop session would provide.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    TTempProgramFolder folder;
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
