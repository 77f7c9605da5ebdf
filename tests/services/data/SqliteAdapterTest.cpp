#include "TestText.h"

#include "data/ZSqlTokens.h"
#include "data/ZSqliteAdapter.h"

#include <gtest/gtest.h>

TEST(SqliteAdapter, FunctionsWhoseNamesAreKeyWords)
{
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select Left(A, 2), RIGHT (B,3), IsNull(C, '') from T left join U on 1=1")),
              s("select ZLeft(A, 2), ZRight (B,3), IfNull(C, '') from T left join U on 1=1"));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select 'Left(x)' from T")), s("select 'Left(x)' from T"));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select DatePart(weekday, X), DatePart('yyyy', X), DateDiff(day, A, B) from T")),
              s("select DatePart('weekday', X), DatePart('yyyy', X), DateDiff('day', A, B) from T"));
}

TEST(SqliteAdapter, HourAndMinuteOfAColumnInBuiltInFunctions)
{
    const QString hour = s("CAST(strftime('%H', CASE WHEN typeof(%1) = 'text' THEN %1 ELSE %1 + 2415018.5 END) AS "
                           "INTEGER)");
    const QString minute = s("CAST(strftime('%M', CASE WHEN typeof(%1) = 'text' THEN %1 ELSE %1 + 2415018.5 END) AS "
                             "INTEGER)");
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select DatePart(Hour, X), DatePart('h', A.[X]), DatePart( 'n' , RemindTime ) "
                                   "from T")),
              s("select %1, %2, %3 from T")
                  .arg(hour.arg(s("X")), hour.arg(s("A.[X]")), minute.arg(s("RemindTime"))));
    // The reminder poll's condition, as its index holds it.
    EXPECT_EQ(ZAdaptSqlForSqlite(s("Where IsDisabled = 0 And DatePart('h', RemindTime) * 100 + DatePart('n', "
                                   "RemindTime) = 830")),
              s("Where IsDisabled = 0 And %1 * 100 + %2 = 830").arg(hour.arg(s("RemindTime")), minute.arg(s("RemindTime"))));
    // Other arguments keep the program's DatePart, which reads more forms.
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select DatePart('h', Now()), DatePart('n', '2011-06-21 09:07'), "
                                   "DatePart(Minute, (X)), DatePart('s', X) from T")),
              s("select DatePart('h', Now()), DatePart('n', '2011-06-21 09:07'), DatePart('Minute', (X)), "
                "DatePart('s', X) from T"));
}

TEST(SqliteAdapter, TopSelectIntoAndPrimaryKeys)
{
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select top 5 * from T order by A")), s("select * from T order by A LIMIT 5 "));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select * from T where A in (select top 1 B from U order by B)")),
              s("select * from T where A in (select B from U order by B LIMIT 1 )"));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select * into comX_Temp from comX")),
              s("create table comX_Temp as select *  from comX"));
    EXPECT_EQ(
        ZAdaptSqlForSqlite(s(" ALTER TABLE [comParams] ADD \tCONSTRAINT [PK_comParams] PRIMARY KEY  (\tParamName\t)")),
        s("CREATE UNIQUE INDEX [PK_comParams] ON [comParams]( ParamName )"));
    EXPECT_EQ(
        ZAdaptSqlForSqlite(s(" ALTER TABLE [dbo].[T] WITH NOCHECK ADD \tCONSTRAINT [PK_T] PRIMARY KEY  CLUSTERED  "
                             "(\tA,B\t) ON [PRIMARY] ")),
        s("CREATE UNIQUE INDEX [PK_T] ON [T]( A,B )"));
}

TEST(SqliteAdapter, LiteralsCatalogueAndTextColumns)
{
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select * from comPerson where IsSysUser = True or Flag = false")),
              s("select * from comPerson where IsSysUser = -1 or Flag = 0"));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("update T set R = IsNull(R, '') + 'a,'")),
              s("update T set R = IfNull(R, '') || 'a,'"));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select 1 + 2")), s("select 1 + 2"));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select * from Information_Schema.Key_Column_Usage where Table_Name = N'x'")),
              s("select * from zInfoSchemaKeyColumnUsage where Table_Name = 'x'"));
    EXPECT_EQ(ZAdaptSqlForSqlite(s(" CREATE TABLE [dbo].[T]([A] [varchar](50) NOT NULL,[B] int) ON [PRIMARY]")),
              s(" CREATE TABLE [T]([A] [varchar](50) COLLATE NOCASE NOT NULL,[B] int) "));
    EXPECT_EQ(ZAdaptSqlForSqlite(s(" create table defFields( DataSource varchar(50), Propertys text)")),
              s(" create table defFields( DataSource varchar(50) COLLATE NOCASE, Propertys text COLLATE NOCASE)"));
}

