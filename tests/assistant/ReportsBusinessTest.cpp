// The business reports over the bills: the daily trading summary with its
// running balance, the stock count, the bill summaries and the totals per
// counterparty.
#include "ReportsTestSupport.h"

#include "controls/TZDBGrid.h"

#include <initializer_list>

namespace {

struct TLine
{
    int line;
    const char *item;
    int quantity;
};

class BusinessReports : public TLedgerReportTest
{
protected:
    /// The bills of the daily summary: two before March, three days in
    /// March, inserted out of order.
    static void dailyBills()
    {
        bill("B5", 1, "2024-03-02", "乙", "P1", "300", "0");
        bill("B0", 1, "2024-02-28", "甲", "P1", "100", "30");
        bill("B1", 2, "2024-02-27", "丙", "P2", "50", "10");
        bill("B3", 1, "2024-03-01", "甲", "P1", "200", "50");
        bill("B4", 2, "2024-03-01", "丙", "P2", "80", "0");
    }

    /// A bill with item lines at the given positions.
    static void stockBill(const char *no, int flag, std::initializer_list<TLine> lines)
    {
        QString columns = s("BillNo, Flag, BillDate, AccMonth, ObjectName");
        QString values = s("'%1', %2, '2024-03-01', 202403, '甲'").arg(s(no)).arg(flag);
        for (const TLine &line : lines) {
            const QString nn = QString::number(line.line).rightJustified(2, QLatin1Char('0'));
            columns += s(", FeeItemID%1, Quantity%1").arg(nn);
            values += s(", '%1', %2").arg(s(line.item)).arg(line.quantity);
        }
        sql(s("insert into accFee(%1) values(%2)").arg(columns, values));
    }

    /// The rows of the report data as "field=text" joined by " ".
    static QStringList rows(TfrmRptBase &report, std::initializer_list<const char *> fields)
    {
        QStringList result;
        TRptDataSet &data = report.ReportData();
        for (data.First(); !data.Eof(); data.Next()) {
            QStringList row;
            for (const char *field : fields)
                row << data.FieldByName(s(field)).AsString();
            result << row.join(QLatin1Char(' '));
        }
        return result;
    }
};

} // namespace

TEST_F(BusinessReports, DailyRunningBalanceStartsFromTheBalanceBeforeTheRange)
{
    dailyBills();
    QPointer<TfrmRptBase> report = open("RptAccDaily");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->windowTitle(), s("日营业统计表"));
    setRange(*report, "A.BillDate", QDate(2024, 3, 1), QDate(2024, 3, 31));
    // Before March: 30 still to receive, 10 still to pay.
    EXPECT_EQ(static_cast<TfrmRptAccDaily *>(report.data())->OpeningBalance(), money(20));
    const QString pdf = runAndPrint(*report, s("daily_range"));
    // 1 March: (200 - 50) - (80 - 0) = 70; 2 March: 300.
    EXPECT_EQ(rows(*report, {"BillDate", "DaySum", "CurrMoney"}),
              QStringList({s("2024-03-01 70 90"), s("2024-03-02 300 390")}));
    report->ReportData().First();
    EXPECT_EQ(text(*report, "AccMonth"), s("2024年03月"));

    // The grid does not add up the running balance.
    auto *grid = qobject_cast<TfrmRptAccDailyGrid *>(report->GridViewForm());
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->Grid()->FooterText(s("CurrMoney")), QString());
    EXPECT_FALSE(grid->Grid()->FooterText(s("DaySum")).isEmpty());

    EXPECT_TRUE(pdf.contains(s("日营业统计表"))) << pdf.toStdString();
    EXPECT_TRUE(pdf.contains(s("累计结余"))) << pdf.toStdString();
    EXPECT_TRUE(pdf.contains(s("2024年03月"))) << pdf.toStdString();
    EXPECT_TRUE(pdf.contains(s("390"))) << pdf.toStdString();
    // The shipped layout prints the date and does not add up the balances.
    EXPECT_TRUE(QFile::exists(report->LayoutFile()));
    EXPECT_TRUE(pdf.contains(s("打印日期：") + QDate::currentDate().toString(s("yyyy-MM-dd")))) << pdf.toStdString();
    EXPECT_TRUE(pdf.contains(s("合计50080500370.00\n"))) << pdf.toStdString();
    report->close();
}

