// The generated record window driven as a person drives it: opened from the
// launcher, a record typed in (a related person picked by the pinyin
// initials of the name), saved, edited, copied and deleted through the tool
// bar; the data file holds the rows and their change-log rows.
#include "RecordTestSupport.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "controls/TZDBGrid.h"
#include "controls/TZLookUpCombobox.h"
#include "data/TDBConn.h"
#include "forms/TfrmMasterDataBase.h"
#include "forms/TfrmSelectID.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/ZLauncher.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "record/TfrmGridData.h"
#include "record/TfrmMasterData.h"
#include "record/TfrmMasterSubData.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCompleter>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

QString value(const QString &sql)
{
    return DBConn().DBSelectValue(sql).value(0);
}

} // namespace

using RecordWindowGui = TRecordTest;

TEST_F(RecordWindowGui, AVisitIsTypedPickedByPinyinSavedEditedCopiedAndDeleted)
{
    DBConn().DBExcuteSql(s("insert into moxAddressBook(PersonID, PersonName) values('P1', '张三')"));
    DBConn().DBExcuteSql(s("insert into moxAddressBook(PersonID, PersonName) values('P2', '李四')"));
    // What the system package registers when it loads.
    ZRegisterClass(s("TfrmMasterDataBase"), [] { return new TfrmMasterDataBase; });
    QPointer<QWidget> opened = WakeUpFormByProgID(s("moxVisit"), QString(), true);
    ZUnRegisterClass(s("TfrmMasterDataBase"));
    ASSERT_TRUE(opened) << qPrintable(boxTexts.join(s(" | ")));
    auto *window = qobject_cast<TfrmMasterData *>(opened.data());
    ASSERT_TRUE(window);
    EXPECT_STREQ(window->metaObject()->className(), "TfrmMasterDataBase");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), GetDataSource(s("moxVisit")).DisplayName);

    press(*window, "actAdd");
    EXPECT_EQ(window->FrmState(), fsAdd);
    typeInto(window->findChild<QDateEdit *>(s("DBVisitDate")), s("2026-03-10"));
    auto *person = window->findChild<TZDBLookUpCombobox *>(s("DBPersonID"));
    ASSERT_TRUE(person);
    person->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(person->lineEdit(), s("zs"));
    QAbstractItemView *offered = person->TypeAhead()->popup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return offered->isVisible(); }));
    EXPECT_EQ(offered->model()->rowCount(), 1);
    QTest::keyClick(offered, Qt::Key_Down);
    QTest::keyClick(offered, Qt::Key_Return);
    QTest::keyClick(person->lineEdit(), Qt::Key_Tab);
    typeInto(window->findChild<QLineEdit *>(s("DBSubject")), s("年度回访"));
    ZSaveScreenshot(*window, s("record_generated_adding"));
    press(*window, "actSave");
    EXPECT_EQ(window->FrmState(), fsBrowse) << qPrintable(boxTexts.join(s(" | ")));
    const QString first = window->CurrKeyValue();
    EXPECT_EQ(value(s("select PersonID || '/' || Subject || '/' || date(VisitDate) from moxVisit where VisitID = '%1'")
                        .arg(first)),
              s("P1/年度回访/2026-03-10"));
    EXPECT_EQ(person->currentText(), s("张三"));

    // What is typed counts without leaving the editor first.
    press(*window, "actEdit");
    auto *subject = window->findChild<QLineEdit *>(s("DBSubject"));
    subject->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(subject, Qt::Key_A, Qt::ControlModifier);
    typeText(subject, s("春节回访"));
    press(*window, "actSave");
    EXPECT_EQ(value(s("select Subject from moxVisit where VisitID = '%1'").arg(first)), s("春节回访"));

    press(*window, "actCopy");
    EXPECT_EQ(window->FrmState(), fsCopy);
    press(*window, "actSave");
    EXPECT_EQ(value(s("select count(*) from moxVisit where Subject = '春节回访'")), s("2"));
    ZSaveScreenshot(*window, s("record_generated_browsing"));

    answers << s("btnYes");
    press(*window, "actDelete");
    EXPECT_EQ(value(s("select count(*) from moxVisit")), s("1"));
    EXPECT_EQ(value(s("select group_concat(ChangeType, ',') from (select ChangeType from comChangeLog where ProgID = "
                      "'moxVisit' order by rowid)")),
              s("新增,修改,新增,删除"));
    window->close();
}

