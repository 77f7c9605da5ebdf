#include "TFtpDownLoad.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "net/ZCurl.h"
#include "net/ZFtpClient.h"

#include <QDir>

#include <algorithm>

namespace {

QString withSlash(QString folder)
{
    folder = ZNormalizePath(folder);
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

// The remote folder as the server's bytes: "/" between folders, none at
// either end.
QByteArray remoteBytes(const QString &folder)
{
    QString path = folder;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path.toUtf8();
}

} // namespace

TFtpDownLoad::TFtpDownLoad(bool createSuspended, const QString &fileFilter, int reConnectDelay, int connectTimes,
                           int timeOut, int port, const QString &localPath, const QString &remotePath,
                           const QString &host, const QString &password, const QString &userName, QObject *parent)
    : TFtpDownLoad(TNoStart{}, fileFilter, reConnectDelay, connectTimes, timeOut, port, localPath, remotePath, host,
                   password, userName, parent)
{
    if (!createSuspended)
        start();
}

TFtpDownLoad::TFtpDownLoad(TNoStart, const QString &fileFilter, int reConnectDelay, int connectTimes, int timeOut,
                           int port, const QString &localPath, const QString &remotePath, const QString &host,
                           const QString &password, const QString &userName, QObject *parent)
    : TZBaseThread(true, parent),
      m_fileFilter(fileFilter.trimmed()),
      m_reConnectDelay(reConnectDelay),
      m_connectTimes(connectTimes),
      m_timeOut(timeOut),
      m_port(port),
      m_localPath(localPath),
      m_remotePath(remotePath),
      m_host(host),
      m_password(password),
      m_userName(userName)
{
    // libcurl is prepared on the main thread, before any worker uses it.
    ZCurlGlobalInit();
}

QString TFtpDownLoad::GetExceptionHead()
{
    return QStringLiteral("文件下载失败，原因是：");
}

bool TFtpDownLoad::FileMatches(const QString &fileName) const
{
    if (!m_fileFilter.isEmpty())
        return fileName.compare(m_fileFilter, Qt::CaseInsensitive) == 0;
    return !fileName.endsWith(QLatin1String(".orv"), Qt::CaseInsensitive);
}

void TFtpDownLoad::report(const QString &finished, const QString &doing)
{
    m_finishedText = finished;
    m_doingText = doing;
    if (m_onState) {
        const QString timeText = GetTime();
        HandOver([this, &timeText] {
            m_onState(ThreadName(), timeText, m_finishedText, m_doingText, m_listedCount, int(m_files.size()));
        });
    }
    m_finishedText.clear();
    m_doingText.clear();
}

void TFtpDownLoad::stopWhenAsked() const
{
    if (Terminated())
        throw EZAbort();
}

void TFtpDownLoad::waitOneSecond()
{
    for (int waited = 0; waited < 1000; waited += 50) {
        stopWhenAsked();
        msleep(50);
    }
}

bool TFtpDownLoad::DoExecute()
{
    m_success = false;
    const TZFtpAccount account{m_host, m_port, m_userName, m_password, m_timeOut};
    for (int attempt = 1; attempt <= m_connectTimes; ++attempt) {
        stopWhenAsked();
        m_listedCount = 0;
        report(QString(), QStringLiteral("正在尝试连接到服务器，当前第%1次连接，共%2连接.").arg(attempt).arg(m_connectTimes));
        m_success = true;
        try {
            TZFtpClient client(account, [this] { return Terminated(); });
            report(QString(), QStringLiteral("正在连接服务器..."));
            client.Connect();
            report(QString(), QStringLiteral("已连接上服务器，正在下载文件..."));
            downLoadFolder(client, remoteBytes(m_remotePath), withSlash(m_localPath), m_remotePath);
        } catch (const EZAbort &) {
            throw;
        } catch (...) {
            m_success = false;
            report(QStringLiteral("下载文件失败，原因是：") + ZCurrentExceptionMessage(), QString());
        }
        if (m_success)
            break;
        if (attempt < m_connectTimes) {
            for (int left = m_reConnectDelay; left >= 1; --left) {
                report(QString(), QStringLiteral("延迟连接: %1 秒").arg(left));
                waitOneSecond();
            }
        }
    }
    if (m_connectTimes > 0)
        report(m_success ? QStringLiteral("当前线程文件下载完成！") : QStringLiteral("当前线程文件下载失败！"), QString());
    if (m_onDownLoadComplete)
        HandOver([this] { m_onDownLoadComplete(ThreadName(), m_success, int(m_files.size())); });
    return m_success;
}

void TFtpDownLoad::downLoadFolder(TZFtpClient &client, const QByteArray &remoteFolder, const QString &localBase,
                                  const QString &folderName)
{
    // 1. The local target: the folder's name below the base, or the base.
    QString target = localBase;
    if (m_createRemoteDir)
        target = withSlash(localBase + QString::fromUtf8(remoteBytes(folderName)));
    if (!ZForceDirectories(target))
        throw EZError(QStringLiteral("无法创建目录：") + target);
    // 2. The folder's entries.
    const QList<TZFtpEntry> entries = client.List(remoteFolder);
    m_listedCount += int(entries.size());
    const QString shownFolder = QString::fromUtf8(remoteFolder);
    // 3. Each file that passes the test and is not here yet; each folder.
    for (const TZFtpEntry &entry : entries) {
        stopWhenAsked();
        report(QString(), QStringLiteral("正在下载：") + entry.Name + QStringLiteral(" (") + shownFolder
                              + QLatin1Char(')'));
        const QByteArray remote = remoteFolder.isEmpty() ? entry.RawName : remoteFolder + '/' + entry.RawName;
        if (entry.IsFolder) {
            downLoadFolder(client, remote, target, entry.Name);
            continue;
        }
        if (!FileMatches(entry.Name))
            continue;
        const QString local = target + entry.Name;
        const auto place = std::lower_bound(m_files.begin(), m_files.end(), local);
        if (place != m_files.end() && *place == local)
            continue;
        client.DownLoadFile(remote, local);
        m_files.insert(place, local);
        report(QStringLiteral("已下载：") + entry.Name, QString());
    }
}
