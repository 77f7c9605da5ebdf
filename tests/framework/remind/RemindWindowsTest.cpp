// The data reminder windows and the sliding notice, driven as a user drives
// them on the offscreen platform.
#include "../../services/remind/RemindDataFixture.h"
#include "../list/ListDialogTest.h"
#include "ZScreenshot.h"

#include "common/ZMainWindow.h"
#include "common/ZWinMessages.h"
#include "controls/TZDBGrid.h"
#include "forms/TfrmRemind.h"
#include "forms/TfrmRemindBox.h"
#include "forms/TfrmListFormPub.h"
#include "forms/TfrmMasterDataBase.h"
#include "forms/TfrmRemindSet.h"
#include "forms/TfrmSelectDS.h"
#include "forms/ZMessageBox.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/TFormParams.h"
#include "list/TfrmSelfWhere.h"
#include "metadata/TOrvDataSet.h"
#include "remind/ZRemindData.h"
#include "settings/ZRegistry.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

namespace {

QStringList treeTexts(const QTreeWidget &tree)
{
    QStringList texts;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        texts << tree.topLevelItem(i)->text(0);
    return texts;
}

class RemindWindows : public TListDialogTest<TfrmSelfWhere>
{
protected:
    void SetUp() override
    {
        TListDialogTest<TfrmSelfWhere>::SetUp();
        // The windows the reminder windows open, registered as the system
        // package registers them.
        ZRegisterClass(s("TfrmMasterDataBase"), [] { return new TfrmMasterDataBase; });
        ZRegisterClass(s("TfrmListFormPub"), [] { return new TfrmListFormPub; });
        ZRegisterClass(s("TfrmRemindSet"), [] { return new TfrmRemindSet; });
        InitSysIDAndProgID();
        FillRemindData();
        SetZMainWindow(&main);
        onDialog = [this](TfrmSelfWhere &editor) {
            editor.SetText(conditionToType);
            editor.accept();
        };
    }

    void TearDown() override
    {
        SetZMainWindow(nullptr);
        for (TfrmZForm *form : TfrmZForm::OpenForms()) {
            if (!form->Closed())
                form->close();
        }
        for (const char *name : {"TfrmMasterDataBase", "TfrmListFormPub", "TfrmRemindSet"})
            ZUnRegisterClass(QLatin1String(name));
        TListDialogTest<TfrmSelfWhere>::TearDown();
    }

    TMessageSink main;
    QString conditionToType;
};

} // namespace

TEST_F(RemindWindows, TheBoxCountsEveryActiveDefinition)
{
    TfrmRemindBox box;
    box.show();
    EXPECT_EQ(box.windowTitle(), s("提醒精灵"));
    EXPECT_EQ(treeTexts(*box.Tree()), QStringList({s("R1 未结清的收款(1)"), s("R2 全部收款(3)")}));
    // The first definition is shown, in its module's columns and formats.
    EXPECT_EQ(box.CurrentProgID(), s("accGather"));
    EXPECT_EQ(box.Rows().RecordCount(), 1);
    EXPECT_EQ(box.Grid()->ColumnCaption(s("ObjectName")), s("收款对象"));
    EXPECT_EQ(box.GridLogKey(s("accGather")), s("accGather_TfrmRemindBox"));

    box.Tree()->setCurrentItem(box.Tree()->topLevelItem(1));
    EXPECT_EQ(box.CurrentRemindID(), s("R2"));
    EXPECT_EQ(box.Rows().RecordCount(), 3);
    ZSaveScreenshot(box, s("remind_box"));

    // New data is found on refresh, and the chosen definition stays chosen.
    DBConn().DBExcuteSql(s("insert into accGather(Flag, BillNo, BillDate, ObjectName, FeeMoney) "
                           "values(1, 'G4', '2026-05-06', '丁', 5)"));
    QTest::mouseClick(box.findChild<QPushButton *>(s("btnRefresh")), Qt::LeftButton);
    EXPECT_EQ(treeTexts(*box.Tree()), QStringList({s("R1 未结清的收款(1)"), s("R2 全部收款(4)")}));
    EXPECT_EQ(box.CurrentRemindID(), s("R2"));
    EXPECT_EQ(box.Rows().RecordCount(), 4);
}

