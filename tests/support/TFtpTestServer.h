#pragma once

#include "TScriptServer.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

/// A real FTP server on loopback for the download tests: Debian's pyftpdlib
/// run by /usr/bin/python3 (ftp_test_server.py) on a free port, serving the
/// folder Root() read-only to User()/Password(), passive mode only. Every
/// command it receives is kept (Commands()). The server stops when the
/// object goes.
class TFtpTestServer
{
public:
    TFtpTestServer();

    static QString User() { return QStringLiteral("updater"); }
    static QString Password() { return QStringLiteral("s3cret"); }

    /// Starts the server; false (with Error()) when it could not.
    bool Start();
    int Port() const { return m_server.Port(); }
    QString Error() const { return m_server.Error(); }

    /// The served folder (with a trailing "/").
    QString Root() const;
    /// Writes a file below the served folder, creating its folders.
    void WriteFile(const QString &relativePath, const QByteArray &content) const;

    /// The commands received so far, as "RETR name", "PASV", "USER updater".
    QStringList Commands() const;
    /// The arguments of the RETR commands received so far.
    QStringList Retrieved() const;

private:
    QTemporaryDir m_dir;
    TScriptServer m_server;
};
