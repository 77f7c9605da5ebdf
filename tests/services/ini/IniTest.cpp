#include "TTempProgramFolder.h"
#include "TestText.h"

#include "common/ZEncode.h"
#include "common/ZErrors.h"
#include "ini/TZIniData.h"
#include "ini/TZIniFile.h"
#include "ini/TZMemIniFile.h"
#include "ini/ZIniRoutines.h"

#include <QFile>
#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

const char *const kDefinition = "; 客户资料\n"
                                "[<DataSource>comCustomer]\n"
                                "DataSource=comCustomer\n"
                                "Propertys=FormClassName=TfrmCustomer;CodeRule=MaxID\n"
                                "\n"
                                "[<DSField>Master-comCustomer-CustID]\n"
                                "FieldName = CustID \n"
                                "Propertys=DisplayName[##]客户编号;PickList[##]男=1,女=2\n"
                                "[<dsfield>MASTER-comCustomer-CustID]\n"
                                "FieldName=Shadowed\n"
                                "notAnEntry\n";

} // namespace

TEST(IniData, ClassicLookupRules)
{
    TZIniData data;
    data.parse(QByteArray(kDefinition));
    const QString field = s("<DSField>Master-comCustomer-CustID");
    EXPECT_EQ(data.readString(field, s("fieldname"), s("?")), s("CustID")); // trimmed, any case
    EXPECT_EQ(data.readString(field.toUpper(), s("FIELDNAME"), s("?")), s("CustID"));
    EXPECT_EQ(data.readString(field, s("Propertys"), s("?")), s("DisplayName[##]客户编号;PickList[##]男=1,女=2"));
    EXPECT_EQ(data.readString(s("<DataSource>comCustomer"), s("Propertys"), s("?")),
              s("FormClassName=TfrmCustomer;CodeRule=MaxID"));
    EXPECT_EQ(data.readString(field, s("Missing"), s("dflt")), s("dflt"));
    EXPECT_EQ(data.readString(s("NoSection"), s("x"), s("dflt")), s("dflt"));
    // The first of two sections with the same name wins; names are listed once.
    EXPECT_EQ(data.sections(), QStringList({s("<DataSource>comCustomer"), field}));
    EXPECT_EQ(data.sectionKeys(field), QStringList({s("FieldName"), s("Propertys")}));
}

TEST(IniData, WritesKeepOrderCommentsAndTheRest)
{
    TZIniData data;
    data.parse(QByteArray(kDefinition));
    data.writeString(s("<DataSource>COMCUSTOMER"), s("datasource"), s("新值"));
    data.writeString(s("<DataSource>comCustomer"), s("MenuIndex"), s("3"));
    data.writeString(s("新节"), s("键"), s("值"));
    TZIniData reread;
    reread.parse(data.toUtf8());
    EXPECT_EQ(reread.toText(), data.toText());
    const QString text = data.toText();
    EXPECT_TRUE(text.startsWith(s("; 客户资料\n[<DataSource>comCustomer]\nDataSource=新值\nPropertys=")));
    EXPECT_TRUE(text.contains(s("CodeRule=MaxID\nMenuIndex=3\n\n[<DSField>"))); // before the blank line
    EXPECT_TRUE(text.contains(s("notAnEntry\n[新节]\n键=值\n")));
    EXPECT_EQ(reread.readString(s("新节"), s("键"), QString()), s("值"));

    data.deleteKey(s("<DataSource>comCustomer"), s("MENUINDEX"));
    EXPECT_FALSE(data.valueExists(s("<DataSource>comCustomer"), s("MenuIndex")));
    data.eraseSection(s("<DSFIELD>master-comCustomer-CustID")); // erases both copies
    EXPECT_FALSE(data.sectionExists(s("<DSField>Master-comCustomer-CustID")));
    EXPECT_EQ(data.sections(), QStringList({s("<DataSource>comCustomer"), s("新节")}));
}

TEST(IniData, LineBreaksInValuesCannotBreakTheFile)
{
    TZIniData data;
    data.writeString(s("S"), s("Sql"), s("select *\r\nfrom T\nwhere [x]=1"));
    data.writeString(s("S"), s("Next"), s("2"));
    TZIniData reread;
    reread.parse(data.toUtf8());
    EXPECT_EQ(reread.readString(s("S"), s("Sql"), QString()), s("select * from T where [x]=1"));
    EXPECT_EQ(reread.readString(s("S"), s("Next"), QString()), s("2"));
    EXPECT_EQ(reread.sections(), QStringList({s("S")}));
}

