#include "TestText.h"

#include "common/ZErrors.h"
#include "data/TZClientDataSet.h"
#include "data/ZDataSetXml.h"

#include <limits>

#include <gtest/gtest.h>

namespace {

QList<TZColumnInfo> everyKind()
{
    return {{s("S"), ftZString, 20, s("T"), s("S")}, {s("D"), ftZDate, 0, {}, {}},
            {s("Tm"), ftZTime, 0, {}, {}},           {s("I"), ftZInteger, 0, {}, {}},
            {s("Sm"), ftZSmallint, 0, {}, {}},       {s("B"), ftZBoolean, 0, {}, {}},
            {s("F"), ftZFloat, 0, {}, {}},           {s("C"), ftZCurrency, 0, {}, {}},
            {s("Bl"), ftZBlob, 0, {}, {}},           {s("M"), ftZMemo, 0, {}, {}}};
}

} // namespace

TEST(DataSetXml, RoundTripIsExactForEveryKindAndState)
{
    TZClientDataSet ds;
    ds.CreateDataSet(everyKind());
    ds.Append();
    ds.FieldByName(s("S")).SetAsString(s("中文 <&> \"引号\" 'x'"));
    ds.FieldByName(s("D")).SetAsDateTime(QDateTime(QDate(2011, 6, 21), QTime(9, 5, 3, 250)));
    ds.FieldByName(s("Tm")).SetAsDateTime(QDateTime(QDate(1899, 12, 30), QTime(23, 59, 59)));
    ds.FieldByName(s("I")).SetAsInteger(std::numeric_limits<int>::min());
    ds.FieldByName(s("Sm")).SetAsInteger(-7);
    ds.FieldByName(s("B")).SetAsBoolean(true);
    ds.FieldByName(s("F")).SetAsFloat(0.1 + 0.2);
    ds.FieldByName(s("C")).SetAsCurrency(Currency::fromRaw(-123456789));
    ds.FieldByName(s("Bl")).SetValue(QByteArray("\x00\x01\xff", 3));
    ds.FieldByName(s("M")).SetAsString(s("line\r\nbreak\x01 tab\t 😀 "));
    ds.Post();
    ds.Append();
    ds.FieldByName(s("S")).SetAsString(QString()); // an empty text, not a null
    ds.FieldByName(s("M")).SetAsString(s("   "));
    ds.Post();
    ds.MergeChangeLog();
    ds.First();
    ds.Edit();
    ds.FieldByName(s("I")).SetAsInteger(5);
    ds.Post();
    ds.Next();
    ds.Delete();
    ds.Append();
    ds.FieldByName(s("S")).SetAsString(s("新"));
    ds.Post();

    const QString xml = RecordsetToXMLString(ds);
    TZClientDataSet back;
    RecordsetFromXMLString(back, xml);
    EXPECT_EQ(RecordsetToXMLString(back), xml);
    EXPECT_EQ(back.ChangeCount(), 3);
    EXPECT_EQ(back.FieldNames(), ds.FieldNames());
    EXPECT_EQ(back.BaseTable(), QString());
    ASSERT_EQ(back.RecordCount(), 2);
    back.First();
    ds.First();
    for (int c = 0; c < ds.FieldCount(); ++c) {
        EXPECT_EQ(back.Fields(c).Value(), ds.Fields(c).Value()) << c;
        EXPECT_EQ(back.Fields(c).DataType(), ds.Fields(c).DataType());
        EXPECT_EQ(back.Fields(c).OldValue(), ds.Fields(c).OldValue()) << c;
    }
    EXPECT_EQ(back.FieldByName(s("F")).AsFloat(), 0.1 + 0.2);
    back.Next();
    EXPECT_EQ(back.FieldByName(s("S")).AsString(), s("新"));
    EXPECT_TRUE(back.FieldByName(s("I")).IsNull());

    // the deleted row travels with its empty text and blank memo
    EXPECT_TRUE(xml.contains(s("<R s=\"d\"><V></V>")) || xml.contains(s("<R s=\"d\"><V/>")));
}

TEST(DataSetXml, BadTextsAreRefusedAndLoseNothing)
{
    TZClientDataSet ds;
    ds.CreateDataSet(everyKind());
    ds.Append();
    ds.FieldByName(s("S")).SetAsString(s("kept"));
    ds.Post();
    const char *const bad[] = {
        "",
        "<x/>",
        "<ZDataSet><Rows/></ZDataSet>",
        "<ZDataSet><Fields><F name=\"A\" type=\"nope\"/></Fields></ZDataSet>",
        "<ZDataSet><Fields><F name=\"A\" type=\"ftZInteger\"/></Fields><Rows><R s=\"u\"><V>x</V></R></Rows></ZDataSet>",
        "<ZDataSet><Fields><F name=\"A\" type=\"ftZInteger\"/></Fields><Rows><R s=\"u\"></R></Rows></ZDataSet>",
        "<ZDataSet><Fields><F name=\"A\" type=\"ftZBlob\"/></Fields><Rows><R s=\"u\"><V "
        "b=\"1\">!!</V></R></Rows></ZDataSet>",
        "<ZDataSet><Fields><F name=\"A\" type=\"ftZString\"/></Fields><Rows><R s=\"q\"><V>a</V></R></Rows></ZDataSet>",
        "<ZDataSet><Fields><F name=\"A\" type=\"ftZString\"/></Fields><Rows><R s=\"m\"><V>a</V></R></Rows></ZDataSet>",
        "<ZDataSet><Fields><F name=\"A\" type=\"ftZDate\"/></Fields><Rows><R s=\"u\"><V>2011-02-30</V></R>",
    };
    for (const char *text : bad) {
        try {
            RecordsetFromXMLString(ds, s(text));
            FAIL() << text;
        } catch (const EZError &e) {
            EXPECT_TRUE(e.message().startsWith(s("数据集XML格式错误："))) << text;
        }
        EXPECT_EQ(ds.FieldByName(s("S")).AsString(), s("kept"));
    }
}
