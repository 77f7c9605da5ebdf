#include "ZDataFileRestore.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "data/TDBConn.h"
#include "data/ZDataFileCheck.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <unistd.h>

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Copies the backup beside the data file and renames it into place once the
// copy is whole and checked; anything that fails leaves the data file as it
// was and raises.
void replaceDataFile(const QString &backup, const QString &target)
{
    const QString copy = target + QStringLiteral(".restoring");
    QFile::remove(copy);
    const auto fail = [&](const QString &reason) {
        QFile::remove(copy);
        throw EZError(reason);
    };
    if (!QFile::copy(backup, copy))
        fail(QStringLiteral("复制%1文件到%2失败！").arg(shown(backup), shown(target)));
    const QString problem = ZDataFileProblem(copy, true);
    if (!problem.isEmpty())
        fail(QStringLiteral("复制%1文件到%2失败：%3！").arg(shown(backup), shown(target), problem));
    // The copy reaches the disk before it replaces the data file.
    if (QFile file(copy); !file.open(QIODevice::ReadWrite) || ::fsync(file.handle()) != 0)
        fail(QStringLiteral("复制%1文件到%2失败！").arg(shown(backup), shown(target)));
    QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner);
    // rename() replaces the old file in one step on the same file system.
    if (std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(target).constData()) != 0)
        fail(QStringLiteral("复制%1文件到%2失败！").arg(shown(backup), shown(target)));
}

} // namespace

void ZRestoreDataFile(TDBConn &db, const QString &backup, int dataFileNo)
{
    const QString problem = ZDataFileProblem(backup, true);
    if (!problem.isEmpty())
        throw EZError(
            QStringLiteral("备份文件%1不能用来还原：%2。当前帐套的数据没有改动。").arg(shown(backup), problem));
    const QString target = GetDataFilePath(dtDbACCESS, dataFileNo);
    db.CloseConnection();
    try {
        replaceDataFile(backup, target);
    } catch (...) {
        db.ReConnect();
        throw;
    }
    db.DataFileNo = dataFileNo;
    db.ReConnect();
}
