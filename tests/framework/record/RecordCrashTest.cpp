// A record with many lines killed in the middle of its save: after restart
// it is whole or absent, and its change-log row exists exactly when it does.
#include "RecordTestSupport.h"
#include "TestText.h"

#include "common/ZClock.h"
#include "data/TDBConn.h"
#include "data/ZFreeAllSource.h"
#include "metadata/TOrvDataSet.h"
#include "record/TfrmMasterData.h"
#include "settings/ZSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

#include <gtest/gtest.h>

namespace {

constexpr int kLines = 300;

} // namespace

// Runs in a child process: saves bills of many lines through the record
// window, one after the other, until it is killed.
TEST(RecordChildProcess, SavesBillsUntilKilled)
{
    const QString home = qEnvironmentVariable("ZKVA_CHILD_SAVE");
    if (home.isEmpty())
        GTEST_SKIP() << "runs only as a child of RecordCrash";
    qputenv("ZKVA_HOME", home.toUtf8());
    FSYSID = 1003;
    FSystemType = stAlone;
    TfrmMasterData window;
    TFormParams params;
    params.Action = s("F3");
    params.ProgID = s("accGather");
    window.FormReturnValue(kFormParamsName, ZFormParamsAddress(params));
    for (int bill = 1;; ++bill) {
        window.RunAction(1);
        TOrvDataSet &head = window.MasterData();
        head.FieldByName(s("BillDate")).SetValue(ZNow());
        head.FieldByName(s("ObjectName")).SetAsString(s("客户%1").arg(bill));
        TOrvDataSet &lines = window.Dataset(1);
        for (int i = 1; i <= kLines; ++i) {
            lines.Append();
            lines.FieldByName(s("Offset")).SetValue(i);
            lines.FieldByName(s("Remark")).SetAsString(QString(100, QChar(u'款')));
            lines.Post();
        }
        window.RunAction(5);
        std::printf("saved %d\n", bill);
        std::fflush(stdout);
    }
}

using RecordCrash = TRecordTest;

TEST_F(RecordCrash, AKilledSaveLeavesTheWholeRecordWithItsLogOrNothing)
{
    DBConn(); // data file 1 from the template
    FreeAllSource();
    int bills = 0;
    for (int round = 0; round < 10; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(s("ZKVA_CHILD_SAVE"), folder->path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {s("--gtest_filter=RecordChildProcess.*")});
        ASSERT_TRUE(child.waitForStarted(10000));
        QByteArray out;
        QElapsedTimer waited;
        waited.start();
        while (out.count("saved ") < 1 && waited.elapsed() < 60000) {
            child.waitForReadyRead(1000);
            out += child.readAllStandardOutput();
        }
        ASSERT_GE(out.count("saved "), 1) << out.constData() << child.readAllStandardError().constData();
        QThread::msleep(QRandomGenerator::global()->bounded(80)); // somewhere inside the next save
        child.kill();
        child.waitForFinished(10000);

        TDBConn &db = DBConn();
        EXPECT_EQ(db.DBSelectValue(s("pragma integrity_check")), QStringList({s("ok")}));
        // Every bill has all its lines and one change-log row; no lines or
        // log rows of a bill that is not there.
        EXPECT_EQ(db.DBSelectValue(s("select count(*) from accGather A where (select count(*) from accGatherSub B "
                                     "where B.BillNo = A.BillNo) <> %1")
                                       .arg(kLines)),
                  QStringList({s("0")}));
        EXPECT_EQ(db.DBSelectValue(s("select count(*) from accGatherSub B where not exists (select 1 from accGather "
                                     "A where A.BillNo = B.BillNo)")),
                  QStringList({s("0")}));
        EXPECT_EQ(db.DBSelectValue(s("select count(*) from accGather A where (select count(*) from comChangeLog C "
                                     "where C.KeyValue = A.BillNo) <> 1")),
                  QStringList({s("0")}));
        EXPECT_EQ(db.DBSelectValue(s("select count(*) from comChangeLog C where not exists (select 1 from accGather "
                                     "A where A.BillNo = C.KeyValue)")),
                  QStringList({s("0")}));
        const int now = db.DBSelectValue(s("select count(*) from accGather")).value(0).toInt();
        EXPECT_GE(now, bills + out.count("saved "));
        bills = now;
        FreeAllSource();
    }
}
