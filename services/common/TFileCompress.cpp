#include "TFileCompress.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "common/ZProcess.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// 7-Zip's exit codes: 0 done; 1 a warning, which includes files that were
// missing or could not be read (the archive lacks them), so it is a
// failure here too; 2 and above failed.
bool succeeded(int exitCode)
{
    return exitCode == 0;
}

// A path names a program that can be started: a file, or a bare name found
// on the PATH.
bool programExists(const QString &exePath)
{
    if (QFileInfo(exePath).isFile())
        return true;
    return !exePath.contains(QLatin1Char('/')) && !QStandardPaths::findExecutable(exePath).isEmpty();
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

QString ZPackerPath()
{
    const QString own = GetCurrPath() + QStringLiteral("7z");
    if (QFileInfo(own).isFile())
        return own;
    for (const QString &name : {QStringLiteral("7z"), QStringLiteral("7zz")}) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return QStringLiteral("7z");
}

QStringList TFileCompress::CompressArguments(const QString &files, const QString &archive, const QString &password,
                                             int volumeSizeK)
{
    QStringList args{QStringLiteral("a"), archive, files};
    if (!password.isEmpty())
        args << QStringLiteral("-p") + password;
    if (volumeSizeK > 0)
        args << QStringLiteral("-v%1K").arg(volumeSizeK);
    return args;
}

QStringList TFileCompress::DeCompressArguments(const QString &archive, const QString &password,
                                               const QString &targetFolder)
{
    QStringList args{QStringLiteral("x"), archive, QStringLiteral("-o") + targetFolder, QStringLiteral("-y")};
    if (!password.isEmpty())
        args << QStringLiteral("-p") + password;
    return args;
}

QString TFileCompress::CompressCommandLine(const QString &exePath, const QString &files, const QString &archive,
                                           const QString &password, int volumeSizeK)
{
    QString line = QStringLiteral("%1 a %2 %3").arg(exePath, quoted(archive), quoted(files));
    if (!password.isEmpty())
        line += QStringLiteral(" -p%1").arg(password);
    if (volumeSizeK > 0)
        line += QStringLiteral(" -v%1K").arg(volumeSizeK);
    return line;
}

QString TFileCompress::DeCompressCommandLine(const QString &exePath, const QString &archive, const QString &password,
                                             const QString &targetFolder)
{
    QString line = QStringLiteral("%1 x %2 -o%3 -y").arg(exePath, quoted(archive), quoted(targetFolder));
    if (!password.isEmpty())
        line += QStringLiteral(" -p") + password;
    return line;
}

void TFileCompress::CompressFile(const QString &exePath, const QString &files, const QString &archive,
                                 const QString &password, int volumeSizeK)
{
    if (!programExists(exePath))
        throw EZError(QStringLiteral("不存在文件：") + exePath);
    const int exitCode =
        WaitExeFinish(exePath, CompressArguments(files, archive, password, volumeSizeK), HideRunWindows);
    if (!succeeded(exitCode))
        throw EZError(QStringLiteral("压缩文件失败：") + QDir::toNativeSeparators(archive));
}

void TFileCompress::DeCompressFile(const QString &exePath, const QString &archive, const QString &password,
                                   const QString &targetFolder)
{
    const int exitCode = WaitExeFinish(exePath, DeCompressArguments(archive, password, targetFolder), HideRunWindows);
    if (!succeeded(exitCode))
        throw EZError(QStringLiteral("解压文件失败：") + QDir::toNativeSeparators(archive));
}
