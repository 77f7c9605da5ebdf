#pragma once

#include "net/ZCurl.h"
#include "net/ZFtpListing.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

/// The FTP server and account a download goes through.
struct TZFtpAccount
{
    QString Host; ///< a host name or address; "ftp://" in front is allowed
    int Port = 21;
    QString UserName; ///< empty: anonymous
    QString Password;
    int TimeOutMs = 5000; ///< bounds the connection; at least 5 s (a name look-up alone may take longer)
};

/// One FTP session over libcurl in passive mode (EPSV, else PASV): log in
/// once, then list folders and fetch files over the same control
/// connection. Remote paths are the server's bytes, "/" between folders,
/// relative to the folder the login lands in. Every failure raises EZError
/// with a Chinese text naming what failed (the server, the login, the
/// folder, the file), followed by libcurl's own explanation; EZAbort as soon
/// as `cancelled` answers true. The session ends (QUIT) when the object goes.
class TZFtpClient
{
public:
    TZFtpClient(TZFtpAccount account, std::function<bool()> cancelled);
    TZFtpClient(const TZFtpClient &) = delete;
    TZFtpClient &operator=(const TZFtpClient &) = delete;

    /// Connects and logs in.
    void Connect();
    /// The entries of a remote folder (LIST).
    QList<TZFtpEntry> List(const QByteArray &remoteFolder);
    /// Fetches a remote file into `localFile`, replacing it only once the
    /// whole file has arrived: a failed transfer leaves any older file as it
    /// was.
    void DownLoadFile(const QByteArray &remoteFile, const QString &localFile);

    /// The largest listing accepted (16 MB): a server that sends more is
    /// refused rather than filling the memory.
    static constexpr qsizetype kMaxListing = 16 * 1024 * 1024;

private:
    QByteArray url(const QByteArray &remotePath, bool folder) const;
    void prepare(const QByteArray &url);
    /// Runs the prepared request; `what` names the folder or file in errors.
    void perform(const QString &what, bool folder);

    TZFtpAccount m_account;
    std::function<bool()> m_cancelled;
    TZCurlHandle m_curl;
    char m_error[CURL_ERROR_SIZE] = {};
    QByteArray m_user;
    QByteArray m_password;
    QByteArray m_url;
};
