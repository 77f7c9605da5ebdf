#include "TTempProgramFolder.h"
#include "TestText.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

// The program starts from its folder (finding its libraries and packages
// there), fixes its identity, opens data file 1 (made from the template) and
// keeps running until it is closed.
TEST(ProgramStart, StartsOnAFreshProgramFolderAndOpensDataFileOne)
{
    TTempProgramFolder folder;
    // Lock files a dead copy left behind (empty after a power loss) do not
    // keep the program from starting.
    QTemporaryDir runtime;
    QFile(runtime.filePath(s("ZKVA.lock"))).open(QIODevice::WriteOnly);
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    folder.writeFile(s("DBFiles/DBAcs1.orv.lock"), QByteArray());
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(s("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(s("ZKVA_HOME"), folder.path());
    env.insert(s("QT_QPA_PLATFORM"), s("offscreen"));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(s(ZKVA_PROGRAM_DIR "/zkva"), {});
    ASSERT_TRUE(program.waitForStarted(10000)) << qPrintable(program.errorString());

    QFile::copy(s(ZKVA_PROGRAM_DIR "/DBAcs.orv"), folder.path() + s("DBAcs.orv"));
    const bool recorded = QTest::qWaitFor(
        [&] {
            return folder.readFile(s("registry.ini")).contains("ZKVA=ZKVA")
                   && QFile::exists(folder.path() + s("DBFiles/DBAcs1.orv"));
        },
        20000);
    EXPECT_TRUE(recorded) << program.readAll().constData();
    EXPECT_EQ(program.state(), QProcess::Running) << program.readAll().constData();

    // A second copy started meanwhile says so and ends at once.
    QProcess second;
    env.insert(s("ZKVA_BOX_AUTOANSWER"), s("1"));
    second.setProcessEnvironment(env);
    second.start(s(ZKVA_PROGRAM_DIR "/zkva"), {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(second.readAllStandardError()).contains(s("个人助理已经在运行中!")));
    EXPECT_EQ(program.state(), QProcess::Running);

    program.terminate();
    if (!program.waitForFinished(10000))
        program.kill();
}