TEST(SqlTokens, JoiningGivesTheStatementBack)
{
    const QString sql = s("select [A B], \"C\", 'it''s' -- note\n from T /* x */ where a<>b and c>=1.5e3");
    EXPECT_EQ(ZJoinSqlTokens(ZTokenizeSql(sql)), sql);
    const QList<TZSqlToken> tokens = ZTokenizeSql(s("'it''s'"));
    ASSERT_EQ(tokens.size(), 1);
    EXPECT_EQ(tokens.first().kind, TZSqlToken::String);
}

TEST(SqliteAdapter, TextLiteralsComparedWithExpressionsIgnoreCase)
{
    // against a bare column the column's collation (and index) applies
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select * from T where A.Name = 'x' and 'y' <> B and C in ('a') and D between 'a' "
                                   "and 'b'")),
              s("select * from T where A.Name = 'x' and 'y' <> B and C in ('a') and D between 'a' and 'b'"));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("update T set Name = 'x' where Ltrim(Rtrim(Name)) = 'a' and 'b' < IsNull(N,'')")),
              s("update T set Name = 'x' where Ltrim(Rtrim(Name)) = 'a' COLLATE NOCASE and 'b' COLLATE NOCASE < "
                "IfNull(N,'')"));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select * from T where Left(A,2) in ('ab', 'c') and A + B not between 'a' and 'b'")),
              s("select * from T where ZLeft(A,2) COLLATE NOCASE in ('ab', 'c') and A + B COLLATE NOCASE not between "
                "'a' and 'b'"));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select * from T where Upper(A) = 'a' collate binary and X in (select Y from U)")),
              s("select * from T where Upper(A) = 'a' collate binary and X in (select Y from U)"));
}

TEST(SqliteAdapter, PeriodConditionsBecomeRangesOfTheColumn)
{
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select * from T A where 1=1 and A.Flag = 1 And Year(A.D) * 100 + Month(A.D) = "
                                   "Year(Date()) * 100 + Month(Date()) Order By A.D Desc")),
              s("select * from T A where 1=1 and A.Flag = 1 And (A.D >= ZPeriodStart('m') And A.D < "
                "ZPeriodEnd('m')) Order By A.D Desc"));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select * from T A where Year(A.D) * 10000 + Month(A.D) * 100 + Day(A.D) = "
                                   "Year(GetDate()) * 10000 + Month(GetDate()) * 100 + Day(GetDate())")),
              s("select * from T A where (A.D >= ZPeriodStart('d') And A.D < ZPeriodEnd('d'))"));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select * from T where DateDiff(\"ww\", D, Date()) = 0 or Year([D]) = Year(Now())")),
              s("select * from T where (D >= ZPeriodStart('w') And D < ZPeriodEnd('w')) or ([D] >= "
                "ZPeriodStart('y') And [D] < ZPeriodEnd('y'))"));
    // other columns, expressions and larger sums stay as written
    const char *const kept[] = {
        "select * from T where Year(A.D) * 100 + Month(B.D) = Year(Date()) * 100 + Month(Date())",
        "select * from T where Year(A.D) = Year(Date()) + 1",
        "select * from T where 1 + Year(A.D) = Year(Date())",
        "select * from T where Year(IfNull(D, 0)) = Year(Date())",
        "select * from T where Year(D) = Year(X)",
    };
    for (const char *sql : kept)
        EXPECT_EQ(ZAdaptSqlForSqlite(s(sql)), s(sql)) << sql;
}

TEST(SqliteAdapter, MoneyColumnsGetTheirRoundingTriggers)
{
    const QString created = ZAdaptSqlForSqlite(s(" CREATE TABLE [T]([A] VarChar(5),[M] Money DEFAULT 0,[F] float)"));
    EXPECT_TRUE(
        created.startsWith(s(" CREATE TABLE [T]([A] VarChar(5) COLLATE NOCASE,[M] Money DEFAULT 0,[F] "
                             "float); DROP TRIGGER IF EXISTS [zMoney_1_T_M_i]; CREATE TRIGGER [zMoney_1_T_M_i] AFTER "
                             "INSERT ON [T]")));
    EXPECT_TRUE(created.contains(s("AFTER UPDATE OF [M] ON [T]")));
    EXPECT_FALSE(created.contains(s("zMoney_1_T_F")));
    EXPECT_TRUE(ZAdaptSqlForSqlite(s("alter table T add column N money")).contains(s("[zMoney_1_T_N_u]")));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("alter table T add N float")), s("alter table T add N float"));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("create table X as select * from T")), s("create table X as select * from T"));
}
