#include "TTempProgramFolder.h"
#include "TestText.h"

#include "settings/ZGridLog.h"
#include "settings/ZSession.h"

#include <gtest/gtest.h>

TEST(GridLog, WidthsPerUserAndGrid)
{
    TTempProgramFolder folder;
    UserInfo.UserID = s("张三");
    SaveGirdWidthLog(s(" TfrmListFormPub "), s("moxAddressBook"), {80, 120, 64});
    EXPECT_TRUE(folder.readFile(s("log/gridlog_张三.log"))
                    .contains(s("[GridWidth]\nTfrmListFormPubmoxAddressBook=80,120,64,\n").toUtf8()));
    EXPECT_EQ(GetGirdWidthLog(s("TfrmListFormPub"), s("moxAddressBook ")), QStringList({s("80"), s("120"), s("64")}));
    EXPECT_EQ(GetGirdWidthLog(s("TfrmListFormPub"), s("other")), QStringList());

    UserInfo.UserID = s("Admin");
    EXPECT_EQ(GetGirdWidthLog(s("TfrmListFormPub"), s("moxAddressBook")), QStringList());
}

TEST(GridLog, GroupIndexesByField)
{
    TTempProgramFolder folder;
    SaveGridGroupLog(s("TfrmReport"), s("RptAccDaily"), {{s("AccID"), 0}, {s("BillDate"), -1}});
    folder.writeFile(s("log/gridlog_Admin.log"),
                     folder.readFile(s("log/gridlog_Admin.log")) + QByteArray("Broken=x\n"));
    EXPECT_EQ(GetGridGroupLog(s("TfrmReport"), s("RptAccDaily"), {s("accid"), s("BillDate"), s("Broken"), s("New")}),
              QList<int>({0, -1, -1, -1}));
}
