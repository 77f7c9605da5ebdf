#include "ModelFixture.h"
#include "TTestClock.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "settings/ZSession.h"
#include "data/TDBConn.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZTranSqlWhere.h"

#include <gtest/gtest.h>

using Statements = ModelFixture;

TEST_F(Statements, GoldenTextsOfTheDatasetStatements)
{
    TZDataSource &fee = GetDataSource(s("accFee"));
    EXPECT_EQ(
        fee.GetDataSetSQL(0, true),
        s(" Select A.BillNo,A.BillDate,A.Amount,A.MakerID,A3.PersonName as SalesMan_Name,A.Remark as Note,"
          "A.HasCheck,A.SysLastUpdateTime,A.SysCreateTime,A.SyncCompleted\r\n from accFee A\r\n left join comPerson A3 "
          "on (A.MakerID = A3.PersonID)\r\n where 1=1 and A.Flag = 1"));
    EXPECT_EQ(fee.GetDataSetSQL(0, false),
              s(" Select A.BillNo,A.BillDate,A.Amount,A.MakerID,A.Remark as Note,A.HasCheck,A.SysLastUpdateTime,"
                "A.SysCreateTime,A.SyncCompleted\r\n from accFee A\r\n where 1=1 and A.Flag = 1"));
    // Hidden fields left out; distinct leaves out memos.
    EXPECT_EQ(
        fee.GetDataSetSQLEx(0, false, false, false, false, true),
        s(" Select Distinct A.BillNo,A.BillDate,A.Amount,A.MakerID,A.HasCheck\r\n from accFee A\r\n where 1=1 and "
          "A.Flag = 1"));
    EXPECT_EQ(fee.GetEmptyBillSQL(1, false),
              s(" Select B.BillNo,B.RowNo,B.FeeBillNo,B.SysLastUpdateTime,B.SysCreateTime,B.SyncCompleted\r\n from "
                "accGatherSub B\r\n where 1=1 and B.Flag = 1\r\n and 1=2"));
    EXPECT_TRUE(fee.GetOneBillSQL(0, s("O'1"), false).endsWith(s("\r\n and A.BillNo = 'O''1'")));
    // A module without flag or table condition has nothing after "where 1=1".
    EXPECT_TRUE(GetDataSource(s("moxNote")).GetDataSetSQL(0, true).endsWith(s("\r\n where 1=1")));
    // Names of related rows: JoinNames adds SubKey(<field>_Name when missing.
    TZDataSource &person = GetDataSource(s("comPerson"));
    EXPECT_TRUE(person.GetDataSetSQLEx(0, true, true, true, false, false)
                    .contains(s("A.DutyID,A2.DutyID as DutyCode,A2.DutyName as DutyID_Name,")));
    EXPECT_TRUE(fee.GetDataSetSQLEx(0, true, true, false, true, false)
                    .contains(s(" Left Join accGatherSub B on A.BillNo = B.BillNo  And A.Flag = B.Flag")));
    EXPECT_EQ(fee.Datasets.front()->GetFlagWhere(), s(" And A.Flag = 1"));
    EXPECT_EQ(fee.GetMasterTableFlagWhere(false), s(" And Flag = 1"));
}

TEST_F(Statements, ListStatementsForEveryArea)
{
    TZDataSource &fee = GetDataSource(s("accFee"));
    TZDataset &master = *fee.Datasets.front();
    const QString base = master.GetDataSetSQLEx(true, false, false, false, false);
    const QString order = s(" Order By A.BillDate Desc, A.BillNo Desc ");
    EXPECT_EQ(master.GetListSql(lsAll), base + order);
    EXPECT_EQ(master.GetListSql(lsToday), base
                                              + s(" And Year(A.BillDate) * 10000 + Month(A.BillDate) * 100 + "
                                                  "Day(A.BillDate) = Year(GetDate()) * 10000 + Month(GetDate()) * 100 "
                                                  "+ Day(GetDate())")
                                              + order);
    EXPECT_EQ(master.GetListSql(lsThisWeek), base + s(" And DateDiff(\"ww\", BillDate, Date()) = 0") + order);
    EXPECT_EQ(master.GetListSql(lsThisYear), base + s(" And Year(A.BillDate) = Year(GetDate())") + order);
    EXPECT_TRUE(master.GetListSql(lsTop100).startsWith(s(" Select Top 100  A.BillNo")));
    // Without a date field a date area lists the top 50.
    TZDataset &note = *GetDataSource(s("moxNote")).Datasets.front();
    EXPECT_TRUE(note.GetListSql(lsThisWeek).startsWith(s(" Select Top 50  A.NoteID")));
    EXPECT_TRUE(note.GetListSql(lsThisWeek).endsWith(s(" Order By A.NoteID Desc ")));

    // Every list statement runs on the data file.
    TTestClock clock(QDateTime(QDate(2011, 6, 21), QTime(9, 0)));
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into accFee(Flag, BillNo, BillDate, Amount) values(1, 'F1', '2011-06-21 08:00:00', 5)"));
    db.DBExcuteSql(s("insert into accFee(Flag, BillNo, BillDate, Amount) values(1, 'F2', '2011-05-01 08:00:00', 6)"));
    db.DBExcuteSql(s("insert into accFee(Flag, BillNo, BillDate, Amount) values(2, 'F3', '2011-06-21 08:00:00', 7)"));
    const int expected[] = {1, 1, 1, 2, 2, 2, 2, 2};
    for (int area = lsToday; area <= lsAll; ++area)
        EXPECT_EQ(db.GetRecordCount(master.GetListSql(TDataArea(area))), expected[area]) << area;
}

