#include "TTempProgramFolder.h"

#include "settings/ZSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TTempProgramFolder::TTempProgramFolder()
{
    m_hadHome = qEnvironmentVariableIsSet("ZKVA_HOME");
    m_previousHome = qgetenv("ZKVA_HOME");
    qputenv("ZKVA_HOME", QFile::encodeName(m_dir.path()));
    ResetSessionGlobals();
}

TTempProgramFolder::~TTempProgramFolder()
{
    if (m_hadHome)
        qputenv("ZKVA_HOME", m_previousHome);
    else
        qunsetenv("ZKVA_HOME");
    ResetSessionGlobals();
}

QString TTempProgramFolder::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TTempProgramFolder::writeFile(const QString &relativePath, const QByteArray &content) const
{
    const QString full = path() + relativePath;
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return full;
}

QByteArray TTempProgramFolder::readFile(const QString &relativePath) const
{
    QFile file(path() + relativePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
