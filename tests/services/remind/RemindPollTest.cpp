// The timed reminders' poll on a real data file: which rows fall due in a
// minute, the minutes a poll looks at, the pending list it fills and the
// snoozed reminders it wakes.

#include "RemindTestSupport.h"

#include "common/ZFiles.h"
#include "data/TParamInfo.h"
#include "settings/ZRegistry.h"

#include <gtest/gtest.h>

TEST(RemindPollSql, TheStatementOfOneMinuteForBothKinds)
{
    // Sunday 6 December 2026, 08:05: weekday 1, day 6, month 12.
    const QDateTime minute(QDate(2026, 12, 6), QTime(8, 5, 59));
    EXPECT_EQ(ZRemindPollSql(minute, dtDbACCESS),
              s(" Select Flag, RemindID, RemindTitle, RemindContent, EmailRemind, EmailAddress From moxRemind Where "
                "IsDisabled = 0 And DatePart('h', RemindTime) * 100 + DatePart('n', RemindTime) = 805 And "
                "(Year(EndDate) * 10000 + Month(EndDate) * 100 + Day(EndDate) > 20261206 or (Year(EndDate) * 10000 "
                "+ Month(EndDate) * 100 + Day(EndDate) = 20261206 And DatePart('h', RemindTime) * 100 + "
                "DatePart('n', RemindTime) >= 805)) And ((RemindType = 0 And Year(EndDate) * 10000 + Month(EndDate) "
                "* 100 + Day(EndDate) = 20261206) or (RemindType = 1) or (RemindType = 2 And WeekDay1 <> 0) or "
                "(RemindType = 3 And Day6 <> 0) or (RemindType = 4 And RemindMonth = 12 and RemindDay = 6) )"));
    // Saturday 31 January 2026, 23:59 on the server kind.
    EXPECT_EQ(ZRemindPollSql(QDateTime(QDate(2026, 1, 31), QTime(23, 59)), dtMSSQL),
              s(" Select Flag, RemindID, RemindTitle, RemindContent, EmailRemind, EmailAddress From moxRemind Where "
                "IsDisabled = 0 And DatePart(Hour, RemindTime) * 100 + DatePart(Minute, RemindTime) = 2359 And "
                "(Year(EndDate) * 10000 + Month(EndDate) * 100 + Day(EndDate) > 20260131 or (Year(EndDate) * 10000 "
                "+ Month(EndDate) * 100 + Day(EndDate) = 20260131 And DatePart(Hour, RemindTime) * 100 + "
                "DatePart(Minute, RemindTime) >= 2359)) And ((RemindType = 0 And Year(EndDate) * 10000 + "
                "Month(EndDate) * 100 + Day(EndDate) = 20260131) or (RemindType = 1) or (RemindType = 2 And WeekDay7 "
                "<> 0) or (RemindType = 3 And Day31 <> 0) or (RemindType = 4 And RemindMonth = 1 and RemindDay = 31) "
                ")"));
}

