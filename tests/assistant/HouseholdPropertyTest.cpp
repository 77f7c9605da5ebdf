// The balance invariant of the household ledger: after every operation
// through the windows, each account's stored current balance equals its
// opening balance plus the movement recomputed from the rows; and it still
// does when the process is killed in the middle of its work.
#include "HouseholdDriver.h"

#include "data/TZClientDataSet.h"
#include "data/TZDbConnection.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

#include <csignal>
#include <cstdio>
#include <random>
#include <thread>

#include <sys/types.h>

namespace {

constexpr int kOperations = 1200;
constexpr const char *kChildVariable = "ZKVA_HOUSEHOLD_CHILD";

/// Rows of the check statement through the session's connection.
QList<QStringList> sessionRows(const QString &sql)
{
    QList<QStringList> rows;
    const std::unique_ptr<TZClientDataSet> found = DBConn().DBOpenDataSet(sql);
    for (found->First(); !found->Eof(); found->Next()) {
        QStringList row;
        for (int c = 0; c < found->FieldCount(); ++c)
            row << found->Fields(c).AsString();
        rows << row;
    }
    return rows;
}

/// Rows of the check statement from a data file opened anew.
QList<QStringList> fileRows(TZDbConnection &file, const QString &sql)
{
    QList<QStringList> rows;
    const std::unique_ptr<TZDbStatement> statement = file.prepare(sql);
    while (statement->step()) {
        QStringList row;
        for (int c = 0; c < statement->columnCount(); ++c)
            row << statement->value(c, ftZString).toString();
        rows << row;
    }
    return rows;
}

} // namespace

class HouseholdProperty : public THouseholdTest
{
protected:
    std::unique_ptr<THouseholdDriver> driver(unsigned seed)
    {
        return std::make_unique<THouseholdDriver>(
            seed, answers, openRecordWindow<TfrmMoxFee>(s("moxIncome")), openRecordWindow<TfrmMoxFee>(s("moxFee")),
            openRecordWindow<TfrmAccountTran>(s("moxAccountTran")), openRecordWindow<TfrmMoxAccount>(s("moxAccount")));
    }
};

TEST_F(HouseholdProperty, EveryBalanceMatchesItsRowsAfterEachOfManyRandomOperations)
{
    const unsigned seed = 20261208;
    auto work = driver(seed);
    QStringList done;
    for (int i = 0; i < kOperations; ++i) {
        QString what;
        try {
            what = work->Step();
        } catch (const EZError &error) {
            FAIL() << "seed " << seed << ", operation " << i << " refused: " << error.message().toStdString()
                   << "\nbefore: " << done.join(s("; ")).toStdString();
        }
        done << what;
        if (done.size() > 8)
            done.removeFirst();
        const QStringList mismatches = ZBalanceMismatches(sessionRows(ZExpectedBalancesSql()));
        ASSERT_TRUE(mismatches.isEmpty())
            << "seed " << seed << ", after operation " << i << " (" << what.toStdString()
            << "): " << mismatches.join(s(", ")).toStdString() << "\nbefore: " << done.join(s("; ")).toStdString();
    }
    // The work touched every kind of row.
    EXPECT_NE(value(s("select count(*) from moxIncomeFee where Flag = 1")), s("0"));
    EXPECT_NE(value(s("select count(*) from moxIncomeFee where Flag = 2")), s("0"));
    EXPECT_NE(value(s("select count(*) from moxAccountTran")), s("0"));
    EXPECT_TRUE(fatalText.isEmpty()) << fatalText.toStdString();
}

/// The worker of the kill test: random operations on its own program folder
/// without end, telling the folder and the count of finished operations on
/// standard output. Runs only when the kill test starts it.
TEST_F(HouseholdProperty, KilledWorker)
{
    const QByteArray seed = qgetenv(kChildVariable);
    if (seed.isEmpty())
        GTEST_SKIP() << "started only by the kill test";
    auto work = driver(seed.toUInt());
    std::printf("FOLDER %s\n", folder->path().toUtf8().constData());
    std::fflush(stdout);
    for (int i = 1;; ++i) {
        try {
            work->Step();
        } catch (const EZError &error) {
            std::printf("ERROR %s\n", error.message().toUtf8().constData());
        }
        std::printf("OPS %d\n", i);
        std::fflush(stdout);
    }
}

TEST_F(HouseholdProperty, BalancesHoldWhenTheProcessIsKilledMidWork)
{
    std::mt19937 random(4242);
    for (int round = 0; round < 6; ++round) {
        const int target = std::uniform_int_distribution<int>(5, 80)(random);
        QProcess worker;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(kChildVariable), QString::number(1000 + round));
        worker.setProcessEnvironment(environment);
        worker.setProcessChannelMode(QProcess::SeparateChannels);
        worker.start(QCoreApplication::applicationFilePath(), {s("--gtest_filter=HouseholdProperty.KilledWorker")});
        ASSERT_TRUE(worker.waitForStarted());

        QString programFolder;
        int finished = 0;
        QString errors;
        while (finished < target) {
            if (!worker.canReadLine() && !worker.waitForReadyRead(60000))
                break;
            while (worker.canReadLine()) {
                const QString line = QString::fromUtf8(worker.readLine()).trimmed();
                if (line.startsWith(s("FOLDER ")))
                    programFolder = line.mid(7);
                else if (line.startsWith(s("OPS ")))
                    finished = line.mid(4).toInt();
                else if (line.startsWith(s("ERROR ")))
                    errors += line + QLatin1Char('\n');
            }
        }
        // Somewhere inside the next operation, perhaps within its transaction.
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 20000)(random)));
        ::kill(pid_t(worker.processId()), SIGKILL);
        worker.waitForFinished();
        ASSERT_FALSE(programFolder.isEmpty()) << worker.readAllStandardError().toStdString();
        ASSERT_GE(finished, target) << "round " << round;
        EXPECT_TRUE(errors.isEmpty()) << errors.toStdString();

        {
            const std::unique_ptr<TZDbConnection> file =
                ZOpenDataFile(programFolder + s("DBFiles/DBAcs1.orv"), dtDbACCESS);
            const QStringList mismatches = ZBalanceMismatches(fileRows(*file, ZExpectedBalancesSql()));
            EXPECT_TRUE(mismatches.isEmpty()) << "round " << round << " after " << finished
                                              << " operations: " << mismatches.join(s(", ")).toStdString();
            EXPECT_EQ(fileRows(*file, s("select count(*) from moxAccount")).value(0).value(0), s("3"));
        }
        QDir(programFolder).removeRecursively();
    }
}
