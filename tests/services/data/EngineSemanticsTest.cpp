// What the statements of the system expect of the engine beyond its syntax:
// money computes as four-decimal fixed point (stored rounded, summed
// exactly), and texts compare ignoring case everywhere, for every letter.
// Each case runs through the program's path (DBConn, TranToAccessSQL, the
// adapter) on a real data file.

#include "TDataFileTest.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "data/TDBConn.h"
#include "data/TZDbConnection.h"

#include <gtest/gtest.h>

namespace {

class EngineSemantics : public TDataFileTest
{
protected:
    void SetUp() override
    {
        TDataFileTest::SetUp();
        createTable(s(" CREATE TABLE [accFee]([Flag] int NOT NULL DEFAULT 0,[BillNo] VarChar(20) NOT NULL DEFAULT '',"
                      "[ObjectName] VarChar(50) DEFAULT '',[BillDate] datetime DEFAULT 0,[FeeMoney] Money DEFAULT 0,"
                      "[Offset] Money DEFAULT 0,"
                      "[Discount] Money DEFAULT 0,[NowRecv] Money DEFAULT 0,[RemainMoney] Money DEFAULT 0)"));
        createTable(s(" CREATE TABLE [moxAccount]([AccountID] VarChar(20) NOT NULL DEFAULT '',[AccountName] "
                      "VarChar(50) DEFAULT '',[CurrMoney] Money DEFAULT 0,[Rate] float DEFAULT 0)"));
        DBConn().DBExcuteSql(s("ALTER TABLE [moxAccount] ADD CONSTRAINT [PK_moxAccount] PRIMARY KEY (AccountID)"));
    }

    // The first column of the first row as the engine holds it (no rounding
    // on read), null when there is no row or the value is null.
    static QVariant raw(const QString &sql)
    {
        TZDbConnection &c = DBConn().GetDBCONN();
        auto stmt = c.prepare(c.adapt(sql));
        if (!stmt->step())
            return {};
        const QVariant probe = stmt->value(0, ftZString);
        if (probe.isNull())
            return {};
        return stmt->value(0, ftZFloat);
    }

    static QString text(const QString &sql)
    {
        TZDbConnection &c = DBConn().GetDBCONN();
        auto stmt = c.prepare(c.adapt(sql));
        QStringList rows;
        while (stmt->step())
            rows << stmt->value(0, ftZString).toString();
        return rows.join(QLatin1Char(';'));
    }
};

} // namespace

TEST_F(EngineSemantics, MoneyWrittenByStatementsIsStoredToFourDecimals)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(
        s("insert into accFee(Flag, BillNo, ObjectName, FeeMoney, NowRecv) values(1, 'R1', '张三', 1.3, 0.7)"));
    db.DBExcuteSql(s("Update accFee set Offset = 0.6, RemainMoney = FeeMoney - 0.6 - Discount - NowRecv "
                     "Where Flag = 1 and BillNo = 'R1'"));
    EXPECT_EQ(db.GetRecordCount(s(" Select BillNo From accFee Where RemainMoney > 0 and ObjectName = '张三'")), 0);
    EXPECT_EQ(raw(s("select Sum(RemainMoney) from accFee")).toDouble(), 0.0);
    EXPECT_EQ(raw(s("select RemainMoney from accFee")).toDouble(), 0.0);

    db.DBExcuteSql(s("insert into moxAccount(AccountID, CurrMoney) values('01', 1)"));
    for (int i = 0; i < 10; ++i)
        db.DBExcuteSql(s("Update moxAccount Set CurrMoney = CurrMoney - 0.1 Where AccountID = '01'"));
    EXPECT_EQ(db.GetRecordCount(s("select * from moxAccount where CurrMoney <> 0")), 0);

    // An insert computing its value and a copy between tables round as well;
    // a float column is left as computed.
    db.DBExcuteSql(s("insert into moxAccount(AccountID, CurrMoney, Rate) values('02', 0.1 + 0.2, 0.1 + 0.2)"));
    EXPECT_EQ(raw(s("select CurrMoney from moxAccount where AccountID = '02'")).toDouble(), 0.3);
    EXPECT_NE(raw(s("select Rate from moxAccount where AccountID = '02'")).toDouble(), 0.3);
    db.DBExcuteSql(s("insert into accFee(BillNo, FeeMoney) select AccountID, Rate * 3 from moxAccount "
                     "where AccountID = '02'"));
    EXPECT_EQ(raw(s("select FeeMoney from accFee where BillNo = '02'")).toDouble(), 0.9);
    db.DBExcuteSql(s("update accFee set FeeMoney = 1.23456789 where BillNo = '02'"));
    EXPECT_EQ(raw(s("select FeeMoney from accFee where BillNo = '02'")).toDouble(), 1.2346);
}

