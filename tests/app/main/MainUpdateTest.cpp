// The main window's check for a new version against a real FTP server on
// loopback: the silent check at start, the "检查是否有新版本..." command with
// its notices and question, a newer and an equal offered version, no server
// set, and starting the updater AutoUpd with its copy rule.
#include "MainWindowFixture.h"
#include "TFtpTestServer.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "common/ZVersion.h"
#include "common/ZWinMessages.h"
#include "data/ZSysConfig.h"
#include "launcher/ZLauncher.h"
#include "net/ZProgramUpdate.h"
#include "main/TfrmMOXMain.h"
#include "settings/ZSession.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kChecking = s("正在检查是否有新版本，请稍等片刻...|16711680");
const QString kQuestion = s("系统发现有新版本，是否马上升级为新版本？");

// Records the notices posted to the main window ("text|colour") and lets
// them through.
class TNoticeRecorder : public QObject
{
public:
    QStringList notices;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Type(ZWM_ADDMSG)) {
            const auto *message = static_cast<TZMessageEvent *>(event);
            notices << message->text1() + QLatin1Char('|') + QString::number(message->param1());
        }
        return QObject::eventFilter(watched, event);
    }
};

class MainUpdate : public MainWindowFixture
{
protected:
    static void SetUpTestSuite()
    {
        server = std::make_unique<TFtpTestServer>();
        ASSERT_TRUE(server->Start()) << qPrintable(server->Error());
    }
    static void TearDownTestSuite() { server.reset(); }

    static void offer(const QString &version)
    {
        server->WriteFile(s("AutoUpdateMOX/UpdateMsg.ini"), "[UpdateMsg]\r\nVersion=" + version.toUtf8() + "\r\n");
    }

    static void useServer()
    {
        WriteSysConfig(s("AutoUpdate"), s("Host"), s("127.0.0.1"));
        WriteSysConfig(s("AutoUpdate"), s("Port"), QString::number(server->Port()));
        WriteSysConfig(s("AutoUpdate"), s("UserName"), TFtpTestServer::User());
        WriteSysConfig(s("AutoUpdate"), s("Password"), TFtpTestServer::Password());
    }

    TfrmMOXMain &start()
    {
        TfrmMOXMain &main = showWindow();
        waitForCheck();
        main.installEventFilter(&recorder);
        return main;
    }

