// The monthly income and expense totals: one row per month, one column per
// type, on a known data set.
#include "ReportsTestSupport.h"

namespace {

class MonthlyTotals : public TLedgerReportTest
{
protected:
    void SetUp() override
    {
        TLedgerReportTest::SetUp();
        sql(s("insert into moxIncomeType(TypeID, TypeName) values('T1', '工资'), ('T2', '奖金')"));
        sql(s("insert into moxFeeType(TypeID, TypeName) values('F1', '餐饮')"));
        sql(s("insert into moxIncomeFee(BillNo, Flag, ItemDate, FeeMonth, InOutType, ItemMoney) values"
              " ('I1', 1, '2024-02-10', 202402, 'T1', 8000),"
              " ('I2', 1, '2024-03-05', 202403, 'T1', 8000),"
              " ('I3', 1, '2024-03-20', 202403, 'T2', 1500.5),"
              " ('I4', 1, '2024-03-25', 202403, 'T2', 499.5),"
              " ('I5', 1, '2024-04-01', 202404, 'T2', 7),"
              " ('E1', 2, '2024-03-06', 202403, 'F1', 35.25),"
              " ('E2', 2, '2024-03-07', 202403, 'F1', 14.75),"
              " ('E3', 2, '2024-03-08', 202403, 'F9', 3)"));
    }
};

} // namespace

TEST_F(MonthlyTotals, IncomeTurnsTypesIntoColumnsPerMonth)
{
    QPointer<TfrmRptBase> report = open("RptIncomeTotal");
    ASSERT_TRUE(report);
    EXPECT_STREQ(report->metaObject()->className(), "TfrmRptIncomeTotal");
    setRange(*report, "A.ItemDate", QDate(2024, 2, 1), QDate(2024, 3, 31));
    const QString pdf = runAndPrint(*report, s("income_total"));

    TRptDataSet &data = report->ReportData();
    EXPECT_EQ(data.FieldNames(), QStringList({s("FeeMonth"), s("_AutoField1"), s("_AutoField2")}));
    EXPECT_EQ(data.FieldByName(s("_AutoField1")).DisplayLabel, s("工资"));
    EXPECT_EQ(data.FieldByName(s("_AutoField2")).DisplayLabel, s("奖金"));
    ASSERT_EQ(data.RecordCount(), 2);
    data.First();
    EXPECT_EQ(text(*report, "FeeMonth"), s("2024年02月"));
    EXPECT_EQ(data.FieldByName(s("_AutoField1")).AsCurrency(), money(8000));
    EXPECT_EQ(text(*report, "_AutoField2"), QString()); // no bonus in February
    data.Next();
    EXPECT_EQ(text(*report, "FeeMonth"), s("2024年03月"));
    EXPECT_EQ(data.FieldByName(s("_AutoField2")).AsCurrency(), money(2000));
    EXPECT_FALSE(text(*report, "_AutoField2").isEmpty());

    // The grid and the printed report name the columns by type.
    auto *grid = qobject_cast<TfrmRptGridViewBase *>(report->GridViewForm());
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->Grid()->ColumnCaption(s("_AutoField1")), s("工资"));
    EXPECT_EQ(grid->Grid()->ColumnCaption(s("_AutoField2")), s("奖金"));
    // The footer sums the pivoted amounts and shows them as the cells do.
    EXPECT_EQ(text(*report, "_AutoField2"), s("2000.00"));
    EXPECT_EQ(grid->Grid()->FooterText(s("_AutoField2")), s("2000.00"));
    EXPECT_TRUE(pdf.contains(s("收入统计表"))) << pdf.toStdString();
    EXPECT_TRUE(pdf.contains(s("工资"))) << pdf.toStdString();
    EXPECT_TRUE(pdf.contains(s("奖金"))) << pdf.toStdString();
    EXPECT_TRUE(pdf.contains(s("2024年02月"))) << pdf.toStdString();
    EXPECT_TRUE(pdf.contains(s("2024年03月"))) << pdf.toStdString();
    EXPECT_FALSE(pdf.contains(s("2024年04月"))) << pdf.toStdString();
    EXPECT_FALSE(pdf.contains(s("202403"))) << pdf.toStdString();
    report->close();
}

TEST_F(MonthlyTotals, ExpenseSumsOnlyExpenseItems)
{
    QPointer<TfrmRptBase> report = open("RptFeeTotal");
    ASSERT_TRUE(report);
    setRange(*report, "A.ItemDate", QDate(2024, 1, 1), QDate(2024, 12, 31));
    const QString pdf = runAndPrint(*report, s("fee_total"));
    TRptDataSet &data = report->ReportData();
    EXPECT_EQ(data.FieldNames(), QStringList({s("FeeMonth"), s("_AutoField1"), s("_AutoField2")}));
    ASSERT_EQ(data.RecordCount(), 1);
    EXPECT_EQ(text(*report, "FeeMonth"), s("2024年03月"));
    EXPECT_EQ(data.FieldByName(s("_AutoField1")).AsCurrency(), money(50));
    EXPECT_EQ(data.FieldByName(s("_AutoField1")).DisplayLabel, s("餐饮"));
    // A type missing from the type list is captioned by its identifier.
    EXPECT_EQ(data.FieldByName(s("_AutoField2")).DisplayLabel, s("F9"));
    EXPECT_EQ(data.FieldByName(s("_AutoField2")).AsCurrency(), money(3));
    EXPECT_TRUE(pdf.contains(s("餐饮"))) << pdf.toStdString();
    EXPECT_TRUE(pdf.contains(s("2024年03月"))) << pdf.toStdString();
    report->close();
}

TEST_F(MonthlyTotals, NoRowsInTheRangeGiveAnEmptyReport)
{
    QPointer<TfrmRptBase> report = open("RptIncomeTotal");
    ASSERT_TRUE(report);
    setRange(*report, "A.ItemDate", QDate(2020, 1, 1), QDate(2020, 1, 31));
    report->Run();
    EXPECT_TRUE(report->ReportData().Active());
    EXPECT_EQ(report->ReportData().RecordCount(), 0);
    EXPECT_EQ(report->ReportData().FieldNames(), QStringList({s("FeeMonth")}));
    report->close();
}

TEST(MonthText, YearTensAndUnitsOfTheMonth)
{
    EXPECT_EQ(ZRptMonthText(202403), s("2024年03月"));
    EXPECT_EQ(ZRptMonthText(202412), s("2024年12月"));
    EXPECT_EQ(ZRptMonthText(0), QString());
}
