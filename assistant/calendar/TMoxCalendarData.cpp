#include "TMoxCalendarData.h"

#include "common/ZErrors.h"
#include "data/TDBConn.h"
#include "data/TZDbConnection.h"
#include "data/ZDBRoutines.h"
#include "data/ZDateSql.h"

namespace {

int dateInt(const QDate &date)
{
    return date.year() * 10000 + date.month() * 100 + date.day();
}

const QString kOrder = QStringLiteral(" Order By BeginDate");

} // namespace

QString TMoxCalendarData::TaskSql(int first, int last)
{
    return QStringLiteral("Select 0 as Flag, TaskID as FID, TaskName as Title, PlanBeginDate as BeginDate, "
                          "PlanEndDate as EndDate From moxTask Where CompleteRate < 1 And not (%1 > %2 And %3 < %4) ")
        .arg(DateToIntField(QStringLiteral("PlanBeginDate")))
        .arg(last)
        .arg(DateToIntField(QStringLiteral("PlanEndDate")))
        .arg(first);
}

QString TMoxCalendarData::RemindSql(int first, int last)
{
    return QStringLiteral("Select Flag, RemindID as FID, RemindTitle as Title, EndDate as BeginDate, EndDate, * From "
                          "moxRemind Where IsDisabled = 0 And not (%1 > %2 or %3 < %4) ")
        .arg(DateToIntField(QStringLiteral("CreateDate")))
        .arg(last)
        .arg(DateToIntField(QStringLiteral("EndDate")))
        .arg(first);
}

QString TMoxCalendarData::DiarySql(int first, int last)
{
    return QStringLiteral("Select 0 as Flag, DiaryID as FID, DiaryID as Title, CreateDate as BeginDate, CreateDate as "
                          "EndDate From moxDiary Where %1 >= %2 And %3 <= %4 ")
        .arg(DateToIntField(QStringLiteral("CreateDate")))
        .arg(first)
        .arg(DateToIntField(QStringLiteral("CreateDate")))
        .arg(last);
}

void TMoxCalendarData::Load(const QDate &first, const QDate &last)
{
    m_first = first;
    m_last = last;
    for (auto &rows : m_rows)
        rows.clear();
    m_days.assign(size_t(qMax<qint64>(0, first.daysTo(last) + 1)), {});
    const int from = dateInt(first);
    const int to = dateInt(last);
    loadRows(mikTask, TaskSql(from, to) + kOrder);
    loadRows(mikRemind, RemindSql(from, to) + kOrder);
    loadRows(mikDiary, DiarySql(from, to) + kOrder);
}

void TMoxCalendarData::loadRows(TMoxItemKind kind, const QString &sql)
{
    TDBConn &db = DBConn();
    const auto rows = DBOpenCursor(db.GetDBCONN(), sql);
    // The first column of each name: the reminders' statement selects some
    // columns twice (under their own name and through "*").
    const auto column = [&](const QString &name) {
        for (int c = 0; c < rows->columnCount(); ++c) {
            if (rows->columnName(c).compare(name, Qt::CaseInsensitive) == 0)
                return c;
        }
        throw EZError(QStringLiteral("字段%1不存在").arg(name));
    };
    const int flag = column(QStringLiteral("Flag"));
    const int fid = column(QStringLiteral("FID"));
    const int title = column(QStringLiteral("Title"));
    const int begin = column(QStringLiteral("BeginDate"));
    const int end = column(QStringLiteral("EndDate"));
    const bool reminders = kind == mikRemind;
    std::array<int, 7> weekDays{};
    std::array<int, 31> days{};
    int type = 0;
    int month = 0;
    int day = 0;
    if (reminders) {
        for (int i = 0; i < 7; ++i)
            weekDays.at(size_t(i)) = column(QStringLiteral("WeekDay%1").arg(i + 1));
        for (int i = 0; i < 31; ++i)
            days.at(size_t(i)) = column(QStringLiteral("Day%1").arg(i + 1));
        type = column(QStringLiteral("RemindType"));
        month = column(QStringLiteral("RemindMonth"));
        day = column(QStringLiteral("RemindDay"));
    }
    std::deque<TRow> &list = m_rows.at(kind);
    const auto date = [&](int c) { return rows->value(c, ftZDate).toDateTime().date(); };
    const auto integer = [&](int c) { return rows->value(c, ftZInteger).toInt(); };
    while (rows->step()) {
        TRow row;
        row.Flag = integer(flag);
        row.FID = rows->value(fid, ftZString).toString();
        row.Title = rows->value(title, ftZString).toString();
        row.BeginDate = date(begin);
        row.EndDate = date(end);
        if (reminders) {
            row.RemindType = integer(type);
            for (size_t i = 0; i < 7; ++i)
                row.WeekDay.at(i) = integer(weekDays.at(i)) != 0;
            for (size_t i = 0; i < 31; ++i)
                row.Day.at(i) = integer(days.at(i)) != 0;
            row.RemindMonth = integer(month);
            row.RemindDay = integer(day);
        }
        list.push_back(std::move(row));
        if (reminders)
            placeReminder(int(list.size()) - 1);
        else
            placeSpan(kind, int(list.size()) - 1);
    }
}

