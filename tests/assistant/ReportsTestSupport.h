#pragma once

// The ledger reports' tests: the report windows of the assistant package on
// a real data file with the shipped module and report definitions.
#include "LedgerReportClasses.h"
#include "RecordTestSupport.h"
#include "ReportTestSupport.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "controls/TPrintRange.h"
#include "controls/TZDBGrid.h"
#include "data/TDBConn.h"
#include "launcher/ZLauncher.h"
#include "report/TRptDataSet.h"

#include <QPointer>

/// A whole amount as money.
inline Currency money(qint64 units)
{
    return Currency::fromRaw(units * Currency::Scale);
}

class TLedgerReportTest : public TRecordTest
{
protected:
    void SetUp() override
    {
        TRecordTest::SetUp();
        copyShipped(s("RptSql"));
        copyShipped(s("Report"));
        ZRegisterLedgerReports();
    }

    void TearDown() override
    {
        ZUnRegisterLedgerReports();
        TRecordTest::TearDown();
    }

    /// The report window of a module, opened through the launcher.
    static TfrmRptBase *open(const char *progID)
    {
        return qobject_cast<TfrmRptBase *>(WakeUpListFormByProg(s(progID)));
    }

    static void setRange(TfrmRptBase &report, const char *field, const QDate &first, const QDate &last)
    {
        TPrintRange *range = report.PrintCtrl(s(field));
        ASSERT_TRUE(range) << field;
        range->SetBeginDate(first);
        range->SetEndDate(last);
    }

    /// The shown text of a field in the report data's current row.
    static QString text(TfrmRptBase &report, const char *field)
    {
        return report.ReportData().FieldByName(s(field)).Text();
    }

    /// Runs the report as a grid, keeps a picture of the grid window, and
    /// prints the chosen layout to PDF; the PDF's text without blanks.
    QString runAndPrint(TfrmRptBase &report, const QString &name)
    {
        report.Run();
        if (QWidget *grid = report.GridViewForm()) {
            grid->resize(820, 360);
            ZSaveScreenshot(*grid, s("ledger_") + name);
        }
        const QString pdf = path(name + s(".pdf"));
        ZPrintReportToPdf(report.FixedLayout(),
                          {{s("ReportData"), &report.ReportData()}, {s("ParamData"), &report.ParamData()}}, pdf);
        return ZWithoutBlanks(ZPdfText(pdf));
    }

    static void sql(const QString &statement) { DBConn().DBExcuteSql(statement); }

    /// An accFee bill: number, flag, date (yyyy-MM-dd), counterparty, bill
    /// item, amount and open balance.
    static void bill(const char *no, int flag, const char *date, const char *object, const char *item,
                     const char *money, const char *remain)
    {
        const QDate day = QDate::fromString(s(date), s("yyyy-MM-dd"));
        sql(s("insert into accFee(BillNo, Flag, BillDate, AccMonth, ObjectName, ItemID, FeeMoney, Offset, NowRecv,"
              " Discount, RemainMoney) values('%1', %2, '%3', %4, '%5', '%6', %7, 0, %7 - %8, 0, %8)")
                .arg(s(no))
                .arg(flag)
                .arg(s(date))
                .arg(day.year() * 100 + day.month())
                .arg(s(object), s(item), s(money), s(remain)));
    }
};
