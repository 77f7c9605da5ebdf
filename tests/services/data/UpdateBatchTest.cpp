#include "TDataFileTest.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "common/ZSqlQuote.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/ZRowIdSql.h"

#include <gtest/gtest.h>

using UpdateBatch = TDataFileTest;

namespace {

QString personName(const char *id)
{
    return DBConn().GetFieldValue(s("comPerson"), s("PersonName"), s("PersonID = ") + ZQuotedStr(s(id)));
}

} // namespace

TEST_F(UpdateBatch, KeyLocatedWritesTouchOnlyTheBaseTable)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into comPerson(PersonID, PersonName, IsSysUser) values('001', '张三', -1)"));
    db.DBExcuteSql(s("insert into comPerson(PersonID, PersonName, IsSysUser) values('002', '李四', 0)"));
    db.DBExcuteSql(s("insert into comUser(UserID, PersonID, UserName) values('001', '001', '张三')"));

    auto ds = db.DBOpenDataSet(s(
        "select A.*, B.UserName from comPerson A left join comUser B on A.PersonID = B.PersonID order by A.PersonID"));
    ASSERT_EQ(ds->RecordCount(), 2);
    EXPECT_EQ(ds->FieldByName(s("IsSysUser")).DataType(), ftZBoolean);
    EXPECT_TRUE(ds->FieldByName(s("IsSysUser")).AsBoolean());
    ds->Edit();
    ds->FieldByName(s("PersonID")).SetAsString(s("007")); // the key itself changes
    ds->FieldByName(s("PersonName")).SetAsString(s("张三丰"));
    ds->FieldByName(s("UserName")).SetAsString(s("never written"));
    ds->Post();
    ds->Next();
    ds->Delete();
    ds->Append();
    ds->FieldByName(s("PersonID")).SetAsString(s("003"));
    ds->Post();
    EXPECT_EQ(ds->ChangeCount(), 3);
    ds->UpdateBatch();
    EXPECT_EQ(ds->ChangeCount(), 0);

    EXPECT_EQ(personName("007"), s("张三丰"));
    EXPECT_EQ(db.GetRecordCount(s("select * from comPerson where PersonID = '002'")), 0);
    EXPECT_EQ(db.GetFieldValue(s("comUser"), s("UserName"), s("UserID = '001'")), s("张三"));
    // A column left empty takes the table's default, not NULL.
    EXPECT_EQ(db.GetRecordCount(s("select * from comPerson where PersonID = '003' and PersonName = ''")), 1);
}

TEST_F(UpdateBatch, RowsWithoutKeyAreLocatedByAllValuesOneAtATime)
{
    TDBConn &db = DBConn();
    for (int i = 0; i < 2; ++i)
        db.DBExcuteSql(s("insert into comLock(LockKey, LockMsg, LockTime) values('k', 'same', '2011-06-21 09:00:00')"));
    auto ds = db.DBOpenDataSet(s("select * from comLock"));
    ds->First();
    ds->Delete();
    ds->Edit();
    ds->FieldByName(s("LockMsg")).SetAsString(s("other"));
    ds->Post();
    ds->UpdateBatch();
    EXPECT_EQ(db.DBSelectValue(s("select count(*), max(LockMsg) from comLock")), QStringList({s("1"), s("other")}));
}

TEST_F(UpdateBatch, AWriteThatTouchesNoRowFailsAndKeepsEverything)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into comPerson(PersonID, PersonName) values('001', 'a')"));
    db.DBExcuteSql(s("insert into comPerson(PersonID, PersonName) values('002', 'b')"));
    auto ds = db.DBOpenDataSet(s("select * from comPerson order by PersonID"));
    ds->Edit();
    ds->FieldByName(s("PersonName")).SetAsString(s("a2"));
    ds->Post();
    ds->Next();
    ds->Edit();
    ds->FieldByName(s("PersonName")).SetAsString(s("b2"));
    ds->Post();
    db.DBExcuteSql(s("delete from comPerson where PersonID = '002'")); // someone else deleted it

    EXPECT_THROW(ds->UpdateBatch(), EZError);
    EXPECT_EQ(ds->ChangeCount(), 2);
    EXPECT_EQ(personName("001"), s("a")); // the first update was rolled back
    EXPECT_FALSE(db.InTransaction());
}

TEST_F(UpdateBatch, AllowedOnlyWithABaseTable)
{
    auto ds = DBConn().DBOpenDataSet(s("select 1 as One"));
    ds->Edit();
    ds->Fields(0).SetAsInteger(2);
    ds->Post();
    EXPECT_THROW(ds->UpdateBatch(), EZError);
}

