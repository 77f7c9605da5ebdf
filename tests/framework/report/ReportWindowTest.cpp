// The report window on real modules and data files: conditions from the
// definition, the statements of both modes, the grid window and its sums.
#include "../record/RecordTestSupport.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "controls/TPrintRange.h"
#include "controls/TZDBGrid.h"
#include "controls/ZFileDialogs.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/ZLauncher.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "print/ZReportPrint.h"
#include "report/TRptDataSet.h"
#include "report/TfrmRptGridView.h"
#include "report/TfrmRptPubBase.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

class ReportWindow : public TRecordTest
{
protected:
    void SetUp() override
    {
        TRecordTest::SetUp();
        QDir(path(s("RptSql"))).removeRecursively();
        QDir().mkpath(path(s("RptSql")));
        ZRegisterClass(s("TfrmRptGridView"), [] { return new TfrmRptGridView; });
    }

    void TearDown() override
    {
        ZUnRegisterClass(s("TfrmRptGridView"));
        TRecordTest::TearDown();
    }

    void writeDefinition(const QString &progID, const char *text)
    {
        folder->writeFile(s("RptSql/") + progID + s(".rql"), QByteArray(text));
    }

    /// A report window of a module, shown, its conditions built.
    QPointer<TfrmRptPubBase> openReport(const QString &progID)
    {
        auto *report = new TfrmRptPubBase;
        TFormParams params;
        params.Action = s("WakeUp");
        params.ProgID = progID;
        report->FormReturnValue(kFormParamsName, ZFormParamsAddress(params));
        report->show();
        return report;
    }

    static QString printSql(TfrmRptBase &report)
    {
        QString sql;
        report.GetPrintSql(0, sql);
        return sql;
    }
};

} // namespace

TEST_F(ReportWindow, ConditionLinesAloneKeepTheDataSourceStatement)
{
    writeDefinition(s("RptIncomeTotal"), "[ctID,A.InOutType,收入类型]\n[ctCheck,A.SumMoney,有金额]\n");
    QPointer<TfrmRptPubBase> report = openReport(s("RptIncomeTotal"));
    EXPECT_EQ(report->windowTitle(), s("收入统计表"));
    ASSERT_EQ(report->PrintCtrls().size(), 2);
    TPrintRange *type = report->PrintCtrls().at(0);
    TPrintRange *check = report->PrintCtrls().at(1);
    EXPECT_EQ(type->Caption(), s("收入类型"));
    EXPECT_EQ(type->ProgID(), s("moxIncomeType"));
    EXPECT_EQ(check->ProgID(), QString());
    EXPECT_EQ(check->y() - type->y(), 40);
    EXPECT_EQ(type->height(), 40);

    type->SetBeginValue(s("T1"));
    const QString own = GetDataSource(s("RptIncomeTotal")).GetDataSetSQLEx(0, true, true, false, false, false);
    EXPECT_EQ(printSql(*report), own + s(" And A.InOutType = 'T1' And A.SumMoney = 0"));
    report->Run();
    EXPECT_TRUE(report->ReportData().Active());
    EXPECT_EQ(report->ParamData().Name, s("ParamData"));
    EXPECT_TRUE(report->ParamData().Active());
    EXPECT_EQ(report->ReportData().Name, s("ReportData"));
    EXPECT_EQ(report->ReportData().ProgID, s("RptIncomeTotal"));
    report->close();
}

TEST_F(ReportWindow, SourceModeQueriesTheNamedModule)
{
    writeDefinition(s("RptIncomeTotal"),
                    "[ctID,A.PersonID,联系人]\nTagProgID=moxAddressBook=A.PersonID, A.PersonName\n");
    QPointer<TfrmRptPubBase> report = openReport(s("RptIncomeTotal"));
    EXPECT_TRUE(report->SourceMode());
    EXPECT_EQ(report->PrintCtrls().at(0)->ProgID(), QString());
    report->PrintCtrls().at(0)->SetBeginValue(s("P1"));
    EXPECT_EQ(printSql(*report), s(" Select A.PersonID, A.PersonName \r\n From moxAddressBook A\r\n Where 1=1 "
                                   " And A.PersonID = 'P1'"));
    report->close();

    // A master-detail source joins its first detail on the flags.
    writeDefinition(s("RptFeeTotal"), "TagProgID=accGather=A.BillNo, B.Offset\n");
    report = openReport(s("RptFeeTotal"));
    EXPECT_EQ(printSql(*report), s(" Select A.BillNo, B.Offset \r\n From accGather A\r\n Left Join accGatherSub B On "
                                   "(A.BillNo = B.BillNo  And A.Flag = B.Flag + 0) \r\n Where 1=1  And A.Flag = 1"));
    report->Run();
    EXPECT_TRUE(report->ReportData().Active());
    report->close();
}