TEST_F(BusinessReports, DailyRunningBalanceWithoutADateRangeStartsAtZero)
{
    dailyBills();
    folder->writeFile(s("RptSql/RptAccDaily.rql"), QByteArray("[ctID,A.ObjectName,对象]\n"));
    QPointer<TfrmRptBase> report = open("RptAccDaily");
    ASSERT_TRUE(report);
    EXPECT_EQ(static_cast<TfrmRptAccDaily *>(report.data())->OpeningBalance(), Currency());
    runAndPrint(*report, s("daily_all"));
    EXPECT_EQ(
        rows(*report, {"BillDate", "DaySum", "CurrMoney"}),
        QStringList({s("2024-02-27 -40 -40"), s("2024-02-28 70 30"), s("2024-03-01 70 100"), s("2024-03-02 300 400")}));

    // A counterparty condition narrows the days; the balance runs over them.
    report->PrintCtrl(s("A.ObjectName"))->SetBeginValue(s("甲"));
    report->Run();
    EXPECT_EQ(rows(*report, {"BillDate", "DaySum", "CurrMoney"}),
              QStringList({s("2024-02-28 70 70"), s("2024-03-01 150 220")}));
    report->close();
}

TEST_F(BusinessReports, StockCountSumsAllTenLinesAndNetsPurchasesAgainstSales)
{
    sql(s("insert into accFeeItem(ItemID, ItemName, ItemType, IsStock) values('S1', '大米', 2, 1),"
          " ('S2', '面粉', 2, 1), ('N1', '运费', 2, 0)"));
    stockBill("P1", 2, {{3, "S1", 10}, {10, "S2", 4}, {1, "N1", 3}});
    stockBill("I1", 1, {{7, "S1", 10}, {2, "S2", 1}});
    stockBill("P2", 2, {{5, "S2", 2}});
    QPointer<TfrmRptBase> report = open("RptAccStock");
    ASSERT_TRUE(report);
    const QString pdf = runAndPrint(*report, s("stock"));
    report->ReportData().SetIndexFieldNames(s("ItemID"));
    EXPECT_EQ(rows(*report, {"ItemID", "ItemName", "Quantity"}), QStringList({s("S1 大米 0"), s("S2 面粉 5")}));
    // Line 01 holds no stock item here; the quantities are numbers still.
    EXPECT_EQ(report->ReportData().FieldByName(s("Quantity")).DataType(), ftZFloat);
    report->ReportData().Last();
    EXPECT_EQ(text(*report, "Quantity"), s("5.00"));
    EXPECT_TRUE(pdf.contains(s("面粉"))) << pdf.toStdString();
    EXPECT_FALSE(pdf.contains(s("运费"))) << pdf.toStdString();
    EXPECT_TRUE(pdf.contains(s("打印日期"))) << pdf.toStdString();

    // The item condition applies to every line position.
    TPrintRange *item = report->PrintCtrl(s("A.FeeItemID"));
    ASSERT_TRUE(item);
    item->SetBeginValue(s("S2"));
    item->SetEndValue(s("S2"));
    report->Run();
    EXPECT_EQ(rows(*report, {"ItemID", "Quantity"}), QStringList({s("S2 5")}));
    report->close();
}

