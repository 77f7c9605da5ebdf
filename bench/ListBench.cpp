// Period lists on a large table. list_month_1m: the "this month" list
// statement of moxRemind (as the module builds it) over 1,000,000 rows,
// opened through the program's path (TranToAccessSQL, the engine adapter,
// the program's connection) into a client dataset; raw baseline: the same
// columns of the same rows selected by a range of the list index, on a raw
// SQLite connection opened as the program opens its own, every column read.
// The file is built once per run, from the shipped definitions (table and
// indexes), in a temporary folder.

#include "BenchReminders.h"

#include "common/ZClock.h"
#include "settings/ZSession.h"
#include "data/TZClientDataSet.h"
#include "data/TZDbConnection.h"
#include "data/ZDBRoutines.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

#include <QTemporaryDir>

#include <sqlite3.h>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 1000000;

struct ListFixture
{
    QTemporaryDir dir;
    QString file;
    QString listSql;   // the module's statement
    QString rawSql;    // the same rows by an index range
    int monthRows = 0; // rows of this month

    ListFixture()
    {
        file = dir.path() + QStringLiteral("/List.orv");
        const QString program = QStringLiteral(ZKVA_PROGRAM_DIR);
        fill(program);
        buildStatements(program);
    }

    // Five years back and forward from today, 274 rows a day.
    void fill(const QString &program)
    {
        const QDate today = ZDate();
        const QDate first(today.year(), today.month(), 1);
        ZBenchReminderFile(file, program, kRows, [&](int i) {
            const QDate day = today.addDays(i % 3650 - 1825);
            TZBenchReminder row;
            row.moment = day.toString(QStringLiteral("yyyy-MM-dd")).toLatin1()
                         + QTime::fromMSecsSinceStartOfDay(int(qint64(i) * 7919 % 86400) * 1000)
                               .toString(QStringLiteral(" hh:mm:ss"))
                               .toLatin1();
            row.flag = i % 10 == 0 ? 2 : 1; // a tenth are birthdays of the address book
            if (row.flag == 1 && day >= first && day < first.addMonths(1))
                ++monthRows;
            return row;
        });
    }

    void buildStatements(const QString &program)
    {
        // The definitions are read from the program folder; the data file
        // is opened by path, so the session's folder is left as it was.
        const QByteArray home = qgetenv("ZKVA_HOME");
        qputenv("ZKVA_HOME", QFile::encodeName(program));
        FSYSID = 1003;
        FSYSCode = QStringLiteral("ZKVA");
        InitSysIDAndProgID();
        TZDataset &list = *GetDataSource(QStringLiteral("moxRemind")).Datasets.front();
        listSql = list.GetListSql(lsThisMonth);
        const QString all = list.GetListSql(lsAll);
        const QDate today = ZDate();
        const QDate first(today.year(), today.month(), 1);
        rawSql = all.left(all.indexOf(QLatin1String(" Order By")))
                 + QStringLiteral(" And A.CreateDate >= '%1' And A.CreateDate < '%2' Order By A.CreateDate Desc, "
                                  "A.RemindID Desc")
                       .arg(first.toString(QStringLiteral("yyyy-MM-dd")),
                            first.addMonths(1).toString(QStringLiteral("yyyy-MM-dd")));
        if (home.isEmpty())
            qunsetenv("ZKVA_HOME");
        else
            qputenv("ZKVA_HOME", home);
    }
};

ListFixture &listFixture()
{
    static ListFixture f;
    return f;
}

void BM_list_month_1m(benchmark::State &state)
{
    ListFixture &f = listFixture();
    auto db = ZOpenDataFile(f.file, dtDbACCESS);
    for (auto _ : state) {
        TZClientDataSet ds;
        DBOpenDataSet(*db, ds, f.listSql);
        if (ds.RecordCount() != f.monthRows)
            state.SkipWithError("the list found other rows than this month's");
    }
    state.counters["rows"] = f.monthRows;
}
BENCHMARK(BM_list_month_1m)->Unit(benchmark::kMillisecond);

void BM_list_month_1m_baseline(benchmark::State &state)
{
    ListFixture &f = listFixture();
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(f.file).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    const QByteArray sql = f.rawSql.toUtf8();
    for (auto _ : state) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr);
        qint64 sum = 0;
        const int columns = sqlite3_column_count(stmt);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                if (sqlite3_column_type(stmt, c) == SQLITE_INTEGER)
                    sum += sqlite3_column_int64(stmt, c);
                else
                    sum += sqlite3_column_bytes(stmt, c) + (sqlite3_column_text(stmt, c) ? 1 : 0);
            }
        }
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(sum);
    }
    sqlite3_close(db);
}
BENCHMARK(BM_list_month_1m_baseline)->Unit(benchmark::kMillisecond);

} // namespace
