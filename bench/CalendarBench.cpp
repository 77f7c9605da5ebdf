// One month of the calendar. calendar_month: the items of October 2026 as
// the calendar window loads them (the three statements through the
// program's session and client datasets, every row placed on its days)
// over 5,000 schedule items, 5,000 reminders of every type and 5,000 diary
// entries in that month; raw baseline: the same three statements, in the
// engine's form, prepared and stepped on a raw SQLite connection with the
// program's functions, every column read.

#include "BenchSession.h"

#include "calendar/TMoxCalendarData.h"
#include "data/TDBConn.h"
#include "data/TZDbConnection.h"
#include "data/ZAccessSql.h"
#include "data/ZFreeAllSource.h"
#include "data/ZSqliteFunctions.h"
#include "settings/ZSession.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRowsEach = 5000;
const QDate kFirst(2026, 9, 24); // 1 October − 7
const QDate kLast(2026, 11, 14); // 31 October + 14

struct CalendarFixture
{
    QTemporaryDir dir;
    QString file;
    QList<QByteArray> rawSqls;

    CalendarFixture()
    {
        QFile::copy(QStringLiteral(ZKVA_PROGRAM_DIR "/DBAcs.orv"), dir.path() + QStringLiteral("/DBAcs.orv"));
        ZBenchOpenSession(dir.path());
        TDBConn &db = DBConn();
        file = GetDataFilePath(dtDbACCESS, db.DataFileNo);
        TZDbConnection &connection = db.GetDBCONN();
        connection.begin();
        auto task = connection.prepare(QStringLiteral("insert into moxTask(TaskID, TaskName, PlanBeginDate, "
                                                      "PlanEndDate, CompleteRate) values(?1, ?2, ?3, ?4, ?5)"));
        auto remind = connection.prepare(
            QStringLiteral("insert into moxRemind(Flag, RemindID, RemindTitle, CreateDate, EndDate, RemindType, "
                           "WeekDay1, Day15, RemindMonth, RemindDay, IsDisabled) values(?1, ?2, ?3, ?4, ?5, ?6, ?7, "
                           "?8, ?9, ?10, 0)"));
        auto diary =
            connection.prepare(QStringLiteral("insert into moxDiary(DiaryID, CreateDate, Title) values(?1, ?2, ?3)"));
        for (int i = 0; i < kRowsEach; ++i) {
            const QDate day = QDate(2026, 10, 1).addDays(i % 31);
            const QDateTime begin(day, QTime(9, 0));
            task->reset();
            task->bind(1, QStringLiteral("T%1").arg(i, 6, 10, QLatin1Char('0')));
            task->bind(2, QStringLiteral("任务%1").arg(i));
            task->bind(3, begin);
            task->bind(4, begin.addDays(i % 3));
            task->bind(5, i % 10 == 9 ? 1.0 : 0.5);
            task->step();
            remind->reset();
            remind->bind(1, i % 10 == 9 ? 3 : 1);
            remind->bind(2, QStringLiteral("R%1").arg(i, 6, 10, QLatin1Char('0')));
            remind->bind(3, QStringLiteral("提醒%1").arg(i));
            remind->bind(4, QDateTime(QDate(2026, 1, 1), QTime(0, 0)));
            remind->bind(5, i % 5 == 0 ? begin : QDateTime(QDate(2999, 1, 1), QTime(0, 0)));
            remind->bind(6, i % 5);
            remind->bind(7, -1);
            remind->bind(8, -1);
            remind->bind(9, 10);
            remind->bind(10, day.day());
            remind->step();
            diary->reset();
            diary->bind(1, QStringLiteral("D%1").arg(i, 6, 10, QLatin1Char('0')));
            diary->bind(2, begin.addSecs(3600 * 12));
            diary->bind(3, QStringLiteral("日记%1").arg(i));
            diary->step();
        }
        connection.commit();
        const auto from = kFirst.year() * 10000 + kFirst.month() * 100 + kFirst.day();
        const auto to = kLast.year() * 10000 + kLast.month() * 100 + kLast.day();
        for (const QString &sql : {TMoxCalendarData::TaskSql(from, to), TMoxCalendarData::RemindSql(from, to),
                                   TMoxCalendarData::DiarySql(from, to)})
            rawSqls << connection.adapt(TranToAccessSQL(sql + QStringLiteral(" Order By BeginDate"))).toUtf8();
        FreeAllSource();
    }
};

CalendarFixture &calendarFixture()
{
    static CalendarFixture f;
    return f;
}

void BM_calendar_month(benchmark::State &state)
{
    ZBenchOpenSession(calendarFixture().dir.path());
    int counted = 0;
    for (auto _ : state) {
        TMoxCalendarData data;
        data.Load(kFirst, kLast);
        counted = 0;
        for (QDate day = kFirst; day <= kLast; day = day.addDays(1))
            counted += data.Count(mikTask, day) + data.Count(mikRemind, day) + data.Count(mikDiary, day);
    }
    state.counters["items"] = counted;
    FreeAllSource();
}
BENCHMARK(BM_calendar_month)->Unit(benchmark::kMillisecond);

void BM_calendar_month_baseline(benchmark::State &state)
{
    CalendarFixture &f = calendarFixture();
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(f.file).constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    ZRegisterSqliteFunctions(db);
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        qint64 sum = 0;
        for (const QByteArray &sql : f.rawSqls) {
            sqlite3_stmt *stmt = nullptr;
            sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr);
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                ++rows;
                for (int c = 0; c < sqlite3_column_count(stmt); ++c)
                    sum += sqlite3_column_bytes(stmt, c);
            }
            sqlite3_finalize(stmt);
        }
        benchmark::DoNotOptimize(sum);
    }
    sqlite3_close(db);
    state.counters["rows"] = rows;
}
BENCHMARK(BM_calendar_month_baseline)->Unit(benchmark::kMillisecond);

} // namespace
