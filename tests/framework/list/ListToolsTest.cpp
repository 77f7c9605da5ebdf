// The list's tools: a user condition from the condition editor, the export
// of the rows as shown and the chart of the loaded rows.
#include "ListTestSupport.h"

#include "controls/ZFileDialogs.h"
#include "data/ZXlsxReader.h"
#include "list/TfrmChartPub.h"
#include "list/TfrmSelfWhere.h"
#include "metadata/TOrvDataSet.h"

#include <QDir>
#include <QLabel>

#include <gtest/gtest.h>

using ListTools = TListTest;

TEST_F(ListTools, ConditionFromTheEditorReplacesThePeriodOnce)
{
    addNotes(3);
    auto notes = openList(s("moxNotepad"));
    QString shownText;
    SetZBoxAnswerer([&](QDialog &box) {
        auto *editor = qobject_cast<TfrmSelfWhere *>(&box);
        ASSERT_TRUE(editor);
        shownText = editor->Text();
        editor->SetText(s("[A.标题] 等于 '标题002'"));
        editor->accept();
    });
    ASSERT_TRUE(action(*notes, "actSelfWhere")->isVisible());
    action(*notes, "actSelfWhere")->trigger();
    EXPECT_EQ(notes->DataSet().RecordCount(), 1);
    EXPECT_EQ(notes->KeyValue(), s("N002"));
    EXPECT_FALSE(notes->ConditionInForce());
    // The editor keeps the text for the window class and module.
    action(*notes, "actSelfWhere")->trigger();
    EXPECT_EQ(shownText, s("[A.标题] 等于 '标题002'"));
    // A reload goes back to the period.
    notes->Reload();
    EXPECT_EQ(notes->DataSet().RecordCount(), 3);
}

TEST_F(ListTools, ExportWritesTheRowsAsShown)
{
    addNotes(3);
    auto notes = openList(s("moxNotepad"));
    notes->SetKeyWord(s("标题00"));
    notes->SetFilterField(s("NoteTitle"));
    notes->SetValueTicked(s("标题001"), false);
    const QString file = path(s("notes.xlsx"));
    QString filter;
    SetZFileDialogAnswerer([&](bool, const QString &asked, const QString &) {
        filter = asked;
        return file;
    });
    ASSERT_TRUE(action(*notes, "actExport")->isVisible());
    action(*notes, "actExport")->trigger();
    SetZFileDialogAnswerer(nullptr);
    EXPECT_EQ(filter, s("EXCEL(*.xlsx)|*.xlsx"));
    EXPECT_EQ(boxTexts, QStringList({s("已成功导出到 ") + QDir::toNativeSeparators(file)}));
    const TZXlsxRows rows = ZReadXlsxSheet(file);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows.at(0).at(0).text, s("编号"));
    EXPECT_EQ(rows.at(1).at(0).text, s("N002"));
    EXPECT_EQ(rows.at(2).at(1).text, s("标题003"));
}

TEST_F(ListTools, ChartNeedsBothChartFields)
{
    addNotes(2);
    auto notes = openList(s("moxNotepad"));
    EXPECT_FALSE(action(*notes, "actChart")->isEnabled());

    addDefinitionLine(s("moxFee"), s("ChartItemField=Item\nChartValueField=ItemMoney\nChartValueType=饼图"));
    for (const char *row : {"'F1', 'A', 10", "'F2', 'B', 5", "'F3', 'A', 2.5"})
        DBConn().DBExcuteSql(s("insert into moxIncomeFee(Flag, BillNo, Item, ItemMoney, ItemDate) values(2, %1, "
                               "'2026-01-01')")
                                 .arg(QString::fromUtf8(row)));
    auto fees = openList(s("moxFee"));
    ASSERT_EQ(fees->DataSet().RecordCount(), 3);
    ASSERT_TRUE(action(*fees, "actChart")->isEnabled());
    action(*fees, "actChart")->trigger();
    TfrmChartPub *chart = nullptr;
    for (TfrmZForm *form : TfrmZForm::OpenForms()) {
        if (auto *found = qobject_cast<TfrmChartPub *>(form))
            chart = found;
    }
    ASSERT_TRUE(chart) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(chart->Kind(), ZChartKindOf(s("饼图")));
}
