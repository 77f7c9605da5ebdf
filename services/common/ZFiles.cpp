#include "ZFiles.h"

#include "common/ZErrors.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString withSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

const QString &executableFolder()
{
    // /proc/self/exe works before the application object exists, which the
    // session globals need while the library loads.
    static const QString folder = withSlash(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath());
    return folder;
}

} // namespace

QString GetCurrPath()
{
    const QString home = qEnvironmentVariable("ZKVA_HOME");
    if (!home.isEmpty())
        return withSlash(QDir(home).absolutePath());
    return executableFolder();
}

QString GetLogPath()
{
    return GetCurrPath() + QStringLiteral("log/");
}

QString ZNormalizePath(const QString &path)
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.isEmpty())
        return p;
    // Clean paths, so that one file has one name (the INI cache keys on it).
    return QDir::cleanPath(QDir::isAbsolutePath(p) ? p : GetCurrPath() + p);
}

QString GetFileName(const QString &path)
{
    qsizetype at = -1;
    for (QChar sep : {QLatin1Char('\\'), QLatin1Char('/'), QLatin1Char(':')})
        at = qMax(at, path.lastIndexOf(sep));
    return path.mid(at + 1);
}

bool ZCopyFile(const QString &from, const QString &to, bool failIfExists)
{
    const QString source = ZNormalizePath(from);
    const QString target = ZNormalizePath(to);
    if (failIfExists && QFileInfo::exists(target))
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk;
    while (!(chunk = in.read(1 << 20)).isEmpty()) {
        if (out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

void SearchFileList(const QString &folder, const QString &mask, QStringList &list, bool recursive, bool fullPath)
{
    QDir dir(ZNormalizePath(folder));
    if (!dir.exists())
        return;
    const QStringList filters{mask.isEmpty() ? QStringLiteral("*") : mask};
    const QFileInfoList files = dir.entryInfoList(filters, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo &info : files)
        list << (fullPath ? info.absoluteFilePath() : info.fileName());
    if (!recursive)
        return;
    const QFileInfoList subFolders = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &sub : subFolders)
        SearchFileList(sub.absoluteFilePath(), mask, list, true, fullPath);
}

int ZDeleteFiles(const QString &folder, const QString &mask, bool recursive)
{
    QStringList files;
    SearchFileList(folder, mask, files, recursive, true);
    int deleted = 0;
    for (const QString &file : files)
        deleted += QFile::remove(file) ? 1 : 0;
    return deleted;
}

qint64 ZFileSize(const QString &file)
{
    const QFileInfo info(ZNormalizePath(file));
    return info.exists() ? info.size() : 0;
}

bool InsertToTextFile(const QString &file, const QString &line)
{
    const QString path = ZNormalizePath(file);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    return f.write(bytes) == bytes.size();
}

bool CreateShortcut(const QString &target, const QString &linkFile, const QString &description,
                    const QString &arguments)
{
    QString exec = QLatin1Char('"') + ZNormalizePath(target) + QLatin1Char('"');
    if (!arguments.isEmpty())
        exec += QLatin1Char(' ') + arguments;
    const QString text =
        QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\nTerminal=false\n").arg(description, exec);
    try {
        ZSaveFileAtomically(linkFile, text.toUtf8());
    } catch (const EZError &) {
        return false;
    }
    return true;
}

bool ZForceDirectories(const QString &folder)
{
    return QDir().mkpath(ZNormalizePath(folder));
}

bool ZDeleteDirectory(const QString &folder)
{
    QDir dir(ZNormalizePath(folder));
    return !dir.exists() || dir.removeRecursively();
}

void ZSaveFileAtomically(const QString &file, const QByteArray &bytes)
{
    const QString path = ZNormalizePath(file);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw EZError(QStringLiteral("保存文件%1失败！").arg(path));
}
