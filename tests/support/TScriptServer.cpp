#include "TScriptServer.h"

#include <QDeadlineTimer>

TScriptServer::~TScriptServer()
{
    Stop();
}

bool TScriptServer::Start(const QString &script, const QStringList &arguments)
{
    m_process.setProgram(QStringLiteral("/usr/bin/python3"));
    m_process.setArguments(QStringList{script} + arguments);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start();
    if (!m_process.waitForStarted(10000)) {
        m_error = m_process.errorString();
        return false;
    }
    QByteArray output;
    const QDeadlineTimer deadline(30000);
    while (!output.contains('\n') && !deadline.hasExpired() && m_process.state() == QProcess::Running) {
        m_process.waitForReadyRead(200);
        output += m_process.readAllStandardOutput();
    }
    if (!output.startsWith("PORT ")) {
        m_error = QString::fromUtf8(output + m_process.readAllStandardError());
        Stop();
        return false;
    }
    m_port = output.mid(5).trimmed().toInt();
    return m_port > 0;
}

void TScriptServer::Stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}