TEST(RemindPoller, MinutesLookedAt)
{
    const auto at = [](int day, int h, int m, int sec) { return QDateTime(QDate(2026, 12, day), QTime(h, m, sec)); };
    {
        // The first poll of a run looks at its minute only at second 00.
        TZRemindPoller poller;
        EXPECT_TRUE(poller.TakeMinutes(at(7, 8, 30, 25)).isEmpty());
        EXPECT_TRUE(poller.TakeMinutes(at(7, 8, 30, 59)).isEmpty());
        EXPECT_EQ(poller.TakeMinutes(at(7, 8, 31, 0)), QList<QDateTime>{at(7, 8, 31, 0)});
    }
    {
        TZRemindPoller poller;
        EXPECT_EQ(poller.TakeMinutes(at(7, 8, 29, 0)), QList<QDateTime>{at(7, 8, 29, 0)});
        EXPECT_TRUE(poller.TakeMinutes(at(7, 8, 29, 1)).isEmpty());
        // A late tick looks at every minute it missed, once.
        EXPECT_EQ(poller.TakeMinutes(at(7, 8, 32, 7)),
                  (QList<QDateTime>{at(7, 8, 30, 0), at(7, 8, 31, 0), at(7, 8, 32, 0)}));
        EXPECT_TRUE(poller.TakeMinutes(at(7, 8, 32, 30)).isEmpty());
        // Across midnight each minute keeps its own day.
        poller.TakeMinutes(at(7, 23, 58, 0));
        EXPECT_EQ(poller.TakeMinutes(at(8, 0, 0, 40)), (QList<QDateTime>{at(7, 23, 59, 0), at(8, 0, 0, 0)}));
        // After a suspended machine: the last 24 hours at most.
        const QList<QDateTime> days = poller.TakeMinutes(at(11, 9, 0, 3));
        ASSERT_EQ(days.size(), TZRemindPoller::kMaxMinutes);
        EXPECT_EQ(days.first(), at(10, 9, 1, 0));
        EXPECT_EQ(days.last(), at(11, 9, 0, 0));
        // A clock corrected back a little looks at no minute twice.
        EXPECT_TRUE(poller.TakeMinutes(at(11, 8, 58, 59)).isEmpty());
        EXPECT_TRUE(poller.TakeMinutes(at(11, 9, 0, 30)).isEmpty());
        EXPECT_EQ(poller.TakeMinutes(at(11, 9, 1, 0)), QList<QDateTime>{at(11, 9, 1, 0)});
        // A clock set back further starts a new run.
        EXPECT_TRUE(poller.TakeMinutes(at(11, 8, 0, 12)).isEmpty());
        EXPECT_EQ(poller.TakeMinutes(at(11, 8, 1, 0)), QList<QDateTime>{at(11, 8, 1, 0)});
    }
    {
        // A minute whose poll failed comes again with the next minute, not
        // on the ticks of the same minute.
        TZRemindPoller poller;
        poller.TakeMinutes(at(7, 8, 29, 0));
        EXPECT_EQ(poller.TakeMinutes(at(7, 8, 31, 2)), (QList<QDateTime>{at(7, 8, 30, 0), at(7, 8, 31, 0)}));
        poller.Retry(at(7, 8, 30, 0), at(7, 8, 31, 2));
        EXPECT_TRUE(poller.TakeMinutes(at(7, 8, 31, 3)).isEmpty());
        EXPECT_TRUE(poller.TakeMinutes(at(7, 8, 31, 59)).isEmpty());
        EXPECT_EQ(poller.TakeMinutes(at(7, 8, 32, 0)),
                  (QList<QDateTime>{at(7, 8, 30, 0), at(7, 8, 31, 0), at(7, 8, 32, 0)}));
        EXPECT_TRUE(poller.TakeMinutes(at(7, 8, 32, 1)).isEmpty());
    }
}

TEST(RemindStore, PendingSnoozedAndShownReminders)
{
    TZRemindStore store;
    // Trimmed and ignoring case, per kind.
    EXPECT_TRUE(store.AddPending({1, s("ab ")}, s("甲")));
    EXPECT_FALSE(store.AddPending({1, s(" AB")}, s("甲")));
    EXPECT_TRUE(store.AddPending({3, s("AB")}, s("生日")));
    EXPECT_EQ(store.PendingCount(), 2);
    EXPECT_TRUE(store.TakePending({1, s("Ab")}));
    EXPECT_FALSE(store.TakePending({1, s("Ab")}));
    ASSERT_EQ(store.PendingCount(), 1);
    EXPECT_EQ(store.Pending().first().Key.Flag, 3);
    // A shown reminder is not listed.
    store.WindowOpened({2, s("c1")});
    EXPECT_FALSE(store.AddPending({2, s("C1")}, s("乙")));
    store.WindowClosed({2, s("c1")});
    EXPECT_TRUE(store.AddPending({2, s("C1")}, s("乙")));

    // Two snoozes of one reminder leave one entry with the later time.
    const QDateTime nine(QDate(2026, 12, 7), QTime(9, 0));
    store.Snooze({1, s("x")}, s("旧"), nine);
    store.Snooze({1, s("y")}, s("丙"), nine.addSecs(60));
    store.Snooze({1, s("X ")}, s("新"), nine.addSecs(600));
    ASSERT_EQ(store.Snoozed().size(), 2);
    EXPECT_EQ(store.Snoozed().first().Title, s("新"));
    EXPECT_EQ(store.Snoozed().first().Due, nine.addSecs(600));
    // Walked last to first; due ones go to the pending list.
    store.Snooze({1, s("z")}, s("丁"), nine);
    store.Clear();
    store.Snooze({1, s("x")}, s("戊"), nine);
    store.Snooze({1, s("y")}, s("己"), nine.addSecs(60));
    store.Snooze({1, s("z")}, s("庚"), nine);
    EXPECT_EQ(store.WakeDueSnoozes(nine), 2);
    ASSERT_EQ(store.Snoozed().size(), 1);
    EXPECT_EQ(store.Snoozed().first().Title, s("己"));
    ASSERT_EQ(store.PendingCount(), 2);
    EXPECT_EQ(store.Pending().at(0).Caption, s("庚"));
    EXPECT_EQ(store.Pending().at(1).Caption, s("戊"));
    store.RemoveSnooze({1, s("Y")});
    EXPECT_TRUE(store.Snoozed().isEmpty());
}

using RemindPoll = TRemindTest;

