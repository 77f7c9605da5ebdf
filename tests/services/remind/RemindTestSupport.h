#pragma once

#include "TDataFileTest.h"
#include "TTestClock.h"
#include "TestText.h"

#include "data/TDBConn.h"
#include "remind/TZRemindStore.h"
#include "remind/ZRemindPoll.h"

#include <QDateTime>

#include <memory>

/// A data file of the template with an empty reminder table, a clock the
/// test sets and empty reminder lists; each test starts a new run of polls.
class TRemindTest : public TDataFileTest
{
protected:
    void SetUp() override
    {
        TDataFileTest::SetUp();
        clock = std::make_unique<TTestClock>(QDateTime(QDate(2026, 12, 7), QTime(8, 0)));
        ZRemindStore().Clear();
        ZRemindPoller().Reset();
    }

    void TearDown() override
    {
        ZRemindStore().Clear();
        ZRemindPoller().Reset();
        clock.reset();
        TDataFileTest::TearDown();
    }

public:
    /// A reminder row: its kind, number, title, repetition (0 once … 4
    /// yearly), time of day "hh:mm", last day, and more columns as
    /// ", Col = value" pairs of an update.
    static void addReminder(int flag, const QString &id, const QString &title, int type, const QString &time,
                            const QDate &endDate, const QString &more = QString())
    {
        TDBConn &db = DBConn();
        db.DBExcuteSql(QStringLiteral("insert into moxRemind(Flag, RemindID, RemindTitle, RemindContent, RemindType, "
                                      "RemindTime, EndDate) values(%1, '%2', '%3', '', %4, '1899-12-30 %5:00', '%6')")
                           .arg(flag)
                           .arg(id, title)
                           .arg(type)
                           .arg(time, endDate.toString(QStringLiteral("yyyy-MM-dd 00:00:00"))));
        if (!more.isEmpty())
            db.DBExcuteSql(QStringLiteral("update moxRemind set %1 where Flag = %2 and RemindID = '%3'")
                               .arg(more)
                               .arg(flag)
                               .arg(id));
    }

protected:
    /// Polls at the moment.
    TZRemindPollResult pollAt(const QDateTime &moment)
    {
        clock->set(moment);
        return ZPollReminders();
    }

    /// The pending captions in their order, joined by ",".
    static QString pending()
    {
        QStringList captions;
        for (const TZPendingRemind &entry : ZRemindStore().Pending())
            captions << entry.Caption;
        return captions.join(QLatin1Char(','));
    }

public:
    /// A moment of December 2026 (the 7th is a Monday).
    static QDateTime at(int day, int hour, int minute, int second = 0)
    {
        return QDateTime(QDate(2026, 12, day), QTime(hour, minute, second));
    }

protected:
    std::unique_ptr<TTestClock> clock;
};