TEST_F(UpdateBatch, TextsComeBackByteIdenticalThroughEveryWritePath)
{
    const QStringList texts{s("O'Brien ''x''"), s("C:\\path\\n\\t"),   s("100% _x_ [a]"),    s("中文，全角　空格"),
                            s("emoji 😀🎉"),      s("line1\r\nline2\n"), s(" lead and trail ")};
    TDBConn &db = DBConn();
    int n = 0;
    for (const QString &text : texts) {
        const QString id = QString::number(++n);
        // a command with a quoted literal
        db.DBExcuteSql(s("insert into comChangeLog(ProgID, KeyValue, OldData_XML) values(%1, %2, %3)")
                           .arg(ZQuotedStr(text), ZQuotedStr(id), ZQuotedStr(text)));
        // a dataset insert and update
        auto ds = db.DBOpenDataSet(s("select * from comChangeLog where KeyValue = ") + ZQuotedStr(id));
        ds->Edit();
        ds->FieldByName(s("NewData_XML")).SetAsString(text);
        ds->Post();
        ds->Append();
        ds->FieldByName(s("KeyValue")).SetAsString(s("new") + id);
        ds->FieldByName(s("ProgID")).SetAsString(text);
        ds->Post();
        ds->UpdateBatch();
        // parameters, short and long
        SaveParamValue(s("P") + id, text);
        SaveLongParamValue(s("L") + id, text);
    }
    n = 0;
    for (const QString &text : texts) {
        const QString id = QString::number(++n);
        auto ds = db.DBOpenDataSet(s("select * from comChangeLog where KeyValue = ") + ZQuotedStr(id));
        EXPECT_EQ(ds->FieldByName(s("ProgID")).AsString(), text);
        EXPECT_EQ(ds->FieldByName(s("OldData_XML")).AsString(), text);
        EXPECT_EQ(ds->FieldByName(s("NewData_XML")).AsString(), text);
        EXPECT_EQ(db.GetRecordCount(s("select * from comChangeLog where ProgID = ") + ZQuotedStr(text)), 2);
        auto param = db.DBOpenDataSet(s("select ParamValue from comParams where ParamName = 'P") + id + s("'"));
        EXPECT_EQ(param->Fields(0).AsString(), text);
        auto longParam = db.DBOpenDataSet(s("select ParamValue from comParamsEx where ParamName = 'L") + id + s("'"));
        EXPECT_EQ(longParam->Fields(0).AsString(), text);
    }
}

TEST_F(UpdateBatch, RowsWithoutKeyAreFoundByTheirExactValuesNotSimilarOnes)
{
    createTable(s(" CREATE TABLE [ZNoKey]([Name] VarChar(20) COLLATE NOCASE, [Price] float)"));
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into ZNoKey(Name, Price) values('KEY', 1.00001)"));
    db.DBExcuteSql(s("insert into ZNoKey(Name, Price) values('key', 1.00002)"));
    const auto nameAt = [&](const char *price) {
        return db.DBSelectValue(s("select Name from ZNoKey where Price = ") + s(price)).value(0);
    };
    // Read from the table alone (row identities), then through a join (values).
    for (const char *sql :
         {"select * from ZNoKey order by Price", "select top 2 Name, Price from ZNoKey order by Price",
          "select A.*, B.Name as Other from ZNoKey A left join ZNoKey B on 1 = 0 order by A.Price"}) {
        SCOPED_TRACE(sql);
        auto ds = db.DBOpenDataSet(s(sql));
        const bool joined = QString::fromLatin1(sql).contains(s("Other"));
        EXPECT_EQ(ds->FieldCount(), joined ? 3 : 2); // no extra field
        EXPECT_EQ(ds->store()->rows.front()->rowId == TZRowData::kNoRowId, joined);
        ds->Last();
        ds->Edit();
        ds->FieldByName(s("Name")).SetAsString(s("second"));
        ds->Post();
        ds->UpdateBatch();
        EXPECT_EQ(nameAt("1.00001"), s("KEY"));
        EXPECT_EQ(nameAt("1.00002"), s("second"));
        ds->Edit();
        ds->FieldByName(s("Name")).SetAsString(s("key"));
        ds->Post();
        ds->UpdateBatch();
    }
    // Texts differing only in case: the delete takes the lower-case row.
    db.DBExcuteSql(s("update ZNoKey set Price = 1"));
    auto ds = db.DBOpenDataSet(
        s("select A.Name, A.Price from ZNoKey A left join ZNoKey B on 1 = 0 order by A.Name collate binary desc"));
    ASSERT_EQ(ds->FieldByName(s("Name")).AsString(), s("key"));
    ds->Delete();
    ds->UpdateBatch();
    EXPECT_EQ(db.DBSelectValue(s("select count(*), max(Name) from ZNoKey")), QStringList({s("1"), s("KEY")}));
}

TEST_F(UpdateBatch, OnlyStatementsOverOneTableCarryTheRowIdentity)
{
    EXPECT_EQ(ZStatementWithRowId(s("select top 5 * from T where A = 1")),
              s("select top 5 rowid as ZKVA_RowId_, * from T where A = 1"));
    EXPECT_FALSE(ZStatementWithRowId(s("select A.x from [T] as A order by 1")).isEmpty());
    EXPECT_FALSE(ZStatementWithRowId(s("select (select max(y) from U) as m, x from T")).isEmpty());
    for (const char *sql :
         {"select distinct x from T", "select x, count(*) from T group by x", "select * from T, U",
          "select * from T A left join U B on A.x = B.x", "select x from T union select x from U",
          "select * into N from T", "select 1 as One", "update T set x = 1", "select * from (select * from T)",
          "select count(*) from T", "select Sum(x) as S from T where x > 0"})
        EXPECT_TRUE(ZStatementWithRowId(s(sql)).isEmpty()) << sql;
}
