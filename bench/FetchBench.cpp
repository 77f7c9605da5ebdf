// The list of a module opened in pieces. list_open_100k: the "all rows"
// list statement of moxRemind over 100,000 rows, opened as the list window
// opens it (in pieces, into a TOrvDataSet of the module with a dataset
// model attached) until the last piece is in the model; raw baseline: the
// same statement, in the engine's form, prepared and stepped on a raw SQLite
// connection, every column read. list_first_screen_1m: the same list over
// 1,000,000 rows until its first 50 rows are in the model; raw baseline: the
// statement prepared and its first 50 rows read. The files are built once
// per run, from the shipped definitions, in a temporary folder.

#include "BenchReminders.h"

#include "data/TZDataSetModel.h"
#include "data/TZDbConnection.h"
#include "data/ZAccessSql.h"
#include "data/ZDBRoutines.h"
#include "data/ZSqliteFunctions.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "settings/ZSession.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <benchmark/benchmark.h>

#include <limits>

namespace {

constexpr int kScreenRows = 50;

struct FetchFixture
{
    QTemporaryDir dir;
    QString listSql;   // the module's statement, as the program writes it
    QByteArray rawSql; // the same in the engine's form

    FetchFixture()
    {
        const QString program = QStringLiteral(ZKVA_PROGRAM_DIR);
        // The definitions are read from the program folder; the data files
        // are opened by path, so the session's folder is left as it was.
        const QByteArray home = qgetenv("ZKVA_HOME");
        qputenv("ZKVA_HOME", QFile::encodeName(program));
        FSYSID = 1003;
        FSYSCode = QStringLiteral("ZKVA");
        InitSysIDAndProgID();
        listSql = GetDataSource(QStringLiteral("moxRemind")).Datasets.front()->GetListSql(lsAll);
        if (home.isEmpty())
            qunsetenv("ZKVA_HOME");
        else
            qputenv("ZKVA_HOME", home);
        build(file(100000), 100000, program);
        build(file(1000000), 1000000, program);
        auto db = ZOpenDataFile(file(100000), dtDbACCESS);
        rawSql = db->adapt(TranToAccessSQL(listSql)).toUtf8();
    }

    QString file(int rows) const { return dir.path() + QStringLiteral("/List%1.orv").arg(rows); }

    // Reminders of the memo module, ten a day.
    static void build(const QString &file, int rows, const QString &program)
    {
        const QDate first(2020, 1, 1);
        ZBenchReminderFile(file, program, rows, [&](int i) {
            return TZBenchReminder{first.addDays(i / 10).toString(QStringLiteral("yyyy-MM-dd")).toLatin1()
                                       + " 08:30:00",
                                   1};
        });
    }
};

FetchFixture &fetchFixture()
{
    static FetchFixture f;
    return f;
}

// The list window's dataset: the module's, shown in a grid's model.
struct ListDataSet
{
    ListDataSet() { data.ProgID = QStringLiteral("moxRemind"); }
    TOrvDataSet data;
    TZDataSetModel model{&data};
};

// Opens the list of the file of `fileRows` rows as the list window does,
// until `rows` rows are in the model.
void openList(benchmark::State &state, int fileRows, int rows)
{
    FetchFixture &f = fetchFixture();
    auto db = ZOpenDataFile(f.file(fileRows), dtDbACCESS);
    for (auto _ : state) {
        ListDataSet list;
        DBOpenDataSetInPieces(*db, list.data, f.listSql);
        while (list.model.rowCount() < rows && list.data.Fetching())
            QCoreApplication::processEvents();
        if (list.model.rowCount() < rows)
            state.SkipWithError("the list did not show its rows");
    }
}

// Prepares the statement in the engine's form on a raw connection (with the
// program's functions) and reads `rows` rows, every column.
void rawList(benchmark::State &state, int fileRows, int rows)
{
    FetchFixture &f = fetchFixture();
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(f.file(fileRows)).constData(), &db,
                    SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    ZRegisterSqliteFunctions(db);
    for (auto _ : state) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, f.rawSql.constData(), int(f.rawSql.size()), &stmt, nullptr);
        qint64 sum = 0;
        const int columns = sqlite3_column_count(stmt);
        for (int r = 0; r < rows && sqlite3_step(stmt) == SQLITE_ROW; ++r) {
            for (int c = 0; c < columns; ++c) {
                if (sqlite3_column_type(stmt, c) == SQLITE_INTEGER)
                    sum += sqlite3_column_int64(stmt, c);
                else
                    sum += sqlite3_column_bytes(stmt, c) + (sqlite3_column_text(stmt, c) ? 1 : 0);
            }
        }
        benchmark::DoNotOptimize(sum);
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
}

void BM_list_open_100k(benchmark::State &state)
{
    openList(state, 100000, 100000);
}
BENCHMARK(BM_list_open_100k)->Unit(benchmark::kMillisecond);

void BM_list_open_100k_baseline(benchmark::State &state)
{
    rawList(state, 100000, std::numeric_limits<int>::max());
}
BENCHMARK(BM_list_open_100k_baseline)->Unit(benchmark::kMillisecond);

void BM_list_first_screen_1m(benchmark::State &state)
{
    openList(state, 1000000, kScreenRows);
}
BENCHMARK(BM_list_first_screen_1m)->Unit(benchmark::kMicrosecond);

void BM_list_first_screen_1m_baseline(benchmark::State &state)
{
    rawList(state, 1000000, kScreenRows);
}
BENCHMARK(BM_list_first_screen_1m_baseline)->Unit(benchmark::kMicrosecond);

} // namespace
