#include "TDataFileTest.h"
#include "TestText.h"

#include "data/TDBConn.h"
#include "data/ZFieldType.h"
#include "data/ZTableDefs.h"

#include <gtest/gtest.h>

using TableDefs = TDataFileTest;

TEST(FieldTypes, NamesShortFormsAndSqlTypes)
{
    EXPECT_EQ(StrToZFieldType(s("FTZMEMO")), ftZMemo);
    EXPECT_EQ(StrToZFieldType(s("mon")), ftZCurrency);
    EXPECT_EQ(StrToZFieldType(s("whatever")), ftZString);
    EXPECT_EQ(GetDBFieldType(s("dat"), dtMSSQL), s("smalldatetime"));
    EXPECT_EQ(GetDBFieldType(s("ftZDate"), dtDbACCESS), s("datetime"));
    EXPECT_EQ(GetDBFieldType(s("Str"), dtDbACCESS), s("VarChar"));
    EXPECT_EQ(GetDBFieldType(s("unknown"), dtMSSQL), s("varchar"));
    EXPECT_EQ(GetDBFieldType(s("bol"), dtDbACCESS), s("bit"));
    EXPECT_EQ(ZFieldTypeOfDeclared(s("[varchar](50)")), ftZString);
    EXPECT_EQ(ZFieldTypeOfDeclared(s("Money")), ftZCurrency);
    EXPECT_EQ(ZFieldTypeOfDeclared(s("smalldatetime")), ftZDate);
    EXPECT_EQ(FieldTypeToZFieldType(ftZBlob), s("ftZString"));
    EXPECT_EQ(FieldTypeToZFieldType(ftZTime), s("ftZTime"));
}

TEST_F(TableDefs, CatalogueRulesAndCreateStatements)
{
    folder->writeFile(
        s("DBTables/accFee.tbl"),
        "[Remark]\nFieldType=mem\n[Amount]\nFieldType=ftZCurrency\n[BillNo]\nFieldType=Str\nFieldLength=20\n"
        "[Name]\nFieldType=Str\nFieldLength=0\n[HasCheck]\nFieldType=ftZBoolean\n[RowNo]\nFieldType=int\n"
        "[Code]\nIsKeyField=1\nFieldType=Str\nFieldLength=10\n[SyncCompleted]\nFieldType=Str\n"
        "[Photo]\nFieldType=blo\n");
    const QList<TZTableColumnDef> defs = LoadTableDefinitions(s("DBTables"));
    QStringList order;
    for (const TZTableColumnDef &c : defs)
        order << c.FieldName;
    EXPECT_EQ(order, QStringList({s("BillNo"), s("RowNo"), s("Code"), s("Remark"), s("Amount"), s("Name"),
                                  s("HasCheck"), s("Photo")}));
    EXPECT_EQ(ZFieldIndexRule(s("PowerDesign"), s("UserID"), true), 0);
    EXPECT_EQ(ZFieldIndexRule(s("x"), s("ParentRowNo"), true), 3);

    EXPECT_EQ(GetCreateDefTableSQL(defs, s("accFee"), dtDbACCESS),
              s(" CREATE TABLE [accFee]([BillNo] VarChar(20) NOT NULL DEFAULT '',[RowNo] int NOT NULL DEFAULT 0,"
                "[Code] VarChar(10) NOT NULL DEFAULT '',[Remark] text DEFAULT '',[Amount] Money DEFAULT 0,"
                "[Name] VarChar(20) DEFAULT '',[HasCheck] smallint DEFAULT 0,[Photo] image)"));
    EXPECT_TRUE(GetCreateDefTableSQL(defs, s("accFee"), dtMSSQL, s("accFee_Check"))
                    .startsWith(s(" CREATE TABLE [dbo].[accFee_Check]([BillNo] varchar(20) NOT NULL DEFAULT '',")));
    EXPECT_TRUE(GetCreateDefTableSQL(defs, s("accFee"), dtMSSQL).endsWith(s(") ON [PRIMARY]")));

    DBConn().DropTable(s("accFee")); // the template holds its own accFee
    CreateTable(DBConn().GetDBCONN(), defs, s("accFee"));
    EXPECT_EQ(DBConn().GetKeyFields(s("accFee")), s("BillNo,RowNo,Code"));
    DBConn().DBExcuteSql(s("insert into accFee(BillNo, RowNo, Code) values('b', 1, 'c')"));
    EXPECT_THROW(DBConn().DBExcuteSql(s("insert into accFee(BillNo, RowNo, Code) values('B', 1, 'C')")), EZError);
}