TEST_F(EngineSemantics, MoneyBoundByBatchWritesIsStoredToFourDecimals)
{
    TZDbConnection &c = DBConn().GetDBCONN();
    auto insert = c.prepare(s("insert into moxAccount(AccountID, CurrMoney) values(?1, ?2)"));
    insert->bind(1, s("01"));
    insert->bind(2, 0.1 + 0.2);
    while (insert->step()) {}
    EXPECT_EQ(raw(s("select CurrMoney from moxAccount")).toDouble(), 0.3);
}

TEST_F(EngineSemantics, MoneySumsAreExactAndKeepTheirKinds)
{
    TDBConn &db = DBConn();
    db.GetDBCONN().begin();
    for (int i = 0; i < 1000; ++i)
        db.DBExcuteSql(s("insert into accFee(Flag, BillNo, FeeMoney, Offset) values(1, 'B%1', 0.01, 0.1)").arg(i));
    db.GetDBCONN().commit();
    EXPECT_EQ(raw(s("select Sum(FeeMoney) from accFee")).toDouble(), 10.0);
    EXPECT_EQ(raw(s("select Sum(FeeMoney) - Sum(Offset) + 90 from accFee")).toDouble(), 0.0);
    EXPECT_EQ(raw(s("select Sum(IIF(Flag=1, FeeMoney, -FeeMoney)) from accFee")).toDouble(), 10.0);
    EXPECT_EQ(db.GetRecordCount(s("select Flag from accFee group by Flag having Sum(FeeMoney) = 10")), 1);
    // integers stay integers, an empty sum stays null, a mixed sum is exact
    EXPECT_EQ(text(s("select typeof(Sum(Flag)) from accFee")), s("integer"));
    EXPECT_EQ(text(s("select Sum(Flag) from accFee")), s("1000"));
    EXPECT_TRUE(raw(s("select Sum(FeeMoney) from accFee where 1=2")).isNull());
    EXPECT_EQ(raw(s("select Sum(x) from (select 0.1 as x union all select 0.2 union all select 3)")).toDouble(), 3.3);
    // a value that is no money (more decimals than four) sums as before
    EXPECT_NEAR(raw(s("select Sum(x) from (select 0.123456 as x union all select 1e-9)")).toDouble(), 0.123456001,
                1e-12);
    // amounts too large for an exact scaled sum, and sums that would
    // overflow it, still add up (as doubles) instead of wrapping round
    EXPECT_DOUBLE_EQ(
        raw(s("select Sum(x) from (select 9e13 as x union all select 9e13 union all select 0.5)")).toDouble(),
        1.800000000000005e14);
    EXPECT_GT(raw(s("with recursive n(i) as (select 1 union all select i + 1 from n where i < 2000) "
                    "select Sum(899999999999.99) from n"))
                  .toDouble(),
              1.7e15);
    // as a window function too
    EXPECT_EQ(text(s("select Sum(x) over (order by x rows between 1 preceding and current row) from "
                     "(select 0.1 as x union all select 0.2 union all select 0.3)")),
              s("0.1;0.3;0.5"));
}

TEST_F(EngineSemantics, TemplateTablesCarryTheRules)
{
    // The template's own tables, built from the definitions, round money.
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into moxIncomeFee(Flag, BillNo, ItemMoney) values(1, 'S1', 0.1 + 0.2)"));
    EXPECT_EQ(raw(s("select ItemMoney from moxIncomeFee")).toDouble(), 0.3);
    db.DBExcuteSql(s("update moxIncomeFee set ItemMoney = ItemMoney * 3"));
    EXPECT_EQ(raw(s("select ItemMoney from moxIncomeFee")).toDouble(), 0.9);
}

TEST_F(EngineSemantics, TextComparesIgnoreCaseInExpressions)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into moxAccount(AccountID, AccountName) values('01', 'Abc')"));
    db.DBExcuteSql(s("insert into moxAccount(AccountID, AccountName) values('02', ' Émile ')"));
    const char *const found[] = {
        "select AccountID from moxAccount where Ltrim(Rtrim(AccountName)) = 'abc'",
        "select AccountID from moxAccount where IsNull(AccountName,'') = 'ABC'",
        "select AccountID from moxAccount where Left(AccountName,2) = 'ab'",
        "select AccountID from moxAccount where 'aBC' = IsNull(AccountName, '')",
        "select AccountID from moxAccount where Ltrim(AccountName) in ('x', 'ABC')",
        "select AccountID from moxAccount where IsNull(AccountName, '') <> 'abc' and AccountID = '01' or "
        "Upper(AccountName) = 'abc'",
        "select AccountID from moxAccount where AccountName like 'aB%'",
    };
    for (const char *sql : found) {
        SCOPED_TRACE(sql);
        EXPECT_EQ(text(s(sql)), s("01"));
    }
    const char *const foundAccented[] = {
        "select AccountID from moxAccount where Ltrim(Rtrim(AccountName)) = 'émile'",
        "select AccountID from moxAccount where AccountName = ' ÉMILE '",
        "select AccountID from moxAccount where AccountName like '%émi%'",
        "select AccountID from moxAccount where AccountName like '_éMILE_'",
    };
    for (const char *sql : foundAccented) {
        SCOPED_TRACE(sql);
        EXPECT_EQ(text(s(sql)), s("02"));
    }
    // order and ranges follow the same rule: abc < x < émile (by letter, case folded)
    EXPECT_EQ(text(s("select AccountID from moxAccount where Ltrim(AccountName) > 'ABD'")), s("02"));
    EXPECT_EQ(text(s("select AccountID from moxAccount where Rtrim(Ltrim(AccountName)) between 'ÉMILA' and 'émilz'")),
              s("02"));
}

