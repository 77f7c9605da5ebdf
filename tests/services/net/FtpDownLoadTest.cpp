// Downloads from a real FTP server on loopback (pyftpdlib): a folder with its
// sub-folders, the file filter, data files left on the server, the batches
// of update volumes, the attempts against a server that cannot be reached,
// servers that refuse or answer nonsense, and a stop in the middle.
#include "TFtpTestServer.h"
#include "TSmtpTestServer.h"
#include "TestText.h"

#include "net/TFtpDownLoad.h"
#include "net/TFtpDownLoadBatch.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// What a run told its owner.
struct TRunLog
{
    QStringList finished; ///< the finished-texts, in order
    QStringList doing;    ///< the doing-texts, in order
    QStringList times;    ///< the time stamp texts
    int completeCalls = 0;
    bool success = false;
    int fileCount = -1;
    int baseCompleteCalls = 0; ///< the worker base's completion hand-over
    int lastListed = 0;
};

class FtpDownLoad : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        server = std::make_unique<TFtpTestServer>();
        ASSERT_TRUE(server->Start()) << qPrintable(server->Error());
        server->WriteFile(s("AutoUpdateMOX/UpdateMsg.ini"), "[UpdateMsg]\r\nVersion=2.0.0.0\r\n");
        server->WriteFile(s("AutoUpdateMOX/zkva.bin"), QByteArray(200000, 'z'));
        server->WriteFile(s("AutoUpdateMOX/DBAcs.orv"), "data file");
        server->WriteFile(s("AutoUpdateMOX/sub/说明.txt"), "说明");
        server->WriteFile(s("AutoUpdateMOX/sub/readme.txt"), "inner readme");
        server->WriteFile(s("AutoUpdateMOX/sub/DBAcs1.ORV"), "data file");
        server->WriteFile(s("AutoUpdateMOX/sub/deeper/a b.txt"), "blank in name");
        server->WriteFile(s("AutoUpdateMOX/readme.txt"), "outer readme");
        server->WriteFile(s("other.txt"), "outside the folder");
        for (const char *volume : {"updatedata.7z.001", "UpdateData.7Z.005", "updatedata.7z.010", "updatedata.7z.011",
                                   "updatedata.7z.020", "updatedata.7z.021", "updatedata.7z.040", "updatedata.7z.041",
                                   "updatedata.7z.100", "updatedata.7z.999", "notes.txt", "old.orv"})
            server->WriteFile(s("Volumes/") + s(volume), volume);
        server->WriteFile(s("garbage/file.txt"), "never listed");
        server->WriteFile(s("Mixed/a.txt"), "fetched once");
        server->WriteFile(s("Mixed/garbage/b.txt"), "never listed");
    }
    static void TearDownTestSuite() { server.reset(); }

    void SetUp() override { ASSERT_TRUE(local.isValid()); }

    QString localPath() const { return local.path() + QLatin1Char('/'); }

    /// Runs a prepared worker to its end, keeping the events running so that
    /// its hand-overs happen, and returns what it told.
    static TRunLog run(TFtpDownLoad &worker)
    {
        TRunLog log;
        worker.SetThreadName(s("测试"));
        worker.SetStateEvent([&log](const QString &name, const QString &time, const QString &finished,
                                    const QString &doing, int listed, int) {
            EXPECT_EQ(name, s("测试"));
            EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
            log.times << time;
            if (!finished.isEmpty())
                log.finished << finished;
            if (!doing.isEmpty())
                log.doing << doing;
            log.lastListed = listed;
        });
        worker.SetDownLoadCompleteEvent([&log](const QString &name, bool success, int files) {
            EXPECT_EQ(name, s("测试"));
            EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
            ++log.completeCalls;
            log.success = success;
            log.fileCount = files;
        });
        worker.SetCompleteEvent([&log](int, const QString &) { ++log.baseCompleteCalls; });
        worker.start();
        finish(worker);
        return log;
    }

    static void finish(QThread &worker)
    {
        const QDeadlineTimer deadline(120000);
        while (!worker.isFinished() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_TRUE(worker.isFinished());
    }

    std::unique_ptr<TFtpDownLoad> worker(const QString &filter, const QString &remote, int port = 0,
                                         const QString &password = TFtpTestServer::Password(), int attempts = 1,
                                         int delay = 0) const
    {
        return std::make_unique<TFtpDownLoad>(true, filter, delay, attempts, 100, port ? port : server->Port(),
                                              localPath(), remote, s("127.0.0.1"), password, TFtpTestServer::User());
    }

    QStringList localFiles() const
    {
        QStringList files;
        const QDir root(local.path());
        for (const QString &file : QDir(local.path()).entryList(QDir::Files))
            files << file;
        std::function<void(const QString &)> walk = [&](const QString &folder) {
            const QDir dir(root.filePath(folder));
            for (const QString &file : dir.entryList(QDir::Files))
                files << folder + QLatin1Char('/') + file;
            for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
                walk(folder + QLatin1Char('/') + sub);
        };
        for (const QString &sub : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            walk(sub);
        files.sort();
        return files;
    }

    QByteArray localFile(const QString &relative) const
    {
        QFile file(localPath() + relative);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static std::unique_ptr<TFtpTestServer> server;
    QTemporaryDir local;
};

std::unique_ptr<TFtpTestServer> FtpDownLoad::server;

} // namespace

TEST_F(FtpDownLoad, FetchesAFolderWithItsSubFoldersButNoDataFiles)
{
    // An older copy of a file is replaced.
    QDir().mkpath(localPath() + s("AutoUpdateMOX"));
    QFile old(localPath() + s("AutoUpdateMOX/UpdateMsg.ini"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("[UpdateMsg]\r\nVersion=1.0.0.0\r\n");
    old.close();

    auto download = worker(QString(), s("AutoUpdateMOX"));
    const TRunLog log = run(*download);

    EXPECT_EQ(localFiles(), QStringList({s("AutoUpdateMOX/UpdateMsg.ini"), s("AutoUpdateMOX/readme.txt"),
                                         s("AutoUpdateMOX/sub/deeper/a b.txt"), s("AutoUpdateMOX/sub/readme.txt"),
                                         s("AutoUpdateMOX/sub/说明.txt"), s("AutoUpdateMOX/zkva.bin")}));
    EXPECT_EQ(localFile(s("AutoUpdateMOX/UpdateMsg.ini")), QByteArray("[UpdateMsg]\r\nVersion=2.0.0.0\r\n"));
    EXPECT_EQ(localFile(s("AutoUpdateMOX/zkva.bin")), QByteArray(200000, 'z'));
    EXPECT_EQ(localFile(s("AutoUpdateMOX/sub/说明.txt")), s("说明").toUtf8());
    EXPECT_EQ(localFile(s("AutoUpdateMOX/sub/readme.txt")), QByteArray("inner readme"));
    // Data files never leave the server without a filter.
    for (const QString &retrieved : server->Retrieved())
        EXPECT_FALSE(retrieved.endsWith(s(".orv"), Qt::CaseInsensitive)) << qPrintable(retrieved);

    EXPECT_EQ(log.completeCalls, 1);
    EXPECT_TRUE(log.success);
    EXPECT_EQ(log.fileCount, 6);
    EXPECT_EQ(log.baseCompleteCalls, 1);
    EXPECT_TRUE(download->Success());
    // Listed: 5 entries in the folder, 4 in sub, 1 in deeper.
    EXPECT_EQ(download->ListedCount(), 10);
    EXPECT_EQ(log.lastListed, 10);
    QStringList sorted = download->DownLoadedFiles();
    sorted.sort();
    EXPECT_EQ(download->DownLoadedFiles(), sorted);
    EXPECT_EQ(download->DownLoadedFiles().size(), 6);
    EXPECT_TRUE(download->DownLoadedFiles().contains(localPath() + s("AutoUpdateMOX/sub/说明.txt")));

    EXPECT_EQ(log.doing.mid(0, 3), QStringList({s("正在尝试连接到服务器，当前第1次连接，共1连接."), s("正在连接服务器..."),
                                                s("已连接上服务器，正在下载文件...")}));
    EXPECT_TRUE(log.doing.contains(s("正在下载：说明.txt (AutoUpdateMOX/sub)")));
    EXPECT_TRUE(log.doing.contains(s("正在下载：DBAcs.orv (AutoUpdateMOX)")));
    EXPECT_TRUE(log.finished.contains(s("已下载：说明.txt")));
    EXPECT_FALSE(log.finished.contains(s("已下载：DBAcs.orv")));
    EXPECT_EQ(log.finished.count(), 7);
    EXPECT_EQ(log.finished.last(), s("当前线程文件下载完成！"));
    for (const QString &time : log.times)
        EXPECT_TRUE(time.startsWith(s("测试[")) && time.endsWith(s("]: "))) << qPrintable(time);

    // Passive mode, one login for the whole run.
    const QStringList commands = server->Commands();
    EXPECT_TRUE(commands.contains(s("EPSV")) || commands.contains(s("PASV")));
    EXPECT_EQ(commands.filter(s("USER ")).size(), 1);
}

TEST_F(FtpDownLoad, FilterTakesOneFileByNameWhateverItsCase)
{
    auto download = worker(s("UPDATEMSG.INI"), s("AutoUpdateMOX"));
    const TRunLog log = run(*download);
    EXPECT_EQ(localFiles(), QStringList({s("AutoUpdateMOX/UpdateMsg.ini")}));
    EXPECT_TRUE(log.success);
    EXPECT_EQ(log.fileCount, 1);

    // A filter may name a data file: only a run without one leaves them.
    QTemporaryDir other;
    TFtpDownLoad data(true, s("dbacs.orv"), 0, 1, 100, server->Port(), other.path(), s("AutoUpdateMOX"), s("127.0.0.1"),
                      TFtpTestServer::Password(), TFtpTestServer::User());
    EXPECT_TRUE(run(data).success);
    EXPECT_TRUE(QFile::exists(other.path() + s("/AutoUpdateMOX/DBAcs.orv")));
    EXPECT_EQ(data.DownLoadedFiles().size(), 1);
}

TEST_F(FtpDownLoad, WithoutTheRemoteFolderNameEveryFileGoesIntoTheLocalFolderOnce)
{
    auto download = worker(s("readme.txt"), s("AutoUpdateMOX"));
    download->SetCreateRemoteDir(false);
    const TRunLog log = run(*download);
    // The folder's own readme.txt comes first; the sub-folder's, of the same
    // local name, is not fetched over it.
    EXPECT_EQ(localFiles(), QStringList({s("readme.txt")}));
    EXPECT_EQ(localFile(s("readme.txt")), QByteArray("outer readme"));
    EXPECT_EQ(log.fileCount, 1);
}

TEST_F(FtpDownLoad, BatchesTakeTheirRangeOfUpdateVolumes)
{
    const auto batch = [this](int batchNo) {
        QTemporaryDir into;
        TFtpDownLoadBatch download(true, QString(), 0, 1, 100, server->Port(), into.path(), s("Volumes"),
                                   s("127.0.0.1"), TFtpTestServer::Password(), TFtpTestServer::User(), batchNo);
        EXPECT_EQ(download.BatchNo(), batchNo);
        EXPECT_TRUE(run(download).success);
        QStringList names = QDir(into.path() + s("/Volumes")).entryList(QDir::Files);
        names.sort(Qt::CaseInsensitive);
        return names.join(QLatin1Char(' '));
    };
    EXPECT_EQ(batch(1), s("updatedata.7z.001 UpdateData.7Z.005 updatedata.7z.010"));
    EXPECT_EQ(batch(2), s("updatedata.7z.011 updatedata.7z.020"));
    EXPECT_EQ(batch(3), s("updatedata.7z.021"));
    EXPECT_EQ(batch(4), s("updatedata.7z.040"));
    EXPECT_EQ(batch(5), s("updatedata.7z.041 updatedata.7z.100 updatedata.7z.999"));
    // Another number adds no condition; data files still stay.
    EXPECT_EQ(batch(6), s("notes.txt updatedata.7z.001 UpdateData.7Z.005 updatedata.7z.010 updatedata.7z.011 "
                          "updatedata.7z.020 updatedata.7z.021 updatedata.7z.040 updatedata.7z.041 "
                          "updatedata.7z.100 updatedata.7z.999"));
}

TEST_F(FtpDownLoad, AnUnreachableServerIsTriedTheGivenTimesWithTheDelayBetween)
{
    const int closed = TSmtpTestServer::ClosedPort();
    auto download = worker(s("UpdateMsg.ini"), s("AutoUpdateMOX"), closed, TFtpTestServer::Password(), 3, 2);
    const TRunLog log = run(*download);

    EXPECT_EQ(log.doing.filter(s("正在尝试连接到服务器")),
              QStringList({s("正在尝试连接到服务器，当前第1次连接，共3连接."), s("正在尝试连接到服务器，当前第2次连接，共3连接."),
                           s("正在尝试连接到服务器，当前第3次连接，共3连接.")}));
    // Seconds counted down between attempts, none after the last.
    EXPECT_EQ(log.doing.filter(s("延迟连接")), QStringList({s("延迟连接: 2 秒"), s("延迟连接: 1 秒"), s("延迟连接: 2 秒"),
                                                             s("延迟连接: 1 秒")}));
    const QString failure = s("下载文件失败，原因是：无法连接到服务器：127.0.0.1:%1（").arg(closed);
    ASSERT_EQ(log.finished.size(), 4);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(log.finished[i].startsWith(failure)) << qPrintable(log.finished[i]);
    EXPECT_EQ(log.finished.last(), s("当前线程文件下载失败！"));
    EXPECT_EQ(log.completeCalls, 1);
    EXPECT_FALSE(log.success);
    EXPECT_EQ(log.fileCount, 0);
    EXPECT_EQ(log.baseCompleteCalls, 0);
    EXPECT_TRUE(localFiles().isEmpty());
}

TEST_F(FtpDownLoad, RefusalsAndNonsenseEndTheRunWithTheirReason)
{
    const auto failureOf = [this](std::unique_ptr<TFtpDownLoad> download) {
        const TRunLog log = run(*download);
        EXPECT_FALSE(log.success);
        EXPECT_EQ(log.completeCalls, 1);
        return log.finished.value(0);
    };
    EXPECT_TRUE(failureOf(worker(QString(), s("AutoUpdateMOX"), 0, s("wrong")))
                    .startsWith(s("下载文件失败，原因是：服务器拒绝登录，请检查用户名和密码：127.0.0.1:")));
    EXPECT_TRUE(failureOf(worker(QString(), s("NoSuchFolder")))
                    .startsWith(s("下载文件失败，原因是：无法进入服务器上的目录：NoSuchFolder（")));
    EXPECT_EQ(failureOf(worker(QString(), s("garbage"))),
              s("下载文件失败，原因是：服务器返回的目录清单无法识别：this is not a listing line"));
    EXPECT_TRUE(localFiles().filter(s("file.txt")).isEmpty());

    // No attempt at all: nothing to report but the outcome.
    auto none = worker(QString(), s("AutoUpdateMOX"), 0, TFtpTestServer::Password(), 0);
    const TRunLog log = run(*none);
    EXPECT_TRUE(log.finished.isEmpty() && log.doing.isEmpty());
    EXPECT_EQ(log.completeCalls, 1);
    EXPECT_FALSE(log.success);
}

TEST_F(FtpDownLoad, ALaterAttemptDoesNotFetchWhatAnEarlierOneGot)
{
    // The folder's file arrives, then its sub-folder's listing fails the
    // attempt; the second attempt lists again but fetches nothing twice.
    auto download = worker(QString(), s("Mixed"), 0, TFtpTestServer::Password(), 2, 0);
    const TRunLog log = run(*download);
    EXPECT_FALSE(log.success);
    EXPECT_EQ(log.fileCount, 1);
    EXPECT_EQ(server->Retrieved().filter(s("a.txt")).size(), 1);
    EXPECT_EQ(log.finished.filter(s("已下载：a.txt")).size(), 1);
    EXPECT_EQ(log.finished.filter(s("服务器返回的目录清单无法识别")).size(), 2);
    EXPECT_EQ(localFile(s("Mixed/a.txt")), QByteArray("fetched once"));
}

TEST_F(FtpDownLoad, AStopEndsTheRunSilently)
{
    auto download = worker(s("UpdateMsg.ini"), s("AutoUpdateMOX"), TSmtpTestServer::ClosedPort(),
                           TFtpTestServer::Password(), 2, 600);
    TRunLog log;
    bool waiting = false;
    download->SetStateEvent([&](const QString &, const QString &, const QString &, const QString &doing, int, int) {
        waiting = waiting || doing.startsWith(s("延迟连接"));
    });
    download->SetDownLoadCompleteEvent([&](const QString &, bool, int) { ++log.completeCalls; });
    download->start();
    const QDeadlineTimer deadline(60000);
    while (!waiting && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(waiting);
    TZBaseThread *thread = download.release();
    KillThread(thread);
    EXPECT_EQ(thread, nullptr);
    EXPECT_EQ(log.completeCalls, 0);
}
