#include "common/ZErrors.h"
#include "common/ZMoneyCn.h"

#include <gtest/gtest.h>

TEST(MoneyCn, Examples)
{
    const struct
    {
        double value;
        const char *text;
    } cases[] = {
        {1.23, "壹元贰角叁分"},
        {100, "壹佰元整"},
        {10.5, "壹拾元伍角整"},
        {-3.07, "负叁元零柒分"},
        {0, "零元整"},
        {1000001, "壹佰万零壹元整"},
        {0.05, "伍分"},
        {100000000, "壹亿元整"},
        {100005000, "壹亿零伍仟元整"},
        {100010000, "壹亿零壹万元整"},
        {120000000.5, "壹亿贰仟万元伍角整"},
        {2.005, "贰元零壹分"}, // the typed amount is rounded, not its binary neighbour
        {9999999999999.99, "玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分"},
        {-0.001, "零元整"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MoneyCn(c.value), QString::fromUtf8(c.text)) << c.value;
}

TEST(MoneyCn, AmountsBeyondFifteenFiguresAreRefused)
{
    EXPECT_THROW(MoneyCn(10000000000000.0), EZError);
    EXPECT_THROW(MoneyCn(1e300), EZError);
}