TEST_F(BusinessReports, BillSummariesGroupByCounterpartyMonthAndItem)
{
    sql(s("insert into accFeeParentItem(ItemID, ItemName) values('P1', '销售'), ('P2', '采购')"));
    bill("B1", 1, "2024-03-01", "甲", "P1", "200", "50");
    bill("B2", 1, "2024-03-09", "甲", "P1", "100", "0");
    bill("B3", 1, "2024-03-09", "乙", "", "70", "70"); // no bill item: left out
    bill("B4", 2, "2024-03-10", "丙", "P2", "80", "20");
    QPointer<TfrmRptBase> income = open("RptAccIncomeTotal");
    ASSERT_TRUE(income);
    setRange(*income, "A.BillDate", QDate(2024, 3, 1), QDate(2024, 3, 31));
    const QString pdf = runAndPrint(*income, s("acc_income_total"));
    EXPECT_EQ(rows(*income, {"ObjectName", "AccMonth", "ItemName", "SumMoney", "RemainMoney", "NowRecv"}),
              QStringList({s("甲 202403 销售 300 50 250")}));
    income->ReportData().First();
    EXPECT_EQ(text(*income, "AccMonth"), s("2024年03月"));
    EXPECT_TRUE(pdf.contains(s("销售"))) << pdf.toStdString();
    EXPECT_TRUE(pdf.contains(s("打印日期"))) << pdf.toStdString();
    EXPECT_TRUE(pdf.contains(s("2024年03月"))) << pdf.toStdString();
    income->close();

    QPointer<TfrmRptBase> fee = open("RptAccFeeTotal");
    ASSERT_TRUE(fee);
    EXPECT_STREQ(fee->metaObject()->className(), "TfrmRptAccFeeTotal");
    setRange(*fee, "A.BillDate", QDate(2024, 3, 1), QDate(2024, 3, 31));
    runAndPrint(*fee, s("acc_fee_total"));
    EXPECT_EQ(rows(*fee, {"ObjectName", "ItemName", "SumMoney", "RemainMoney"}), QStringList({s("丙 采购 80 20")}));
    fee->close();
}

TEST_F(BusinessReports, CounterpartyTotalsSplitIncomeAndPaymentBills)
{
    dailyBills();
    bill("B6", 2, "2024-03-05", "甲", "P2", "40", "15");
    QPointer<TfrmRptBase> report = open("RptAccObjectNameTotal");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->windowTitle(), s("往来对象统计表"));
    setRange(*report, "A.BillDate", QDate(2024, 1, 1), QDate(2024, 12, 31));
    const QString pdf = runAndPrint(*report, s("object_total"));
    report->ReportData().SetIndexFieldNames(s("ObjectName"));
    QStringList got = rows(*report, {"ObjectName", "FeeMoney1", "RemainMoney1", "FeeMoney2", "RemainMoney2"});
    got.sort();
    QStringList expected{s("甲 300 80 40 15"), s("乙 300 0 0 0"), s("丙 0 0 130 10")};
    expected.sort();
    EXPECT_EQ(got, expected);
    EXPECT_TRUE(pdf.contains(s("往来对象统计表"))) << pdf.toStdString();
    EXPECT_TRUE(pdf.contains(s("未付金额"))) << pdf.toStdString();
    EXPECT_TRUE(pdf.contains(s("打印日期"))) << pdf.toStdString();
    report->close();
}

TEST_F(BusinessReports, ABillSummaryWithNoRowsShowsAnEmptyGrid)
{
    bill("B3", 1, "2024-03-09", "乙", "", "70", "70"); // no bill item: left out
    QPointer<TfrmRptBase> income = open("RptAccIncomeTotal");
    ASSERT_TRUE(income);
    setRange(*income, "A.BillDate", QDate(2024, 3, 1), QDate(2024, 3, 31));
    income->Run();
    EXPECT_TRUE(boxTexts.isEmpty()) << boxTexts.join(s(" | ")).toStdString();
    ASSERT_TRUE(income->GridViewForm());
    EXPECT_TRUE(income->GridViewForm()->isVisible());
    EXPECT_EQ(income->ReportData().RecordCount(), 0);
    income->close();
}