TEST_F(EngineSemantics, RepeatedValuesDifferingInCaseAreFound)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into moxAccount(AccountID, AccountName) values('01', 'Cash ')"));
    db.DBExcuteSql(s("insert into moxAccount(AccountID, AccountName) values('02', 'Émile')"));
    EXPECT_TRUE(db.RepeatFieldValueCheck(s("moxAccount"), s("AccountName"), QString(), s("x"), s("CASH")));
    EXPECT_TRUE(db.RepeatFieldValueCheck(s("moxAccount"), s("AccountName"), QString(), s("x"), s("émile")));
    EXPECT_FALSE(db.RepeatFieldValueCheck(s("moxAccount"), s("AccountName"), QString(), s("x"), s("Cashier")));
}

TEST_F(EngineSemantics, KeysGroupsAndOrderIgnoreCaseForEveryLetter)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into moxAccount(AccountID, AccountName) values('émile', 'Émile')"));
    EXPECT_THROW(db.DBExcuteSql(s("insert into moxAccount(AccountID) values('ÉMILE')")), EZError);
    db.DBExcuteSql(s("insert into moxAccount(AccountID, AccountName) values('2', 'émile')"));
    db.DBExcuteSql(s("insert into moxAccount(AccountID, AccountName) values('3', 'Zed')"));
    db.DBExcuteSql(s("insert into moxAccount(AccountID, AccountName) values('4', 'abc')"));
    EXPECT_EQ(text(s("select count(*) from (select distinct AccountName from moxAccount)")), s("3"));
    EXPECT_EQ(text(s("select count(*) from moxAccount group by AccountName order by AccountName")), s("1;1;2"));
    EXPECT_EQ(text(s("select AccountID from moxAccount where AccountID = 'ÉMILE'")), s("émile"));
}

TEST_F(EngineSemantics, DatePartsOfEveryStoredForm)
{
    EXPECT_EQ(text(s("select Year('2011-06-21') || ',' || Month('2011-06-21T09:05') || ',' || "
                     "Day('2011-06-21 09:05:03.250') || ',' || Hour('2011-06-21 23:05:03.250') || ',' || "
                     "Second('2011-06-21 09:05:03') || ',' || DatePart('n', '2011-06-21 09:07:03') || ',' || "
                     "Month('2011/6/21 9:05') || ',' || Year(40000) || ',' || WeekDay('2011-06-21 09:05:03')")),
              s("2011,6,21,23,3,7,6,2009,3"));
    EXPECT_EQ(text(s("select IfNull(Year('2011-02-30 00:00:00'), 'none') || IfNull(Day('2011-06-21 25:00'), 'none')")),
              s("nonenone"));
}

TEST_F(EngineSemantics, OffsetsRecomputedFromGatherLinesSettleTheBill)
{
    // The receipt's lines settle a bill of 1.3 with 0.7 paid at once: the
    // offset total written back leaves nothing outstanding.
    createTable(s(" CREATE TABLE [accGatherSub]([Flag] int NOT NULL DEFAULT 0,[BillNo] VarChar(20) NOT NULL DEFAULT '',"
                  "[RowNo] int NOT NULL DEFAULT 0,[FeeBillNo] VarChar(20) DEFAULT '',[Offset] Money DEFAULT 0)"));
    TDBConn &db = DBConn();
    db.DBExcuteSql(
        s("insert into accFee(Flag, BillNo, ObjectName, FeeMoney, NowRecv) values(1, 'R1', '张三', 1.3, 0.7)"));
    db.DBExcuteSql(s("insert into accGatherSub(Flag, BillNo, RowNo, FeeBillNo, Offset) values(1, 'G1', 1, 'R1', 0.2)"));
    db.DBExcuteSql(s("insert into accGatherSub(Flag, BillNo, RowNo, FeeBillNo, Offset) values(1, 'G2', 1, 'r1', 0.4)"));
    const QVariant total = raw(s("Select Sum(Offset) From accGatherSub  Where Flag = 1 And FeeBillNo = 'R1'"));
    EXPECT_EQ(total.toDouble(), 0.6);
    db.DBExcuteSql(s("Update accFee set Offset = %1, RemainMoney = FeeMoney - %1 - Discount - NowRecv Where Flag = 1 "
                     "and BillNo = 'R1'")
                       .arg(QString::number(total.toDouble(), 'g', 17)));
    EXPECT_EQ(db.GetRecordCount(s(" Select BillNo,BillDate,FeeMoney,RemainMoney From accFee  Where RemainMoney > 0 and "
                                  "ObjectName = '张三' and Flag = 1")),
              0);
}
