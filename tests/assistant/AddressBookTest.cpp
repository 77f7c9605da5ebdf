// The address book's record window keeps each contact's two yearly birthday
// reminders in step with its saves and deletes.
#include "ContactsTestSupport.h"
#include "ZScreenshot.h"

#include "data/TParamInfo.h"
#include "forms/TfrmAddressBook.h"
#include "metadata/TOrvDataSet.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

/// Adds a contact through the window and saves it; returns its key.
QString addContact(TfrmAddressBook &window, const QString &name, const QVariant &born, bool lunar = false)
{
    EXPECT_TRUE(window.RunAction(1));
    TOrvDataSet &master = window.MasterData();
    master.FieldByName(s("PersonName")).SetAsString(name);
    master.FieldByName(s("BornDate")).SetValue(born);
    master.FieldByName(s("IsLunar")).SetAsBoolean(lunar);
    EXPECT_TRUE(window.RunAction(5));
    return window.CurrKeyValue();
}

QDateTime day(int year, int month, int dayOfMonth)
{
    return QDateTime(QDate(year, month, dayOfMonth), QTime());
}

} // namespace

using AddressBook = TContactsTest;

TEST_F(AddressBook, ANewContactBornOnFifteenthOfMayGetsTwoYearlyRows)
{
    auto window = openRecordWindow<TfrmAddressBook>(s("moxAddressBook"));
    const QString id = addContact(*window, s("张三"), day(1980, 5, 15));
    ASSERT_FALSE(id.isEmpty());
    EXPECT_EQ(value(s("select group_concat(r, '|') from (select Flag || ';' || RemindTitle || ';' || RemindContent "
                      "|| ';' || RemindType || ';' || RemindMonth || '/' || RemindDay || ';' || time(RemindTime) || ';' "
                      "|| date(EndDate) || ' ' || time(EndTime) || ';' || IsDisabled as r from moxRemind "
                      "where RemindID = '%1' order by Flag)")
                        .arg(id)),
              s("2;好友 张三 生日提醒;好友 张三 5月15日 明天生日，记得送上祝福哦！;4;5/14;10:00:00;2999-01-01 23:59:59;0|"
                "3;好友 张三 生日提醒;好友 张三 5月15日 生日到了，记得送上祝福哦！;4;5/15;10:00:00;2999-01-01 23:59:59;0"));

    // The birthday time of the settings applies to contacts saved later.
    SaveParamValue(s("BornDateRemindTime"), s("083000"));
    GetParamInfo().UpdateParamInfo();
    const QString other = addContact(*window, s("李四"), day(1975, 1, 1));
    EXPECT_EQ(value(s("select group_concat(r, ',') from (select RemindMonth || '/' || RemindDay || ' ' || "
                      "time(RemindTime) as r from moxRemind where RemindID = '%1' order by Flag)")
                        .arg(other)),
              s("12/31 08:30:00,1/1 08:30:00"));
}

TEST_F(AddressBook, EditingReplacesTheRowsAndDeletingRemovesThem)
{
    auto window = openRecordWindow<TfrmAddressBook>(s("moxAddressBook"));
    const QString id = addContact(*window, s("张三"), day(1980, 5, 15));
    const QString keep = addContact(*window, s("李四"), day(1982, 7, 1));
    ASSERT_TRUE(window->MoveTo(id));

    ASSERT_TRUE(window->RunAction(2));
    window->MasterData().FieldByName(s("BornDate")).SetValue(day(1980, 6, 20));
    ASSERT_TRUE(window->RunAction(5));
    EXPECT_EQ(remindDays(id), s("2:6/19,3:6/20"));
    EXPECT_EQ(value(s("select count(*) from moxRemind where RemindID = '%1'").arg(id)), s("2"));

    // A changed key: the rows of the old key go, the new key gets its own.
    ASSERT_TRUE(window->RunAction(2));
    window->MasterData().FieldByName(s("PersonID")).SetAsString(s("ZS"));
    window->MasterData().FieldByName(s("PersonName")).SetAsString(s("张三丰"));
    ASSERT_TRUE(window->RunAction(5));
    EXPECT_EQ(remindDays(id), QString());
    EXPECT_EQ(remindDays(s("ZS")), s("2:6/19,3:6/20"));
    EXPECT_EQ(value(s("select RemindTitle from moxRemind where Flag = 3 and RemindID = 'ZS'")), s("好友 张三丰 生日提醒"));

    // A memo reminder that happens to carry the same number stays.
    DBConn().DBExcuteSql(s("insert into moxRemind(Flag, RemindID, RemindTitle) values(1, 'ZS', '备忘')"));
    answers << s("btnYes");
    ASSERT_TRUE(window->RunAction(3));
    EXPECT_EQ(remindDays(s("ZS")), QString());
    EXPECT_EQ(value(s("select count(*) from moxRemind where Flag = 1 and RemindID = 'ZS'")), s("1"));
    EXPECT_EQ(remindDays(keep), s("2:6/30,3:7/1"));
}