TEST_F(Statements, RestrictionsAndNavigation)
{
    TDBConn &db = DBConn();
    createTable(s(" CREATE TABLE [comObjUser]([PersonID] VarChar(20),[Flag] int,[BaseID] VarChar(20),[Choose] int)"));
    db.DBExcuteSql(s("insert into comObjUser(PersonID, Flag, BaseID, Choose) values('007', 6, 'P1', 1)"));
    db.DBExcuteSql(s("insert into comPerson(PersonID, PersonName) values('P1', '甲')"));
    db.DBExcuteSql(s("insert into comPerson(PersonID, PersonName) values('P2', '乙')"));
    for (const char *bill : {"F1,P1", "F3,P2", "F2,P1"})
        db.DBExcuteSql(s("insert into accFee(Flag, BillNo, MakerID) values(1, '%1', '%2')")
                           .arg(s(bill).section(QLatin1Char(','), 0, 0), s(bill).section(QLatin1Char(','), 1, 1)));
    db.DBExcuteSql(s("insert into accFee(Flag, BillNo) values(2, 'F9')"));
    TZDataSource &fee = GetDataSource(s("accFee"));
    EXPECT_EQ(fee.GetFirstKeyValue(), s("F1"));
    EXPECT_EQ(fee.GetLastKeyValue(), s("F3"));
    EXPECT_EQ(fee.GetNextKeyValue(s("F1")), s("F2"));
    EXPECT_EQ(fee.GetPriorKeyValue(s("F2")), s("F1"));
    EXPECT_EQ(fee.GetNextKeyValue(s("F3")), QString());

    // Another user walks only the rows of the makers assigned to them.
    UserInfo = TUserInfo{s("007"), s("007"), s("李四"), QString()};
    EXPECT_EQ(fee.GetLastKeyValue(), s("F2"));
    EXPECT_EQ(fee.GetPriorKeyValue(s("F3")), s("F2"));
    EXPECT_EQ(fee.GetNextKeyValue(s("F2")), QString());
    // Without the power to see all, a user sees the rows made by them.
    EXPECT_EQ(fee.Datasets.front()->GetMakerIDWhere(), s(" And MakerID = '007'"));
    EXPECT_TRUE(fee.GetOneBillSQL(0, s("F1"), true).endsWith(s(" And MakerID = '007'")));
    EXPECT_EQ(fee.AdvFieldName[6], s("MakerID"));
    EXPECT_EQ(
        fee.GetAllAdvInnerJoinSql(),
        s(" Inner Join comPerson _Adv6_1 On 1=1 And A.MakerID = _Adv6_1.PersonID\r\n Inner Join comObjUser _Adv6_2 "
          "On _Adv6_2.PersonID = '007' And _Adv6_2.Flag = 6 And _Adv6_1.PersonID = _Adv6_2.BaseID And "
          "_Adv6_2.Choose = 1\r\n"));
    FSYSID = 1011;
    EXPECT_EQ(fee.GetAllAdvInnerJoinSql(), QString());
    FSYSID = 1003;
    const QString outer = DBSourceSelectSql(s("moxNote"), s("Z.Title"), s("N1"));
    EXPECT_TRUE(outer.startsWith(s(" Select Z.Title From ( Select A.NoteID")));
    EXPECT_TRUE(outer.endsWith(s(" and A.NoteID = 'N1' ) As Z")));
    db.DBExcuteSql(s("insert into moxNote(NoteID, Title) values('N1', '便条')"));
    EXPECT_EQ(db.DBSelectValue(outer), QStringList({s("便条")}));
}

