#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

/// What a filled reminder row holds beside its number: its date-time text
/// ("yyyy-MM-dd hh:mm:ss") and its flag.
struct TZBenchReminder
{
    QByteArray moment;
    int flag = 1;
};

/// Makes `file` a data file with the memo module's table and its list
/// indexes (from the shipped definitions of `program`), filled with `rows`
/// reminders in one transaction through one prepared insert; `reminder(i)`
/// gives row i's moment and flag.
void ZBenchReminderFile(const QString &file, const QString &program, int rows,
                        const std::function<TZBenchReminder(int)> &reminder);
