// The record window: record_save_lines saves a new bill of 20 lines through
// the window (checks, new key, stamps, every dataset, the change-log row,
// one transaction, the record opened again); raw baseline: prepared inserts
// of the same head, lines and change-log row in one transaction on the same
// connection. Registered last: it points the session at a program folder of
// its own.

#include "common/ZClock.h"
#include "data/TDBConn.h"
#include "data/TZDbConnection.h"
#include "data/ZFreeAllSource.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/ZDataSources.h"
#include "record/TfrmMasterData.h"
#include "settings/ZSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kLines = 20;

struct WindowFixture;
WindowFixture &windowFixture();

struct WindowFixture
{
    QTemporaryDir dir;
    std::unique_ptr<TfrmMasterData> window;
    QString oldXml;
    QString newXml;

    WindowFixture()
    {
        const QString program = QStringLiteral(ZKVA_PROGRAM_DIR);
        qputenv("ZKVA_HOME", QFile::encodeName(dir.path()));
        QDir().mkpath(dir.path() + QStringLiteral("/DBSource"));
        for (const QString &name : QDir(program + QStringLiteral("/DBSource")).entryList(QDir::Files))
            QFile::copy(program + QStringLiteral("/DBSource/") + name,
                        dir.path() + QStringLiteral("/DBSource/") + name);
        QFile::copy(program + QStringLiteral("/DBAcs.orv"), dir.path() + QStringLiteral("/DBAcs.orv"));
        FSYSID = 1003;
        FSystemType = stAlone;
        FreeDataSource();
        DBConn(true);
        window = std::make_unique<TfrmMasterData>();
        TFormParams params;
        params.Action = QStringLiteral("F3");
        params.ProgID = QStringLiteral("accGather");
        window->FormReturnValue(kFormParamsName, ZFormParamsAddress(params));
        // The window goes with the application, not after it.
        qAddPostRoutine([] { windowFixture().window.reset(); });
    }

    void fill(int bill)
    {
        window->RunAction(1);
        TOrvDataSet &head = window->MasterData();
        // Date-coded numbers hold 999 bills a day.
        head.FieldByName(QStringLiteral("BillDate"))
            .SetValue(QDateTime(QDate(2020, 1, 1).addDays(bill / 500), QTime()));
        head.FieldByName(QStringLiteral("ObjectName")).SetAsString(QStringLiteral("客户%1").arg(bill));
        TOrvDataSet &lines = window->Dataset(1);
        for (int i = 1; i <= kLines; ++i) {
            lines.Append();
            lines.FieldByName(QStringLiteral("Offset")).SetValue(i * 1.25);
            lines.FieldByName(QStringLiteral("Remark")).SetAsString(QStringLiteral("第%1笔款项").arg(i));
            lines.Post();
        }
    }
};

WindowFixture &windowFixture()
{
    static WindowFixture f;
    return f;
}

void BM_record_save_lines(benchmark::State &state)
{
    WindowFixture &f = windowFixture();
    static int bill = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.fill(++bill);
        state.ResumeTiming();
        f.window->RunAction(5);
    }
    // What the baseline writes: the change log of the last save.
    const QStringList xml =
        DBConn().DBSelectValue(QStringLiteral("select OldData_XML, NewData_XML from comChangeLog order by rowid desc"));
    f.oldXml = xml.value(0);
    f.newXml = xml.value(1);
}
BENCHMARK(BM_record_save_lines)->Unit(benchmark::kMicrosecond);

void BM_record_save_lines_baseline(benchmark::State &state)
{
    WindowFixture &f = windowFixture();
    TZDbConnection &db = DBConn().GetDBCONN();
    static int bill = 0;
    for (auto _ : state) {
        const QString billNo = QStringLiteral("R%1").arg(++bill, 10, 10, QLatin1Char('0'));
        const QString stamp = QStringLiteral("20261207101010");
        db.begin();
        auto head = db.prepare(QStringLiteral(
            "insert into accGather(Flag, BillNo, BillDate, ObjectName, FeeMoney, Remark, SysLastUpdateTime, "
            "SysCreateTime, SyncCompleted) values(1, ?1, ?2, ?3, 0, '', ?4, ?4, 'ZZ,')"));
        head->bind(1, billNo);
        head->bind(2, ZNow());
        head->bind(3, QStringLiteral("客户%1").arg(bill));
        head->bind(4, stamp);
        while (head->step()) {}
        auto line = db.prepare(QStringLiteral(
            "insert into accGatherSub(Flag, BillNo, RowNo, FeeBillNo, Offset, Remark, SysLastUpdateTime, "
            "SysCreateTime, SyncCompleted) values(1, ?1, ?2, '', ?3, ?4, ?5, ?5, 'ZZ,')"));
        for (int i = 1; i <= kLines; ++i) {
            line->reset();
            line->bind(1, billNo);
            line->bind(2, i);
            line->bind(3, i * 1.25);
            line->bind(4, QStringLiteral("第%1笔款项").arg(i));
            line->bind(5, stamp);
            while (line->step()) {}
        }
        auto log = db.prepare(QStringLiteral(
            "insert into comChangeLog(ProgID, KeyValue, ChangeType, UserID, ComputerName, WindowUser, LocalIP, "
            "ChangeTime, OldData_XML, NewData_XML) values('accGather', ?1, '新增', 'Admin', 'host', 'user', "
            "'127.0.0.1', ?2, ?3, ?4)"));
        log->bind(1, billNo);
        log->bind(2, ZNow());
        log->bind(3, f.oldXml);
        log->bind(4, f.newXml);
        while (log->step()) {}
        head.reset();
        line.reset();
        log.reset();
        db.commit();
    }
}
BENCHMARK(BM_record_save_lines_baseline)->Unit(benchmark::kMicrosecond);

} // namespace
