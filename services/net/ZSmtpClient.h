#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

/// The SMTP server and account a mail goes through.
struct TZSmtpAccount
{
    QString Host; ///< a host name; "smtp://" or "smtps://" in front chooses the scheme
    int Port = 25;
    QString UserName; ///< empty: no authentication
    QString Password;
};

/// Sends one composed message (ZBuildMailMessage) over SMTP with libcurl:
/// AUTH LOGIN with the account, STARTTLS when the server offers it (implicit
/// TLS for "smtps://" hosts and port 465), the envelope sender and
/// recipients as given. `connectTimeOutMs` bounds the connection (name
/// look-up included; at least 5 s, as a look-up alone can take longer than
/// short time-outs allow); a transfer that stalls for two minutes fails.
/// Runs on the calling thread and returns when the server accepted the mail.
/// Raises EZError with libcurl's explanation on any failure, and EZAbort as
/// soon as `cancelled` answers true.
void ZSmtpSend(const TZSmtpAccount &account, const QString &envelopeSender, const QStringList &recipients,
               const QByteArray &message, int connectTimeOutMs, const std::function<bool()> &cancelled);

/// Prepares libcurl for use from several threads; call once on the main
/// thread before the first mail job starts (the jobs do).
void ZSmtpGlobalInit();
