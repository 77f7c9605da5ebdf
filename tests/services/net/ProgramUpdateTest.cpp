// The version routines of the program update: version texts compared, the
// file version marker read from program files, the version files of the
// program and update folders, and the update server's settings.
#include "TTempProgramFolder.h"
#include "TestText.h"

#include "common/ZVersion.h"
#include "data/ZSysConfig.h"
#include "net/ZProgramUpdate.h"

#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

TEST(ProgramUpdate, CompareVersionTakesThePartsOfTheFirstTextAsNumbers)
{
    EXPECT_EQ(CompareVersion(s("1.10"), s("1.9")), 1);
    EXPECT_EQ(CompareVersion(s("1.9"), s("1.10")), -1);
    EXPECT_EQ(CompareVersion(s("1.0"), s("1.0.1")), 0);
    EXPECT_EQ(CompareVersion(s("1.0.1"), s("1.0")), 1);
    EXPECT_EQ(CompareVersion(s(" 2.0.0.0 "), s("2.0.0.0")), 0);
}

TEST(ProgramUpdate, GetVersionReadsTheMarkerOfAProgramFile)
{
    TTempProgramFolder folder;
    // The running program is asked directly.
    EXPECT_EQ(GetVersion(QCoreApplication::applicationFilePath()), GetAppVersionID());
    // The libraries and the program of the build carry the marker.
    EXPECT_EQ(GetVersion(s(ZKVA_PROGRAM_DIR "/libOrvLibs.so")), GetAppVersionID());
    EXPECT_EQ(GetVersion(s(ZKVA_PROGRAM_DIR "/zkva")), GetAppVersionID());

    QByteArray program(100000, '\x7f');
    program.replace(50000, 40, QByteArray("ZKVA-FILE-VERSION:\0ZKVA-FILE-VERSION:2.x\0", 40));
    program.append(QByteArray("ZKVA-FILE-VERSION:2.3.40.5\0tail", 31));
    EXPECT_EQ(GetVersion(folder.writeFile(s("AutoUpd"), program)), s("2.3.40.5"));
    EXPECT_EQ(GetVersion(folder.writeFile(s("plain"), QByteArray(5000, 'a'))), s("0.0.0.0"));
    EXPECT_EQ(GetVersion(folder.writeFile(s("cut"), QByteArray("ZKVA-FILE-VERSION:1.2.3.4"))), s("0.0.0.0"));
    EXPECT_EQ(GetVersion(folder.writeFile(s("empty"), QByteArray())), s("0.0.0.0"));
    EXPECT_EQ(GetVersion(folder.path() + s("missing")), s("0.0.0.0"));
    EXPECT_EQ(GetVersion(folder.path()), s("0.0.0.0"));
}

TEST(ProgramUpdate, OfferedVersionAgainstTheProgramFolderOrTheProgram)
{
    TTempProgramFolder folder;
    EXPECT_EQ(ZUpdateFolder(), folder.path() + s("AutoUpdateMOX/"));
    // Nothing offered: nothing to update.
    EXPECT_EQ(GetUpdateMsgVersion(ZUpdateFolder() + s("UpdateMsg.ini")), QString());
    EXPECT_FALSE(IsNeedUpdate());

    // Without a local version file the program's own version counts.
    const QString offered = folder.writeFile(s("AutoUpdateMOX/UpdateMsg.ini"),
                                             "[UpdateMsg]\r\nVersion= " + GetAppVersionID().toUtf8() + " \r\n");
    EXPECT_EQ(GetUpdateMsgVersion(offered), GetAppVersionID());
    EXPECT_FALSE(IsNeedUpdate());
    folder.writeFile(s("AutoUpdateMOX/UpdateMsg.ini"), "[UpdateMsg]\r\nVersion=99.0\r\n");
    EXPECT_TRUE(IsNeedUpdate());

    // A local version file wins over the program's version.
    folder.writeFile(s("UpdateMsg.ini"), "[updatemsg]\nversion=99.0.0.0\n");
    EXPECT_FALSE(IsNeedUpdate());
    folder.writeFile(s("UpdateMsg.ini"), "[UpdateMsg]\nVersion = 98.9.9.9\n");
    EXPECT_TRUE(IsNeedUpdate());
}

TEST(ProgramUpdate, TheServerComesFromTheProgramFolderSettings)
{
    TTempProgramFolder folder;
    TZUpdateServer server = ZReadUpdateServer();
    EXPECT_TRUE(server.Host.isEmpty());
    EXPECT_EQ(server.Port, 21);

    WriteSysConfig(s("AutoUpdate"), s("Host"), s(" update.example.com "));
    WriteSysConfig(s("AutoUpdate"), s("Port"), s("2121"));
    WriteSysConfig(s("AutoUpdate"), s("UserName"), s("升级"));
    WriteSysConfig(s("AutoUpdate"), s("Password"), s("p;w=d"));
    server = ZReadUpdateServer();
    EXPECT_EQ(server.Host, s("update.example.com"));
    EXPECT_EQ(server.Port, 2121);
    EXPECT_EQ(server.UserName, s("升级"));
    EXPECT_EQ(server.Password, s("p;w=d"));
    // Stored encoded, as every value of the file.
    EXPECT_FALSE(folder.readFile(s("sysconfig.ini")).contains("p;w=d"));

    WriteSysConfig(s("AutoUpdate"), s("Port"), s("none"));
    EXPECT_EQ(ZReadUpdateServer().Port, 21);
}
