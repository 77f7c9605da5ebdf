#include "TestText.h"

#include "common/Currency.h"
#include "common/ZErrors.h"
#include "common/ZNumbers.h"

#include <QDateTime>

#include <limits>

#include <gtest/gtest.h>

TEST(FormatNumber, TextRoundsTiesToEvenOnTheDecimalValue)
{
    EXPECT_DOUBLE_EQ(FormatNumber(s("2.5"), 0), 2.0);
    EXPECT_DOUBLE_EQ(FormatNumber(s("3.5"), 0), 4.0);
    EXPECT_DOUBLE_EQ(FormatNumber(s("-2.5"), 0), -2.0);
    EXPECT_DOUBLE_EQ(FormatNumber(s("1.125"), 2), 1.12);
    EXPECT_DOUBLE_EQ(FormatNumber(s("1.135"), 2), 1.14);
    // 2.675 is stored as 2.67499999…; the typed number is what is rounded.
    EXPECT_DOUBLE_EQ(FormatNumber(s("2.675"), 2), 2.68);
    EXPECT_DOUBLE_EQ(FormatNumber(s("1.0051"), 2), 1.01);
    EXPECT_DOUBLE_EQ(FormatNumber(s(" 12.3456 "), -3), 12.0); // negative digits count as 0
    EXPECT_DOUBLE_EQ(FormatNumber(s("1e3"), 2), 1000.0);
}

TEST(FormatNumber, TextThatIsNoNumberIsRefusedInTheSystemsWords)
{
    for (const char *bad : {"", "abc", "1,5", "12元", "nan", "inf"}) {
        try {
            FormatNumber(s(bad), 2);
            FAIL() << bad;
        } catch (const EZError &e) {
            EXPECT_EQ(e.message(), s("输入错误：") + s(bad) + s(" 非数值型数据"));
        }
    }
}

TEST(FormatNumber, FixedDecimalsAndThousands)
{
    EXPECT_EQ(FormatNumber(12.0, 2), s("12.00"));
    EXPECT_EQ(FormatNumber(12.345, 2), s("12.34"));
    EXPECT_EQ(FormatNumber(0.5, 0), s("0"));
    EXPECT_EQ(FormatNumber(-0.001, 2), s("0.00"));
    EXPECT_EQ(FormatNumber(1e20, 1), s("100000000000000000000.0"));

    EXPECT_EQ(FormatNumber(1234.5, 2, true), s("1,234.50"));
    EXPECT_EQ(FormatNumber(12345678.0, 0, true), s("12,345,678"));
    EXPECT_EQ(FormatNumber(999.995, 2, true), s("1000.00")); // under 1000 before rounding: no separator
    EXPECT_EQ(FormatNumber(-1234.5, 1, true), s("-1234.5")); // negative amounts keep the plain pattern
    EXPECT_EQ(FormatNumber(1234.5, 2, false), s("1234.50"));
    EXPECT_EQ(FormatNumber(2.345, 2, false), s("2.34")); // ties to even in every form
    EXPECT_EQ(FormatNumber(2.355, 2, true), s("2.36"));
}

TEST(Conversions, TextsNeverFail)
{
    EXPECT_EQ(ZStrToInt(s(" 42 ")), 42);
    EXPECT_EQ(ZStrToInt(s("4.2")), 0);
    EXPECT_EQ(ZStrToInt(s("99999999999")), 0);
    EXPECT_EQ(TryStrToIntEx(s("x"), 7), 7);
    EXPECT_DOUBLE_EQ(TryStrToFloatEx(s("1.5"), 0), 1.5);
    EXPECT_DOUBLE_EQ(TryStrToFloatEx(s("1.5.1"), -1), -1);
    EXPECT_EQ(ZStrToCurr(s("12.34565")), Currency::fromRaw(123456)); // ties to even at four decimals
    EXPECT_EQ(ZStrToCurr(s("-0.0001")), Currency::fromRaw(-1));
    EXPECT_EQ(ZStrToCurr(s("abc")), Currency());
    EXPECT_EQ(TryStrToCurr(s("1e400"), Currency::fromRaw(5)), Currency::fromRaw(5));
}

TEST(Conversions, VariantsNeverFail)
{
    EXPECT_FALSE(ZBool(QVariant()));
    EXPECT_TRUE(ZBool(QVariant(-1)));
    EXPECT_TRUE(ZBool(QVariant(s("True"))));
    EXPECT_TRUE(ZBool(QVariant(s("1"))));
    EXPECT_FALSE(ZBool(QVariant(s("no"))));
    EXPECT_EQ(ZInt(QVariant()), 0);
    EXPECT_EQ(ZInt(QVariant(2.5)), 2);
    EXPECT_EQ(ZInt(QVariant(3.5)), 4);
    EXPECT_EQ(ZInt(QVariant(s("17"))), 17);
    EXPECT_DOUBLE_EQ(ZFloat(QVariant(s("x"))), 0);
    EXPECT_EQ(ZCurr(QVariant(1.23456)), Currency::fromRaw(12346));
    EXPECT_EQ(ZCurr(QVariant::fromValue(Currency::fromRaw(99))), Currency::fromRaw(99));
    EXPECT_EQ(ZStr(QVariant()), QString());
    EXPECT_EQ(ZStr(QVariant(true)), s("True"));
    EXPECT_EQ(ZStr(QVariant(0.1)), s("0.1"));
    EXPECT_EQ(ZStr(QVariant::fromValue(Currency::fromRaw(-12500))), s("-1.25"));
    EXPECT_EQ(ZStr(QVariant(QDateTime(QDate(2011, 6, 21), QTime(0, 0)))), s("2011-06-21"));
}

TEST(CurrencyValue, ExactFourDecimals)
{
    EXPECT_EQ(Currency::fromDouble(0.1) + Currency::fromDouble(0.2), Currency::fromDouble(0.3));
    EXPECT_EQ(Currency::fromDouble(1.00005), Currency::fromRaw(10000)); // tie to even
    EXPECT_EQ(Currency::fromDouble(1.00015), Currency::fromRaw(10002));
    EXPECT_EQ(Currency::fromRaw(10).toString(), s("0.001"));
    EXPECT_EQ(Currency::fromRaw(-30000).toString(), s("-3"));
    bool ok = false;
    EXPECT_EQ(Currency::fromString(s(".5"), &ok), Currency::fromRaw(5000));
    EXPECT_TRUE(ok);
}

TEST(FormatNumber, ExtremeDigitCountsStayBounded)
{
    EXPECT_EQ(FormatNumber(1.5, 1000).size(), 1 + 1 + 400);
    EXPECT_DOUBLE_EQ(FormatNumber(s("1.5"), std::numeric_limits<int>::max()), 1.5);
    EXPECT_EQ(FormatNumber(1.5, std::numeric_limits<int>::min()), s("2"));
}
