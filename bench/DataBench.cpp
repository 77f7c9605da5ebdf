// The data layer: opening a large query into a client dataset, writing many
// new rows back with UpdateBatch, and reading a cached parameter. Each runs
// beside the raw work on the same SQLite file: a prepared-statement scan
// reading every column, prepared inserts in one transaction, a hash look-up.

#include "settings/ZSession.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/TZClientDataSet.h"
#include "data/TZDbConnection.h"
#include "data/ZDBRoutines.h"
#include "data/ZFreeAllSource.h"

#include <QDir>
#include <QHash>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <malloc.h>

#include <benchmark/benchmark.h>

namespace {

const char *const kCreate =
    "create table T([Code] VarChar(20) COLLATE NOCASE NOT NULL DEFAULT '', [Name] VarChar(50) COLLATE NOCASE "
    "DEFAULT '', [Remark] VarChar(100) COLLATE NOCASE DEFAULT '', [Qty] int DEFAULT 0, [RowNo] smallint DEFAULT 0, "
    "[Price] float DEFAULT 0, [Amount] Money DEFAULT 0, [BillDate] datetime DEFAULT 0, [Done] bit DEFAULT 0, "
    "[Note] VarChar(20) COLLATE NOCASE DEFAULT '')";

struct Fixture
{
    QTemporaryDir dir;
    QString file;

    Fixture()
    {
        qputenv("ZKVA_HOME", QFile::encodeName(dir.path()));
        FSYSID = 1003;
        FSystemType = stAlone;
        QDir().mkpath(dir.path() + QStringLiteral("/DBFiles"));
        file = dir.path() + QStringLiteral("/DBFiles/DBAcs1.orv");
        auto db = ZCreateDataFile(file);
        db->execute(QString::fromLatin1(kCreate));
        db->execute(QStringLiteral("create table T2 as select * from T where 1=0"));
        db->execute(QStringLiteral("create table comParams([ParamName] VarChar(100) COLLATE NOCASE NOT NULL, "
                                   "[ParamValue] VarChar(200) COLLATE NOCASE)"));
        db->execute(QStringLiteral("create unique index PK_comParams on comParams(ParamName)"));
        db->begin();
        auto insert = db->prepare(QStringLiteral("insert into T values(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10)"));
        for (int i = 0; i < 100000; ++i)
            bindRow(*insert, i);
        for (int i = 0; i < 50; ++i)
            db->execute(QStringLiteral("insert into comParams values('Param%1', 'value %1')").arg(i));
        db->execute(QStringLiteral("insert into comParams values('MyName', '张三')"));
        db->commit();
    }

    // Dates differ from row to row, as the stamps of records do.
    static QDateTime moment(int i)
    {
        return QDateTime(QDate(2011, 1, 1).addDays(i % 365), QTime::fromMSecsSinceStartOfDay((i * 7919) % 86400 * 1000));
    }

