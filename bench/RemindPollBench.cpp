// The timed reminders' poll over a large table. remind_poll_1m: one poll of
// one minute over 1,000,000 reminders of every kind and repetition spread
// over the day, through the program's path (the poll statement, the engine
// adapter, the program's connection, a client dataset, the pending list);
// raw baseline: the same statement in the engine's form on a raw SQLite
// connection with the table read whole (NOT INDEXED), as the poll read it
// without its time-of-day index, every column of the due rows read.
//
// The data file is built once, in one transaction through one prepared
// insert, and kept in the temporary folder for later runs.

#include "data/TZDbConnection.h"
#include "data/ZAccessSql.h"
#include "data/ZSqliteFunctions.h"
#include "data/ZTableDefs.h"
#include "remind/ZRemindPoll.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 1000000;
constexpr int kMinutesADay = 24 * 60;

struct RemindPollFixture
{
    QString file;
    QDateTime minute{QDate(2026, 12, 7), QTime(8, 30)}; // a Monday
    QByteArray rawSql;

    RemindPollFixture()
    {
        file = QDir::tempPath()
               + QStringLiteral("/zkva-bench-remind-poll-%1-%2.orv").arg(kRows).arg(kZEngineRulesVersion);
        if (!QFile::exists(file))
            build();
        auto db = ZOpenDataFile(file, dtDbACCESS);
        QString sql = db->adapt(TranToAccessSQL(ZRemindPollSql(minute, dtDbACCESS)));
        sql.replace(QStringLiteral("From moxRemind"), QStringLiteral("From moxRemind NOT INDEXED"));
        rawSql = sql.toUtf8();
    }

    // Row i: time of day i mod 1440 minutes, repetition cycling through the
    // five kinds day by day, a tenth of them birthdays, one in twenty over.
    void build() const
    {
        const QString building = file + QStringLiteral(".building");
        QFile::remove(building);
        {
            auto db = ZCreateDataFile(building);
            CreateTable(*db, LoadTableDefinitions(QStringLiteral(ZKVA_PROGRAM_DIR "/DBTables"), true),
                        QStringLiteral("moxRemind"));
        }
        sqlite3 *db = nullptr;
        sqlite3_open_v2(QFile::encodeName(building).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr);
        sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
        sqlite3_stmt *insert = nullptr;
        sqlite3_prepare_v2(db,
                           "insert into moxRemind(Flag, RemindID, RemindTitle, RemindContent, RemindTime, EndDate, "
                           "RemindType, RemindMonth, RemindDay, IsDisabled) values(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, "
                           "?10)",
                           -1, &insert, nullptr);
        for (int i = 0; i < kRows; ++i) {
            const int minuteOfDay = i % kMinutesADay;
            const int day = i / kMinutesADay;
            const QByteArray id = QByteArray::number(i).rightJustified(8, '0');
            const QByteArray title = QByteArrayLiteral("提醒 ") + id;
            const QByteArray time = QStringLiteral("1899-12-30 %1:%2:00")
                                        .arg(minuteOfDay / 60, 2, 10, QLatin1Char('0'))
                                        .arg(minuteOfDay % 60, 2, 10, QLatin1Char('0'))
                                        .toLatin1();
            const char *endDate = day % 20 == 19 ? "2026-12-06 00:00:00" : "2027-12-31 00:00:00";
            sqlite3_bind_int(insert, 1, day % 10 == 9 ? 2 + day % 2 : 1);
            sqlite3_bind_text(insert, 2, id.constData(), int(id.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 3, title.constData(), int(title.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 4, "内容", -1, SQLITE_STATIC);
            sqlite3_bind_text(insert, 5, time.constData(), int(time.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 6, endDate, -1, SQLITE_STATIC);
            sqlite3_bind_int(insert, 7, day % 5);
            sqlite3_bind_int(insert, 8, day % 12 + 1);
            sqlite3_bind_int(insert, 9, day % 28 + 1);
            sqlite3_bind_int(insert, 10, day % 50 == 7 ? -1 : 0);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        // The chosen weekdays and days of the month of the weekly and
        // monthly reminders.
        for (int n = 1; n <= 7; ++n)
            sqlite3_exec(db,
                         QByteArray("update moxRemind set WeekDay") + QByteArray::number(n) + " = -1 where RemindType = 2"
                             " and (rowid / 1440) % 7 = " + QByteArray::number(n - 1),
                         nullptr, nullptr, nullptr);
        for (int n = 1; n <= 31; ++n)
            sqlite3_exec(db,
                         QByteArray("update moxRemind set Day") + QByteArray::number(n) + " = -1 where RemindType = 3"
                             " and (rowid / 1440) % 31 = " + QByteArray::number(n - 1),
                         nullptr, nullptr, nullptr);
        sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        {
            // The indexes of the program's rules, as a data file gets them.
            auto opened = ZOpenDataFile(building, dtDbACCESS);
            ZEnsureEngineRules(*opened);
        }
        QFile::remove(file);
        QFile::rename(building, file);
        QFile::remove(building + QStringLiteral(".lock"));
    }
};

RemindPollFixture &remindPollFixture()
{
    static RemindPollFixture f;
    return f;
}

void BM_remind_poll_1m(benchmark::State &state)
{
    RemindPollFixture &f = remindPollFixture();
    auto db = ZOpenDataFile(f.file, dtDbACCESS);
    qsizetype due = 0;
    for (auto _ : state) {
        TZRemindStore pending;
        for (const TZDueRemind &r : ZDueReminders(*db, f.minute))
            pending.AddPending(r.Key, r.Title);
        due = pending.PendingCount();
    }
    if (due == 0)
        state.SkipWithError("the poll found no reminder");
    state.counters["due"] = double(due);
}
BENCHMARK(BM_remind_poll_1m)->Unit(benchmark::kMillisecond);

void BM_remind_poll_1m_baseline(benchmark::State &state)
{
    RemindPollFixture &f = remindPollFixture();
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(f.file).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    ZRegisterSqliteFunctions(db);
    int due = 0;
    for (auto _ : state) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, f.rawSql.constData(), int(f.rawSql.size()), &stmt, nullptr);
        qint64 sum = 0;
        due = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            ++due;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c)
                sum += sqlite3_column_bytes(stmt, c);
        }
        benchmark::DoNotOptimize(sum);
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    if (due == 0)
        state.SkipWithError("the scan found no reminder");
    state.counters["due"] = double(due);
}
BENCHMARK(BM_remind_poll_1m_baseline)->Unit(benchmark::kMillisecond);

} // namespace