TEST_F(Statements, ConditionWordsAndFieldReferences)
{
    TTestClock clock(QDateTime(QDate(2011, 6, 21), QTime(9, 5, 3)));
    EXPECT_EQ(TranWordItem(s("[A.金额]大于等于10并且[A.单号]不包含'x'")),
              s("[A.金额] >= 10 And [A.单号] Not Like 'x'"));
    EXPECT_EQ(TranWordItem(s("星期几(当前日期)")), s("3"));
    EXPECT_EQ(TranWordItem(s("当前日期 当前时间 当前年当前月")), s("20110621 90503 20116"));
    EXPECT_EQ(TranWordItem(s("[A.是否完成]等于是 或者 星期一")), s("[A.是否完成] = -1  Or  2"));
    EXPECT_EQ(TranWordItem(s("时间拆分(时,x) 星期几(x)")), s("DatePart('h',x) DatePart('w',x)"));
    // Quoted values are the user's text: no words are replaced inside them,
    // and a bracket inside one is no field reference.
    EXPECT_EQ(TranWordItem(s("[A.备注]包含'%加班%'或者[A.备注]等于'是''否'")),
              s("[A.备注] Like '%加班%' Or [A.备注] = '是''否'"));

    TZDataSource &fee = GetDataSource(s("accFee"));
    EXPECT_EQ(TranSqlWhere(fee, s("[A.日期]等于当前日期")),
              s(" And (Year(A.BillDate) * 10000 + Month(A.BillDate) * 100 + Day(A.BillDate) = 20110621)"));
    EXPECT_EQ(TranSqlWhere(fee, s("年([A.日期])等于当前年")), s(" And (Year(A.BillDate) = 2011)"));
    EXPECT_EQ(TranSqlWhere(fee, s("[A.制单人]包含'李'")), s(" And (A3.PersonName Like '李')"));
    EXPECT_EQ(TranSqlWhere(fee, s("[A.制单人.人员编号]等于'007'")), s(" And (A3.PersonID = '007')"));
    EXPECT_EQ(TranSqlWhere(fee, s("[B.原单号]等于'F1' 并且 [A.不存在]等于1")),
              s(" And (B.FeeBillNo = 'F1'  And  A.不存在 = 1)"));
    EXPECT_EQ(TranSqlWhere(fee, s("  ")), QString());
    EXPECT_EQ(TranSqlWhere(fee, s("[A.制单人]不包含'%[A.日期]减%'")),
              s(" And (A3.PersonName Not Like '%[A.日期]减%')"));
    EXPECT_TRUE(SameBeforeText(s("Year ( [A.x]"), s("Year("), 7));
    EXPECT_FALSE(SameBeforeText(s("Max( [A.x]"), s("Year("), 5));
    EXPECT_TRUE(IsDecodeDateTimeFunc(s("DatePart( 'h' , [A.x]"), 16));
    EXPECT_FALSE(IsDecodeDateTimeFunc(s("Max( [A.x]"), 5));

    // Translated conditions run.
    DBConn().DBExcuteSql(s("insert into accFee(Flag, BillNo, BillDate) values(1, 'F1', '2011-06-21 08:00:00')"));
    EXPECT_EQ(DBConn().GetRecordCount(fee.GetDataSetSQL(0, true) + TranSqlWhere(fee, s("[A.日期]等于当前日期"))), 1);
}

TEST_F(Statements, ABrokenRelationFailsTheBuild)
{
    folder->writeFile(s("DBSource/moxBad.dbs"),
                      "[<DSDataSource>]\nPropertys=MasterKey=ID\n[<DSDataset>M]\nDataset=M\n"
                      "[<DSTable>M-moxNote]\nTableName=moxNote\n[<DSField>M-moxNote-Title]\n"
                      "FieldName=Title\nPropertys=RelativeDS=comDuty;RelativeFields=Nope(X\n");
    try {
        GetDataSource(s("moxBad"));
        FAIL();
    } catch (const EZError &e) {
        EXPECT_EQ(e.message(), s("表名 moxNote 字段名 Title 关联资源定义 comDuty 中，找不到字段 Nope"));
    }
    EXPECT_FALSE(IsExistProgID(s("moxBad")));
}
