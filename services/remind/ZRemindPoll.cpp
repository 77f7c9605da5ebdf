#include "ZRemindPoll.h"

#include "common/ZClock.h"
#include "common/ZFiles.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/TZClientDataSet.h"
#include "data/ZDBRoutines.h"
#include "data/ZDateSql.h"
#include "net/ZRemindMail.h"
#include "settings/ZRegistry.h"

#include <QFileInfo>

QString ZRemindPollSql(const QDateTime &minute, TDBType kind)
{
    const QDate date = minute.date();
    const QString h = DatePartField(QStringLiteral("RemindTime"), dpHour, kind);
    const QString m = DatePartField(QStringLiteral("RemindTime"), dpMinute, kind);
    const QString e = DateToIntField(QStringLiteral("EndDate"), kind);
    const QString today = QString::number(date.year() * 10000 + date.month() * 100 + date.day());
    const QString now = QString::number(minute.time().hour() * 100 + minute.time().minute());
    const QString atThisTime = h + QStringLiteral(" * 100 + ") + m + QStringLiteral(" = ") + now;
    const QString notEnded = QStringLiteral("(") + e + QStringLiteral(" > ") + today + QStringLiteral(" or (") + e
                             + QStringLiteral(" = ") + today + QStringLiteral(" And ") + h + QStringLiteral(" * 100 + ")
                             + m + QStringLiteral(" >= ") + now + QStringLiteral("))");
    const QString once = QStringLiteral("(RemindType = 0 And ") + e + QStringLiteral(" = ") + today + QLatin1Char(')');
    const QString daily = QStringLiteral("(RemindType = 1)");
    const QString weekly = QStringLiteral("(RemindType = 2 And WeekDay%1 <> 0)").arg(date.dayOfWeek() % 7 + 1);
    const QString monthly = QStringLiteral("(RemindType = 3 And Day%1 <> 0)").arg(date.day());
    const QString yearly =
        QStringLiteral("(RemindType = 4 And RemindMonth = %1 and RemindDay = %2) ").arg(date.month()).arg(date.day());
    return QStringLiteral(
               " Select Flag, RemindID, RemindTitle, RemindContent, EmailRemind, EmailAddress From moxRemind "
               "Where IsDisabled = 0")
           + QStringLiteral(" And ") + atThisTime + QStringLiteral(" And ") + notEnded + QStringLiteral(" And (") + once
           + QStringLiteral(" or ") + daily + QStringLiteral(" or ") + weekly + QStringLiteral(" or ") + monthly
           + QStringLiteral(" or ") + yearly + QLatin1Char(')');
}

QList<TZDueRemind> ZDueReminders(TZDbConnection &connection, const QDateTime &minute)
{
    const std::unique_ptr<TZClientDataSet> rows = DBOpenDataSet(connection, ZRemindPollSql(minute, connection.kind()));
    QList<TZDueRemind> due;
    for (rows->First(); !rows->Eof(); rows->Next()) {
        TZDueRemind r;
        r.Key.Flag = rows->FieldByName(QStringLiteral("Flag")).AsInteger();
        r.Key.RemindID = rows->FieldByName(QStringLiteral("RemindID")).AsString();
        r.Title = rows->FieldByName(QStringLiteral("RemindTitle")).AsString();
        r.Content = rows->FieldByName(QStringLiteral("RemindContent")).AsString();
        r.EmailRemind = rows->FieldByName(QStringLiteral("EmailRemind")).AsBoolean();
        r.EmailAddress = rows->FieldByName(QStringLiteral("EmailAddress")).AsString();
        due << r;
    }
    return due;
}

std::optional<QString> ZRemindMailAddress(const TZDueRemind &due)
{
    if (due.Key.Flag == 1 && due.EmailRemind)
        return due.EmailAddress;
    if (due.Key.Flag != 2 || GetParamValue(QStringLiteral("BornDateEmailRemind")).trimmed() == QLatin1String("0"))
        return std::nullopt;
    const QString birthdays = GetParamValue(QStringLiteral("BornDateRemindEmail"));
    return birthdays.trimmed().isEmpty() ? GetParamValue(QStringLiteral("Email")) : birthdays;
}

QList<QDateTime> TZRemindPoller::TakeMinutes(const QDateTime &now)
{
    const QDateTime current(now.date(), QTime(now.time().hour(), now.time().minute()));
    if (m_holdUntil.isValid()) {
        if (current <= m_holdUntil && current >= m_last)
            return {};
        m_holdUntil = QDateTime();
    }
    // A clock corrected back by a few minutes waits until it passes the
    // minutes already looked at, which would otherwise fire twice.
    if (m_last.isValid() && current < m_last && current.secsTo(m_last) <= kSmallStepBack)
        return {};
    if (!m_last.isValid() || current < m_last) {
        m_last = current;
        if (now.time().second() == 0)
            return {current};
        return {};
    }
    QList<QDateTime> minutes;
    QDateTime minute = std::max(m_last.addSecs(60), current.addSecs(-60 * (kMaxMinutes - 1)));
    for (; minute <= current; minute = minute.addSecs(60))
        minutes << minute;
    m_last = current;
    return minutes;
}

void TZRemindPoller::Retry(const QDateTime &minute, const QDateTime &now)
{
    m_last = minute.addSecs(-60);
    m_holdUntil = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute()));
}

TZRemindPoller &ZRemindPoller()
{
    static TZRemindPoller poller;
    return poller;
}

TZRemindPollResult ZPollReminders()
{
    const QDateTime now = ZNow();
    TZRemindStore &store = ZRemindStore();
    TZRemindPollResult result;
    for (const QDateTime &minute : ZRemindPoller().TakeMinutes(now)) {
        QList<TZDueRemind> dues;
        try {
            dues = ZDueReminders(DBConn().GetDBCONN(), minute);
        } catch (const std::exception &error) {
            ZRemindPoller().Retry(minute, now);
            result.Error = QString::fromUtf8(error.what());
            break;
        }
        for (const TZDueRemind &due : dues) {
            if (store.AddPending(due.Key, due.Title))
                ++result.Added;
            if (const std::optional<QString> address = ZRemindMailAddress(due))
                ZSendRemindMail(due.Title, due.Content, *address);
        }
    }
    result.Added += store.WakeDueSnoozes(now);
    if (result.Added > 0)
        result.SoundFile = ZRemindSoundFile();
    return result;
}

QString ZRemindSoundFile()
{
    const QString named = ReadRegKey(QStringLiteral("RemindSound")).trimmed();
    if (!named.isEmpty()) {
        const QString file = ZNormalizePath(named);
        if (QFileInfo(file).isFile())
            return file;
    }
    return GetCurrPath() + QStringLiteral("Sounds/Msg2.MP3");
}
