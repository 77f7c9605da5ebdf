// The calendar window as a person uses it: the month with its counts, a
// day's groups, moving between months, opening an entry and adding records
// dated on the chosen day.
#include "../framework/record/RecordTestSupport.h"
#include "TTestClock.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "controls/TZCalcendar.h"
#include "data/TDBConn.h"
#include "forms/TfrmMasterDataBase.h"
#include "forms/TfrmMoxCalcendar.h"
#include "forms/TfrmMoxRemind.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/ZLauncher.h"
#include "metadata/TOrvDataSet.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class CalendarWindow : public TRecordTest
{
protected:
    void SetUp() override
    {
        TRecordTest::SetUp();
        // What the system package registers when it loads.
        ZRegisterClass(s("TfrmMasterDataBase"), [] { return new TfrmMasterDataBase; });
        ZRegisterClass(s("TfrmMoxRemind"), [] { return new TfrmMoxRemind; });
        DBConn().DBExcuteSql(s("insert into moxTask(TaskID, TaskName, PlanBeginDate, PlanEndDate, CompleteRate) "
                               "values('T1', '季度总结', '2026-10-05 09:00:00', '2026-10-07 18:00:00', 0.5)"));
        DBConn().DBExcuteSql(s("insert into moxDiary(DiaryID, CreateDate, Title) values('D1', "
                               "'2026-10-06 21:30:00', '秋游')"));
        DBConn().DBExcuteSql(s("insert into moxRemind(Flag, RemindID, RemindTitle, CreateDate, EndDate, RemindType, "
                               "RemindMonth, RemindDay, IsDisabled) values(3, 'P1', '好友 王五 生日提醒', "
                               "'2026-01-01 00:00:00', '2999-01-01 00:00:00', 4, 10, 6, 0)"));
    }

    void TearDown() override
    {
        for (TfrmZForm *form : TfrmZForm::OpenForms())
            form->close();
        ZUnRegisterClass(s("TfrmMasterDataBase"));
        ZUnRegisterClass(s("TfrmMoxRemind"));
        TRecordTest::TearDown();
    }

    static void click(QWidget &window, const char *name)
    {
        auto *button = window.findChild<QPushButton *>(s(name));
        ASSERT_TRUE(button) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    TTestClock clock{QDateTime(QDate(2026, 10, 14), QTime(9, 0))};
};

} // namespace

TEST_F(CalendarWindow, TheMonthItsCountsAndADaysGroups)
{
    auto *window = new TfrmMoxCalcendar;
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), s("行事历"));
    EXPECT_EQ(window->Calendar->Date(), QDate(2026, 10, 14));
    EXPECT_EQ(window->edtYear->value(), 2026);
    EXPECT_EQ(window->cbxMonth->currentText(), s("10月"));
    EXPECT_EQ(window->Calendar->DayTexts(QDate(2026, 10, 6)),
              QStringList({s("行程安排(1)"), s("备忘录(1)"), s("日记本(1)")}));
    EXPECT_EQ(window->Calendar->DayTexts(QDate(2026, 10, 8)), QStringList());

    QTest::mouseClick(window->Calendar, Qt::LeftButton, {}, window->Calendar->DayRect(QDate(2026, 10, 6)).center());
    EXPECT_EQ(window->gbxDay->title(), s("2026年10月6日"));
    EXPECT_EQ(window->GroupHeaders[mikTask]->text(), s("行程安排(1)"));
    EXPECT_EQ(window->GroupHeaders[mikRemind]->text(), s("备忘录(1)"));
    EXPECT_EQ(window->GroupLists[mikTask]->item(0)->text(), s("季度总结.1"));
    EXPECT_EQ(window->GroupLists[mikRemind]->item(0)->text(), s("好友 王五 生日提醒.1"));
    EXPECT_EQ(window->GroupLists[mikDiary]->item(0)->text(), s("D1.1"));
    EXPECT_TRUE(window->GroupLists[mikDiary]->isVisible());
    ZSaveScreenshot(*window, s("calendar_month"));

    // An empty day closes its groups.
    QTest::mouseClick(window->Calendar, Qt::LeftButton, {}, window->Calendar->DayRect(QDate(2026, 10, 8)).center());
    EXPECT_EQ(window->GroupHeaders[mikTask]->text(), s("行程安排(0)"));
    EXPECT_FALSE(window->GroupLists[mikTask]->isVisible());

    // Next month and back; the year box keeps within its range.
    click(*window, "btnNext");
    EXPECT_EQ(window->cbxMonth->currentText(), s("11月"));
    EXPECT_EQ(window->Calendar->Date(), QDate(2026, 11, 8));
    click(*window, "btnPrior");
    click(*window, "btnPrior");
    EXPECT_EQ(window->Calendar->Date(), QDate(2026, 9, 8));
    // The neighbouring month's days shown carry their counts too.
    EXPECT_EQ(window->Calendar->DayTexts(QDate(2026, 10, 6)).size(), 3);
    window->edtYear->setValue(1800);
    EXPECT_EQ(window->Calendar->Year(), 1900);
    click(*window, "btnToday");
    EXPECT_EQ(window->Calendar->Date(), QDate(2026, 10, 14));
}

