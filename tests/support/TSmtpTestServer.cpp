#include "TSmtpTestServer.h"

#include <QCoreApplication>
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
    if (!m_server.Start(QStringLiteral(ZKVA_SMTP_TEST_SERVER), {m_dir.path(), User(), Password()}))
        return false;
    m_port = m_server.Port();
    return true;
}

void TSmtpTestServer::Stop()
{
    m_server.Stop();
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