TEST_F(RemindWindows, OpeningWithoutRecordsSaysSo)
{
    DBConn().DBExcuteSql(s("update accFee set RemainMoney = 0"));
    TfrmRemindBox box;
    box.show();
    EXPECT_EQ(treeTexts(*box.Tree()).value(0), s("R1 未结清的收款(0)"));
    EXPECT_EQ(refusal([&box] { box.OpenRecord(); }), s("没有单据数据"));
    // The button shows the refusal in the main window's message area.
    QTest::mouseClick(box.findChild<QPushButton *>(s("btnOpen")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(&main);
    EXPECT_EQ(main.texts, QStringList({s("没有单据数据")}));
}

TEST_F(RemindWindows, TheIntervalIsStoredAndTheMainWindowTold)
{
    TfrmRemindBox fresh;
    EXPECT_EQ(fresh.IntervalBox()->value(), 5);
    fresh.IntervalBox()->setValue(12);
    EXPECT_EQ(ReadRegKey(s("CheckRemindInterval")), s("12"));
    QCoreApplication::sendPostedEvents(&main);
    ASSERT_EQ(main.messages.size(), 1);
    EXPECT_EQ(main.messages.front(), std::make_pair(ZWM_REMINDINTERVAL, qint64(12)));

    TfrmRemindBox again;
    EXPECT_EQ(again.IntervalBox()->value(), 12);
}

TEST_F(RemindWindows, ADefinitionGetsItsModuleAndCondition)
{
    auto window = openRecordWindow<TfrmRemindSet>(s("comRemindSet"));
    window->show();
    EXPECT_FALSE(window->SelectButton()->isEnabled());
    EXPECT_FALSE(window->ConditionButton()->isEnabled());

    ASSERT_TRUE(window->RunAction(1));
    EXPECT_TRUE(window->SelectButton()->isEnabled());
    EXPECT_TRUE(window->ConditionButton()->isEnabled());
    window->MasterData().FieldByName(s("RemindTitle")).SetAsString(s("大额收款"));
    EXPECT_EQ(refusal([&window] { window->SetCondition(); }), s("请先选择单据"));

    // The chooser answers "SelectDS"; the module shows by its caption.
    QTimer::singleShot(0, [] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *chooser = qobject_cast<TfrmSelectDS *>(top); chooser && chooser->isVisible()) {
                chooser->SetSelectedProgID(s("accGather"));
                chooser->TakeBack();
            }
        }
    });
    QTest::mouseClick(window->SelectButton(), Qt::LeftButton);
    EXPECT_EQ(window->MasterData().FieldByName(s("ProgID")).AsString(), s("accGather"));
    EXPECT_EQ(window->findChild<QLineEdit *>(s("DBProgID"))->text(), s("应收冲款单"));

    conditionToType = s("[A.收款金额] 大于 15");
    QTest::mouseClick(window->ConditionButton(), Qt::LeftButton);
    EXPECT_EQ(window->MasterData().FieldByName(s("RemindWhere")).AsString(), conditionToType);
    ZSaveScreenshot(*window, s("remind_set"));

    ASSERT_TRUE(window->RunAction(5));
    EXPECT_FALSE(window->SelectButton()->isEnabled());
    const QString key = window->CurrKeyValue();
    const QStringList stored = DBConn().DBSelectValue(
        s("select ProgID, RemindWhere from comRemindSet where RemindID = '%1'").arg(key));
    EXPECT_EQ(stored, QStringList({s("accGather"), conditionToType}));
    EXPECT_EQ(DBConn().GetRecordCount(ZRemindDataSqlOf(key)), 2); // G1 and G2
}

TEST_F(RemindWindows, TheChooserOffersModulesWithRecords)
{
    TfrmSelectDS chooser;
    const QStringList offered = chooser.ProgIDs();
    EXPECT_TRUE(offered.contains(s("accGather")));
    EXPECT_TRUE(offered.contains(s("moxTask")));
    EXPECT_FALSE(offered.contains(s("RptFeeTotal")));
    chooser.SetSelectedProgID(s("moxtask"));
    EXPECT_EQ(chooser.SelectedProgID(), s("moxTask"));
    chooser.show();
    ZSaveScreenshot(chooser, s("remind_select_ds"));
}

