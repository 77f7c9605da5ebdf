#include "TestText.h"

#include "data/ZAccessSql.h"

#include <gtest/gtest.h>

TEST(TranToAccessSQL, LeftJoinsAreNestedAndGetDateBecomesDate)
{
    EXPECT_EQ(TranToAccessSQL(
                  s("select * from A left join B on A.x = B.x left join C on A.y = C.y left join D on A.z = D.z")),
              s("select * from(( A left join B on A.x = B.x )left join C on A.y = C.y )left join D on A.z = D.z"));
    const QString one = s("select * from A left join B on A.x = B.x where 1=1");
    EXPECT_EQ(TranToAccessSQL(one), one);
    EXPECT_EQ(TranToAccessSQL(s("SELECT a FROM T LEFT JOIN U ON 1=1 Left Join V ON 2=2")),
              s("SELECT a FROM( T LEFT JOIN U ON 1=1 )Left Join V ON 2=2"));
    EXPECT_EQ(TranToAccessSQL(s("select getdate(), GETDATE() from T where D < GetDate()")),
              s("select Date(), Date() from T where D < Date()"));
    // The joins of a sub-select nest inside it, not after the outer "From";
    // a column named like the word does not count.
    EXPECT_EQ(TranToAccessSQL(s("Select Z.ValidFrom From ( Select A.x from T A left join U B on (1=1) left join V C "
                                "on (2=2) where 1=1 ) As Z")),
              s("Select Z.ValidFrom From ( Select A.x from( T A left join U B on (1=1) )left join V C on (2=2) "
                "where 1=1 ) As Z"));
    EXPECT_EQ(TranToAccessSQL(s("select a from (select x from T) A left join B on 1=1 left join C on 2=2")),
              s("select a from( (select x from T) A left join B on 1=1 )left join C on 2=2"));
    // Inner joins are not touched.
    const QString inner = s("select * from A inner join B on 1=1 inner join C on 2=2");
    EXPECT_EQ(TranToAccessSQL(inner), inner);
}
