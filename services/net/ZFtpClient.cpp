#include "ZFtpClient.h"

#include "common/ZErrors.h"

#include <QSaveFile>

#include <algorithm>

namespace {

// A connection time-out below this fails on an ordinary name look-up.
constexpr long kMinConnectTimeOutMs = 5000;
// A transfer slower than one byte a second for this long is given up.
constexpr long kStallSeconds = 120;

// Where the bytes of a request go: a listing into memory, a file into a
// file saved in one step.
struct TSink
{
    QByteArray *buffer = nullptr;
    QSaveFile *file = nullptr;
    bool tooLong = false;
};

size_t receive(char *data, size_t size, size_t count, void *user)
{
    auto *sink = static_cast<TSink *>(user);
    const qsizetype length = qsizetype(size * count);
    if (sink->buffer) {
        if (sink->buffer->size() + length > TZFtpClient::kMaxListing) {
            sink->tooLong = true;
            return 0;
        }
        sink->buffer->append(data, length);
        return size_t(length);
    }
    if (sink->file && sink->file->write(data, length) == length)
        return size_t(length);
    return 0;
}

int progress(void *user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto *cancelled = static_cast<const std::function<bool()> *>(user);
    return (*cancelled && (*cancelled)()) ? 1 : 0;
}

QByteArray normalizedHost(QString host)
{
    host = host.trimmed();
    if (host.startsWith(QLatin1String("ftp://"), Qt::CaseInsensitive))
        host = host.mid(6);
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    // A bare IPv6 address needs its brackets in a URL.
    if (host.count(QLatin1Char(':')) > 1 && !host.startsWith(QLatin1Char('[')))
        host = QLatin1Char('[') + host + QLatin1Char(']');
    return host.toUtf8();
}

} // namespace

TZFtpClient::TZFtpClient(TZFtpAccount account, std::function<bool()> cancelled)
    : m_account(std::move(account)), m_cancelled(std::move(cancelled))
{
    ZCurlGlobalInit();
    m_curl.reset(curl_easy_init());
    if (!m_curl)
        throw EZError(QStringLiteral("无法初始化文件下载组件"));
    m_user = m_account.UserName.isEmpty() ? QByteArray("anonymous") : m_account.UserName.toUtf8();
    m_password = m_account.Password.toUtf8();
    CURL *handle = m_curl.get();
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, m_error);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_USERNAME, m_user.constData());
    curl_easy_setopt(handle, CURLOPT_PASSWORD, m_password.constData());
    // Passive mode: the client opens the data connections.
    curl_easy_setopt(handle, CURLOPT_FTPPORT, nullptr);
    curl_easy_setopt(handle, CURLOPT_FTP_USE_EPSV, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, std::max<long>(m_account.TimeOutMs, kMinConnectTimeOutMs));
    curl_easy_setopt(handle, CURLOPT_SERVER_RESPONSE_TIMEOUT, kStallSeconds);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, progress);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &m_cancelled);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, receive);
}

QByteArray TZFtpClient::url(const QByteArray &remotePath, bool folder) const
{
    QByteArray path;
    for (const QByteArray &segment : remotePath.split('/')) {
        if (segment.isEmpty())
            continue;
        path += '/' + segment.toPercentEncoding();
    }
    if (folder)
        path += '/';
    if (path.isEmpty())
        path = "/";
    return "ftp://" + normalizedHost(m_account.Host) + ':' + QByteArray::number(m_account.Port) + path;
}

void TZFtpClient::prepare(const QByteArray &url)
{
    m_url = url;
    m_error[0] = '\0';
    curl_easy_setopt(m_curl.get(), CURLOPT_URL, m_url.constData());
}

void TZFtpClient::perform(const QString &what, bool folder)
{
    const CURLcode result = curl_easy_perform(m_curl.get());
    if (result == CURLE_OK)
        return;
    if (result == CURLE_ABORTED_BY_CALLBACK)
        throw EZAbort();
    QString detail = QString::fromUtf8(m_error).trimmed();
    if (detail.isEmpty())
        detail = QString::fromUtf8(curl_easy_strerror(result));
    const QString server = m_account.Host.trimmed() + QLatin1Char(':') + QString::number(m_account.Port);
    QString text;
    switch (result) {
    case CURLE_URL_MALFORMAT:
    case CURLE_COULDNT_RESOLVE_HOST:
        text = QStringLiteral("找不到服务器：") + server;
        break;
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
        text = QStringLiteral("无法连接到服务器：") + server;
        break;
    case CURLE_LOGIN_DENIED:
        text = QStringLiteral("服务器拒绝登录，请检查用户名和密码：") + server;
        break;
    case CURLE_REMOTE_ACCESS_DENIED:
        text = (folder ? QStringLiteral("无法进入服务器上的目录：") : QStringLiteral("无法读取服务器上的文件："))
               + what;
        break;
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_FTP_COULDNT_RETR_FILE:
        text = QStringLiteral("服务器上找不到文件：") + what;
        break;
    case CURLE_WRITE_ERROR:
        text = QStringLiteral("无法保存下载的文件：") + what;
        break;
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING:
        text = QStringLiteral("与服务器的连接中断：") + server;
        break;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
    case CURLE_FTP_CANT_GET_HOST:
        text = QStringLiteral("服务器的应答无法识别：") + server;
        break;
    default:
        text = QStringLiteral("文件传输出错：") + server;
        break;
    }
    throw EZError(text + QStringLiteral("（") + detail + QStringLiteral("）"));
}

void TZFtpClient::Connect()
{
    // A request without a body on the login folder: connect, log in, and
    // nothing else; the later requests reuse this connection.
    prepare(url(QByteArray(), true));
    CURL *handle = m_curl.get();
    curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
    TSink sink;
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);
    perform(QStringLiteral("/"), true);
    curl_easy_setopt(handle, CURLOPT_NOBODY, 0L);
}

QList<TZFtpEntry> TZFtpClient::List(const QByteArray &remoteFolder)
{
    prepare(url(remoteFolder, true));
    QByteArray listing;
    TSink sink;
    sink.buffer = &listing;
    curl_easy_setopt(m_curl.get(), CURLOPT_WRITEDATA, &sink);
    const QString what = QString::fromUtf8(remoteFolder);
    try {
        perform(what, true);
    } catch (const EZError &) {
        if (sink.tooLong)
            throw EZError(QStringLiteral("服务器返回的目录清单过大：") + what);
        throw;
    }
    return ZParseFtpListing(listing);
}

void TZFtpClient::DownLoadFile(const QByteArray &remoteFile, const QString &localFile)
{
    QSaveFile file(localFile);
    if (!file.open(QIODevice::WriteOnly))
        throw EZError(QStringLiteral("无法写入文件：") + localFile + QStringLiteral("（") + file.errorString()
                      + QStringLiteral("）"));
    prepare(url(remoteFile, false));
    TSink sink;
    sink.file = &file;
    curl_easy_setopt(m_curl.get(), CURLOPT_WRITEDATA, &sink);
    perform(QString::fromUtf8(remoteFile), false);
    if (!file.commit())
        throw EZError(QStringLiteral("无法写入文件：") + localFile + QStringLiteral("（") + file.errorString()
                      + QStringLiteral("）"));
}
