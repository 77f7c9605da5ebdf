// A program killed at any moment of a backup or a restore: the data file
// always opens whole with either its old or its restored rows, and no half
// backup is ever left under a backup's name.
#include "TDataFileTest.h"
#include "TestText.h"

#include "common/ZFiles.h"
#include "data/TDBConn.h"
#include "data/TZDbConnection.h"
#include "data/ZDBRoutines.h"
#include "data/ZDataFileBackup.h"
#include "data/ZDataFileCheck.h"
#include "data/ZDataFileRestore.h"
#include "data/ZFreeAllSource.h"
#include "settings/ZSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

#include <gtest/gtest.h>

namespace {

constexpr int kRounds = 50;
constexpr int kOldRows = 3000;
constexpr int kRestoredRows = 1700;

// The rows of a generation: enough data that copying it takes a while.
void fill(const QString &generation, int rows)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("delete from comChangeLog"));
    auto data = db.DBOpenDataSet(s("select * from comChangeLog where 1=2"));
    for (int i = 0; i < rows; ++i) {
        data->Append();
        data->FieldByName(s("ProgID")).SetAsString(generation);
        data->FieldByName(s("KeyValue")).SetAsString(QString::number(i));
        data->FieldByName(s("OldData_XML")).SetAsString(QString(300, QChar(u'备')));
        data->Post();
    }
    data->UpdateBatch();
}

// The generation a data file or backup holds, checked whole: "" when its
// rows are not all of one generation in the right number.
QString generationOf(TZDbConnection &connection)
{
    const QStringList groups =
        DBSelectValues(connection, s("select ProgID || ':' || count(*) from comChangeLog group by ProgID"));
    if (groups == QStringList{s("old:%1").arg(kOldRows)})
        return s("old");
    if (groups == QStringList{s("restored:%1").arg(kRestoredRows)})
        return s("restored");
    return groups.join(s(","));
}

void startChild(QProcess &child, const char *variable, const QString &home, const char *test)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(variable), home);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {s("--gtest_filter=") + QString::fromLatin1(test)});
}

// Waits until the child has its session open, then kills it a random moment
// later (somewhere inside one of its backups or restores).
void killSoon(QProcess &child)
{
    ASSERT_TRUE(child.waitForStarted(10000));
    QByteArray out;
    QElapsedTimer waited;
    waited.start();
    while (!out.contains("open") && waited.elapsed() < 30000) {
        child.waitForReadyRead(1000);
        out += child.readAllStandardOutput();
    }
    ASSERT_TRUE(out.contains("open")) << out.constData();
    QThread::msleep(QRandomGenerator::global()->bounded(120));
    child.kill();
    child.waitForFinished(10000);
}

void beChild(const char *variable)
{
    const QString home = qEnvironmentVariable(variable);
    qputenv("ZKVA_HOME", home.toUtf8());
    FSYSID = 1003;
    FSystemType = stAlone;
    DBConn();
    std::printf("open\n");
    std::fflush(stdout);
}

} // namespace

// Runs in a child process: backs the open data file up, over and over.
TEST(ChildProcess, BacksUpUntilKilled)
{
    if (qEnvironmentVariable("ZKVA_CHILD_BACKUP").isEmpty())
        GTEST_SKIP() << "runs only as a child of BackupKill";
    beChild("ZKVA_CHILD_BACKUP");
    const QString dataFile = GetDataFilePath(dtDbACCESS, 1);
    const QDateTime base(QDate(2026, 12, 7), QTime(0, 0));
    for (int i = 0;; ++i)
        ZBackUpDataFile(dataFile, GetCurrPath() + s("DBBack/"),
                        ZDataFileBackupName(1, base.addSecs(QRandomGenerator::global()->bounded(86400))));
}

// Runs in a child process: restores the two backups in turn, over and over.
TEST(ChildProcess, RestoresUntilKilled)
{
    if (qEnvironmentVariable("ZKVA_CHILD_RESTORE").isEmpty())
        GTEST_SKIP() << "runs only as a child of BackupKill";
    beChild("ZKVA_CHILD_RESTORE");
    const QStringList backups{GetCurrPath() + s("restored.Bak"), GetCurrPath() + s("old.Bak")};
    for (int i = QRandomGenerator::global()->bounded(2);; ++i)
        ZRestoreDataFile(DBConn(), backups.at(i % 2), 1);
}

using BackupKill = TDataFileTest;

TEST_F(BackupKill, AKilledBackupLeavesTheDataFileAndNoHalfBackup)
{
    fill(s("old"), kOldRows);
    FreeAllSource();
    const QDir backups(path(s("DBBack")));
    int checked = 0;
    int interrupted = 0;
    for (int round = 0; round < kRounds; ++round) {
        QProcess child;
        startChild(child, "ZKVA_CHILD_BACKUP", folder->path(), "ChildProcess.BacksUpUntilKilled");
        killSoon(child);
        if (!backups.entryList({s("*.part")}, QDir::Files).isEmpty())
            ++interrupted;

        TDBConn &db = DBConn();
        EXPECT_EQ(db.DBSelectValue(s("pragma integrity_check")), QStringList{s("ok")});
        EXPECT_EQ(db.GetRecordCount(s("select * from comChangeLog where ProgID = 'old'")), kOldRows);
        FreeAllSource();
        // Every file with a backup's name is a whole, checked backup.
        for (const QString &name : backups.entryList({s("*.Bak")}, QDir::Files)) {
            const QString backup = backups.filePath(name);
            ASSERT_EQ(ZDataFileProblem(backup, true), QString()) << name.toStdString();
            EXPECT_EQ(generationOf(*ZOpenDataFile(backup, dtDbACCESS)), s("old")) << name.toStdString();
            QFile::remove(backup);
            ++checked;
        }
    }
    // The kills fell both inside backups and between them.
    EXPECT_GT(interrupted, 0);
    EXPECT_GT(checked, 0);
}

TEST_F(BackupKill, AKilledRestoreLeavesTheOldOrTheRestoredRows)
{
    fill(s("restored"), kRestoredRows);
    const QString dataFile = GetDataFilePath(dtDbACCESS, 1);
    ZBackUpDataFile(dataFile, folder->path(), s("restored.Bak"));
    fill(s("old"), kOldRows);
    ZBackUpDataFile(dataFile, folder->path(), s("old.Bak"));
    FreeAllSource();
    QStringList seen;
    int interrupted = 0;
    for (int round = 0; round < kRounds; ++round) {
        QProcess child;
        startChild(child, "ZKVA_CHILD_RESTORE", folder->path(), "ChildProcess.RestoresUntilKilled");
        killSoon(child);
        if (QFile::exists(dataFile + s(".restoring")))
            ++interrupted;

        TDBConn &db = DBConn();
        EXPECT_EQ(db.DBSelectValue(s("pragma integrity_check")), QStringList{s("ok")});
        const QString generation = generationOf(db.GetDBCONN());
        EXPECT_TRUE(generation == s("old") || generation == s("restored")) << generation.toStdString();
        if (!seen.contains(generation))
            seen << generation;
        FreeAllSource();
    }
    // The kills fell inside restores, and after each of the two.
    EXPECT_GT(interrupted, 0);
    EXPECT_EQ(seen.size(), 2);
}
