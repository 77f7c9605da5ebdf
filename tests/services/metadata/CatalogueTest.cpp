#include "TDataFileTest.h"
#include "TestText.h"

#include "data/TDBConn.h"
#include "data/ZTableDefs.h"
#include "ini/TZMemIniFile.h"
#include "metadata/TDBTables.h"

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
        return QList<TZTableColumnDef>{{s("accFee"), s("BillNo"), s("x"), s("Str"), 1, true, 0},
                                       {s("accFee"), s("Amount"), s("金额"), s("ftZCurrency"), 0, false, 0},
                                       {s("moxDiary"), s("DiaryID"), s("日记号"), s("ftZString"), 20, true, 0}};
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
