#pragma once

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>

/// A timed reminder of moxRemind: its kind (`Flag`: 1 memo, 2 birthday
/// tomorrow, 3 birthday today) and its `RemindID`. Both together name one
/// reminder: a birthday row carries the contact's number as its identifier,
/// which a memo reminder may carry too.
struct TZRemindKey
{
    int Flag = 1;
    QString RemindID;

    /// Same flag, and the identifiers equal once trimmed, ignoring case.
    bool Matches(const TZRemindKey &other) const;
    /// The text two matching keys share (for lookups).
    QString Normalized() const;
};

/// An entry of the pending list: a reminder that fell due, captioned with
/// its title.
struct TZPendingRemind
{
    TZRemindKey Key;
    QString Caption;
};

/// An entry of the snooze list: a reminder put off until `Due` (whole
/// minutes).
struct TZSnoozedRemind
{
    TZRemindKey Key;
    QString Title;
    QDateTime Due;
};

/// The process-wide lists of the timed reminders, kept on the main thread
/// from start to exit: the pending list (due reminders waiting for the user,
/// shown as "提醒(%d)"), the snooze list, and the reminders whose window is
/// open. Each holds a reminder at most once.
class TZRemindStore
{
public:
    /// Appends a pending entry, unless the reminder is pending already or
    /// its window is open. True when it was appended.
    bool AddPending(const TZRemindKey &key, const QString &caption);
    /// Removes the reminder's pending entry; false when there was none.
    bool TakePending(const TZRemindKey &key);
    bool IsPending(const TZRemindKey &key) const;
    const QList<TZPendingRemind> &Pending() const { return m_pending; }
    int PendingCount() const { return int(m_pending.size()); }

    /// Puts the reminder off until `due`: its entry is updated in place
    /// (title and due time), or appended when there is none.
    void Snooze(const TZRemindKey &key, const QString &title, const QDateTime &due);
    /// Drops the reminder's snooze entry, if any.
    void RemoveSnooze(const TZRemindKey &key);
    const QList<TZSnoozedRemind> &Snoozed() const { return m_snoozed; }
    /// Walks the snooze list from the last entry to the first: every entry
    /// due by `now` leaves it for the pending list. Returns how many pending
    /// entries that added.
    int WakeDueSnoozes(const QDateTime &now);

    /// The reminder windows tell the store when they open and close, so a
    /// reminder that is being shown is not listed again.
    void WindowOpened(const TZRemindKey &key);
    void WindowClosed(const TZRemindKey &key);
    bool IsWindowOpen(const TZRemindKey &key) const;

    /// Empties every list (at exit, and between tests).
    void Clear();

private:
    QList<TZPendingRemind> m_pending;
    QSet<QString> m_pendingKeys;
    QList<TZSnoozedRemind> m_snoozed;
    QSet<QString> m_openWindows;
};

/// The store of the process.
TZRemindStore &ZRemindStore();
