#include "ZSmtpClient.h"

#include "common/ZErrors.h"
#include "net/ZCurl.h"

#include <algorithm>
#include <memory>

namespace {

// A connection time-out below this fails on an ordinary name look-up.
constexpr long kMinConnectTimeOutMs = 5000;
// A transfer slower than one byte a second for this long is given up.
constexpr long kStallSeconds = 120;

struct TUpload
{
    const QByteArray *data;
    qsizetype sent = 0;
    const std::function<bool()> *cancelled;
};

size_t readMessage(char *buffer, size_t size, size_t count, void *user)
{
    auto *upload = static_cast<TUpload *>(user);
    const qsizetype room = qsizetype(size * count);
    const qsizetype chunk = std::min(room, upload->data->size() - upload->sent);
    std::copy_n(upload->data->constData() + upload->sent, chunk, buffer);
    upload->sent += chunk;
    return size_t(chunk);
}

int progress(void *user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto *upload = static_cast<TUpload *>(user);
    return (*upload->cancelled && (*upload->cancelled)()) ? 1 : 0;
}

struct TListDeleter
{
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};

QByteArray serverUrl(const TZSmtpAccount &account)
{
    QString host = account.Host.trimmed();
    QString scheme = account.Port == 465 ? QStringLiteral("smtps") : QStringLiteral("smtp");
    for (const QString &known : {QStringLiteral("smtp"), QStringLiteral("smtps")}) {
        if (host.startsWith(known + QStringLiteral("://"), Qt::CaseInsensitive)) {
            scheme = known;
            host = host.mid(known.size() + 3);
        }
    }
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    // A bare IPv6 address needs its brackets in a URL.
    if (host.contains(QLatin1Char(':')) && !host.startsWith(QLatin1Char('[')))
        host = QLatin1Char('[') + host + QLatin1Char(']');
    return (scheme + QStringLiteral("://") + host + QLatin1Char(':') + QString::number(account.Port)).toUtf8();
}

} // namespace

void ZSmtpGlobalInit()
{
    ZCurlGlobalInit();
}

void ZSmtpSend(const TZSmtpAccount &account, const QString &envelopeSender, const QStringList &recipients,
               const QByteArray &message, int connectTimeOutMs, const std::function<bool()> &cancelled)
{
    ZSmtpGlobalInit();
    TZCurlHandle curl(curl_easy_init());
    if (!curl)
        throw EZError(QStringLiteral("无法初始化邮件发送组件"));
    CURL *handle = curl.get();
    char error[CURL_ERROR_SIZE] = {};

    std::unique_ptr<curl_slist, TListDeleter> to;
    for (const QString &recipient : recipients) {
        const QByteArray address = '<' + recipient.toUtf8() + '>';
        to.reset(curl_slist_append(to.release(), address.constData()));
    }
    const QByteArray url = serverUrl(account);
    const QByteArray from = '<' + envelopeSender.toUtf8() + '>';
    const QByteArray user = account.UserName.toUtf8();
    const QByteArray password = account.Password.toUtf8();
    TUpload upload{&message, 0, &cancelled};

    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_URL, url.constData());
    curl_easy_setopt(handle, CURLOPT_USE_SSL, long(CURLUSESSL_TRY));
    if (!account.UserName.isEmpty()) {
        curl_easy_setopt(handle, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(handle, CURLOPT_PASSWORD, password.constData());
        curl_easy_setopt(handle, CURLOPT_LOGIN_OPTIONS, "AUTH=LOGIN");
    }
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, std::max<long>(connectTimeOutMs, kMinConnectTimeOutMs));
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    curl_easy_setopt(handle, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(handle, CURLOPT_MAIL_RCPT, to.get());
    curl_easy_setopt(handle, CURLOPT_READFUNCTION, readMessage);
    curl_easy_setopt(handle, CURLOPT_READDATA, &upload);
    curl_easy_setopt(handle, CURLOPT_INFILESIZE_LARGE, curl_off_t(message.size()));
    curl_easy_setopt(handle, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, progress);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &upload);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);

    const CURLcode result = curl_easy_perform(handle);
    if (result == CURLE_OK)
        return;
    if (result == CURLE_ABORTED_BY_CALLBACK)
        throw EZAbort();
    const QString detail = QString::fromUtf8(error).trimmed();
    throw EZError(detail.isEmpty() ? QString::fromUtf8(curl_easy_strerror(result)) : detail);
}