TEST_F(CalendarWindow, EntriesOpenTheirRecordsAndNewOnesAreDatedOnTheDay)
{
    auto *window = new TfrmMoxCalcendar;
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->Calendar->SetDate(QDate(2026, 10, 6));

    QListWidget *tasks = window->GroupLists[mikTask];
    QTest::mouseClick(tasks->viewport(), Qt::LeftButton, {}, tasks->visualItemRect(tasks->item(0)).center());
    auto *task = qobject_cast<TfrmMasterData *>(GetIsExistForm(s("TfrmMasterDataBase")));
    ASSERT_TRUE(task) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(task->MasterData().FieldByName(s("TaskID")).AsString(), s("T1"));
    task->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A double-click asks what to add; "行程安排" adds a task dated that day.
    window->Calendar->SetDate(QDate(2026, 10, 21));
    answers << s("btnOK");
    QTest::mouseDClick(window->Calendar, Qt::LeftButton, {}, window->Calendar->DayRect(QDate(2026, 10, 21)).center());
    ASSERT_FALSE(boxTexts.isEmpty());
    EXPECT_EQ(boxTexts.first(), s("请选择要新增的数据类型"));
    auto *added = qobject_cast<TfrmMasterData *>(GetIsExistForm(s("TfrmMasterDataBase")));
    ASSERT_TRUE(added) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(added->FrmState(), fsAdd);
    EXPECT_EQ(added->MasterData().FieldByName(s("PlanBeginDate")).AsDateTime().date(), QDate(2026, 10, 21));
    EXPECT_EQ(added->MasterData().FieldByName(s("PlanEndDate")).AsDateTime().date(), QDate(2026, 10, 21));

    added->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // "+ 备忘" adds a memo reminder starting and ending on the day; saved,
    // it counts on the day.
    click(*window, "btnAddRemind");
    auto *memo = qobject_cast<TfrmMoxRemind *>(GetIsExistForm(s("TfrmMoxRemind")));
    ASSERT_TRUE(memo) << qPrintable(boxTexts.join(s(" | ")));
    EXPECT_EQ(memo->FrmState(), fsAdd);
    EXPECT_EQ(memo->MasterData().FieldByName(s("CreateDate")).AsDateTime().date(), QDate(2026, 10, 21));
    EXPECT_EQ(memo->MasterData().FieldByName(s("EndDate")).AsDateTime().date(), QDate(2026, 10, 21));
    memo->MasterData().FieldByName(s("RemindTitle")).SetAsString(s("交房租"));
    memo->MasterData().FieldByName(s("RemindTime")).SetAsDateTime(QDateTime(QDate(1899, 12, 30), QTime(9, 0)));
    ASSERT_TRUE(memo->RunAction(5)) << qPrintable(boxTexts.join(s(" | ")));
    memo->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    click(*window, "btnRefresh");
    EXPECT_EQ(window->Calendar->DayTexts(QDate(2026, 10, 21)), QStringList{s("备忘录(1)")});
    EXPECT_EQ(window->GroupLists[mikRemind]->item(0)->text(), s("交房租.1"));
}
