// The birthday reminders of the address book: the two yearly moxRemind rows
// of a contact, and their yearly move for birthdays whose day changes.
#include "ZBirthdayRemind.h"

#include "common/ZClock.h"
#include "common/ZCnCalendar.h"
#include "common/ZDates.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/TZClientDataSet.h"
#include "data/ZDateSql.h"

#include <QDateTime>


namespace {

/// The first birth date that gets reminders is the day after this one.
constexpr int kFirstRemindedBirth = 19030101;

/// A time of day as a time column holds it.
QDateTime timeValue(const QTime &time)
{
    return QDateTime(QDate(1899, 12, 30), time);
}

/// The time of day of the parameter BornDateRemindTime (hhmmss); a value
/// that is no time of day reminds at 10:00.
QTime remindTime()
{
    bool ok = false;
    const int n = ZTrim(GetParamValue(QStringLiteral("BornDateRemindTime"), QStringLiteral("100000"))).toInt(&ok);
    const QTime time = ok ? IntToTime(n) : QTime();
    return time.isValid() ? time : QTime(10, 0);
}

QDate gregorianDay(const QDate &born, int year)
{
    if (born.month() == 2 && born.day() == 29 && !QDate::isLeapYear(year))
        return QDate(year, 2, 28);
    return QDate(year, born.month(), born.day());
}

/// The contacts born after 1903 with the flag and key condition given.
QString contactsSql(const QString &fields, const QString &where)
{
    return QStringLiteral("Select %1 From moxAddressBook Where %2 > %3")
               .arg(fields, DateToIntField(QStringLiteral("BornDate")))
               .arg(kFirstRemindedBirth)
           + where;
}

} // namespace

TZBirthdayDays ZBirthdayDaysIn(const QDate &born, bool lunar, int year)
{
    QDate day;
    if (lunar)
        day = ZDateOfCnDate(year, born.month(), born.day());
    if (!day.isValid())
        day = gregorianDay(born, year);
    return {day, day.addDays(-1)};
}

bool ZBirthdayMovesYearly(const QDate &born, bool lunar)
{
    return lunar || (born.month() == 2 && born.day() == 29);
}

void ZUpdateBirthdayRemind(const QString &oldPersonID, const QString &personID, bool deleting)
{
    TDBConn &db = DBConn();
    if (!ZTrim(oldPersonID).isEmpty())
        db.DBExcuteSql(QStringLiteral("Delete From moxRemind Where Flag in (2,3) And RemindID = ")
                       + ZQuotedStr(ZTrim(oldPersonID)));
    if (deleting)
        return;

    // The contact's lunar switch decides the days, so it is read with it.
    const std::unique_ptr<TZClientDataSet> contact =
        db.DBOpenDataSet(contactsSql(QStringLiteral("PersonID, PersonName, BornDate, IsLunar"),
                                     QStringLiteral(" And PersonID = ") + ZQuotedStr(ZTrim(personID))));
    TZClientDataSet batch;
    db.DBOpenDataSet(batch, QStringLiteral("Select Flag, RemindID, RemindTitle, EndDate, EndTime, RemindContent, "
                                           "RemindType, RemindTime, RemindMonth, RemindDay  From moxRemind Where 1=2"));
    const QTime time = remindTime();
    contact->First();
    while (!contact->Eof()) {
        const QDate born = contact->FieldByName(QStringLiteral("BornDate")).AsDateTime().date();
        const QString id = ZTrim(contact->FieldByName(QStringLiteral("PersonID")).AsString());
        const QString name = contact->FieldByName(QStringLiteral("PersonName")).AsString();
        const TZBirthdayDays days =
            ZBirthdayDaysIn(born, contact->FieldByName(QStringLiteral("IsLunar")).AsBoolean(), ZDate().year());
        struct TRow
        {
            int flag;
            QString content;
            QDate day;
        };
        const TRow rows[] = {
            {2, QStringLiteral("好友 %1 %2月%3日 明天生日，记得送上祝福哦！"), days.Eve},
            {3, QStringLiteral("好友 %1 %2月%3日 生日到了，记得送上祝福哦！"), days.Day},
        };
        for (const TRow &row : rows) {
            batch.Append();
            batch.FieldByName(QStringLiteral("Flag")).SetAsInteger(row.flag);
            batch.FieldByName(QStringLiteral("RemindID")).SetAsString(id);
            batch.FieldByName(QStringLiteral("RemindTitle")).SetAsString(QStringLiteral("好友 %1 生日提醒").arg(name));
            batch.FieldByName(QStringLiteral("EndDate")).SetAsDateTime(QDateTime(QDate(2999, 1, 1), QTime()));
            batch.FieldByName(QStringLiteral("EndTime")).SetAsDateTime(timeValue(QTime(23, 59, 59)));
            batch.FieldByName(QStringLiteral("RemindContent"))
                .SetAsString(row.content.arg(name).arg(born.month()).arg(born.day()));
            batch.FieldByName(QStringLiteral("RemindType")).SetAsInteger(4);
            batch.FieldByName(QStringLiteral("RemindTime")).SetAsDateTime(timeValue(time));
            batch.FieldByName(QStringLiteral("RemindMonth")).SetAsInteger(row.day.month());
            batch.FieldByName(QStringLiteral("RemindDay")).SetAsInteger(row.day.day());
            batch.Post();
        }
        contact->Next();
    }
    if (!batch.IsEmpty())
        batch.UpdateBatch();
}

int ZMoveYearlyBirthdayReminds(int year)
{
    if (ZTrim(GetParamValue(kBirthdayRemindYearParam)) == QString::number(year))
        return 0;
    TDBConn &db = DBConn();
    TZTransaction transaction(db);
    const std::unique_ptr<TZClientDataSet> contacts =
        db.DBOpenDataSet(contactsSql(QStringLiteral("PersonID, BornDate, IsLunar"), QString()));
    int moved = 0;
    contacts->First();
    while (!contacts->Eof()) {
        const QDate born = contacts->FieldByName(QStringLiteral("BornDate")).AsDateTime().date();
        const bool lunar = contacts->FieldByName(QStringLiteral("IsLunar")).AsBoolean();
        if (ZBirthdayMovesYearly(born, lunar)) {
            const TZBirthdayDays days = ZBirthdayDaysIn(born, lunar, year);
            const QString id = ZQuotedStr(ZTrim(contacts->FieldByName(QStringLiteral("PersonID")).AsString()));
            for (const auto &[flag, day] : {std::pair{2, days.Eve}, std::pair{3, days.Day}})
                db.DBExcuteSql(QStringLiteral("Update moxRemind Set RemindMonth = %1, RemindDay = %2 Where Flag = %3 "
                                              "And RemindID = %4")
                                   .arg(day.month())
                                   .arg(day.day())
                                   .arg(flag)
                                   .arg(id));
            ++moved;
        }
        contacts->Next();
    }
    SaveParamValue(kBirthdayRemindYearParam, QString::number(year));
    transaction.Commit();
    // A name the parameter table did not hold yet is cached only after a
    // reload.
    if (!GetParamInfo().GetParamItem(kBirthdayRemindYearParam))
        GetParamInfo().UpdateParamInfo();
    return moved;
}
