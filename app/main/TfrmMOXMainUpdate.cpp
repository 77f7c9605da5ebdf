// The main window's check for a new version of the program: the version file
// fetched from the update server on a worker, the comparison, the question,
// and starting the updater.
#include "TfrmMOXMain.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "common/ZGuard.h"
#include "common/ZVersion.h"
// Puts the file version marker into the program too, so that other programs
// (the updater) can read the program file's version.
#include "common/ZVersionMarker.h"
#include "forms/ZMessageBox.h"
#include "net/TFtpDownLoad.h"
#include "net/ZProgramUpdate.h"
#include "settings/ZSession.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>

#include <utility>

namespace {

// The version check's fixed download: the version file of the update
// folder, two attempts ten seconds apart.
const QString kVersionFile = QStringLiteral("UpdateMsg.ini");
const QString kUpdateFolderName = QStringLiteral("AutoUpdateMOX");
constexpr int kReConnectDelay = 10;
constexpr int kConnectTimes = 2;
constexpr int kTimeOut = 100;

const QString kNoConnection = QStringLiteral("无法连接到官方网站，请检查网络是否正常！");

} // namespace

void TfrmMOXMain::CheckNewVersion(bool interactive)
{
    if (interactive) {
        ErrMsg(QStringLiteral("正在检查是否有新版本，请稍等片刻..."), false);
        m_interactiveCheck = true;
    }
    if (m_versionCheckRunning)
        return;
    // The worker of an earlier check has ended; it goes now.
    for (TFtpDownLoad *done : findChildren<TFtpDownLoad *>(Qt::FindDirectChildrenOnly)) {
        if (done->isFinished())
            delete done;
    }
    const TZUpdateServer server = ZReadUpdateServer();
    if (server.Host.isEmpty()) {
        // No server is set for this installation: there is nobody to ask.
        versionCheckDone(false, 0);
        return;
    }
    auto *check =
        new TFtpDownLoad(true, kVersionFile, kReConnectDelay, kConnectTimes, kTimeOut, server.Port, GetCurrPath(),
                         kUpdateFolderName, server.Host, server.Password, server.UserName, this);
    check->SetThreadName(QStringLiteral("新版本检查"));
    // The worker waits while the events run; the result is taken up after
    // the hand-over, so that the question may stay open while the worker ends.
    const QPointer<TfrmMOXMain> self(this);
    check->SetDownLoadCompleteEvent([self](const QString &, bool success, int fileCount) {
        if (self)
            QMetaObject::invokeMethod(
                self, [self, success, fileCount] { self->versionCheckDone(success, fileCount); }, Qt::QueuedConnection);
    });
    // A failure that escapes the download has been reported by the worker.
    check->SetRaiseExceptionEvent([self](int, const QString &, const QString &) {
        if (self)
            QMetaObject::invokeMethod(
                self,
                [self] {
                    self->m_interactiveCheck = false;
                    self->versionCheckDone(false, 0);
                },
                Qt::QueuedConnection);
    });
    // The worker belongs to the window: it is deleted with the next check,
    // when the window stops the checks, or with the window.
    m_versionCheckRunning = true;
    check->start();
}

void TfrmMOXMain::versionCheckDone(bool success, int fileCount)
{
    // A result that arrives while the window closes asks nothing.
    if (m_versionChecksStopped)
        return;
    m_versionCheckRunning = false;
    const bool interactive = std::exchange(m_interactiveCheck, false);
    ZGuard([&] {
        if (!success) {
            if (interactive)
                ErrMsg(kNoConnection, false, 1);
            return;
        }
        // A run that found no version file on the server offers nothing: an
        // older copy left in the update folder is not taken for an offer.
        if (fileCount > 0 && IsNeedUpdate()) {
            if (interactive)
                ErrMsg(QStringLiteral("系统发现有新版本！"), false);
            if (ZMessageBox(windowTitle(), QStringLiteral("系统发现有新版本，是否马上升级为新版本？"), {zbOK, zbCancel})
                == zbOK)
                RunAutoUpdate();
        } else if (interactive) {
            ErrMsg(QStringLiteral("您当前使用的系统已经是最新版本！"), false);
        }
    });
    emit VersionCheckFinished();
}

void TfrmMOXMain::RunAutoUpdate()
{
    const QString updater = GetCurrPath() + QStringLiteral("AutoUpd");
    const QString copy = ZUpdateFolder() + QStringLiteral("AutoUpd_");
    // 1. A newer updater that came with the update replaces the old one.
    if (QFileInfo(copy).isFile() && CompareVersion(GetVersion(copy), GetVersion(updater)) > 0) {
        if (!ZCopyFile(copy, updater, false))
            throw EZError(QStringLiteral("无法复制文件: ") + copy);
        // A downloaded file carries no permission to run.
        QFile::setPermissions(updater, QFile::permissions(updater) | QFileDevice::ExeOwner | QFileDevice::ExeUser
                                           | QFileDevice::ExeGroup | QFileDevice::ExeOther);
    }
    // 2. The updater, with the system code as its one argument.
    if (!QFileInfo(updater).isFile()) {
        ErrMsg(QStringLiteral("找不到文件: ") + updater, false, 1);
        return;
    }
    if (!QProcess::startDetached(updater, {FSYSCode}, GetCurrPath()))
        throw EZError(QStringLiteral("无法启动程序: ") + updater);
}

void TfrmMOXMain::stopVersionChecks()
{
    // The workers' events stay in place (the worker may be calling one):
    // they reach a window that ignores them from now on.
    m_versionChecksStopped = true;
    for (TFtpDownLoad *check : findChildren<TFtpDownLoad *>(Qt::FindDirectChildrenOnly)) {
        TZBaseThread *thread = check;
        KillThread(thread);
    }
}
