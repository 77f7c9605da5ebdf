#include "TSmtpTestServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTcpServer>
#include <QThread>

TSmtpTestServer::TSmtpTestServer() = default;

TSmtpTestServer::~TSmtpTestServer()
{
    Stop();
}

bool TSmtpTestServer::Start()
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    m_process.setProgram(QStringLiteral("/usr/bin/python3"));
    m_process.setArguments({QStringLiteral(ZKVA_SMTP_TEST_SERVER), m_dir.path(), User(), Password()});
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

void TSmtpTestServer::Stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QList<QJsonObject> TSmtpTestServer::Messages() const
{
    QList<QJsonObject> messages;
    const QDir dir(m_dir.path());
    for (const QString &name : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            messages << QJsonDocument::fromJson(file.readAll()).object();
    }
    return messages;
}

QList<QJsonObject> TSmtpTestServer::WaitForMessages(int count, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    QList<QJsonObject> messages = Messages();
    while (messages.size() < count && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
        messages = Messages();
    }
    return messages;
}

QByteArray TSmtpTestServer::RawMessage(int index) const
{
    const QDir dir(m_dir.path());
    const QStringList names = dir.entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name);
    if (index < 0 || index >= names.size())
        return {};
    QFile file(dir.filePath(names.at(index)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList TSmtpTestServer::AuthLog() const
{
    QFile file(QDir(m_dir.path()).filePath(QStringLiteral("auth.log")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void TSmtpTestServer::Clear()
{
    const QDir dir(m_dir.path());
    for (const QString &name : dir.entryList(QDir::Files))
        QFile::remove(dir.filePath(name));
}

int TSmtpTestServer::ClosedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const int port = probe.serverPort();
    probe.close();
    return port;
}
