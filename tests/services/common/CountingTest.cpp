#include "TTestClock.h"
#include "TestText.h"

#include "common/ZCodeRule.h"
#include "common/ZCounting.h"
#include "common/ZDateCode.h"

#include <gtest/gtest.h>

TEST(Counting, IncCharStepsAndCarries)
{
    bool carry = true;
    EXPECT_EQ(IncChar(QLatin1Char('8'), carry), QLatin1Char('9'));
    EXPECT_FALSE(carry);
    EXPECT_EQ(IncChar(QLatin1Char('9'), carry), QLatin1Char('0'));
    EXPECT_TRUE(carry);
    EXPECT_EQ(IncChar(QLatin1Char('Z'), carry), QLatin1Char('A'));
    EXPECT_TRUE(carry);
    EXPECT_EQ(IncChar(QLatin1Char('y'), carry), QLatin1Char('z'));
    EXPECT_FALSE(carry);
    EXPECT_EQ(IncChar(QLatin1Char('z'), carry), QLatin1Char('a'));
    EXPECT_TRUE(carry);
    EXPECT_EQ(IncChar(QLatin1Char('-'), carry), QLatin1Char('-'));
    EXPECT_FALSE(carry);
    EXPECT_EQ(IncChar(QChar(u'甲'), carry), QChar(u'甲'));
    EXPECT_FALSE(carry);
}

TEST(Counting, IncStringExamples)
{
    EXPECT_EQ(IncString(s("999")), s("1000"));
    EXPECT_EQ(IncString(s("A9")), s("B0"));
    EXPECT_EQ(IncString(s("ZZ")), s("AAA"));
    EXPECT_EQ(IncString(s("Z9")), s("A0")); // the carry out of the first character is lost
    EXPECT_EQ(IncString(s("12-9")), s("12-0"));
    EXPECT_EQ(IncString(s("")), s("1"));
    EXPECT_EQ(IncString(s("000001")), s("000002"));
    EXPECT_EQ(IncString(s("20110621001")), s("20110621002"));
    EXPECT_EQ(IncString(s("KH0099")), s("KH0100"));
}

TEST(Counting, IncIntStringKeepsWidth)
{
    EXPECT_EQ(IncIntString(s("000123")), s("000124"));
    EXPECT_EQ(IncIntString(s("9")), s("10"));
    EXPECT_EQ(IncIntString(s("099")), s("100"));
    EXPECT_EQ(IncIntString(s("A01")), s("A02"));
    EXPECT_EQ(IncIntString(s("99999999999999999999")), s("100000000000000000000"));
}

TEST(Counting, DigitLetterMapping)
{
    for (int d = 0; d <= 9; ++d) {
        const QChar digit(char16_t(u'0' + d));
        EXPECT_EQ(NumberToABC(digit), QChar(char16_t(u'A' + d)));
        EXPECT_EQ(ABCToNumber(NumberToABC(digit)), digit);
    }
    EXPECT_EQ(ABCToNumber(QLatin1Char('K')), QLatin1Char('0'));
}

TEST(Counting, CodeRuleNames)
{
    EXPECT_EQ(GetCodeRule(s("vtDateCode")), vtDateCode);
    EXPECT_EQ(GetCodeRule(s("VTDATECODE")), vtDateCode);
    EXPECT_EQ(GetCodeRule(s("1")), vtDateCode);
    EXPECT_EQ(GetCodeRule(s("vtEmpty")), vtEmpty);
    EXPECT_EQ(GetCodeRule(s("2")), vtEmpty);
    EXPECT_EQ(GetCodeRule(s("0")), vtMaxID);
    EXPECT_EQ(GetCodeRule(s("MaxID")), vtMaxID);
    EXPECT_EQ(GetCodeRule(s("")), vtMaxID);
}

TEST(DateCode, RuleExpansionAndFirstKeys)
{
    const QDate day(2011, 6, 21);
    const QString expanded = ExpandDateCodeRule(QString(), day);
    EXPECT_EQ(expanded, s("20110621???"));
    EXPECT_EQ(DateCodePrefix(expanded), s("20110621"));
    EXPECT_EQ(DateCodePrefixLength(QString()), 8);
    EXPECT_EQ(DateCodeZeroKey(expanded), s("20110621000"));
    EXPECT_EQ(IncString(DateCodeZeroKey(expanded)), s("20110621001"));
    EXPECT_EQ(IncString(s("20110621001")), s("20110621002"));

    EXPECT_EQ(ExpandDateCodeRule(s(" sk-yymm???? "), day), s("SK-1106????"));
    EXPECT_EQ(DateCodePrefixLength(s(" sk-yymm???? ")), 7);
    EXPECT_EQ(ExpandDateCodeRule(s("DDMMYYYY??"), day), s("21062011??"));

    // An empty or early date means today.
    TTestClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    EXPECT_EQ(ExpandDateCodeRule(QString(), QDate()), s("20261207???"));
    EXPECT_EQ(ExpandDateCodeRule(QString(), QDate(1902, 9, 26)), s("20261207???"));
    EXPECT_EQ(ExpandDateCodeRule(QString(), QDate(1902, 9, 27)), s("19020927???"));
}
