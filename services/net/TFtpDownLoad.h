#pragma once

#include "thread/TZBaseThread.h"

#include <QString>
#include <QStringList>

#include <functional>

class TZFtpClient;

/// Called on the user-interface thread once the run is over: the thread's
/// name, whether it succeeded, the number of files it downloaded.
using TFtpCompleteEvent = std::function<void(const QString &threadName, bool success, int fileCount)>;
/// Called on the user-interface thread whenever the run has progress text:
/// the thread's name, the time stamp text (GetTime), the text of what was
/// finished ("已下载：…", the failure of an attempt, the result) and of what is
/// being done (connecting, "正在下载：…", the reconnect delay), the entries
/// listed in the current attempt and the files downloaded in this run.
using TFtpStateEvent = std::function<void(const QString &threadName, const QString &timeText,
                                          const QString &finishedText, const QString &doingText, int listedCount,
                                          int fileCount)>;

/// Downloads a folder of an FTP server, with its sub-folders, on a worker
/// thread (libcurl, passive mode). Up to `connectTimes` attempts, each with
/// its own connection; between attempts it waits `reConnectDelay` seconds,
/// reporting each second. Files already downloaded in an earlier attempt of
/// the run are not fetched again. The file test: with a file filter only the
/// file of that name (ignoring case); without one every file except data
/// files (".orv").
///
/// The events run on the user-interface thread while the worker waits. The
/// thread does not free itself: its owner deletes it once it has finished
/// (or stops it with KillThread). A stop request ends the run at once and
/// silently, between steps or in the middle of a transfer.
class TFtpDownLoad : public TZBaseThread
{
    Q_OBJECT

public:
    /// The arguments in their fixed order. `timeOut` bounds the connection
    /// in milliseconds (at least 5 s); the folders are the local base folder
    /// and the remote folder below the login folder. Starts at once unless
    /// created suspended.
    TFtpDownLoad(bool createSuspended, const QString &fileFilter, int reConnectDelay, int connectTimes, int timeOut,
                 int port, const QString &localPath, const QString &remotePath, const QString &host,
                 const QString &password, const QString &userName, QObject *parent = nullptr);

    /// Whether the remote folder's name is also created below the local
    /// folder (the default); otherwise every file goes into the local folder
    /// itself. Set before the thread starts.
    void SetCreateRemoteDir(bool create) { m_createRemoteDir = create; }
    bool CreateRemoteDir() const { return m_createRemoteDir; }

    void SetDownLoadCompleteEvent(TFtpCompleteEvent handler) { m_onDownLoadComplete = std::move(handler); }
    void SetStateEvent(TFtpStateEvent handler) { m_onState = std::move(handler); }

    /// The local files downloaded in this run, sorted; read once the thread
    /// has finished, or inside the events.
    const QStringList &DownLoadedFiles() const { return m_files; }
    int ListedCount() const { return m_listedCount; }
    bool Success() const { return m_success; }

    int ReConnectDelay() const { return m_reConnectDelay; }
    int ConnectTimes() const { return m_connectTimes; }

protected:
    /// For subclasses that start the thread themselves once they are made.
    struct TNoStart
    {
    };
    TFtpDownLoad(TNoStart, const QString &fileFilter, int reConnectDelay, int connectTimes, int timeOut, int port,
                 const QString &localPath, const QString &remotePath, const QString &host, const QString &password,
                 const QString &userName, QObject *parent);

    bool DoExecute() override;
    QString GetExceptionHead() override;

    /// Whether a listed file is downloaded.
    virtual bool FileMatches(const QString &fileName) const;

private:
    void downLoadFolder(TZFtpClient &client, const QByteArray &remoteFolder, const QString &localBase,
                        const QString &folderName);
    /// Hands progress to the state event; the texts are cleared afterwards.
    void report(const QString &finished, const QString &doing);
    void waitOneSecond();
    void stopWhenAsked() const;

    QString m_fileFilter;
    int m_reConnectDelay;
    int m_connectTimes;
    int m_timeOut;
    int m_port;
    QString m_localPath;
    QString m_remotePath;
    QString m_host;
    QString m_password;
    QString m_userName;

    bool m_createRemoteDir = true;
    QStringList m_files;
    int m_listedCount = 0;
    bool m_success = false;
    QString m_finishedText;
    QString m_doingText;
    TFtpCompleteEvent m_onDownLoadComplete;
    TFtpStateEvent m_onState;
};
