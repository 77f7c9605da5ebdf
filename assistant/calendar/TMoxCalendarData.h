#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <deque>
#include <vector>

/// The three kinds of items a calendar day shows.
enum TMoxItemKind { mikTask, mikRemind, mikDiary };

/// An item of a day: the record it opens (module and key) and its title.
struct TMoxDayItem
{
    QDate FDate;
    int Flag = 0;
    QString FID;
    QString ProgID;
    QString Title;
};

/// The schedule items, memo and birthday reminders and diary entries of the
/// days a calendar month shows, loaded with three statements and counted per
/// day: a schedule item or diary entry falls on each day from its begin to
/// its end date; a reminder by its type (0 on its end date, 1 every day, 2
/// on the weekdays set, 3 on the days of the month set, 4 on its month and
/// day). Birthday reminders (Flag 2 and 3) open the address book.
class TMoxCalendarData
{
public:
    /// The three statements for a range of yyyymmdd integers.
    static QString TaskSql(int first, int last);
    static QString RemindSql(int first, int last);
    static QString DiarySql(int first, int last);

    /// Loads the items of the days `first` to `last` from the session's
    /// database.
    void Load(const QDate &first, const QDate &last);

    QDate First() const { return m_first; }
    QDate Last() const { return m_last; }
    /// How many items of a kind fall on a day (0 outside the range).
    int Count(TMoxItemKind kind, const QDate &day) const;
    /// The items of a kind on a day, in the order of their statement.
    QList<TMoxDayItem> Items(TMoxItemKind kind, const QDate &day) const;

private:
    struct TRow
    {
        int Flag = 0;
        QString FID;
        QString Title;
        QDate BeginDate;
        QDate EndDate;
        int RemindType = 0;
        std::array<bool, 7> WeekDay{}; // 0 = Sunday
        std::array<bool, 31> Day{};
        int RemindMonth = 0;
        int RemindDay = 0;
    };

    void loadRows(TMoxItemKind kind, const QString &sql);
    void placeSpan(TMoxItemKind kind, int row);
    void placeReminder(int row);
    bool inRange(const QDate &day) const { return day >= m_first && day <= m_last; }
    void add(TMoxItemKind kind, const QDate &day, int row);

    QDate m_first;
    QDate m_last;
    std::array<std::deque<TRow>, 3> m_rows; // a deque grows without moving its rows
    // Per day of the range, per kind: the rows falling on it.
    std::vector<std::array<std::vector<int>, 3>> m_days;
};
