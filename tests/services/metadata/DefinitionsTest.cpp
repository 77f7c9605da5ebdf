#include "TDataFileTest.h"
#include "TestText.h"

#include "data/TDBConn.h"
#include "ini/TZMemIniFile.h"
#include "metadata/TDBSources.h"
#include "metadata/ZDSProperties.h"

#include <gtest/gtest.h>

namespace {

const char *const kCustomer = "[<DSDataSource>]\n"
                              "DataSource=comCustomer\n"
                              "DataSourceIndex=3\n"
                              "DisplayName=客户资料\n"
                              "Propertys=MasterKey=CustID;CodeRule=vtMaxID;DisplayName=不用这个\n"
                              "[<DSDataset>Master]\n"
                              "DataSource=comCustomer\n"
                              "Dataset=Master\n"
                              "DatasetIndex=0\n"
                              "Propertys=AllowNotRow=False\n"
                              "[<DSTable>Master-comCustomer]\n"
                              "DataSource=comCustomer\n"
                              "Dataset=Master\n"
                              "TableName=comCustomer\n"
                              "Propertys=Flag=1;KeyFields=CustID\n"
                              "[<DSField>Master-comCustomer-CustID]\n"
                              "DataSource=comCustomer\n"
                              "Dataset=Master\n"
                              "TableName=comCustomer\n"
                              "FieldName=CustID\n"
                              "FieldIndex=1\n"
                              "Propertys=DisplayName=客户编号;Caption=a=b;PickList[##]男=1,女=2\n"
                              "[<DSField>Master-comCustomer-Sex]\n"
                              "DataSource=comCustomer\n"
                              "Dataset=Master\n"
                              "TableName=comCustomer\n"
                              "FieldName=Sex\n"
                              "FieldIndex=2\n"
                              "PickList=男=1,女=2\n"
                              "Visible=   \n"
                              "Propertys=Visible=False\n"
                              "[Other]\n"
                              "Ignored=1\n";

QStringList rows(TZClientDataSet &ds, const char *field)
{
    QStringList values;
    for (ds.First(); !ds.Eof(); ds.Next())
        values << ds.FieldByName(s(field)).AsString();
    return values;
}

} // namespace

TEST(DefinitionProperties, SectionKeysFirstThenThePropertyText)
{
    TZMemIniFile file;
    file.SetText(s(kCustomer));
    const QString dsProps = file.ReadString(kDSDataSourceTag, s("Propertys"), QString());
    EXPECT_EQ(ReadDSProperty(file, kDSDataSourceTag, dsProps, s("DisplayName")), s("客户资料"));
    EXPECT_EQ(ReadDSProperty(file, kDSDataSourceTag, dsProps, s("MasterKey")), s("CustID"));
    const QString sex = s("<DSField>Master-comCustomer-Sex");
    const QString sexProps = file.ReadString(sex, s("Propertys"), QString());
    EXPECT_EQ(ReadDSProperty(file, sex, sexProps, s("Visible")), s("False")); // a blank key falls through
    // A pick list written with "=" and with "[##]" reads the same: the key of
    // the section is read whole; in a property text "=" stops at the next "=".
    EXPECT_EQ(ReadDSProperty(file, sex, sexProps, s("PickList")), s("男=1,女=2"));
    const QString id = s("<DSField>Master-comCustomer-CustID");
    const QString idProps = file.ReadString(id, s("Propertys"), QString());
    EXPECT_EQ(ReadDSProperty(file, id, idProps, s("PickList")), s("男=1,女=2"));
    EXPECT_EQ(ReadDSProperty(file, id, idProps, s("Caption")), s("a"));

    EXPECT_TRUE(ZDSBool(s("true")));
    EXPECT_FALSE(ZDSBool(s("true"), true));
    EXPECT_TRUE(ZDSBool(s("True"), true));
    EXPECT_FALSE(ZDSBool(s("1")));
    EXPECT_EQ(ZDSInt(s("12")), 12);
    EXPECT_EQ(ZDSInt(s("x"), 1), 1);
    EXPECT_EQ(ZDSSaveType(s("stName")), stName);
    EXPECT_EQ(ZDSSaveType(s("1")), stName);
    EXPECT_EQ(ZDSSaveType(s("name")), stID);
    EXPECT_EQ(ZDSSubPosition(s("1")), psRight);
    EXPECT_EQ(ZDSCtrlWidthType(s("3")), wt23);
    EXPECT_EQ(ZDSCtrlWidthType(s("9")), wtAll);
    EXPECT_EQ(ZDSUICtrlPosition(s("8")), 8);
    EXPECT_EQ(ZDSUICtrlPosition(s("9")), 0);
    EXPECT_EQ(ZDSNumberType(s("8")), 0);
    EXPECT_EQ(ZDSFieldType(s("hascheck"), s("ftZBoolean")), ftZSmallint);
    EXPECT_EQ(ZDSFieldType(s("X"), s("mon")), ftZCurrency);

    EXPECT_EQ(DefaultDataSourcePropertys(s("moxDiary")),
              s("AutoSaveNewDataRemind=False;CheckInUsed=True;CodeRule=MaxID;MenuIndex=0;FormClassName=TfrmmoxDiary"));
    EXPECT_EQ(DefaultDatasetPropertys(), s("AllowNotRow=False;CanDuplicate=True"));
    EXPECT_EQ(DefaultFieldPropertys(s("名称"), s("ftZString"), 50),
              s("DisplayName=名称;FieldType=ftZString;Length=50;CheckInUsed=True;NoRepeat=False;ReadOnly=False;"
                "Visible=True;CanDuplicate=True;AllowEmpty=True;ShowDataList=True;NotNeedChkExistID=False;DigCount=1"));
}

