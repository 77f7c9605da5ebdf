#pragma once

#include "data/ZDBType.h"
#include "remind/TZRemindStore.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class TZDbConnection;

/// The statement that finds the timed reminders due in `minute` (its date,
/// weekday, day, month, hour and minute), with the date-part expressions of
/// the database kind `kind`.
QString ZRemindPollSql(const QDateTime &minute, TDBType kind);

/// A reminder the poll statement found.
struct TZDueRemind
{
    TZRemindKey Key;
    QString Title;
    QString Content;
    bool EmailRemind = false;
    QString EmailAddress;
};

/// The reminders due in `minute`, read through `connection`.
QList<TZDueRemind> ZDueReminders(TZDbConnection &connection, const QDateTime &minute);

/// Where a due reminder's e-mail goes: the reminder's EmailAddress for a
/// memo reminder (Flag 1) that asks for mail; for a birthday-tomorrow
/// reminder (Flag 2), unless the parameter BornDateEmailRemind is "0", the
/// parameter BornDateRemindEmail, or Email when that is empty; no mail for
/// the others. The address may be blank (the mail routine says so).
std::optional<QString> ZRemindMailAddress(const TZDueRemind &due);

/// Which minutes the polls look at. A poll looks at every whole minute that
/// has passed since the previous poll, so a late tick (a busy window, a
/// suspended machine) still fires what fell due in between, once:
/// - the first poll of a run, and a poll after the clock was set back,
///   looks at the current minute only when it runs at second 00 (a program
///   started at 08:30:25 does not fire the reminders of 08:30);
/// - a later poll looks at the minutes after the last one it looked at, up
///   to the current minute, at most the last 24 hours of them;
/// - a poll within the minute it already looked at looks at none;
/// - a clock corrected back by up to ten minutes looks at nothing until it
///   passes the last minute looked at; set back further, a new run starts.
class TZRemindPoller
{
public:
    /// The minutes (seconds dropped) a poll at `now` looks at, oldest
    /// first; they count as looked at from then on.
    QList<QDateTime> TakeMinutes(const QDateTime &now);
    /// Forgets the previous poll (a new run).
    void Reset()
    {
        m_last = QDateTime();
        m_holdUntil = QDateTime();
    }
    /// The poll of `minute` failed (a busy or broken data file): that minute
    /// and the ones after it are looked at again, from the next whole minute
    /// after `now` on, so a failing data file is retried once a minute, not
    /// on every tick, and no minute is lost.
    void Retry(const QDateTime &minute, const QDateTime &now);

    /// Minutes looked at, at most, by one poll.
    static constexpr int kMaxMinutes = 24 * 60;
    /// A clock set back by at most this many seconds is a correction: the
    /// polls wait for it to pass the minutes already looked at. Set back
    /// further, the clock starts a new run.
    static constexpr int kSmallStepBack = 10 * 60;

private:
    QDateTime m_last;
    QDateTime m_holdUntil; ///< after a failure: no minutes up to this one
};

/// The poller of the process.
TZRemindPoller &ZRemindPoller();

/// What a poll did.
struct TZRemindPollResult
{
    int Added = 0;     ///< entries added to the pending list
    QString SoundFile; ///< the sound to play once, when something was added
    QString Error;     ///< why a minute could not be looked at; empty when all went well
};

/// One poll at ZNow() on the session's database: the reminders due in each
/// minute to look at join the pending list (ZRemindStore) and send their
/// e-mails (ZRemindMailAddress, ZSendRemindMail: problems are told to the
/// user, the poll goes on), then the snoozed reminders that are due join
/// the pending list.
TZRemindPollResult ZPollReminders();

/// The sound of a poll that added reminders: the file named by the registry
/// value RemindSound (trimmed, below the program folder when relative), or
/// Sounds/Msg2.MP3 of the program folder when that is empty or missing.
QString ZRemindSoundFile();
