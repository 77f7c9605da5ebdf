#include "TestText.h"

#include "common/ZErrors.h"
#include "common/ZSqlQuote.h"
#include "common/ZStrList.h"

#include <gtest/gtest.h>

TEST(PackedList, ItemsCountAndTrailingSeparator)
{
    EXPECT_EQ(GetStrListItemCount(s(""), s(",")), 0);
    EXPECT_EQ(GetStrListItemCount(s("a"), s(",")), 1);
    EXPECT_EQ(GetStrListItemCount(s("a,,b"), s(",")), 3);
    EXPECT_EQ(GetStrListItemCount(s("a,b,"), s(",")), 2);
    EXPECT_EQ(GetStrListItemCount(s("x##y"), s("##")), 2);
    EXPECT_EQ(GetStrListItemCount(s("x###y"), s("##")), 2); // separators never overlap
    EXPECT_EQ(GetStrListItem(s("x###y"), s("##"), 1), s("#y"));
    EXPECT_EQ(GetStrListFromStr(s("a,b,"), s(",")), QStringList({s("a"), s("b")}));
    EXPECT_EQ(GetStrListFromStr(s("BillNo[#]RowNo[#]"), s("[#]")), QStringList({s("BillNo"), s("RowNo")}));

    // The fast item look-up agrees with the list for every index.
    const QString packed = s("甲[#] b [#][#]丁[#]");
    const QStringList items = GetStrListFromStr(packed, s("[#]"));
    ASSERT_EQ(items.size(), 4);
    for (int i = -1; i <= items.size(); ++i)
        EXPECT_EQ(GetStrListItem(packed, s("[#]"), i), items.value(i)) << i;
    EXPECT_EQ(GetStrListItem(packed, s("[#]"), 1), s(" b ")); // items are kept as they stand
}

TEST(PackedList, TwoLevelAccessAndEqualMarks)
{
    const QString packed = s("a=1^_^b=2^_^c=3");
    EXPECT_EQ(GetStrListItem(packed, s("^_^"), s("="), 1, 0), s("b"));
    EXPECT_EQ(GetStrListItem(packed, s("^_^"), s("="), 2, 1), s("3"));
    EXPECT_EQ(GetStrListItem(packed, s("^_^"), s("="), 5, 1), QString());
    try {
        GetStrListItem(packed, s("[X]"), s("[x]"), 0, 0);
        FAIL() << "equal marks must be refused";
    } catch (const EZError &e) {
        EXPECT_EQ(e.message(), s("参数 AMark1 和 AMark2 不能相同"));
    }
    EXPECT_THROW(GetStrListItem(packed, s(""), 0), EZError);
}

TEST(PackedList, SetAndRemoveRepackWithoutBlankItems)
{
    QString list = s("a,,b,c");
    SetStrListItem(list, s(","), s("x"), 2);
    EXPECT_EQ(list, s("a,x,c"));
    SetStrListItem(list, s(","), s("y"), 9); // out of range: only re-packed
    EXPECT_EQ(list, s("a,x,c"));
    SetStrListItem(list, s(","), s(""), 0); // a blank value drops the item
    EXPECT_EQ(list, s("x,c"));

    QString nested = s("a=1;b=2");
    SetStrListItem(nested, s(";"), s("="), s("9"), 1, 1);
    EXPECT_EQ(nested, s("a=1;b=9"));

    QString names = s("Save,Delete,Print,delete");
    RemoveStrListItem(names, s("DELETE"), s(","));
    EXPECT_EQ(names, s("Save,Print,delete"));
    EXPECT_EQ(GetItemIndex(names, s(","), s("print")), 1);
    EXPECT_EQ(GetItemIndex(names, s(","), s("Copy")), -1);
}

TEST(PackedList, MergeStringsAndJoins)
{
    EXPECT_EQ(MergeStrings(s("  "), s("x")), s("x"));
    EXPECT_EQ(MergeStrings(s("a"), s("b"), s(",")), s("a,b"));
    EXPECT_EQ(MergeStrings(s("a"), s(" "), s(",")), s("a"));
    EXPECT_EQ(MergeStrings(QStringList{s(""), s("a"), s(" "), s("b")}, s("[@]")), s("a[@]b"));
    EXPECT_EQ(GetStrFromStrList(QStringList{s("x"), s(""), s("y")}, s(";")), s("x;y"));
    EXPECT_EQ(GetStrListTextFromStr(s("a[*]b"), s("[*]")), s("a\nb"));
}

TEST(PackedList, QuotingGoesThroughTheOneRoutine)
{
    EXPECT_EQ(ZQuotedStr(s("O'Brien")), s("'O''Brien'"));
    EXPECT_EQ(ZQuotedStr(s("")), s("''"));
    EXPECT_EQ(QuoteItemStrs(s(" 001 ,O'B,甲"), s(",")), s("'001','O''B','甲'"));
    EXPECT_EQ(QuoteItemStrs(s(""), s(",")), QString());
}

TEST(PackedList, PrefixesAndComparisons)
{
    EXPECT_EQ(GetProfixOfStr(s("comPerson.PersonID"), s(".")), s("comPerson"));
    EXPECT_EQ(GetProfixOfStr(s(".abc"), s(".")), s(".abc"));
    EXPECT_EQ(GetProfixOfStr(s("abc"), s(".")), s("abc"));
    EXPECT_TRUE(TrimSameText(s(" Admin\t"), s("admin")));
    EXPECT_FALSE(TrimSameText(s("Admin"), s("Admin2")));
    EXPECT_TRUE(OneOfStr(s("moxDiary"), {s("MOXDIARY"), s("x")}));
    EXPECT_TRUE(OneOf(1003, {1003, 1004}));
    QString a = s("1"), b = s("2");
    ChangeValue(a, b);
    EXPECT_EQ(a + b, s("21"));
}

TEST(PickList, NumberedAndPositionalForms)
{
    const QString numbered = s("现金=1, 银行=2,\"其他,杂项\"=9");
    EXPECT_EQ(GetPickListText(numbered, 2), s("银行"));
    EXPECT_EQ(GetPickListText(numbered, 9), s("其他,杂项"));
    EXPECT_EQ(GetPickListText(numbered, 3), QString());
    EXPECT_EQ(GetPickListValue(numbered, s("银行")), 2);
    EXPECT_EQ(GetPickListValue(numbered, s("外币")), -1);
    EXPECT_EQ(GetPickListValue(s("甲=,乙=2"), s("甲")), -1);

    const QString positional = s("男,女");
    EXPECT_EQ(GetPickListText(positional, 1), s("女"));
    EXPECT_EQ(GetPickListText(positional, 2), QString());
    EXPECT_EQ(GetPickListValue(positional, s("男")), 0);
    EXPECT_EQ(GetPickListValue(positional, s("未知")), -1);
}