    static void bindRow(TZDbStatement &insert, int i)
    {
        insert.reset();
        insert.bind(1, QStringLiteral("C%1").arg(i, 6, 10, QLatin1Char('0')));
        insert.bind(2, QStringLiteral("名称%1").arg(i));
        insert.bind(3, QStringLiteral("备注 remark text %1").arg(i));
        insert.bind(4, i);
        insert.bind(5, i % 100);
        insert.bind(6, i * 0.5);
        insert.bind(7, QVariant::fromValue(Currency::fromRaw(qint64(i) * 125)));
        insert.bind(8, moment(i));
        insert.bind(9, i % 2 == 0);
        insert.bind(10, QStringLiteral("n"));
        while (insert.step()) {
        }
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// The heap a dataset of the 100,000 rows holds, per cell.
double bytesPerCell(TZDbConnection &db)
{
    const auto heap = [] {
        const struct mallinfo2 info = mallinfo2();
        return double(info.uordblks) + double(info.hblkhd);
    };
    const double before = heap();
    TZClientDataSet ds;
    DBOpenDataSet(db, ds, QStringLiteral("select * from T"));
    return (heap() - before) / (double(ds.RecordCount()) * ds.FieldCount());
}

void BM_dataset_open_100k(benchmark::State &state)
{
    auto db = ZOpenDataFile(fixture().file, dtDbACCESS);
    for (auto _ : state) {
        TZClientDataSet ds;
        DBOpenDataSet(*db, ds, QStringLiteral("select * from T"));
        benchmark::DoNotOptimize(ds.RecordCount());
    }
    state.counters["bytes_per_cell"] = bytesPerCell(*db);
}
BENCHMARK(BM_dataset_open_100k)->Unit(benchmark::kMillisecond);

void BM_dataset_open_100k_baseline(benchmark::State &state)
{
    // Opened as the program opens its data files: without SQLite's mutexes.
    sqlite3 *db = nullptr;
    sqlite3_open_v2(fixture().file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    for (auto _ : state) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, "select * from T", -1, &stmt, nullptr);
        qint64 sum = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < 10; ++c) {
                switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_INTEGER:
                    sum += sqlite3_column_int64(stmt, c);
                    break;
                case SQLITE_FLOAT:
                    sum += qint64(sqlite3_column_double(stmt, c));
                    break;
                default:
                    sum += sqlite3_column_bytes(stmt, c) + (sqlite3_column_text(stmt, c) ? 1 : 0);
                    break;
                }
            }
        }
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(sum);
    }
    sqlite3_close(db);
}
BENCHMARK(BM_dataset_open_100k_baseline)->Unit(benchmark::kMillisecond);

void BM_dataset_batch_insert_10k(benchmark::State &state)
{
    auto db = ZOpenDataFile(fixture().file, dtDbACCESS);
    for (auto _ : state) {
        TZClientDataSet ds;
        DBOpenDataSet(*db, ds, QStringLiteral("select * from T2 where 1=2"));
        for (int i = 0; i < 10000; ++i) {
            ds.Append();
            ds.Fields(0).SetValue(QStringLiteral("C%1").arg(i, 6, 10, QLatin1Char('0')));
            ds.Fields(1).SetValue(QStringLiteral("名称%1").arg(i));
            ds.Fields(2).SetValue(QStringLiteral("备注 remark text %1").arg(i));
            ds.Fields(3).SetValue(i);
            ds.Fields(4).SetValue(i % 100);
            ds.Fields(5).SetValue(i * 0.5);
            ds.Fields(6).SetValue(QVariant::fromValue(Currency::fromRaw(qint64(i) * 125)));
            ds.Fields(7).SetValue(Fixture::moment(i));
            ds.Fields(8).SetValue(i % 2 == 0);
            ds.Fields(9).SetValue(QStringLiteral("n"));
            ds.Post();
        }
        ds.UpdateBatch();
        state.PauseTiming();
        db->execute(QStringLiteral("delete from T2"));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_dataset_batch_insert_10k)->Unit(benchmark::kMillisecond);

void BM_dataset_batch_insert_10k_baseline(benchmark::State &state)
{
    auto db = ZOpenDataFile(fixture().file, dtDbACCESS);
    for (auto _ : state) {
        db->begin();
        auto insert = db->prepare(QStringLiteral("insert into T2 values(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10)"));
        for (int i = 0; i < 10000; ++i)
            Fixture::bindRow(*insert, i);
        db->commit();
        state.PauseTiming();
        insert.reset();
        db->execute(QStringLiteral("delete from T2"));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_dataset_batch_insert_10k_baseline)->Unit(benchmark::kMillisecond);

void BM_param_get(benchmark::State &state)
{
    fixture();
    GetParamInfo();
    const QString name = QStringLiteral("MyName");
    for (auto _ : state)
        benchmark::DoNotOptimize(GetParamValue(name, QString()));
    FreeAllSource();
}
BENCHMARK(BM_param_get);

void BM_param_get_baseline(benchmark::State &state)
{
    QHash<QString, QString> values;
    for (int i = 0; i < 50; ++i)
        values.insert(QStringLiteral("param%1").arg(i), QStringLiteral("value %1").arg(i));
    values.insert(QStringLiteral("MyName"), QStringLiteral("张三"));
    const QString name = QStringLiteral("MyName");
    for (auto _ : state)
        benchmark::DoNotOptimize(values.value(name));
}
BENCHMARK(BM_param_get_baseline);

} // namespace
