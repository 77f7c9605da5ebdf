#include "ZDataFileBackup.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "data/ZDataFileCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Temporary files of unfinished backups carry this ending.
const QString kPartEnding = QStringLiteral(".part");

class TSqliteHandle
{
public:
    ~TSqliteHandle() { sqlite3_close(db); }
    sqlite3 *db = nullptr;
};

QString sqliteText(sqlite3 *db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

// Copies the committed state of `source` into the new file `target`.
void copyOnline(const QString &source, const QString &target)
{
    TSqliteHandle from;
    if (sqlite3_open_v2(QFile::encodeName(source).constData(), &from.db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                        nullptr)
        != SQLITE_OK)
        throw EZError(QStringLiteral("无法打开数据文件%1：%2").arg(source, sqliteText(from.db)));
    sqlite3_busy_timeout(from.db, 5000);
    TSqliteHandle to;
    if (sqlite3_open_v2(QFile::encodeName(target).constData(), &to.db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK)
        throw EZError(QStringLiteral("无法写入备份文件%1：%2").arg(target, sqliteText(to.db)));
    sqlite3_backup *backup = sqlite3_backup_init(to.db, "main", from.db, "main");
    if (!backup)
        throw EZError(QStringLiteral("备份数据失败：%1").arg(sqliteText(to.db)));
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE || finished != SQLITE_OK)
        throw EZError(QStringLiteral("备份数据失败：%1").arg(sqliteText(to.db)));
    // The copy is on the disk before it gets a backup's name.
    if (sqlite3_exec(to.db, "pragma journal_mode = delete", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw EZError(QStringLiteral("备份数据失败：%1").arg(sqliteText(to.db)));
}

void syncFile(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        ::fsync(file.handle());
}

// Temporary files of earlier backups that never finished.
void removeUnfinished(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("ACS*.Bak*") + kPartEnding}, QDir::Files))
        QFile::remove(dir.filePath(name));
}

} // namespace

QString ZDataFileBackupName(int dataFileNo, const QDateTime &moment)
{
    return QStringLiteral("ACS%1_%2_%3.Bak")
        .arg(dataFileNo)
        .arg(moment.toString(QStringLiteral("yyyyMMdd")), moment.toString(QStringLiteral("HHmmss")));
}

QString ZBackUpDataFile(const QString &dataFile, const QString &folder, const QString &backupName)
{
    if (!QFileInfo(dataFile).isFile())
        throw EZError(QStringLiteral("不存在文件：%1").arg(dataFile));
    if (!ZForceDirectories(folder))
        throw EZError(QStringLiteral("无法创建目录：%1").arg(folder));
    const QString target = QDir(folder).filePath(backupName);
    if (QFileInfo::exists(target))
        throw EZError(QStringLiteral("备份文件已经存在：%1").arg(target));
    removeUnfinished(folder);

    const QString part = target + QLatin1Char('.') + QString::number(QCoreApplication::applicationPid()) + kPartEnding;
    QFile::remove(part);
    try {
        copyOnline(dataFile, part);
        const QString problem = ZDataFileProblem(part, true);
        if (!problem.isEmpty())
            throw EZError(QStringLiteral("备份文件检查失败：%1").arg(problem));
        syncFile(part);
        // A hard link gives the name only when no file has it: an existing
        // backup is never replaced, even by a backup made at the same moment.
        if (::link(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()) != 0) {
            const int error = errno;
            throw EZError(error == EEXIST ? QStringLiteral("备份文件已经存在：%1").arg(target)
                                          : QStringLiteral("无法写入备份文件%1：%2")
                                                .arg(target, QString::fromLocal8Bit(std::strerror(error))));
        }
    } catch (...) {
        QFile::remove(part);
        throw;
    }
    QFile::remove(part);
    // The new name itself is on the disk too.
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return target;
}
