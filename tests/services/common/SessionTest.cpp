#include "TTempProgramFolder.h"
#include "TestText.h"

#include "settings/ZRegistry.h"
#include "settings/ZSession.h"
#include "settings/ZSwitches.h"
#include "common/ZVersion.h"
#include "data/ZDBType.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

TEST(SessionGlobals, InitialValues)
{
    TTempProgramFolder folder;
    EXPECT_EQ(FSYSID, -1);
    EXPECT_EQ(FSYSCode, QString());
    EXPECT_EQ(FSystemType, stNet);
    EXPECT_FALSE(FRecordACCESSSql);
    EXPECT_EQ(UserInfo, (TUserInfo{s("Admin"), s("Admin"), s("管理员"), QString()}));
    EXPECT_EQ(FQClientRect, TZRect());
    EXPECT_TRUE(FWebSite.isEmpty());
    EXPECT_TRUE(FLastExecSql.isEmpty());
    EXPECT_EQ(FCursorBusyCount, 0);
    EXPECT_FALSE(FSysCodeSaveToRegist);
}

TEST(SessionGlobals, StatementLogSwitchComesFromTheConfiguration)
{
    TTempProgramFolder folder;
    folder.writeFile(s("sysconfig.ini"), "[LOGConfig]\nRecordACCESSSql=1\n"); // hand-written, not encoded
    ResetSessionGlobals();
    EXPECT_TRUE(FRecordACCESSSql);
}

TEST(SessionGlobals, SystemCodeIdAndRegistry)
{
    TTempProgramFolder folder;
    const QString expected = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUpper();
    EXPECT_EQ(GetSysCode(), expected);
    EXPECT_TRUE(FSysCodeSaveToRegist);
    EXPECT_EQ(ReadRegRootKey(expected), expected); // written by the first call
    EXPECT_EQ(GetSysID(), -1);                     // a test program is no system of the framework
    EXPECT_EQ(SysIDOfCode(s("ZKVA")), 1003);
    EXPECT_EQ(SysIDOfCode(s("zkva")), 1003);
    EXPECT_EQ(SysIDOfCode(s("OTHER")), -1);

    EXPECT_EQ(GetRegKey(), s("\\SoftWare\\Orvex"));
    WriteRegKey(s("SkinIndex"), s("3"));
    WriteRegRootKey(s("DBType"), s("1"));
    EXPECT_EQ(ReadRegKey(s("SkinIndex")), s("3"));
    EXPECT_EQ(ReadRegRootKey(s("SkinIndex_") + expected), s("3"));
    EXPECT_EQ(ReadRegRootKey(s("Missing")), QString());
    EXPECT_TRUE(folder.readFile(s("registry.ini")).startsWith("[Orvex]\n"));
}

TEST(SessionGlobals, LoginUserAndAdministrator)
{
    TTempProgramFolder folder;
    EXPECT_TRUE(IsAdminUser());
    const TUserInfo user{s("007"), s("P007"), s("李四"), s("D1")};
    SetLoginUserInfo(user);
    EXPECT_EQ(GetLoginUserInfo(), user);
    EXPECT_FALSE(IsAdminUser());
    UserInfo.UserID = s("aDMIN");
    EXPECT_TRUE(IsAdminUser());
    UserInfo.UserID = s("  ");
    EXPECT_TRUE(IsAdminUser());
}

TEST(SessionGlobals, DatabaseKindAndSwitchesFollowTheSystemId)
{
    TTempProgramFolder folder;
    FSYSID = 1003;
    EXPECT_EQ(GetDBType(), dtDbACCESS);
    EXPECT_EQ(IsSystemVisible(s("任何组")), 1);
    EXPECT_FALSE(UsePosSystem());
    FSYSID = 1001;
    FSystemType = stDemo;
    EXPECT_EQ(GetDBType(), dtDbDemo);
    FSystemType = stAlone;
    EXPECT_EQ(GetDBType(), dtDbACCESS);
    FSystemType = stNet;
    EXPECT_EQ(GetDBType(), dtMSSQL);
    EXPECT_TRUE(UsePosSystem());
    EXPECT_EQ(ResolveDBType(dtNone), dtMSSQL);
    EXPECT_EQ(ResolveDBType(dtDbDemo), dtDbDemo);

    // Parameters come through the reader the parameter cache installs.
    EXPECT_FALSE(UseOrgManage());
    EXPECT_FALSE(UseMutilCurrency());
    SetZParamReader([](const QString &name, const QString &def) {
        return name == s("OrgManage") || name == s("MutilCurrency") ? s("1") : def;
    });
    EXPECT_TRUE(UseOrgManage());
    EXPECT_TRUE(UseMutilCurrency());
    FSYSID = 1003;
    EXPECT_FALSE(UseOrgManage()); // never in this program
    SetZParamReader(nullptr);

    // A development run takes the kind from the registry.
    InDevelopmentEnv = true;
    EXPECT_EQ(GetDBType(), dtMSSQL);
    WriteRegRootKey(s("DBType"), s("1"));
    EXPECT_EQ(GetDBType(), dtDbACCESS);
}

TEST(Version, CompiledInAndCompared)
{
    EXPECT_TRUE(GetAppVersionID().contains(QRegularExpression(s("^\\d+\\.\\d+\\.\\d+\\.\\d+$"))));
    EXPECT_EQ(GetAppVersion(), s("版本：") + GetAppVersionID());
    EXPECT_EQ(CompareVersion(s(""), s(" ")), 0);
    EXPECT_EQ(CompareVersion(s("1.0"), s("")), 1);
    EXPECT_EQ(CompareVersion(s(""), s("1.0")), -1);
    EXPECT_EQ(CompareVersion(s("1.2.10.0"), s("1.2.9.9")), 1);
    EXPECT_EQ(CompareVersion(s("1.2.0.0"), s("1.10.0.0")), -1);
    EXPECT_EQ(CompareVersion(s("1.0.0.1"), s("1.0.0")), 1);
    EXPECT_EQ(CompareVersion(s("1.0"), s("1.0.0.5")), 0); // only as many parts as A has
    EXPECT_EQ(CompareVersion(s("1.x"), s("1.0")), 0);
}

TEST(SessionGlobals, AProgramFolderThatCannotBeWrittenDoesNotStopTheSystemCode)
{
    TTempProgramFolder folder;
    ASSERT_TRUE(QDir().mkpath(folder.path() + s("registry.ini"))); // a folder where the file should be
    EXPECT_FALSE(GetSysCode().isEmpty());
    EXPECT_FALSE(FSysCodeSaveToRegist);
}
