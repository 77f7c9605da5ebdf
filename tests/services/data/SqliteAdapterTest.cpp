#include "TestText.h"

#include "data/ZSqlTokens.h"
#include "data/ZSqliteAdapter.h"

#include <gtest/gtest.h>

TEST(SqliteAdapter, FunctionsWhoseNamesAreKeyWords)
{
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select Left(A, 2), RIGHT (B,3), IsNull(C, '') from T left join U on 1=1")),
              s("select ZLeft(A, 2), ZRight (B,3), IfNull(C, '') from T left join U on 1=1"));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select 'Left(x)' from T")), s("select 'Left(x)' from T"));
    EXPECT_EQ(ZAdaptSqlForSqlite(s("select DatePart(Hour, X), DatePart('h', X), DateDiff(day, A, B) from T")),
              s("select DatePart('Hour', X), DatePart('h', X), DateDiff('day', A, B) from T"));
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
