#include "TDataFileTest.h"
#include "TestText.h"

#include "settings/ZSession.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/ZFreeAllSource.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

#include <gtest/gtest.h>

// Runs in a child process: writes batches of 500 rows and a parameter, over
// and over, until it is killed.
TEST(ChildProcess, WritesUntilKilled)
{
    const QString home = qEnvironmentVariable("ZKVA_CHILD_WRITE");
    if (home.isEmpty())
        GTEST_SKIP() << "runs only as a child of CrashSafety";
    qputenv("ZKVA_HOME", home.toUtf8());
    const QString round = qEnvironmentVariable("ZKVA_CHILD_ROUND");
    FSYSID = 1003;
    FSystemType = stAlone;
    for (int batch = 1;; ++batch) {
        auto rows = DBConn().DBOpenDataSet(s("select * from comChangeLog where 1=2"));
        for (int i = 0; i < 500; ++i) {
            rows->Append();
            rows->FieldByName(s("ProgID")).SetAsString(s("r%1b%2").arg(round).arg(batch));
            rows->FieldByName(s("KeyValue")).SetAsString(QString::number(i));
            rows->FieldByName(s("OldData_XML")).SetAsString(QString(200, QChar(u'数')));
            rows->Post();
        }
        rows->UpdateBatch();
        SaveParamValue(s("Counter") + round, QString::number(batch));
        std::printf("written %d\n", batch);
        std::fflush(stdout);
    }
}

using CrashSafety = TDataFileTest;

TEST_F(CrashSafety, AKilledWriterLeavesWholeWritesOrNone)
{
    DBConn(); // create data file 1 from the template
    FreeAllSource();
    for (int round = 0; round < 3; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(s("ZKVA_CHILD_WRITE"), folder->path());
        env.insert(s("ZKVA_CHILD_ROUND"), QString::number(round));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {s("--gtest_filter=ChildProcess.WritesUntilKilled")});
        ASSERT_TRUE(child.waitForStarted(10000));
        QByteArray out;
        QElapsedTimer waited;
        waited.start();
        while (out.count("written ") < 2 && waited.elapsed() < 30000) {
            child.waitForReadyRead(1000);
            out += child.readAllStandardOutput();
        }
        ASSERT_GE(out.count("written "), 2) << out.constData();
        QThread::msleep(QRandomGenerator::global()->bounded(40)); // somewhere inside a write
        child.kill();
        child.waitForFinished(10000);

        // The stale lock of the dead writer is taken over; the file is sound.
        TDBConn &db = DBConn();
        EXPECT_EQ(db.DBSelectValue(s("pragma integrity_check")), QStringList({s("ok")}));
        auto batches = db.DBOpenDataSet(s("select ProgID, count(*) as N from comChangeLog where ProgID like 'r%1b%' "
                                          "group by ProgID")
                                            .arg(round));
        for (batches->First(); !batches->Eof(); batches->Next())
            EXPECT_EQ(batches->FieldByName(s("N")).AsInteger(), 500) << qPrintable(batches->Fields(0).AsString());
        const int counter = GetParamValue(s("Counter%1").arg(round), s("0")).toInt();
        EXPECT_GE(counter, 2);
        EXPECT_GE(batches->RecordCount(), counter); // each parameter write follows its batch
        EXPECT_LE(batches->RecordCount(), counter + 1);
        FreeAllSource();
    }
}
