#pragma once

#include <QString>

/// Starts a plain-text mail job (TSendEmailThread) and returns at once:
/// LOGIN authentication with `user` and `password` on `host`:`port`, the
/// connection time-out `timeOut` in milliseconds, `recipients` a
/// comma-separated list, the sender name given a random code. With
/// `reportFailures` a failed delivery reaches the user through the main
/// window; without, it passes silently. Call on the main thread.
void InsideSendEmail(const QString &user, const QString &password, const QString &host, bool reportFailures,
                     int timeOut, const QString &recipients, const QString &senderName, const QString &senderAddress,
                     const QString &body, const QString &subject, int port);

/// Mails the support mailbox (ReceiverEmail) through the support sender
/// account, signed with the supplier's display name; failures are not
/// reported.
void InsideSendEmailToMe(const QString &subject, const QString &body);

/// Sends feedback text to the support mailbox with the subject
/// "客户意见反馈-" + the sender's label: the parameter CorpFullName in the
/// company editions (systems 1001, 1008 to 1011), else MyName. System 1001
/// also sends a copy to the second support mailbox.
void UserFeedBack(const QString &text);

// The support sender settings: the parameters OrvexSenderHost,
// OrvexSenderUserName, OrvexSenderPassword, OrvexSenderPort and
// OrvexReceiverEmail, each falling back to its built-in default
// (ZSupportAddresses.h) when empty.
QString SenderHost();
QString SenderUserName();
QString SenderPassword();
/// The port; 25 when empty or not a number.
int SenderPort();
QString ReceiverEmail();

/// A port number written as text; 25 when the text is empty or not a port.
int ZMailPort(const QString &text);
