#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

/// A test server written in Python, run by /usr/bin/python3: the script is
/// started with its arguments and must print "PORT <n>" once it accepts
/// connections on loopback. Stopped when the object goes.
class TScriptServer
{
public:
    TScriptServer() = default;
    ~TScriptServer();
    TScriptServer(const TScriptServer &) = delete;
    TScriptServer &operator=(const TScriptServer &) = delete;

    /// Starts the script and waits for its port; false (with Error()) when
    /// it could not.
    bool Start(const QString &script, const QStringList &arguments);
    void Stop();
    int Port() const { return m_port; }
    QString Error() const { return m_error; }

private:
    QProcess m_process;
    int m_port = 0;
    QString m_error;
};