using DefinitionTables = TDataFileTest;

TEST_F(DefinitionTables, LoadSaveAndLoadAgainGivesTheSameRows)
{
    DEFTableInit(DBConn().GetDBCONN());
    for (const char *table : {"defDataSource", "defDataset", "defDsTable", "defFields"})
        EXPECT_TRUE(DBConn().ExistTable(s(table))) << table;
    folder->writeFile(s("DBSource/comCustomer.dbs"), kCustomer);
    folder->writeFile(s("DBSource/moxDiary.DBS"),
                      "[<DSDataSource>]\nDataSource=moxDiary\nPropertys=DisplayName=日记\n");
    TDBSources sources;
    EXPECT_EQ(sources.GetDBSourceList(), QStringList({s("comCustomer"), s("moxDiary")}));

    TZClientDataSet list;
    sources._GetSources(list);
    EXPECT_EQ(rows(list, "DataSource"), QStringList({s("comCustomer"), s("moxDiary")}));

    TZClientDataSet ds, sets, tables, fields;
    sources._GetOneSource(ds, sets, true, s("comCustomer"), fields, tables);
    ASSERT_EQ(ds.RecordCount(), 1);
    ds.First();
    EXPECT_EQ(ds.FieldByName(s("DataSourceIndex")).AsInteger(), 3);
    EXPECT_EQ(ds.FieldByName(s("Propertys")).AsString(),
              s("DataSource[##]comCustomer;DataSourceIndex[##]3;DisplayName[##]客户资料;MasterKey[##]CustID;"
                "CodeRule[##]vtMaxID;DisplayName[##]不用这个"));
    EXPECT_EQ(rows(fields, "FieldName"), QStringList({s("CustID"), s("Sex")}));
    EXPECT_EQ(rows(fields, "DisplayName"), QStringList({QString(), QString()}));
    EXPECT_EQ(rows(tables, "TableName"), QStringList({s("comCustomer")}));
    const QStringList before = rows(fields, "Propertys");

    SaveSources(ds, sets, tables, s("Saved"), fields);
    const TZMemIniFile saved(path(s("Saved/comCustomer.dbs")));
    EXPECT_FALSE(saved.SectionExists(s("Other"))); // one data source saved: unsaved sections go
    EXPECT_EQ(saved.ReadString(s("<DSField>Master-comCustomer-CustID"), s("Propertys"), s("?")), QString());
    EXPECT_EQ(saved.ReadString(s("<DSField>Master-comCustomer-CustID"), s("PickList"), QString()), s("男=1,女=2"));
    EXPECT_EQ(saved.ReadString(kDSDataSourceTag, s("MasterKey"), QString()), s("CustID"));

    TDBSources again(s("Saved"));
    TZClientDataSet ds2, sets2, tables2, fields2;
    again._GetOneSource(ds2, sets2, true, s("comCustomer"), fields2, tables2);
    TZClientDataSet ds3, sets3, tables3, fields3;
    SaveSources(ds2, sets2, tables2, s("Saved"), fields2);
    again._GetOneSource(ds3, sets3, true, s("comCustomer"), fields3, tables3);
    EXPECT_EQ(rows(fields3, "Propertys"), rows(fields2, "Propertys"));
    EXPECT_EQ(rows(ds3, "Propertys"), rows(ds2, "Propertys"));
    EXPECT_EQ(rows(fields2, "FieldIndex"), QStringList({s("1"), s("2")}));
    Q_UNUSED(before)
}

TEST_F(DefinitionTables, ADeletedFieldLeavesTheFileOnlyWhenOneSourceIsSaved)
{
    DEFTableInit(DBConn().GetDBCONN());
    folder->writeFile(s("DBSource/comCustomer.dbs"), kCustomer);
    folder->writeFile(
        s("DBSource/moxDiary.dbs"),
        "[<DSDataSource>]\nDataSource=moxDiary\n[<DSDataset>Master]\nDataset=Master\nDataSource=moxDiary\n");
    TDBSources sources;
    {
        TZClientDataSet ds, sets, tables, fields;
        sources._GetSources(ds, sets, fields, tables);
        ASSERT_TRUE(fields.Locate(s("FieldName"), {s("Sex")}));
        fields.Delete();
        SaveSources(ds, sets, tables, s("DBSource"), fields); // two data sources
        EXPECT_TRUE(
            TZMemIniFile(path(s("DBSource/comCustomer.dbs"))).SectionExists(s("<DSField>Master-comCustomer-Sex")));
    }
    {
        TZClientDataSet ds, sets, tables, fields;
        sources._GetOneSource(ds, sets, true, s("comCustomer"), fields, tables);
        ASSERT_TRUE(fields.Locate(s("FieldName"), {s("Sex")}));
        fields.Delete();
        SaveSources(ds, sets, tables, s("DBSource"), fields); // one data source
        EXPECT_FALSE(
            TZMemIniFile(path(s("DBSource/comCustomer.dbs"))).SectionExists(s("<DSField>Master-comCustomer-Sex")));
        EXPECT_TRUE(
            TZMemIniFile(path(s("DBSource/comCustomer.dbs"))).SectionExists(s("<DSField>Master-comCustomer-CustID")));
    }
}