TEST_F(RemindWindows, TheNoticeSlidesUpAndOpensTheRightKey)
{
    TfrmRemind *notice = ShowRemain(s("accGather"), s("G1"), s("46000.5"), s("新增"), s("张三"));
    EXPECT_EQ(notice->Label(0)->text(), s("单据：应收冲款单"));
    EXPECT_EQ(notice->Label(1)->text(), s("编号：G1"));
    EXPECT_EQ(notice->Label(2)->text(), s("操作：新增"));
    EXPECT_EQ(notice->Label(3)->text(), s("用户：张三"));
    EXPECT_EQ(notice->Label(4)->text(), s("时间：2025-12-09 12:00:00"));
    EXPECT_TRUE(notice->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(notice->ClickKey(), s("G1"));

    const QRect area = notice->screen()->availableGeometry();
    EXPECT_EQ(notice->geometry().right(), area.right());
    int top = notice->y();
    while (notice->SlideUp()) {
        EXPECT_EQ(notice->y(), top - TfrmRemind::SlideStep);
        top = notice->y();
    }
    EXPECT_EQ(notice->geometry().bottom(), area.bottom());
    ZSaveScreenshot(*notice, s("remind_notice"));
    notice->close();

    TfrmRemind pair;
    pair.ShowRemain(s("accGather"), s("G1,G2"), s("0"), s("修改"), s("张三"));
    EXPECT_EQ(pair.ClickKey(), s("G2"));
    TfrmRemind deleted;
    deleted.ShowRemain(s("accGather"), s("G1"), s("0"), s("删除"), s("张三删除了单据"));
    EXPECT_EQ(deleted.ClickKey(), QString());
}

/// The open framework window of class T, or null.
template<typename T>
T *openWindow()
{
    for (TfrmZForm *form : TfrmZForm::OpenForms()) {
        if (auto *window = qobject_cast<T *>(form); window && !window->Closed())
            return window;
    }
    return nullptr;
}

TEST_F(RemindWindows, TheBoxOpensRecordsAndTheDefinitions)
{
    DBConn().DBExcuteSql(s("insert into moxTask(TaskID, TaskName, Place, PlanBeginDate, PlanEndDate) "
                           "values('T1', '交报告', '公司', '2026-05-01', '2026-05-02')"));
    DBConn().DBExcuteSql(s("insert into comRemindSet(RemindID, RemindTitle, ProgID, RemindWhere, IsValid) "
                           "values('R4', '未完成的任务', 'moxTask', '', -1)"));
    TfrmRemindBox box;
    box.show();
    box.Tree()->setCurrentItem(box.Tree()->topLevelItem(2));
    ASSERT_EQ(box.CurrentProgID(), s("moxTask"));
    box.Grid()->View()->setFocus();
    QTest::mouseClick(box.findChild<QPushButton *>(s("btnOpen")), Qt::LeftButton);
    auto *record = openWindow<TfrmMasterDataBase>();
    ASSERT_NE(record, nullptr) << main.texts.join(s("|")).toStdString();
    EXPECT_EQ(record->GetProgID(), s("moxTask"));
    EXPECT_EQ(record->CurrKeyValue(), s("T1"));
    record->close();

    // The definitions' list shows each module by its caption.
    QTest::mouseClick(box.findChild<QPushButton *>(s("btnRemindSet")), Qt::LeftButton);
    auto *list = openWindow<TfrmListFormPub>();
    ASSERT_NE(list, nullptr) << main.texts.join(s("|")).toStdString();
    EXPECT_EQ(list->GetProgID(), s("comRemindSet"));
    TOrvDataSet &rows = list->DataSet();
    ASSERT_GE(rows.RecordCount(), 1);
    QStringList captions;
    for (int r = 0; r < rows.RecordCount(); ++r)
        captions << rows.displayText(r, rows.FieldByName(s("ProgID")).Index());
    EXPECT_TRUE(captions.contains(s("应收冲款单"))) << captions.join(s("|")).toStdString();
    EXPECT_TRUE(captions.contains(s("行程安排"))) << captions.join(s("|")).toStdString();
}

TEST_F(RemindWindows, AClickOnTheNoticeOpensItsRecord)
{
    DBConn().DBExcuteSql(s("insert into moxTask(TaskID, TaskName, Place, PlanBeginDate, PlanEndDate) "
                           "values('T1', '交报告', '公司', '2026-05-01', '2026-05-02')"));
    TfrmRemind *deleted = ShowRemain(s("moxTask"), s("T1"), s("46000"), s("删除"), s("张三删除"));
    QTest::mouseClick(deleted, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(openWindow<TfrmMasterDataBase>(), nullptr);

    TfrmRemind *added = ShowRemain(s("moxTask"), s("X,T1"), s("46000"), s("新增"), s("张三"));
    QTest::mouseClick(added, Qt::LeftButton);
    auto *record = openWindow<TfrmMasterDataBase>();
    ASSERT_NE(record, nullptr) << main.texts.join(s("|")).toStdString();
    EXPECT_EQ(record->CurrKeyValue(), s("T1"));
}