TEST_F(TableDefs, TheTemplateHoldsEveryDefinedTable)
{
    const QList<TZTableColumnDef> defs = LoadTableDefinitions(s(ZKVA_PROGRAM_DIR "/DBTables"));
    const QStringList tables = ZDefinedTables(defs);
    EXPECT_TRUE(tables.contains(s("comVirtual")));
    for (const QString &table : tables) {
        EXPECT_TRUE(DBConn().ExistTable(table)) << qPrintable(table);
        for (const TZTableColumnDef &c : defs) {
            if (c.TableName == table) {
                EXPECT_TRUE(DBConn().ExistTableField(table, c.FieldName)) << qPrintable(table + s(".") + c.FieldName);
            }
        }
    }
}

// Rows written without a Flag (the module-access editor writes them so) are
// personal rows, which the permission look-ups read with Flag = 1.
TEST_F(TableDefs, PermissionRowsWithoutAFlagArePersonal)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into PowerDesign(UserID, ProgID, Powers) values('u1', 'moxDiary', '1111')"));
    EXPECT_EQ(db.DBSelectValue(s("select Powers from PowerDesign where Flag = 1 and UserID = 'u1'")),
              QStringList({s("1111")}));
}

TEST_F(TableDefs, IndexesAndEngineRulesCanBeAddedToAnExistingFile)
{
    // A table made before the rules (no triggers): the update brings them.
    TZDbConnection &c = DBConn().GetDBCONN();
    c.execute(s("create table Old([K] VarChar(10) COLLATE NOCASE, [D] datetime, [M] Money DEFAULT 0)"));
    c.execute(s("insert into Old values('a', '2011-06-01', 0.1 + 0.2)"));
    ApplyEngineRules(c);
    ApplyEngineRules(c); // repeatable
    DBConn().DBExcuteSql(s("update Old set M = M * 3"));
    DBConn().DBExcuteSql(s("insert into Old values('b', '2011-06-02', 0.1 + 0.2)"));
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from Old where M = 0.9 or M = 0.3")), 2);

    const QList<TZIndexDef> indexes{{s("Old"), {s("D"), s("K")}}, {s("Missing"), {s("X")}}};
    EXPECT_EQ(GetCreateIndexSQL(indexes.front()), s("CREATE INDEX IF NOT EXISTS [IX_Old_D_K] ON [Old]([D],[K])"));
    CreateIndexes(c, indexes);
    CreateIndexes(c, indexes);
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from sqlite_master where type = 'index' and name = 'IX_Old_D_K'")),
              1);
}

TEST_F(TableDefs, ATableMadeAgainUnderItsNameRoundsMoney)
{
    // The shape of a table rebuild: the old table renamed away, the new one
    // created under the name, the rows copied back.
    TDBConn &db = DBConn();
    db.DBExcuteSql(s(" CREATE TABLE [Acc]([K] VarChar(10), [M] Money DEFAULT 0)"));
    db.DBExcuteSql(s("alter table Acc rename to Acc_Old"));
    db.DBExcuteSql(s(" CREATE TABLE [Acc]([K] VarChar(10), [M] Money DEFAULT 0, [N] int DEFAULT 0)"));
    db.DBExcuteSql(s("insert into Acc(K, M) values('a', 0.1 + 0.2)"));
    db.DBExcuteSql(s("drop table Acc_Old"));
    db.DBExcuteSql(s("update Acc set M = M * 3"));
    EXPECT_EQ(db.GetRecordCount(s("select * from Acc where M = 0.9")), 1);
}
