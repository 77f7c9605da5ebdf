#include "TFtpTestServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TFtpTestServer::TFtpTestServer()
{
    QDir(m_dir.path()).mkdir(QStringLiteral("root"));
}

bool TFtpTestServer::Start()
{
    return m_server.Start(QStringLiteral(ZKVA_FTP_TEST_SERVER),
                          {Root(), User(), Password(), QDir(m_dir.path()).filePath(QStringLiteral("commands.log"))});
}

QString TFtpTestServer::Root() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("root")) + QLatin1Char('/');
}

void TFtpTestServer::WriteFile(const QString &relativePath, const QByteArray &content) const
{
    const QString path = Root() + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

QStringList TFtpTestServer::Commands() const
{
    QFile file(QDir(m_dir.path()).filePath(QStringLiteral("commands.log")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList TFtpTestServer::Retrieved() const
{
    QStringList names;
    for (const QString &command : Commands()) {
        if (command.startsWith(QLatin1String("RETR ")))
            names << command.mid(5);
    }
    return names;
}
