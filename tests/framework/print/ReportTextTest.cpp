// Report texts: fields, sums, page numbers, arithmetic and MoneyCn, and
// what bad texts print.

#include "ReportTestSupport.h"

#include "print/TZReportDataScope.h"
#include "print/TZReportText.h"

#include <gtest/gtest.h>

namespace {

class ReportText : public ::testing::Test
{
protected:
    TReportFixture fixture;
    std::unique_ptr<TZReportDataScope> scope;

    void SetUp() override
    {
        fixture.add(s("张三"), s("文具"), 3, s("1000.25"));
        fixture.add(s("李四"), s("文具"), 4, s("234.25"));
        fixture.rows.FieldByName(s("Name")).OnGetText = [](const TZDataField &field) {
            return s("«") + field.AsString() + s("»");
        };
        scope = std::make_unique<TZReportDataScope>(fixture.data());
        scope->SetPage(2, 5);
    }

    QString eval(const QString &source, int row = 0)
    {
        scope->SetRow(row);
        return TZReportText(source).Evaluate(*scope);
    }
};

TEST_F(ReportText, FieldsShowTheirDisplayTextInTheRowBeingPrinted)
{
    EXPECT_EQ(eval(s("客户：[ReportData.Name]，数量[ReportData.Qty]")), s("客户：«张三»，数量3"));
    EXPECT_EQ(eval(s("[reportdata.name] [ReportData.Amount]"), 1), s("«李四» 234.25"));
    EXPECT_EQ(eval(s("[ParamData.Company]"), 1), s("星光贸易公司")) << "other datasets read their first row";
    EXPECT_EQ(eval(s("第[Page#]页 共[TotalPages#]页")), s("第2页 共5页"));
    EXPECT_EQ(eval(s("[Date]")), QDate::currentDate().toString(s("yyyy-MM-dd")));
}

TEST_F(ReportText, SumsArithmeticAndMoneyInCapitals)
{
    EXPECT_EQ(eval(s("[Sum(ReportData.Amount)]")), s("1234.50"));
    EXPECT_EQ(eval(s("[Sum(ReportData.Qty)]")), s("7"));
    scope->SetSumRange(1, 1);
    EXPECT_EQ(eval(s("[Sum(ReportData.Qty)]")), s("4")) << "a group's own rows";
    scope->SetSumRange(0, 1);
    EXPECT_EQ(eval(s("[MoneyCn(Sum(ReportData.Amount))]")), s("壹仟贰佰叁拾肆元伍角整"));
    EXPECT_EQ(eval(s("[MoneyCn(ReportData.Amount)]"), 1), s("贰佰叁拾肆元贰角伍分"));
    EXPECT_EQ(eval(s("[ReportData.Qty * 2 + 1]")), s("7"));
    EXPECT_EQ(eval(s("[(ReportData.Qty + 1) * ReportData.Amount]"), 1), s("1171.25"));
    EXPECT_EQ(eval(s("[ReportData.Amount / 2]")), s("500.13")) << "money computes with two decimals";
    EXPECT_EQ(eval(s("[10 / 4] [-3 - -1] [0.1 + 0.2]")), s("2.5 -2 0.3"));
}

TEST_F(ReportText, BadTextsPrintTheReasonInPlaceAndNeverFail)
{
    EXPECT_EQ(eval(s("A[ReportData.Nothing]B")), s("A[错误:没有字段ReportData.Nothing]B"));
    EXPECT_EQ(eval(s("[Other.Name]")), s("[错误:没有字段Other.Name]"));
    EXPECT_EQ(eval(s("[Foo]")), s("[错误:未知的名称“Foo”]"));
    EXPECT_EQ(eval(s("[Bar(1)]")), s("[错误:未知的函数“Bar”]"));
    EXPECT_EQ(eval(s("[1 +]")), s("[错误:表达式不完整]"));
    EXPECT_EQ(eval(s("[(1 + 2]")), s("[错误:缺少“)”]"));
    EXPECT_EQ(eval(s("[]")), s("[错误:表达式为空]"));
    EXPECT_EQ(eval(s("[1 / 0]")), s("[错误:除数为零]"));
    EXPECT_EQ(eval(s("[ReportData.Name * 2]")), s("[错误:“«张三»”不是数值]"));
    EXPECT_EQ(eval(s("[Sum(1)]")), s("[错误:Sum的参数应为字段，如Sum(ReportData.金额)]"));
    EXPECT_TRUE(eval(s("[MoneyCn(99999999999999)]")).startsWith(s("[错误:")));
    EXPECT_EQ(eval(s("单价[元 ] 与 [ 未闭合")), s("单价[错误:未知的名称“元”] 与 [ 未闭合"));
    EXPECT_EQ(eval(s("a]b[")), s("a]b[")) << "brackets without a pair are text";

    const QString deep = QString(200, QLatin1Char('(')) + s("1") + QString(200, QLatin1Char(')'));
    EXPECT_EQ(eval(s("[") + deep + s("]")), s("[错误:表达式嵌套太深]"));
    QString chain = s("[1");
    for (int i = 0; i < 5000; ++i)
        chain += s("+1");
    EXPECT_EQ(eval(chain + s("]")), s("[错误:表达式太长]"));

    const TZReportText checked(s("[ReportData.Name] [Foo] [1+]"));
    EXPECT_EQ(checked.Errors(), QStringList({s("未知的名称“Foo”"), s("表达式不完整")}));
    EXPECT_EQ(TZReportText(s("[ReportData.Name][Sum(ParamData.X)]")).FieldNames(),
              QStringList({s("ReportData.Name"), s("ParamData.X")}));
}

} // namespace