TEST_F(RemindPoll, DailyReminderAndItsLastDay)
{
    addReminder(1, s("R1"), s("昨天截止"), 1, s("08:30"), QDate(2026, 12, 6));
    addReminder(1, s("R2"), s("今天截止"), 1, s("08:30"), QDate(2026, 12, 7));
    addReminder(1, s("R3"), s("停用"), 1, s("08:30"), QDate(2027, 1, 1), s("IsDisabled = -1"));
    addReminder(1, s("R4"), s("八点三十一"), 1, s("08:31"), QDate(2027, 1, 1));
    // A run that starts after 08:30 does not fire the reminders of 08:30.
    EXPECT_EQ(pollAt(at(7, 8, 31)).Added, 1);
    EXPECT_EQ(pending(), s("八点三十一"));
    ZRemindStore().Clear();
    ZRemindPoller().Reset();
    EXPECT_EQ(pollAt(at(7, 8, 29)).Added, 0);
    const TZRemindPollResult fired = pollAt(at(7, 8, 30));
    EXPECT_EQ(fired.Added, 1);
    EXPECT_EQ(fired.SoundFile, GetCurrPath() + s("Sounds/Msg2.MP3"));
    EXPECT_EQ(pending(), s("今天截止"));
    // Still pending: not listed twice, no sound.
    ZRemindPoller().Reset();
    const TZRemindPollResult again = pollAt(at(7, 8, 30));
    EXPECT_EQ(again.Added, 0);
    EXPECT_TRUE(again.SoundFile.isEmpty());
    // Past its last day it is over.
    ZRemindStore().Clear();
    ZRemindPoller().Reset();
    pollAt(at(8, 8, 30));
    EXPECT_EQ(pending(), s(""));
}

TEST_F(RemindPoll, RepetitionRules)
{
    const QDate later(2027, 12, 31);
    addReminder(1, s("O"), s("单次"), 0, s("09:00"), QDate(2026, 12, 8));
    addReminder(1, s("W"), s("周日"), 2, s("09:00"), later, s("WeekDay1 = -1"));
    addReminder(1, s("M"), s("每月13日"), 3, s("09:00"), later, s("Day13 = -1"));
    addReminder(1, s("Y"), s("每年12月13日"), 4, s("09:00"), later, s("RemindMonth = 12, RemindDay = 13"));
    const auto firedOn = [this](int day) {
        ZRemindStore().Clear();
        ZRemindPoller().Reset();
        pollAt(at(day, 9, 0));
        return pending();
    };
    EXPECT_EQ(firedOn(7), s(""));                            // Monday
    EXPECT_EQ(firedOn(8), s("单次"));                        // its last day
    EXPECT_EQ(firedOn(6), s("周日"));                        // Sunday, before the once-only's day
    EXPECT_EQ(firedOn(13), s("周日,每月13日,每年12月13日")); // Sunday the 13th
    EXPECT_EQ(firedOn(12), s(""));                           // Saturday
}

TEST_F(RemindPoll, LateTickFiresTheMissedMinuteOnce)
{
    addReminder(1, s("R1"), s("开会"), 1, s("08:30"), QDate(2027, 1, 1));
    addReminder(1, s("R2"), s("午夜前"), 2, s("23:59"), QDate(2027, 1, 1), s("WeekDay2 = -1"));
    pollAt(at(7, 8, 29));
    EXPECT_EQ(pollAt(at(7, 8, 31, 12)).Added, 1);
    EXPECT_EQ(pending(), s("开会"));
    ZRemindStore().TakePending({1, s("R1")});
    EXPECT_EQ(pollAt(at(7, 8, 32)).Added, 0);
    EXPECT_EQ(pending(), s(""));
    // Monday 23:59 is looked at with Monday's weekday by a tick after
    // midnight.
    ZRemindPoller().Reset();
    pollAt(at(7, 23, 58));
    EXPECT_EQ(pollAt(at(8, 0, 1, 5)).Added, 1);
    EXPECT_EQ(pending(), s("午夜前"));
}

TEST_F(RemindPoll, MemoAndBirthdayWithOneNumberBothFire)
{
    // The birthday routine writes a tomorrow (2) and a today (3) row with the
    // contact's number; a memo may carry the same number.
    addReminder(1, s("0001"), s("备忘"), 1, s("08:00"), QDate(2027, 1, 1));
    addReminder(2, s("0001"), s("明天生日"), 1, s("08:00"), QDate(2027, 1, 1));
    addReminder(3, s("0001"), s("今天生日"), 1, s("08:00"), QDate(2027, 1, 1));
    EXPECT_EQ(pollAt(at(7, 8, 0)).Added, 3);
    EXPECT_EQ(pending(), s("备忘,明天生日,今天生日"));
}