TEST(IniData, ReadsOlderChineseFilesAndByteOrderMarks)
{
    QStringEncoder gb("GB18030");
    ASSERT_TRUE(gb.isValid());
    const QByteArray legacy = gb.encode(s("[登录]\n用户=张三\n"));
    TZIniData data;
    data.parse(legacy);
    EXPECT_EQ(data.readString(s("登录"), s("用户"), QString()), s("张三"));

    data.parse(QByteArray("\xEF\xBB\xBF[A]\r\nk=v\r\n"));
    EXPECT_EQ(data.readString(s("A"), s("K"), QString()), s("v"));

    // A text whose first character is itself U+FEFF keeps it through a save.
    data.parse(QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF[x]=1\n[S]\nk=v\n"));
    TZIniData again;
    again.parse(data.toUtf8());
    EXPECT_EQ(again.toText(), data.toText());
    EXPECT_EQ(again.sections(), QStringList({s("S")}));
}

TEST(IniFile, WritesAreSavedAtOnceAndSeenByEveryReader)
{
    TTempProgramFolder folder;
    TZIniFile first(s("log/test.ini")); // relative names live in the program folder
    first.WriteString(s("窗口"), s("Width"), s("800"));
    first.WriteInteger(s("窗口"), s("Height"), 600);
    first.WriteBool(s("窗口"), s("Max"), true);
    EXPECT_TRUE(folder.readFile(s("log/test.ini")).contains("Width=800"));

    const TZIniFile second(folder.path() + s("log/test.ini"));
    EXPECT_EQ(second.ReadInteger(s("窗口"), s("height"), 0), 600);
    EXPECT_TRUE(second.ReadBool(s("窗口"), s("Max"), false));
    EXPECT_EQ(second.ReadInteger(s("窗口"), s("Missing"), -1), -1);

    // A change made by another program is seen by the next read.
    folder.writeFile(s("log/test.ini"), "[窗口]\nWidth=1024\nHeight=abc\n");
    EXPECT_EQ(second.ReadInteger(s("窗口"), s("Width"), 0), 1024);
    EXPECT_EQ(second.ReadInteger(s("窗口"), s("Height"), 5), 5);

    first.DeleteKey(s("窗口"), s("Width"));
    first.EraseSection(s("Nothing"));
    EXPECT_EQ(folder.readFile(s("log/test.ini")), QByteArray("[窗口]\nHeight=abc\n"));
}

TEST(IniFile, AWriteThatCannotBeSavedIsReported)
{
    TTempProgramFolder folder;
    folder.writeFile(s("blocker"), "a file where a folder should be");
    TZIniFile ini(folder.path() + s("blocker/x.ini"));
    EXPECT_THROW(ini.WriteString(s("A"), s("k"), s("v")), EZError);
    EXPECT_EQ(ini.ReadString(s("A"), s("k"), s("none")), s("none"));
}

TEST(MemIniFile, KeepsTheFileUntilSaved)
{
    TTempProgramFolder folder;
    const QString path = folder.writeFile(s("DBSource/comCustomer.dbs"), kDefinition);
    TZMemIniFile ini(s("DBSource\\comCustomer.dbs"));
    EXPECT_EQ(ini.ReadString(s("<DSField>Master-comCustomer-CustID"), s("FieldName"), QString()), s("CustID"));
    ini.WriteString(s("<DSField>Master-comCustomer-CustID"), s("FieldName"), s("客户ID"));
    ini.EraseSection(s("<DataSource>comCustomer"));
    EXPECT_TRUE(ini.Modified());
    EXPECT_EQ(folder.readFile(s("DBSource/comCustomer.dbs")), QByteArray(kDefinition));
    ini.UpdateFile();
    EXPECT_FALSE(ini.Modified());
    const TZMemIniFile reread(path);
    EXPECT_EQ(reread.ReadString(s("<DSField>Master-comCustomer-CustID"), s("FieldName"), QString()), s("客户ID"));
    EXPECT_FALSE(reread.SectionExists(s("<DataSource>comCustomer")));
    EXPECT_EQ(reread.GetText(), ini.GetText());

    TZMemIniFile text;
    text.SetText(s("[a]\nk=1\n"));
    EXPECT_EQ(text.ReadSectionValues(s("A")), (QList<QPair<QString, QString>>{{s("k"), s("1")}}));
}

TEST(IniRoutines, EncodedValuesAndListings)
{
    TTempProgramFolder folder;
    const QString config = s("sysconfig.ini");
    SetIniItemValue(config, s("SQLServer"), s("Password"), s("密码'1"), true);
    SetIniItemValue(config, s("SQLServer"), s("ServerName"), s("."), false);
    EXPECT_EQ(GetIniItemValue(config, s("sqlserver"), s("password"), true, QString()), s("密码'1"));
    EXPECT_FALSE(folder.readFile(config).contains(s("密码").toUtf8()));
    EXPECT_EQ(GetIniItemValue(config, s("SQLServer"), s("UserID"), true, s("sa")), s("sa"));
    EXPECT_EQ(GetIniItemValue(folder.path() + config, s("SQLServer"), s("ServerName")), s("."));
    EXPECT_EQ(GetIniSections(config), QStringList({s("SQLServer")}));
    EXPECT_EQ(GetIniSecIdenList(config, s("SQLServer")), QStringList({s("Password"), s("ServerName")}));
    DeleteIniItem(config, s("SQLServer"), s("Password"));
    EXPECT_EQ(GetIniSecIdenList(config, s("SQLServer")), QStringList({s("ServerName")}));
    EXPECT_EQ(GetIniSections(s("missing.ini")), QStringList());
}
