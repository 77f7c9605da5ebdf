// Recomputing the household balances. ledger_recompute: "重新计算" for each
// of 100 accounts (the account window's routine: four sums through the
// program's session, then the update of CurrMoney), all in one transaction,
// over 100,000 income and expense items and 10,000 transfers; raw baseline:
// one hand-written statement on a raw SQLite connection that sums the
// movement of every account in one pass and updates the 100 balances, in
// one transaction. Both read the data file made from the shipped template,
// with its indexes on the account columns of both tables.

#include "BenchSession.h"

#include "ledger/ZHouseholdLedger.h"

#include "data/TDBConn.h"
#include "data/TZDbConnection.h"
#include "data/ZFreeAllSource.h"
#include "data/ZSqliteFunctions.h"
#include "settings/ZSession.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <benchmark/benchmark.h>

namespace {

constexpr int kAccounts = 100;
constexpr int kBookings = 100000;
constexpr int kTransfers = 10000;

QString accountID(int i)
{
    return QStringLiteral("A%1").arg(i % kAccounts, 3, 10, QLatin1Char('0'));
}

const char *const kRawRecompute =
    "update moxAccount set CurrMoney = InitMoney + coalesce(M.Movement, 0) from ("
    " select AccountID, sum(Amount) as Movement from ("
    "  select AccountID, case when Flag = 1 then ItemMoney else -ItemMoney end as Amount from moxIncomeFee"
    "  where Flag in (1, 2)"
    "  union all select SrcAccountID, -TranMoney from moxAccountTran"
    "  union all select DestAccountID, TranMoney from moxAccountTran)"
    " group by AccountID) as M where M.AccountID = moxAccount.AccountID";

struct LedgerFixture
{
    QTemporaryDir dir;
    QString file;

    LedgerFixture()
    {
        QFile::copy(QStringLiteral(ZKVA_PROGRAM_DIR "/DBAcs.orv"), dir.path() + QStringLiteral("/DBAcs.orv"));
        ZBenchOpenSession(dir.path());
        TDBConn &db = DBConn();
        file = GetDataFilePath(dtDbACCESS, db.DataFileNo);
        TZDbConnection &connection = db.GetDBCONN();
        connection.begin();
        auto account = connection.prepare(QStringLiteral(
            "insert into moxAccount(AccountID, AccountName, InitMoney, CurrMoney) values(?1, ?2, ?3, 0)"));
        for (int i = 0; i < kAccounts; ++i) {
            account->reset();
            account->bind(1, accountID(i));
            account->bind(2, QStringLiteral("账户%1").arg(i));
            account->bind(3, QVariant::fromValue(Currency::fromRaw(qint64(i) * 10000)));
            account->step();
        }
        auto booking = connection.prepare(
            QStringLiteral("insert into moxIncomeFee(Flag, BillNo, ItemDate, FeeMonth, InOutType, AccountID, Item, "
                           "ItemMoney) values(?1, ?2, ?3, ?4, '01', ?5, ?6, ?7)"));
        for (int i = 0; i < kBookings; ++i) {
            const QDate day = QDate(2024, 1, 1).addDays(i % 730);
            booking->reset();
            booking->bind(1, i % 3 == 0 ? 1 : 2);
            booking->bind(2, QStringLiteral("B%1").arg(i, 7, 10, QLatin1Char('0')));
            booking->bind(3, QDateTime(day, QTime()));
            booking->bind(4, day.year() * 100 + day.month());
            booking->bind(5, accountID(i * 7));
            booking->bind(6, QStringLiteral("项目%1").arg(i));
            booking->bind(7, QVariant::fromValue(Currency::fromRaw(qint64(i % 5000 + 1) * 100)));
            booking->step();
        }
        auto transfer = connection.prepare(QStringLiteral("insert into moxAccountTran(BillNo, TranDate, SrcAccountID, "
                                                          "DestAccountID, TranMoney) values(?1, ?2, ?3, ?4, ?5)"));
        for (int i = 0; i < kTransfers; ++i) {
            transfer->reset();
            transfer->bind(1, QStringLiteral("T%1").arg(i, 6, 10, QLatin1Char('0')));
            transfer->bind(2, QDateTime(QDate(2024, 1, 1).addDays(i % 730), QTime()));
            transfer->bind(3, accountID(i * 13));
            transfer->bind(4, accountID(i * 17 + 1));
            transfer->bind(5, QVariant::fromValue(Currency::fromRaw(qint64(i % 300 + 1) * 10000)));
            transfer->step();
        }
        connection.commit();
        FreeAllSource();
    }
};

LedgerFixture &ledgerFixture()
{
    static LedgerFixture f;
    return f;
}

void BM_ledger_recompute(benchmark::State &state)
{
    ZBenchOpenSession(ledgerFixture().dir.path());
    TDBConn &db = DBConn();
    for (auto _ : state) {
        db.BeginTrans();
        for (int i = 0; i < kAccounts; ++i)
            ZRecalcAccountMoney(accountID(i));
        db.CommitTrans();
    }
    state.counters["balance_A007"] =
        Currency::fromString(
            db.DBSelectValue(QStringLiteral("select CurrMoney from moxAccount where AccountID = 'A007'")).value(0))
            .toDouble();
    FreeAllSource();
}
BENCHMARK(BM_ledger_recompute)->Unit(benchmark::kMillisecond);

void BM_ledger_recompute_baseline(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(ledgerFixture().file).constData(), &db,
                    SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    ZRegisterSqliteFunctions(db);
    for (auto _ : state) {
        sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
        char *error = nullptr;
        if (sqlite3_exec(db, kRawRecompute, nullptr, nullptr, &error) != SQLITE_OK) {
            state.SkipWithError(error ? error : "update failed");
            sqlite3_free(error);
        }
        sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    }
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, "select CurrMoney from moxAccount where AccountID = 'A007'", -1, &stmt, nullptr);
    if (sqlite3_step(stmt) == SQLITE_ROW)
        state.counters["balance_A007"] = sqlite3_column_double(stmt, 0);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}
BENCHMARK(BM_ledger_recompute_baseline)->Unit(benchmark::kMillisecond);

} // namespace
