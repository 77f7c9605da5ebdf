#include "TZRemindStore.h"

#include "data/ZFreeAllSource.h"
#include "remind/ZRemindPoll.h"

#include <algorithm>

bool TZRemindKey::Matches(const TZRemindKey &other) const
{
    return Flag == other.Flag && RemindID.trimmed().compare(other.RemindID.trimmed(), Qt::CaseInsensitive) == 0;
}

QString TZRemindKey::Normalized() const
{
    return QString::number(Flag) + QLatin1Char('|') + RemindID.trimmed().toCaseFolded();
}

bool TZRemindStore::AddPending(const TZRemindKey &key, const QString &caption)
{
    const QString normalized = key.Normalized();
    if (m_pendingKeys.contains(normalized) || m_openWindows.contains(normalized))
        return false;
    m_pending.append(TZPendingRemind{key, caption});
    m_pendingKeys.insert(normalized);
    return true;
}

bool TZRemindStore::TakePending(const TZRemindKey &key)
{
    if (!m_pendingKeys.remove(key.Normalized()))
        return false;
    m_pending.removeIf([&key](const TZPendingRemind &entry) { return entry.Key.Matches(key); });
    return true;
}

bool TZRemindStore::IsPending(const TZRemindKey &key) const
{
    return m_pendingKeys.contains(key.Normalized());
}

void TZRemindStore::Snooze(const TZRemindKey &key, const QString &title, const QDateTime &due)
{
    const auto found = std::find_if(m_snoozed.begin(), m_snoozed.end(),
                                    [&key](const TZSnoozedRemind &entry) { return entry.Key.Matches(key); });
    if (found == m_snoozed.end()) {
        m_snoozed.append(TZSnoozedRemind{key, title, due});
        return;
    }
    found->Title = title;
    found->Due = due;
}

void TZRemindStore::RemoveSnooze(const TZRemindKey &key)
{
    m_snoozed.removeIf([&key](const TZSnoozedRemind &entry) { return entry.Key.Matches(key); });
}

int TZRemindStore::WakeDueSnoozes(const QDateTime &now)
{
    int added = 0;
    for (qsizetype i = m_snoozed.size() - 1; i >= 0; --i) {
        if (m_snoozed.at(i).Due > now)
            continue;
        const TZSnoozedRemind entry = m_snoozed.takeAt(i);
        if (AddPending(entry.Key, entry.Title))
            ++added;
    }
    return added;
}

void TZRemindStore::WindowOpened(const TZRemindKey &key)
{
    m_openWindows.insert(key.Normalized());
}

void TZRemindStore::WindowClosed(const TZRemindKey &key)
{
    m_openWindows.remove(key.Normalized());
}

bool TZRemindStore::IsWindowOpen(const TZRemindKey &key) const
{
    return m_openWindows.contains(key.Normalized());
}

void TZRemindStore::Clear()
{
    m_pending.clear();
    m_pendingKeys.clear();
    m_snoozed.clear();
    m_openWindows.clear();
}

TZRemindStore &ZRemindStore()
{
    static TZRemindStore store;
    static const bool registered = [] {
        ZAddFreeAllSourceStep(fsReminders, [] {
            store.Clear();
            ZRemindPoller().Reset();
        });
        return true;
    }();
    Q_UNUSED(registered);
    return store;
}