void TMoxCalendarData::add(TMoxItemKind kind, const QDate &day, int row)
{
    m_days.at(size_t(m_first.daysTo(day))).at(kind).push_back(row);
}

void TMoxCalendarData::placeSpan(TMoxItemKind kind, int row)
{
    const TRow &item = m_rows.at(kind).at(size_t(row));
    if (!item.BeginDate.isValid() || !item.EndDate.isValid())
        return;
    const QDate from = qMax(item.BeginDate, m_first);
    const QDate to = qMin(item.EndDate, m_last);
    for (QDate day = from; day <= to; day = day.addDays(1))
        add(kind, day, row);
}

void TMoxCalendarData::placeReminder(int row)
{
    const TRow &item = m_rows.at(mikRemind).at(size_t(row));
    if (item.RemindType == 0) {
        if (inRange(item.EndDate))
            add(mikRemind, item.EndDate, row);
        return;
    }
    for (QDate day = m_first; day <= m_last; day = day.addDays(1)) {
        bool falls = false;
        switch (item.RemindType) {
        case 1:
            falls = true;
            break;
        case 2:
            falls = item.WeekDay.at(size_t(day.dayOfWeek() % 7));
            break;
        case 3:
            falls = item.Day.at(size_t(day.day() - 1));
            break;
        case 4:
            falls = item.RemindMonth == day.month() && item.RemindDay == day.day();
            break;
        default:
            break;
        }
        if (falls)
            add(mikRemind, day, row);
    }
}

int TMoxCalendarData::Count(TMoxItemKind kind, const QDate &day) const
{
    if (!inRange(day))
        return 0;
    return int(m_days.at(size_t(m_first.daysTo(day))).at(kind).size());
}

QList<TMoxDayItem> TMoxCalendarData::Items(TMoxItemKind kind, const QDate &day) const
{
    QList<TMoxDayItem> items;
    if (!inRange(day))
        return items;
    static const std::array<QString, 3> modules{QStringLiteral("moxTask"), QStringLiteral("moxRemind"),
                                                QStringLiteral("moxDiary")};
    for (const int index : m_days.at(size_t(m_first.daysTo(day))).at(kind)) {
        const TRow &row = m_rows.at(kind).at(size_t(index));
        TMoxDayItem item;
        item.FDate = day;
        item.Flag = row.Flag;
        item.FID = row.FID;
        item.Title = row.Title;
        item.ProgID =
            kind == mikRemind && (row.Flag == 2 || row.Flag == 3) ? QStringLiteral("moxAddressBook") : modules.at(kind);
        items.append(item);
    }
    return items;
}