TEST_F(ReportWindow, ASourceWithHasCheckCountsCheckedRowsOnly)
{
    createTable(s(" CREATE TABLE [testChecked]([ID] varchar(20), [Name] varchar(50), [HasCheck] bit)"));
    folder->writeFile(s("DBSource/testChecked.dbs"),
                      QByteArray("[<DSDataSource>]\nDisplayName=已审核\nMasterKey=ID\nDataSource=testChecked\n"
                                 "[<DSDataset>Master]\nDataSource=testChecked\nDataset=Master\nDatasetIndex=0\n"
                                 "[<DSTable>Master-testChecked]\nDataSource=testChecked\nDataset=Master\n"
                                 "TableName=testChecked\nTableIndex=0\nKeyFields=ID\n"
                                 "[<DSField>Master-testChecked-ID]\nDataSource=testChecked\nDataset=Master\n"
                                 "TableName=testChecked\nFieldName=ID\nFieldIndex=0\nDisplayName=编号\n"
                                 "FieldType=ftZString\nVisible=True\n"));
    DBConn().DBExcuteSql(s("insert into testChecked(ID, Name, HasCheck) values('C1', 'yes', 1)"));
    DBConn().DBExcuteSql(s("insert into testChecked(ID, Name, HasCheck) values('C2', 'no', 0)"));
    writeDefinition(s("RptIncomeTotal"), "TagProgID=testChecked=A.ID, A.Name\n");
    QPointer<TfrmRptPubBase> report = openReport(s("RptIncomeTotal"));
    EXPECT_EQ(printSql(*report), s(" Select A.ID, A.Name \r\n From testChecked A\r\n Where 1=1  And A.HasCheck = 1"));
    report->Run();
    EXPECT_EQ(report->ReportData().RecordCount(), 1);
    report->close();
}

TEST_F(ReportWindow, AGarbledDefinitionIsRefusedByName)
{
    writeDefinition(s("RptIncomeTotal"), "[ctDate,A.ItemDate\n");
    auto report = std::make_unique<TfrmRptPubBase>();
    TFormParams params;
    params.ProgID = s("RptIncomeTotal");
    const QString why = refusal([&] { report->FormReturnValue(kFormParamsName, ZFormParamsAddress(params)); });
    EXPECT_TRUE(why.contains(s("RptSql/RptIncomeTotal.rql"))) << why.toStdString();
    EXPECT_TRUE(why.contains(s("报表定义第1行的条件格式不对"))) << why.toStdString();
    report->show();
    EXPECT_TRUE(report->PrintCtrls().isEmpty());
    report->close();
}

