#include "TDataFileTest.h"
#include "TestText.h"

#include "data/TDBConn.h"
#include "data/ZTableDefs.h"
#include "ini/TZMemIniFile.h"
#include "metadata/TDBSources.h"
#include "metadata/TDBTables.h"
#include "metadata/ZDefEditorDefaults.h"

#include <gtest/gtest.h>

using Catalogue = TDataFileTest;

TEST_F(Catalogue, TablesFromTheDefinitionFilesAndBack)
{
    folder->writeFile(s("DBTables/accFee.tbl"),
                      "[Remark]\nFieldDesc=备注\nFieldType=mem\n[BillNo]\nFieldType=Str\n"
                      "FieldLength=20\n[HasCheck]\nFieldType=bol\n[SyncCompleted]\nFieldType=Str\n");
    folder->writeFile(s("DBTables/DeleteSync.tbl"), "[SyncCompleted]\nFieldType=Str\nFieldLength=100\n");
    DBConn().DBExcuteSql(s("create table DefTable(x int)")); // an old one is replaced
    TDBTables catalogue;
    EXPECT_TRUE(DBConn().ExistTableField(s("DefTable"), s("FieldIndex")));
    EXPECT_EQ(catalogue.GetFixTableList(), QStringList({s("accFee"), s("DeleteSync")}));

    SetDefinesMergeSource([] {
        return QList<TZTableColumnDef>{
            {s("accFee"), s("BillNo"), s("x"), s("Str"), 1, true, 0, QString()},
            {s("accFee"), s("Amount"), s("金额"), s("ftZCurrency"), 0, false, 0, QString()},
            {s("moxDiary"), s("DiaryID"), s("日记号"), s("ftZString"), 20, true, 0, QString()}};
    });
    TZClientDataSet defs;
    catalogue.GetDefinesData(defs, false);
    EXPECT_EQ(defs.RecordCount(), 4);
    ASSERT_TRUE(defs.Locate(s("TableName;FieldName"), {s("accFee"), s("BillNo")}));
    EXPECT_TRUE(defs.FieldByName(s("IsKeyField")).AsBoolean());
    EXPECT_EQ(defs.FieldByName(s("FieldIndex")).AsInteger(), 2);
    ASSERT_TRUE(defs.Locate(s("FieldName"), {s("HasCheck")}));
    EXPECT_EQ(defs.FieldByName(s("FieldType")).AsString(), s("ftZSmallint"));
    EXPECT_TRUE(defs.Locate(s("TableName;FieldName"), {s("DeleteSync"), s("SyncCompleted")}));
    EXPECT_FALSE(defs.Locate(s("TableName;FieldName"), {s("accFee"), s("SyncCompleted")}));

    catalogue.GetDefinesData(defs, true);
    EXPECT_EQ(defs.RecordCount(), 6);
    EXPECT_EQ(catalogue.GetTableList(defs), QStringList({s("accFee"), s("DeleteSync"), s("moxDiary")}));
    EXPECT_EQ(catalogue.GetTableList(), QStringList({s("accFee"), s("DeleteSync"), s("moxDiary")}));
    SetDefinesMergeSource(nullptr);

    ASSERT_TRUE(defs.Locate(s("FieldName"), {s("Amount")}));
    defs.Edit();
    defs.FieldByName(s("FieldName")).SetAsString(s("RowNo"));
    TDBTables::SetFieldIndex(defs);
    EXPECT_EQ(defs.FieldByName(s("FieldIndex")).AsInteger(), 4);
    defs.Post();
    catalogue.SaveDefines(defs);
    const TZMemIniFile saved(path(s("DBTables/moxDiary.tbl")));
    EXPECT_EQ(saved.ReadString(s("DiaryID"), s("IsKeyField"), QString()), s("1"));
    EXPECT_EQ(saved.ReadString(s("DiaryID"), s("FieldLength"), QString()), s("20"));
    EXPECT_EQ(TZMemIniFile(path(s("DBTables/accFee.tbl"))).ReadSections(),
              QStringList({s("BillNo"), s("HasCheck"), s("Remark"), s("RowNo")}));
}

TEST_F(Catalogue, EditorDefaultsForNewItems)
{
    folder->writeFile(s("DBTables/moxDiary.tbl"),
                      "[DiaryID]\nIsKeyField=1\nFieldDesc=日记号\nFieldType=ftZString\nFieldLength=20\n"
                      "[Content]\nFieldDesc=内容\nFieldType=ftZMemo\n");
    TDBTables catalogue;
    TZClientDataSet defs;
    catalogue.GetDefinesData(defs, false);
    DEFTableInit(DBConn().GetDBCONN());
    TZClientDataSet fields;
    DBConn().DBOpenDataSet(fields, s("Select * From defFields where 1=2"));
    fields.Append();
    fields.FieldByName(s("FieldName")).SetAsString(s("Old"));
    fields.Post();
    // Fields are numbered on from the rows already there.
    EXPECT_EQ(AddCatalogueFields(defs, fields, s("moxDiary"), s("Master"), s("moxDiary")), 2);
    ASSERT_TRUE(fields.Locate(s("FieldName"), {s("Content")}));
    EXPECT_EQ(fields.FieldByName(s("FieldIndex")).AsInteger(), 2);
    EXPECT_EQ(fields.FieldByName(s("Propertys")).AsString(),
              s("DisplayName=内容;FieldType=ftZMemo;Length=0;CheckInUsed=True;NoRepeat=False;ReadOnly=False;"
                "Visible=True;CanDuplicate=True;AllowEmpty=True;ShowDataList=True;NotNeedChkExistID=False;DigCount=1"));

    TZClientDataSet sources;
    DBConn().DBOpenDataSet(sources, s("Select * From defDataSource where 1=2"));
    EXPECT_EQ(NextDataSourceIndex(sources), 0);
    for (int index : {4, 1}) {
        sources.Append();
        sources.FieldByName(s("DataSourceIndex")).SetAsInteger(index);
        sources.Post();
    }
    EXPECT_EQ(NextDataSourceIndex(sources), 5);

    SetLastReadDS(s("moxDiary"));
    EXPECT_EQ(LastReadDS(), s("moxDiary"));
}
