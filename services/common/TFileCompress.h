#pragma once

#include <QString>
#include <QStringList>

/// The packer program: 7z in the program folder when present, else 7z or
/// 7zz on the PATH; "7z" when there is none.
QString ZPackerPath();

/// Packs and unpacks files with the 7-Zip command-line program.
///
/// The command lines are `<exe> a "<archive>" "<files>"` with " -p<password>"
/// and " -v<size>K" when given, and `<exe> x "<archive>" -o"<folder>" -y`
/// with " -p<password>" when given. The program is started with the same
/// words as separate arguments, so that names and passwords with blanks or
/// quotes reach it whole, and its end is awaited.
class TFileCompress
{
public:
    /// Run the packer without a visible window (it is a console program and
    /// shows none here).
    bool HideRunWindows = true;

    void SetHideRunWindows(bool flag) { HideRunWindows = flag; }

    /// Packs `files` (a file or a wildcard) into `archive`, split into
    /// volumes of `volumeSizeK` kilobytes when positive. Raises
    /// "不存在文件：" + exePath when the packer is missing, and
    /// "压缩文件失败：" + archive when it reports a failure or a warning (a
    /// file to pack that is missing or unreadable).
    void CompressFile(const QString &exePath, const QString &files, const QString &archive, const QString &password,
                      int volumeSizeK);

    /// Unpacks `archive` into `targetFolder`, overwriting. Raises
    /// "解压文件失败：" + archive when the packer cannot be run or reports a
    /// failure (a wrong password, a damaged or missing archive).
    void DeCompressFile(const QString &exePath, const QString &archive, const QString &password,
                        const QString &targetFolder);

    static QStringList CompressArguments(const QString &files, const QString &archive, const QString &password,
                                         int volumeSizeK);
    static QStringList DeCompressArguments(const QString &archive, const QString &password,
                                           const QString &targetFolder);
    /// The command lines as text (for logs and messages).
    static QString CompressCommandLine(const QString &exePath, const QString &files, const QString &archive,
                                       const QString &password, int volumeSizeK);
    static QString DeCompressCommandLine(const QString &exePath, const QString &archive, const QString &password,
                                         const QString &targetFolder);
};
