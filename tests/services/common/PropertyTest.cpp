#include "TestText.h"

#include "common/ZProperty.h"

#include <gtest/gtest.h>

TEST(PropertyText, BothFormsAndFirstMatch)
{
    const QString text = s("DisplayName=客户编号;FieldType[##]ftZString;Visible=True;DisplayName=第二个");
    EXPECT_EQ(GetProperty(text, s("DisplayName")), s("客户编号"));
    EXPECT_EQ(GetProperty(text, s("FieldType")), s("ftZString"));
    EXPECT_EQ(GetProperty(text, s("Visible")), s("True"));
    EXPECT_EQ(GetProperty(text, s("Missing")), QString());
}

TEST(PropertyText, MatchIsCaseSensitiveAndAtTheStart)
{
    const QString text = s("Caption=甲; Length=10;ReadOnly=True");
    EXPECT_EQ(GetProperty(text, s("caption")), QString());
    EXPECT_EQ(GetProperty(text, s("Length")), QString()); // the item starts with a blank
    EXPECT_EQ(GetProperty(text, s("Read")), QString());   // a longer key is no match
    EXPECT_EQ(GetProperty(text, s("ReadOnly")), s("True"));
}

TEST(PropertyText, ValuesContainingTheMark)
{
    // With "=" the value ends at the next "="; the "[##]" form keeps it whole.
    EXPECT_EQ(GetProperty(s("PickList=男=1,女=2"), s("PickList")), s("男"));
    EXPECT_EQ(GetProperty(s("PickList[##]男=1,女=2"), s("PickList")), s("男=1,女=2"));
    EXPECT_EQ(GetProperty(s("A[##] x [##]y;B=2"), s("A")), s("x"));
    // An item in the "[##]" form is not read as an "=" item.
    EXPECT_EQ(GetProperty(s("Where=a[##]b"), s("Where")), QString());
    EXPECT_EQ(GetProperty(s(""), s("A")), QString());
}
