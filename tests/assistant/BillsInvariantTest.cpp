// The settlement invariant under random work through the bill windows: after
// every operation, and after a process killed in the middle of its work,
// each bill's Offset is the sum of the offset lines naming it and its
// RemainMoney is FeeMoney - Discount - NowRecv - Offset.
#include "BillsRandomWork.h"
#include "BillsTestSupport.h"

#include "data/ZFreeAllSource.h"
#include "settings/ZSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

#include <gtest/gtest.h>

namespace {

/// The stored bills and offset lines, for a failure's message.
QString storedRows()
{
    TDBConn &db = DBConn();
    return db.DBSelectValue(
                 s("select group_concat(Flag || ' ' || BillNo || ' ' || FeeMoney || ' ' || Discount || ' ' || "
                   "NowRecv || ' ' || Offset || ' ' || RemainMoney, '\n') from accFee"))
               .value(0)
           + s("\nlines:\n")
           + db.DBSelectValue(s("select group_concat(Flag || ' ' || BillNo || ' ' || FeeBillNo || ' ' || Offset, '\n') "
                                "from accGatherSub"))
                 .value(0);
}

} // namespace

using BillsInvariant = TBillsTest;

TEST_F(BillsInvariant, HoldsAfterEachOfAThousandRandomOperations)
{
    TBillsRandomWork work(20240315);
    constexpr int kSteps = 1000;
    QStringList done;
    for (int step = 0; step < kSteps; ++step) {
        work.Step();
        done << work.Last;
        const QString wrong = TBillsRandomWork::Disagreements();
        ASSERT_TRUE(wrong.isEmpty()) << "after step " << step << " ("
                                     << qPrintable(done.mid(done.size() - 8).join(s(", ")))
                                     << "): " << qPrintable(wrong) << "\n"
                                     << qPrintable(storedRows());
    }
    // The work did settle bills, and most operations went through.
    EXPECT_LT(work.Refused, kSteps / 4);
    EXPECT_GT(value(s("select count(*) from accGatherSub where Offset <> 0")).toInt(), 20);
    EXPECT_GT(value(s("select count(*) from accFee where Offset <> 0 and RemainMoney > 0")).toInt(), 0);
}

// Runs in a child process: random work on the bills until it is killed.
TEST(BillsChildProcess, WorksUntilKilled)
{
    const QString home = qEnvironmentVariable("ZKVA_CHILD_BILLS");
    if (home.isEmpty())
        GTEST_SKIP() << "runs only as a child of BillsInvariant";
    qputenv("ZKVA_HOME", home.toUtf8());
    FSYSID = 1003;
    FSystemType = stAlone;
    TBillsRandomWork work(qEnvironmentVariable("ZKVA_CHILD_SEED").toUInt());
    for (int step = 1;; ++step) {
        work.Step();
        std::printf("step %d\n", step);
        std::fflush(stdout);
    }
}

TEST_F(BillsInvariant, HoldsAfterTheWorkingProcessIsKilled)
{
    DBConn(); // data file 1 from the template
    FreeAllSource();
    for (int round = 0; round < 6; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(s("ZKVA_CHILD_BILLS"), folder->path());
        env.insert(s("ZKVA_CHILD_SEED"), QString::number(round + 1));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {s("--gtest_filter=BillsChildProcess.*")});
        ASSERT_TRUE(child.waitForStarted(10000));
        QByteArray out;
        QElapsedTimer waited;
        waited.start();
        const int steps = 20 + QRandomGenerator::global()->bounded(40);
        while (out.count("step ") < steps && waited.elapsed() < 120000) {
            child.waitForReadyRead(1000);
            out += child.readAllStandardOutput();
        }
        ASSERT_GE(out.count("step "), steps) << child.readAllStandardError().constData();
        QThread::msleep(QRandomGenerator::global()->bounded(30)); // somewhere inside a later operation
        child.kill();
        child.waitForFinished(10000);

        EXPECT_EQ(DBConn().DBSelectValue(s("pragma integrity_check")), QStringList({s("ok")}));
        EXPECT_EQ(TBillsRandomWork::Disagreements(), QString()) << "round " << round;
        FreeAllSource();
    }
    EXPECT_GT(value(s("select count(*) from accGatherSub")).toInt(), 0);
}