TEST_F(RemindPoll, ReminderWithoutTimeFiresAtMidnight)
{
    // A row whose time was never written holds the column default 0: the
    // day's start, as DatePart reads it.
    DBConn().DBExcuteSql(s("insert into moxRemind(Flag, RemindID, RemindTitle, RemindType, EndDate) values(1, 'T0', "
                           "'零点', 1, '2027-01-01 00:00:00')"));
    pollAt(at(7, 12, 0));
    EXPECT_EQ(pending(), s(""));
    ZRemindPoller().Reset();
    pollAt(at(8, 0, 0));
    EXPECT_EQ(pending(), s("零点"));
}

TEST_F(RemindPoll, SnoozedReminderComesBackWhenDue)
{
    ZRemindStore().Snooze({1, s("S1")}, s("延迟的"), at(7, 8, 35));
    pollAt(at(7, 8, 34));
    EXPECT_EQ(pending(), s(""));
    const TZRemindPollResult woken = pollAt(at(7, 8, 35, 1));
    EXPECT_EQ(woken.Added, 1);
    EXPECT_FALSE(woken.SoundFile.isEmpty());
    EXPECT_EQ(pending(), s("延迟的"));
    EXPECT_TRUE(ZRemindStore().Snoozed().isEmpty());
}

TEST_F(RemindPoll, SoundOfTheRegistryOrTheShippedOne)
{
    EXPECT_EQ(ZRemindSoundFile(), GetCurrPath() + s("Sounds/Msg2.MP3"));
    folder->writeFile(s("Sounds/叮.wav"), "RIFF");
    WriteRegKey(s("RemindSound"), s("  Sounds/叮.wav "));
    EXPECT_EQ(ZRemindSoundFile(), GetCurrPath() + s("Sounds/叮.wav"));
    WriteRegKey(s("RemindSound"), s("Sounds/没有.wav"));
    EXPECT_EQ(ZRemindSoundFile(), GetCurrPath() + s("Sounds/Msg2.MP3"));
}

TEST_F(RemindPoll, MailGoesToTheReminderOrTheBirthdayAddress)
{
    addReminder(1, s("M1"), s("要邮件"), 1, s("08:30"), QDate(2027, 1, 1),
                s("EmailRemind = -1, EmailAddress = 'me@example.com'"));
    addReminder(1, s("M2"), s("不要邮件"), 1, s("08:30"), QDate(2027, 1, 1), s("EmailAddress = 'me@example.com'"));
    addReminder(2, s("M1"), s("明天生日"), 1, s("08:30"), QDate(2027, 1, 1), s("EmailRemind = -1"));
    addReminder(3, s("M1"), s("今天生日"), 1, s("08:30"), QDate(2027, 1, 1), s("EmailRemind = -1"));
    const auto addresses = [] {
        GetParamInfo().UpdateParamInfo();
        QStringList all;
        for (const TZDueRemind &due : ZDueReminders(DBConn().GetDBCONN(), at(7, 8, 30))) {
            const std::optional<QString> address = ZRemindMailAddress(due);
            all << due.Title + QLatin1Char(':') + (address ? *address : s("-"));
        }
        return all.join(QLatin1Char(','));
    };
    SaveParamValue(s("Email"), s("owner@example.com"));
    EXPECT_EQ(addresses(), s("要邮件:me@example.com,不要邮件:-,明天生日:owner@example.com,今天生日:-"));
    SaveParamValue(s("BornDateRemindEmail"), s("family@example.com"));
    EXPECT_EQ(addresses(), s("要邮件:me@example.com,不要邮件:-,明天生日:family@example.com,今天生日:-"));
    SaveParamValue(s("BornDateEmailRemind"), s("0"));
    EXPECT_EQ(addresses(), s("要邮件:me@example.com,不要邮件:-,明天生日:-,今天生日:-"));
}

TEST_F(RemindPoll, AMinuteThatCouldNotBeReadFiresWhenTheDataFileIsBack)
{
    addReminder(1, s("R1"), s("开会"), 1, s("08:30"), QDate(2027, 1, 1));
    ZRemindStore().Snooze({1, s("S1")}, s("延迟的"), at(7, 8, 30));
    pollAt(at(7, 8, 29));
    // The table cannot be read at 08:30: the error is told, the snoozed
    // reminder still comes, and the minute is not lost.
    DBConn().DBExcuteSql(s("alter table moxRemind rename to moxRemindAway"));
    const TZRemindPollResult failed = pollAt(at(7, 8, 30));
    EXPECT_FALSE(failed.Error.isEmpty());
    EXPECT_EQ(failed.Added, 1);
    EXPECT_EQ(pending(), s("延迟的"));
    DBConn().DBExcuteSql(s("alter table moxRemindAway rename to moxRemind"));
    EXPECT_EQ(pollAt(at(7, 8, 30, 30)).Added, 0); // not again within the minute
    const TZRemindPollResult back = pollAt(at(7, 8, 31));
    EXPECT_TRUE(back.Error.isEmpty());
    EXPECT_EQ(back.Added, 1);
    EXPECT_EQ(pending(), s("延迟的,开会"));
}