TEST_F(ReportWindow, TheGridWindowShowsTheReportWithSumsAndClosesWithIt)
{
    DBConn().DBExcuteSql(s("insert into moxIncomeType(TypeID, TypeName) values('T1', '工资')"));
    DBConn().DBExcuteSql(s("insert into moxIncomeType(TypeID, TypeName) values('T2', '奖金')"));
    const char *rows[] = {"('I1', 1, '2024-03-02', 202403, 'T1', 1200.5)", "('I2', 1, '2024-03-09', 202403, 'T1', 300)",
                          "('I3', 1, '2024-03-15', 202403, 'T2', 88.25)", "('I4', 2, '2024-03-15', 202403, 'T2', 99)",
                          "('I5', 1, '2024-04-01', 202404, 'T2', 7)"};
    for (const char *row : rows)
        DBConn().DBExcuteSql(
            s("insert into moxIncomeFee(BillNo, Flag, ItemDate, FeeMonth, InOutType, ItemMoney) values") + s(row));
    copyShipped(s("RptSql"));
    QPointer<TfrmRptPubBase> report = openReport(s("RptIncomeTotal"));
    ASSERT_EQ(report->PrintCtrls().size(), 3);
    report->PrintCtrls().at(0)->SetBeginDate(QDate(2024, 3, 1));
    report->PrintCtrls().at(0)->SetEndDate(QDate(2024, 3, 31));
    ZSaveScreenshot(*report, s("report_window"));

    report->Run();
    QPointer<QWidget> grid = report->GridViewForm();
    auto *view = qobject_cast<TfrmRptGridView *>(grid.data());
    ASSERT_TRUE(view);
    EXPECT_EQ(view->Report(), report.data());
    EXPECT_EQ(view->windowTitle(), s("收入统计表"));
    EXPECT_EQ(view->Grid()->DataSet(), &report->ReportData());
    EXPECT_EQ(report->ReportData().RecordCount(), 2);
    EXPECT_EQ(view->Grid()->ColumnCaption(s("SumMoney")), s("金额"));
    EXPECT_EQ(view->Grid()->ColumnCaption(s("InOutType")), s("收入类型"));
    EXPECT_EQ(view->Grid()->FooterText(s("SumMoney")), s("1588.75"));
    EXPECT_EQ(view->Grid()->FooterText(s("FeeMonth")), QString());
    view->resize(720, 320);
    ZSaveScreenshot(*view, s("report_grid"));

    // Export: the workbook the file dialog names.
    const QString workbook = path(s("收入.xlsx"));
    SetZFileDialogAnswerer([&](bool, const QString &, const QString &) { return workbook; });
    view->Export();
    SetZFileDialogAnswerer(nullptr);
    EXPECT_TRUE(QFile::exists(workbook));
    ASSERT_FALSE(boxTexts.isEmpty());
    EXPECT_TRUE(boxTexts.back().startsWith(s("已成功导出到 "))) << boxTexts.back().toStdString();

    // Running again reuses the grid window.
    report->PrintCtrls().at(1)->SetKeyList(s("'T2'"));
    report->PrintCtrls().at(1)->SetListOn(true);
    report->Run();
    EXPECT_EQ(report->GridViewForm(), grid.data());
    EXPECT_EQ(view->Grid()->FooterText(s("SumMoney")), s("88.25"));

    report->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(report.isNull());
    EXPECT_TRUE(grid.isNull());
}

TEST_F(ReportWindow, FixedReportsUseTheLayoutOfTheChosenNameOrAPlainOne)
{
    copyShipped(s("RptSql"));
    QPointer<TfrmRptPubBase> report = openReport(s("RptIncomeTotal"));
    EXPECT_EQ(report->LayoutNames(), QStringList({s("预设报表")}));
    report->SetLayoutNames({s("月报"), s(" 年报 "), QString()});
    EXPECT_EQ(GetParamValue(s("RptFile_RptIncomeTotal")), s("月报,年报"));
    report->SetReportType(true, s("年报"));
    EXPECT_TRUE(report->FixedReport());
    EXPECT_EQ(report->LayoutFile(), path(s("Report/Rpt_RptIncomeTotal_年报.zrl")));

    // No file yet: a plain layout of the shown columns, in the preview.
    // The preview is modal: closed as soon as it shows.
    QStringList shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            shown << dialog->windowTitle();
            dialog->close();
            closer.stop();
        }
    });
    closer.start(0);
    report->Run();
    EXPECT_EQ(shown, QStringList({s("打印预览")}));
    const TZReportLayout plain = report->FixedLayout();
    EXPECT_EQ(plain, TZReportLayout::DefaultLayout(s("收入统计表"), {{s("FeeMonth"), s("月份"), 110, false},
                                                                     {s("InOutType"), s("收入类型"), 110, false},
                                                                     {s("TypeName"), s("类型名称"), 110, false},
                                                                     {s("SumMoney"), s("金额"), 90, true}}));

    // A layout saved under the name is the one used.
    TZReportLayout own = TZReportLayout::DefaultLayout(s("自定"), {{s("SumMoney"), s("金额"), 90, true}});
    QDir().mkpath(path(s("Report")));
    own.SaveToFile(report->LayoutFile());
    EXPECT_EQ(report->FixedLayout(), own);
    report->close();

    // The names come back with the next window.
    report = openReport(s("RptIncomeTotal"));
    EXPECT_EQ(report->LayoutNames(), QStringList({s("月报"), s("年报")}));
    report->close();
}
