#pragma once

#include "TScriptServer.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

/// A real SMTP server on loopback for the mail tests: Debian's aiosmtpd run
/// by /usr/bin/python3 (smtp_test_server.py) on a free port. It requires
/// AUTH LOGIN without TLS and accepts only User()/Password(). Each accepted
/// message is kept as read by Python's mail parser (see the script for the
/// fields: envelope, decoded sender name, subject, body, attachments,
/// defects); each authentication attempt as a line of the auth log. The
/// server stops when the object goes.
class TSmtpTestServer
{
public:
    TSmtpTestServer();
    ~TSmtpTestServer();
    TSmtpTestServer(const TSmtpTestServer &) = delete;
    TSmtpTestServer &operator=(const TSmtpTestServer &) = delete;

    static QString User() { return QStringLiteral("mailer@example.com"); }
    static QString Password() { return QStringLiteral("s3cret"); }

    /// Starts the server; false (with Error()) when it could not.
    bool Start();
    void Stop();
    int Port() const { return m_port; }
    QString Error() const { return m_error.isEmpty() ? m_server.Error() : m_error; }

    /// The messages received so far, oldest first.
    QList<QJsonObject> Messages() const;
    /// Waits (running the events) until `count` messages have arrived or
    /// `timeoutMs` passed; returns the messages received by then.
    QList<QJsonObject> WaitForMessages(int count, int timeoutMs = 30000) const;
    /// The raw text of the n-th message (0-based).
    QByteArray RawMessage(int index) const;
    /// "OK LOGIN <user>" / "FAIL LOGIN <user>" per authentication attempt.
    QStringList AuthLog() const;
    /// Forgets the messages and the auth log received so far.
    void Clear();

    /// A loopback port on which nothing listens.
    static int ClosedPort();

private:
    QTemporaryDir m_dir;
    TScriptServer m_server;
    int m_port = 0;
    QString m_error;
};
