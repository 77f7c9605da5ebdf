// The personal side met as a person meets it, from the main window: the
// calendar, a memo reminder added from a day of it, and a contact whose
// birthday appears in the calendar as its two reminders.
#include "../framework/record/RecordTestSupport.h"
#include "TTestClock.h"
#include "TestText.h"
#include "ZScreenshot.h"
#include "main/MainWindowFixture.h"

#include "controls/TZCalcendar.h"
#include "launcher/ZLauncher.h"
#include "main/TfrmMOXMain.h"
#include "metadata/TOrvDataSet.h"
#include "record/TfrmMasterData.h"

#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using PersonalScenario = MainWindowFixture;

// The calendar window comes with its package: it is reached through its
// controls' names.
QWidget *calendarWindow()
{
    return GetIsExistForm(s("TfrmMoxCalcendar"));
}

TZCalcendar *monthOf(QWidget &calendar)
{
    return calendar.findChild<TZCalcendar *>(s("Calendar"));
}

void clickDay(QWidget &calendar, const QDate &day, bool twice = false)
{
    TZCalcendar *month = monthOf(calendar);
    const QPoint at = month->DayRect(day).center();
    if (twice)
        QTest::mouseDClick(month, Qt::LeftButton, {}, at);
    else
        QTest::mouseClick(month, Qt::LeftButton, {}, at);
}

} // namespace

TEST_F(PersonalScenario, AMemoFromTheCalendarAndABirthdayFromTheAddressBook)
{
    TTestClock clock(QDateTime(QDate(2026, 10, 14), QTime(9, 0)));
    TfrmMOXMain &main = showWindow();

    // The calendar, the next month and back.
    main.CommandButton(0, s("行事历"))->click();
    QWidget *calendar = calendarWindow();
    ASSERT_TRUE(calendar);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(calendar));
    QTest::mouseClick(calendar->findChild<QPushButton *>(s("btnNext")), Qt::LeftButton);
    EXPECT_EQ(monthOf(*calendar)->Month(), 11);
    QTest::mouseClick(calendar->findChild<QPushButton *>(s("btnPrior")), Qt::LeftButton);
    EXPECT_EQ(monthOf(*calendar)->Month(), 10);

    // A double-click on the 20th, "备忘录": a memo reminder dated that day.
    answers << s("btnYes");
    clickDay(*calendar, QDate(2026, 10, 20), true);
    auto *memo = qobject_cast<TfrmMasterData *>(GetIsExistForm(s("TfrmMoxRemind")));
    ASSERT_TRUE(memo) << texts.join(s(" | ")).toStdString();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(memo));
    typeInto(memo->findChild<QWidget *>(s("DBRemindTitle")), s("交房租"));
    typeInto(memo->findChild<QWidget *>(s("DBRemindTime")), s("0830"));
    press(*memo, "actSave");
    ASSERT_EQ(memo->FrmState(), fsBrowse) << texts.join(s(" | ")).toStdString();
    const QString memoKey = memo->CurrKeyValue();
    memo->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Back on the calendar: the day counts it and lists it; it opens.
    QTest::mouseClick(calendar->findChild<QPushButton *>(s("btnRefresh")), Qt::LeftButton);
    EXPECT_EQ(monthOf(*calendar)->DayTexts(QDate(2026, 10, 20)), QStringList{s("备忘录(1)")});
    clickDay(*calendar, QDate(2026, 10, 20));
    QListWidget *reminders = calendar->findChild<QListWidget *>(s("lstGroup1"));
    ASSERT_TRUE(reminders);
    ASSERT_EQ(reminders->count(), 1);
    EXPECT_EQ(reminders->item(0)->text(), s("交房租.1"));
    QTest::mouseClick(reminders->viewport(), Qt::LeftButton, {},
                      reminders->visualItemRect(reminders->item(0)).center());
    memo = qobject_cast<TfrmMasterData *>(GetIsExistForm(s("TfrmMoxRemind")));
    ASSERT_TRUE(memo);
    EXPECT_EQ(memo->CurrKeyValue(), memoKey);
    memo->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A contact born on 25 October 1980, typed into the address book.
    auto *contact = qobject_cast<TfrmMasterData *>(WakeUpBillFormByProg(s("moxAddressBook"), QString(), s("AddNew")));
    ASSERT_TRUE(contact);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(contact));
    typeInto(contact->findChild<QWidget *>(s("DBPersonName")), s("王五"));
    typeInto(contact->findChild<QWidget *>(s("DBBornDate")), s("1980-10-25"));
    press(*contact, "actSave");
    ASSERT_EQ(contact->FrmState(), fsBrowse) << texts.join(s(" | ")).toStdString();
    EXPECT_EQ(contact->MasterData().FieldByName(s("BornDate")).AsDateTime().date(), QDate(1980, 10, 25));
    contact->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The calendar shows the two birthday reminders, which open the contact.
    QTest::mouseClick(calendar->findChild<QPushButton *>(s("btnRefresh")), Qt::LeftButton);
    EXPECT_EQ(monthOf(*calendar)->DayTexts(QDate(2026, 10, 24)), QStringList{s("备忘录(1)")});
    EXPECT_EQ(monthOf(*calendar)->DayTexts(QDate(2026, 10, 25)), QStringList{s("备忘录(1)")});
    clickDay(*calendar, QDate(2026, 10, 25));
    ASSERT_EQ(reminders->count(), 1);
    EXPECT_EQ(reminders->item(0)->text(), s("好友 王五 生日提醒.1"));
    ZSaveScreenshot(*calendar, s("scenario_calendar_birthday"));
    QTest::mouseClick(reminders->viewport(), Qt::LeftButton, {},
                      reminders->visualItemRect(reminders->item(0)).center());
    auto *opened = qobject_cast<TfrmMasterData *>(GetIsExistForm(s("TfrmAddressBook")));
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->MasterData().FieldByName(s("PersonName")).AsString(), s("王五"));
}
