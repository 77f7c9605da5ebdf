// Adding, editing, browsing and deleting from a list through the module's
// record window, and the list following what the record window saved.
#include "ListTestSupport.h"

#include "controls/TZDBGrid.h"
#include "launcher/ZLauncher.h"
#include "metadata/TOrvDataSet.h"
#include "record/TfrmMasterData.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

/// The record window the list opened for the module, if any.
TfrmMasterData *recordWindow()
{
    for (TfrmZForm *form : TfrmZForm::OpenForms()) {
        if (auto *record = qobject_cast<TfrmMasterData *>(form); record && !record->Closed())
            return record;
    }
    return nullptr;
}

} // namespace

using ListEdit = TListTest;

TEST_F(ListEdit, AddEditAndBrowseOpenTheRecordWindow)
{
    addNotes(3);
    auto notes = openList(s("moxNotepad"));
    ASSERT_TRUE(notes->DataSet().Locate(s("NoteID"), {s("N002")}));

    notes->Browse();
    QPointer<TfrmMasterData> record = recordWindow();
    ASSERT_TRUE(record) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_STREQ(record->metaObject()->className(), "TfrmMasterDataBase");
    EXPECT_EQ(record->CurrKeyValue(), s("N002"));
    EXPECT_EQ(record->FrmState(), fsBrowse);
    record->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Editing: the record window edits the current row; its save brings the
    // list back to that row with the new text.
    action(*notes, "actEdit")->trigger();
    record = recordWindow();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->FrmState(), fsEdit);
    record->MasterData().FieldByName(s("NoteTitle")).SetAsString(s("改过的标题"));
    ASSERT_TRUE(record->Perform(5)) << qPrintable(boxTexts.join(s(" | ")));
    QCoreApplication::sendPostedEvents(notes.get());
    EXPECT_EQ(notes->KeyValue(), s("N002"));
    EXPECT_EQ(notes->DataSet().FieldByName(s("NoteTitle")).AsString(), s("改过的标题"));
    record->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Adding: a new record, and the list shows it once saved.
    notes->AddNew();
    record = recordWindow();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->FrmState(), fsAdd);
    record->MasterData().FieldByName(s("NoteTitle")).SetAsString(s("新的一条"));
    ASSERT_TRUE(record->Perform(5)) << qPrintable(boxTexts.join(s(" | ")));
    QCoreApplication::sendPostedEvents(notes.get());
    EXPECT_EQ(notes->DataSet().RecordCount(), 4);
    EXPECT_TRUE(notes->DataSet().Locate(s("NoteTitle"), {s("新的一条")}));
    EXPECT_TRUE(boxTexts.isEmpty()) << qPrintable(boxTexts.join(s(" | ")));
}

TEST_F(ListEdit, DoubleClickBrowsesAndAnEmptyListSaysSo)
{
    auto notes = openList(s("moxNotepad"));
    notes->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(notes.get()));
    notes->Browse();
    EXPECT_EQ(boxTexts, QStringList({s("清单没有数据，请检查过滤条件，或通过新增、导入功能添加单据")}));
    EXPECT_EQ(recordWindow(), nullptr);

    addNotes(2);
    notes->Reload();
    QTreeView *view = notes->Grid()->View();
    const QModelIndex second = view->model()->index(1, notes->Grid()->ColumnOf(s("NoteTitle")));
    const QRect cell = view->visualRect(second);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    TfrmMasterData *record = recordWindow();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->CurrKeyValue(), s("N002"));
}

TEST_F(ListEdit, DeleteAsksThroughTheRecordWindowAndReloads)
{
    addNotes(3);
    auto notes = openList(s("moxNotepad"));
    ASSERT_TRUE(notes->DataSet().Locate(s("NoteID"), {s("N002")}));
    // Refused: nothing goes, no window stays.
    answers = {s("btnNo")};
    notes->DeleteCurrent();
    EXPECT_EQ(boxTexts.size(), 1);
    EXPECT_EQ(notes->DataSet().RecordCount(), 3);
    EXPECT_EQ(recordWindow(), nullptr);

    answers = {s("btnYes")};
    action(*notes, "actDelete")->trigger();
    EXPECT_EQ(boxTexts.size(), 2);
    EXPECT_EQ(notes->DataSet().RecordCount(), 2);
    EXPECT_FALSE(notes->DataSet().Locate(s("NoteID"), {s("N002")}));
    EXPECT_EQ(DBConn().GetRecordCount(s("select * from moxNotepad where NoteID = 'N002'")), 0);
    EXPECT_EQ(recordWindow(), nullptr);
    // What the record window told the list meanwhile changes nothing more.
    QCoreApplication::sendPostedEvents(notes.get());
    EXPECT_EQ(notes->DataSet().RecordCount(), 2);
}