    /// Runs the events until the check has ended and its notices arrived.
    void waitForCheck()
    {
        const QDeadlineTimer deadline(60000);
        while (window->VersionCheckRunning() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_FALSE(window->VersionCheckRunning());
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    void checkNow()
    {
        window->findChild<QAction *>(s("actCheckNew"))->trigger();
        waitForCheck();
    }

    void shootNotices(const QString &name)
    {
        if (QWidget *notice = GetIsExistForm(s("TfrmUserMsg")))
            ZSaveScreenshot(*notice, name);
    }

    static std::unique_ptr<TFtpTestServer> server;
    TNoticeRecorder recorder;
};

std::unique_ptr<TFtpTestServer> MainUpdate::server;

// A shell script standing in for the updater: it writes how it was started
// ("<$0>|<argument count>|<$1>|<tag>") into updater.out beside itself. The
// version marker follows the script's end, where the shell never reads.
QByteArray updaterScript(const QByteArray &tag, const QByteArray &version)
{
    return "#!/bin/sh\n"
           "here=$(dirname \"$0\")\n"
           "printf '%s|%s|%s|" + tag + "' \"$0\" \"$#\" \"$1\" > \"$here/updater.tmp\"\n"
           "mv \"$here/updater.tmp\" \"$here/updater.out\"\n"
           "exit 0\n"
           + QByteArray("ZKVA-FILE-VERSION:", 18) + version + QByteArray(1, '\0');
}

} // namespace

TEST_F(MainUpdate, ANewerVersionIsOfferedAtStartAndOnTheCommand)
{
    offer(s("99.0.0.0"));
    useServer();
    // At start: only the question, answered with Cancel.
    answers << s("btnCancel");
    shotName = s("version_check_question");
    TfrmMOXMain &main = start();
    EXPECT_EQ(texts, QStringList({kQuestion}));
    EXPECT_EQ(captions, QStringList({main.windowTitle()}));
    EXPECT_TRUE(recorder.notices.isEmpty());
    EXPECT_EQ(GetUpdateMsgVersion(path(s("AutoUpdateMOX/UpdateMsg.ini"))), s("99.0.0.0"));

    // The command tells what it does and finds; OK starts the updater,
    // which this program folder lacks.
    answers << s("btnOK");
    checkNow();
    EXPECT_EQ(texts, QStringList({kQuestion, kQuestion}));
    EXPECT_EQ(recorder.notices, QStringList({kChecking, s("系统发现有新版本！|16711680"),
                                             s("找不到文件: ") + path(s("AutoUpd")) + s("|255")}));
    shootNotices(s("version_check_missing_updater"));
}

TEST_F(MainUpdate, AnEqualVersionIsTheLatest)
{
    // Without a version file of its own the program compares its version.
    offer(GetAppVersionID());
    useServer();
    start();
    EXPECT_TRUE(texts.isEmpty());
    checkNow();
    EXPECT_EQ(recorder.notices, QStringList({kChecking, s("您当前使用的系统已经是最新版本！|16711680")}));
    EXPECT_TRUE(texts.isEmpty());
    shootNotices(s("version_check_latest"));

    // A version file of the program folder counts instead.
    folder->writeFile(s("UpdateMsg.ini"), "[UpdateMsg]\r\nVersion=99.0.0.0\r\n");
    offer(s("99.0.0.0"));
    recorder.notices.clear();
    checkNow();
    EXPECT_EQ(recorder.notices, QStringList({kChecking, s("您当前使用的系统已经是最新版本！|16711680")}));
    offer(s("99.0.0.1"));
    answers << s("btnCancel");
    checkNow();
    EXPECT_EQ(texts, QStringList({kQuestion}));
}

TEST_F(MainUpdate, WithoutAServerTheStartIsSilentAndTheCommandCannotConnect)
{
    TfrmMOXMain &main = start();
    EXPECT_FALSE(main.VersionCheckRunning());
    EXPECT_TRUE(texts.isEmpty());
    checkNow();
    EXPECT_EQ(recorder.notices, QStringList({kChecking, s("无法连接到官方网站，请检查网络是否正常！|255")}));
    EXPECT_TRUE(texts.isEmpty());
    shootNotices(s("version_check_no_connection"));
    EXPECT_FALSE(QFileInfo::exists(path(s("AutoUpdateMOX"))));
}

TEST_F(MainUpdate, TheUpdaterStartsWithItsPathAndTheSystemCodeAfterANewerCopyReplacedIt)
{
    TfrmMOXMain &main = start();
    const QString updater = folder->writeFile(s("AutoUpd"), updaterScript("old", "1.0.0.0"));
    QFile::setPermissions(updater, QFile::permissions(updater) | QFileDevice::ExeOwner);
    // Downloaded: no permission to run.
    const QByteArray newer = updaterScript("new", "1.0.10.0");
    folder->writeFile(s("AutoUpdateMOX/AutoUpd_"), newer);

    const auto runUpdater = [&] {
        QFile::remove(path(s("updater.out")));
        main.RunAutoUpdate();
        const QDeadlineTimer deadline(30000);
        while (!QFileInfo::exists(path(s("updater.out"))) && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return QString::fromUtf8(folder->readFile(s("updater.out")));
    };
    EXPECT_EQ(runUpdater(), updater + s("|1|") + FSYSCode + s("|new"));
    EXPECT_EQ(folder->readFile(s("AutoUpd")), newer);
    EXPECT_EQ(GetVersion(updater), s("1.0.10.0"));

    // An older or equal copy is left where it is.
    folder->writeFile(s("AutoUpdateMOX/AutoUpd_"), updaterScript("older", "1.0.9.9"));
    EXPECT_EQ(runUpdater(), updater + s("|1|") + FSYSCode + s("|new"));
    folder->writeFile(s("AutoUpdateMOX/AutoUpd_"), updaterScript("same", "1.0.10.0"));
    EXPECT_EQ(runUpdater(), updater + s("|1|") + FSYSCode + s("|new"));
    EXPECT_TRUE(recorder.notices.isEmpty());
}
