// Every shipped report module opens its own report window through the
// launcher and runs its statement with the default conditions.
#include "../../assistant/LedgerReportClasses.h"
#include "../record/RecordTestSupport.h"
#include "TestText.h"

#include "common/ZClock.h"
#include "data/TDBConn.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/ZLauncher.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZDataset.h"
#include "metadata/ZDataSources.h"
#include "report/TRptDataSet.h"
#include "report/TfrmRptGridView.h"

#include <QPointer>

#include <gtest/gtest.h>

namespace {

class ShippedReports : public TRecordTest
{
protected:
    void SetUp() override
    {
        TRecordTest::SetUp();
        copyShipped(s("RptSql"));
        ZRegisterLedgerReports();
    }

    void TearDown() override
    {
        ZUnRegisterLedgerReports();
        TRecordTest::TearDown();
    }

    static void bill(const char *values)
    {
        DBConn().DBExcuteSql(s("insert into accFee(BillNo, Flag, BillDate, AccMonth, ObjectName, ItemID, FeeItemID01,"
                               " Quantity01, FeeItemID03, Quantity03, FeeMoney, Offset, NowRecv, Discount, RemainMoney)"
                               " values")
                             + s(values));
    }
};

} // namespace

TEST_F(ShippedReports, EachModuleOpensItsWindowAndRunsOnAFreshDataFile)
{
    const QDate today = ZDate();
    const QString day = today.toString(s("yyyy-MM-dd"));
    const QString month = today.toString(s("yyyyMM"));
    DBConn().DBExcuteSql(s("insert into accFeeItem(ItemID, ItemName, ItemType, IsStock) values('S1', '大米', 2, 1)"));
    bill(QString(s("('B1', 2, '%1', %2, '甲', 'P1', 'S1', 10, 'S1', 5, 100, 0, 60, 0, 40)")).arg(day, month).toUtf8());
    bill(QString(s("('B2', 1, '%1', %2, '乙', 'P1', 'S1', 4, '', 0, 30, 0, 30, 0, 0)")).arg(day, month).toUtf8());
    DBConn().DBExcuteSql(QString(s("insert into moxIncomeFee(BillNo, Flag, ItemDate, FeeMonth, InOutType, ItemMoney)"
                                   " values('I1', 1, '%1', %2, 'T1', 12), ('I2', 2, '%1', %2, 'T1', 5)"))
                             .arg(day, month));

    const QMap<QString, int> expectedRows{
        {s("RptAccDaily"), 1},           {s("RptAccFeeTotal"), 1}, {s("RptAccIncomeTotal"), 1}, {s("RptAccStock"), 1},
        {s("RptAccObjectNameTotal"), 2}, {s("RptFeeTotal"), 1},    {s("RptIncomeTotal"), 1}};
    for (auto it = expectedRows.cbegin(); it != expectedRows.cend(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        const TZDataSource &source = GetDataSource(it.key());
        QPointer<QWidget> window = WakeUpListFormByProg(it.key());
        auto *report = qobject_cast<TfrmRptBase *>(window.data());
        ASSERT_TRUE(report);
        EXPECT_EQ(QString::fromLatin1(report->metaObject()->className()), source.ListFormClassName);
        EXPECT_EQ(report->windowTitle(), source.DisplayName);
        EXPECT_FALSE(report->PrintCtrls().isEmpty());
        // Opened again: the same window.
        EXPECT_EQ(WakeUpListFormByProg(it.key()), window.data());

        report->Run();
        TRptDataSet &data = report->ReportData();
        ASSERT_TRUE(data.Active());
        EXPECT_EQ(data.RecordCount(), it.value());
        // Every field the module shows is a column of the result; the monthly
        // totals turn the types into columns ("_AutoField…") of one row per
        // month.
        if (it.key() == s("RptFeeTotal") || it.key() == s("RptIncomeTotal")) {
            EXPECT_EQ(data.FieldNames(), QStringList({s("FeeMonth"), s("_AutoField1")}));
            report->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            continue;
        }
        for (const std::unique_ptr<TZTable> &table : source.Datasets.front()->Tables) {
            for (const std::unique_ptr<TZField> &field : table->Fields) {
                if (field->Visible) {
                    EXPECT_TRUE(data.FindField(field->FieldName)) << field->FieldName.toStdString();
                }
            }
        }
        report->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull());
    }
}

TEST_F(ShippedReports, TheStockCountAddsPaymentsAndSubtractsIncomeOverAllLines)
{
    DBConn().DBExcuteSql(s("insert into accFeeItem(ItemID, ItemName, ItemType, IsStock) values('S1', '大米', 2, 1)"));
    bill("('B1', 2, '2024-01-02', 202401, '甲', 'P1', 'S1', 10, 'S1', 5, 100, 0, 60, 0, 40)");
    bill("('B2', 1, '2024-01-03', 202401, '乙', 'P1', 'S1', 4, '', 0, 30, 0, 30, 0, 0)");
    QPointer<QWidget> window = WakeUpListFormByProg(s("RptAccStock"));
    auto *report = qobject_cast<TfrmRptBase *>(window.data());
    ASSERT_TRUE(report);
    report->Run();
    TRptDataSet &data = report->ReportData();
    ASSERT_EQ(data.RecordCount(), 1);
    EXPECT_EQ(data.FieldByName(s("ItemID")).AsString(), s("S1"));
    EXPECT_DOUBLE_EQ(data.FieldByName(s("Quantity")).AsFloat(), 11.0);
    report->close();
}