TEST_F(RecordWindowGui, LinesAreTypedIntoTheGridAndSaved)
{
    auto window = openRecordWindow<TfrmMasterSubData>(s("accGather"));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    press(*window, "actAdd");
    TOrvDataSet &head = window->MasterData();
    head.FieldByName(s("BillDate")).SetValue(QDateTime(QDate(2026, 5, 4), QTime()));
    head.FieldByName(s("ObjectName")).SetAsString(s("宏达商行"));
    TOrvDataSet &lines = window->Detaildata();
    for (int i = 1; i <= 3; ++i) {
        lines.Append();
        lines.FieldByName(s("Offset")).SetValue(100.5 * i);
        lines.FieldByName(s("Remark")).SetAsString(s("第%1笔货款").arg(i));
        lines.Post();
    }
    ZSaveScreenshot(*window, s("record_master_detail"));
    press(*window, "actSave");
    EXPECT_EQ(value(s("select count(*) from accGatherSub")), s("3"));
    EXPECT_FALSE(window->GetDetailGrid()->SortingAllowed() == false);
}

TEST_F(RecordWindowGui, AGridWindowSavesTheTableAsAWhole)
{
    DBConn().DBExcuteSql(s("insert into moxHumanType(TypeID, TypeName) values('001', '同事')"));
    DBConn().DBExcuteSql(s("insert into moxHumanType(TypeID, TypeName) values('002', '客户')"));
    DBConn().DBExcuteSql(s("insert into moxHumanType(TypeID, TypeName) values('003', '朋友')"));
    auto window = openRecordWindow<TfrmGridData>(s("moxHumanType"));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ZSaveScreenshot(*window, s("record_grid_window"));
    EXPECT_EQ(window->Detaildata().RecordCount(), 3);

    press(*window, "actEdit");
    TOrvDataSet &rows = window->Detaildata();
    ASSERT_TRUE(rows.Locate(s("TypeID"), {s("002")}));
    rows.Delete();
    ASSERT_TRUE(rows.Locate(s("TypeID"), {s("003")}));
    rows.Edit();
    rows.FieldByName(s("TypeName")).SetAsString(s("老朋友"));
    rows.Post();
    press(*window, "actSave");
    EXPECT_EQ(value(s("select group_concat(TypeID || TypeName) from (select * from moxHumanType order by TypeID)")),
              s("001同事,003老朋友"));
    EXPECT_EQ(window->FrmState(), fsBrowse) << qPrintable(boxTexts.join(s(" | ")));
}

TEST_F(RecordWindowGui, DoubleClickingALookUpChoosesOnlyWhileEditingAndOnceAtATime)
{
    DBConn().DBExcuteSql(s("insert into moxAddressBook(PersonID, PersonName) values('P1', '张三')"));
    ZRegisterClass(s("TfrmSelectID"), [] { return new TfrmSelectID; }); // what the system package registers
    auto window = openRecordWindow<TfrmMasterDataBase>(s("moxVisit"));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto *person = window->findChild<TZDBLookUpCombobox *>(s("DBPersonID"));
    ASSERT_TRUE(person);
    // A required entry's label is navy and bold.
    auto *label = window->findChild<QLabel *>(s("lblPersonID"));
    ASSERT_TRUE(label);
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 0x80));

    QTest::mouseDClick(person->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(GetIsExistForm(s("TfrmSelectID")), nullptr);

    press(*window, "actAdd");
    QTest::mouseDClick(person->lineEdit(), Qt::LeftButton);
    QPointer<TfrmSelectID> chooser = qobject_cast<TfrmSelectID *>(GetIsExistForm(s("TfrmSelectID")));
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->ProgID(), s("moxAddressBook"));
    EXPECT_EQ(chooser->windowTitle(), GetDataSource(s("moxAddressBook")).DisplayName + s(" - 单选"));
    QTest::mouseDClick(person->lineEdit(), Qt::LeftButton);
    int open = 0;
    for (TfrmZForm *form : TfrmZForm::OpenForms())
        open += qobject_cast<TfrmSelectID *>(form) && !form->Closed() ? 1 : 0;
    EXPECT_EQ(open, 1);

    // The chosen key comes back to the field and the chooser closes.
    ASSERT_TRUE(chooser->Rows().Locate(s("PersonID"), {s("P1")}));
    QTest::mouseClick(chooser->findChild<QPushButton *>(s("btnTakeBack")), Qt::LeftButton);
    EXPECT_EQ(window->MasterData().FieldByName(s("PersonID")).AsString(), s("P1"));
    EXPECT_EQ(person->currentText(), s("张三"));
    EXPECT_TRUE(!chooser || chooser->Closed());
    ZUnRegisterClass(s("TfrmSelectID"));

    // Closing while editing asks; cancel keeps the window, no discards.
    answers << s("btnCancel");
    EXPECT_FALSE(window->close());
    EXPECT_EQ(boxTexts.last(), s("当前正处于编辑状态,要保存当前数据吗?"));
    answers << s("btnNo");
    window->hide();
    QCloseEvent event;
    QApplication::sendEvent(window.get(), &event);
    EXPECT_TRUE(event.isAccepted());
    EXPECT_EQ(value(s("select count(*) from moxVisit")), s("0"));
}