TEST_F(AddressBook, NoBirthdayOrBornBefore1903GivesNoRows)
{
    auto window = openRecordWindow<TfrmAddressBook>(s("moxAddressBook"));
    const QString none = addContact(*window, s("无生日"), QVariant());
    const QString early = addContact(*window, s("老人"), day(1903, 1, 1));
    const QString later = addContact(*window, s("后生"), day(1903, 1, 2));
    EXPECT_EQ(remindDays(none), QString());
    EXPECT_EQ(remindDays(early), QString());
    EXPECT_EQ(remindDays(later), s("2:1/1,3:1/2"));
    EXPECT_EQ(value(s("select count(*) from moxAddressBook")), s("3"));

    // Removing a birthday removes the rows.
    ASSERT_TRUE(window->MoveTo(later));
    ASSERT_TRUE(window->RunAction(2));
    window->MasterData().FieldByName(s("BornDate")).SetValue(QVariant());
    ASSERT_TRUE(window->RunAction(5));
    EXPECT_EQ(remindDays(later), QString());
}

TEST_F(AddressBook, LunarBirthdaysAreRemindedOnTheirGregorianDayOfEachYear)
{
    auto window = openRecordWindow<TfrmAddressBook>(s("moxAddressBook"));
    clock->set(QDateTime(QDate(2025, 2, 1), QTime(9, 0)));
    const QString id = addContact(*window, s("王五"), day(1980, 8, 15), true);
    EXPECT_EQ(remindDays(id), s("2:10/5,3:10/6"));
    // The text names the birthday as kept.
    EXPECT_EQ(value(s("select RemindContent from moxRemind where Flag = 3 and RemindID = '%1'").arg(id)),
              s("好友 王五 8月15日 生日到了，记得送上祝福哦！"));

    clock->set(QDateTime(QDate(2026, 1, 2), QTime(9, 0)));
    ASSERT_TRUE(window->RunAction(2));
    window->MasterData().FieldByName(s("Cellphone")).SetAsString(s("13900001111"));
    ASSERT_TRUE(window->RunAction(5));
    EXPECT_EQ(remindDays(id), s("2:9/24,3:9/25"));
}

TEST_F(AddressBook, TwentyNinthOfFebruaryIsSavedAndRemindedOnTheTwentyEighth)
{
    auto window = openRecordWindow<TfrmAddressBook>(s("moxAddressBook"));
    const QString id = addContact(*window, s("闰日"), day(1996, 2, 29));
    EXPECT_EQ(window->FrmState(), fsBrowse);
    EXPECT_EQ(value(s("select date(BornDate) from moxAddressBook where PersonID = '%1'").arg(id)), s("1996-02-29"));
    EXPECT_EQ(remindDays(id), s("2:2/27,3:2/28"));
    // Its text keeps the real birthday.
    EXPECT_EQ(value(s("select RemindContent from moxRemind where Flag = 2 and RemindID = '%1'").arg(id)),
              s("好友 闰日 2月29日 明天生日，记得送上祝福哦！"));
}

TEST_F(AddressBook, AContactAndItsRemindersCommitTogether)
{
    auto window = openRecordWindow<TfrmAddressBook>(s("moxAddressBook"));
    DBConn().DBExcuteSql(s("drop table moxRemind"));
    ASSERT_TRUE(window->RunAction(1));
    window->MasterData().FieldByName(s("PersonName")).SetAsString(s("张三"));
    window->MasterData().FieldByName(s("BornDate")).SetValue(day(1980, 5, 15));
    EXPECT_NE(refusal([&] { window->RunAction(5); }), QString());
    EXPECT_TRUE(window->Editing());
    EXPECT_EQ(value(s("select count(*) from moxAddressBook")), s("0"));
    EXPECT_EQ(window->MasterData().FieldByName(s("PersonName")).AsString(), s("张三"));
}

TEST_F(AddressBook, AContactTypedInShowsItsTwoReminderRows)
{
    auto window = openRecordWindow<TfrmAddressBook>(s("moxAddressBook"));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(window->windowTitle(), s("人脉库"));
    press(*window, "actAdd");
    typeInto(window->findChild<QLineEdit *>(s("DBPersonName")), s("赵六"));
    // The birthday is picked as from the editor's calendar.
    auto *born = window->findChild<QDateEdit *>(s("DBBornDate"));
    ASSERT_TRUE(born);
    born->setFocus(Qt::MouseFocusReason);
    born->setDate(QDate(1988, 10, 3));
    QTest::keyClick(born, Qt::Key_Tab);
    typeInto(window->findChild<QLineEdit *>(s("DBCellphone")), s("13912345678"));
    typeInto(window->findChild<QLineEdit *>(s("DBCompany")), s("杭州某某科技有限公司"));
    typeInto(window->findChild<QLineEdit *>(s("DBJobs")), s("销售经理"));
    typeInto(window->findChild<QLineEdit *>(s("DBEmail")), s("zhaoliu@example.com"));
    press(*window, "actSave");
    ASSERT_EQ(window->FrmState(), fsBrowse) << qPrintable(boxTexts.join(s(" | ")));
    ZSaveScreenshot(*window, s("contacts_address_book_record"));
    EXPECT_EQ(remindDays(window->CurrKeyValue()), s("2:10/2,3:10/3"));
    EXPECT_EQ(value(s("select date(BornDate) from moxAddressBook")), s("1988-10-03"));
    EXPECT_EQ(value(s("select RemindTitle from moxRemind where Flag = 2")), s("好友 赵六 生日提醒"));
    window->close();
    window.release(); // deleted on close
}
