// Report definition files: conditions, statement, source mode, and refused
// garbage.
#include "TestText.h"

#include "common/ZErrors.h"
#include "report/ZRptDefinition.h"

#include <gtest/gtest.h>

namespace {

QString refusal(const QByteArray &text)
{
    try {
        ZParseRptDefinition(text);
    } catch (const EZError &error) {
        return error.message();
    }
    return {};
}

} // namespace

TEST(ReportDefinition, ConditionLinesStatementLinesAndComments)
{
    const TZRptDefinition definition = ZParseRptDefinition(
        "{ 收入汇总\r\n"
        "  [ctRangeDate, A.ItemDate, 日期区间]\r\n"
        "[ctID,A.InOutType,收入类型]\n"
        "[anything,A.AccountID,]\n"
        "\n"
        " Select A.FeeMonth\n"
        "{ a note inside }\n"
        " From moxIncomeFee A Where A.Flag = 1  \n");
    ASSERT_EQ(definition.conditions.size(), 3);
    EXPECT_EQ(definition.conditions.at(0).kind, ctRangeDate);
    EXPECT_EQ(definition.conditions.at(0).field, s("A.ItemDate"));
    EXPECT_EQ(definition.conditions.at(0).caption, s("日期区间"));
    EXPECT_EQ(definition.conditions.at(1).kind, ctID);
    EXPECT_EQ(definition.conditions.at(2).kind, ctRangeID);
    EXPECT_EQ(definition.conditions.at(2).caption, s("A.AccountID"));
    EXPECT_EQ(definition.statement, s(" Select A.FeeMonth\r\n From moxIncomeFee A Where A.Flag = 1"));
    EXPECT_FALSE(definition.sourceMode);

    const TZRptDefinition onlyConditions = ZParseRptDefinition("[ctCheck,A.HasCheck,已审核]\n");
    EXPECT_EQ(onlyConditions.conditions.size(), 1);
    EXPECT_TRUE(onlyConditions.statement.isEmpty());
}

TEST(ReportDefinition, SourceModeNamesTheModuleAndTheSelectList)
{
    const TZRptDefinition definition =
        ZParseRptDefinition("[ctID,A.PersonID,联系人]\nTagProgID = moxAddressBook = A.PersonID, A.PersonName\n");
    EXPECT_TRUE(definition.sourceMode);
    EXPECT_EQ(definition.srcProgID, s("moxAddressBook"));
    EXPECT_EQ(definition.selectList, s("A.PersonID, A.PersonName"));
}

TEST(ReportDefinition, GarbageIsRefusedWithTheLine)
{
    EXPECT_EQ(refusal("\n[ctDate,A.BillDate\n"), s("报表定义第2行的条件格式不对，应为[类型,字段,标题]：[ctDate,A.BillDate"));
    EXPECT_TRUE(refusal("[ctDate]").startsWith(s("报表定义第1行")));
    EXPECT_TRUE(refusal("[ctDate, ,日期]").startsWith(s("报表定义第1行")));
    EXPECT_EQ(refusal(QByteArray("Select\0x", 8)), s("报表定义不是文本文件"));
    EXPECT_EQ(refusal("\xff\xfe\x41"), s("报表定义不是文本文件"));
    EXPECT_TRUE(refusal("TagProgID=moxAddressBook").startsWith(s("报表定义的数据来源格式不对")));
    EXPECT_TRUE(refusal("TagProgID==A.X").startsWith(s("报表定义的数据来源格式不对")));
    EXPECT_EQ(refusal(""), QString());
}
