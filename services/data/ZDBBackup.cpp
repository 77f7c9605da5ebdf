#include "ZDBBackup.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "common/ZSqlQuote.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/ZDBType.h"
#include "data/ZDataFileBackup.h"
#include "data/ZSysConfig.h"

#include <QDir>

namespace {

QString withSlash(QString folder)
{
    folder = ZNormalizePath(folder);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString defaultDatabase()
{
    return ReadSysConfig(QStringLiteral("SQLServer"), QStringLiteral("DefaultDB"));
}

} // namespace

QString ZBackUpFolder()
{
    const QString remembered = GetParamValue(QStringLiteral("DBBackPath")).trimmed();
    return withSlash(remembered.isEmpty() ? GetCurrPath() + QStringLiteral("DBBack/") : remembered);
}

QString DoBackUpDatabase()
{
    const QString folder = ZBackUpFolder();
    if (!ZForceDirectories(folder))
        throw EZError(QStringLiteral("无法创建目录：%1").arg(QDir::toNativeSeparators(folder)));
    return DoBackUpDatabase(folder, QString());
}

QString DoBackUpDatabase(const QString &folder, const QString &database)
{
    if (folder.trimmed().isEmpty() || !QDir(folder).exists())
        throw EZError(QStringLiteral("不存在目录: ") + folder + QStringLiteral("！ 请重新设置数据备份路径参数值！"));
    const QString target = withSlash(folder);
    TDBConn &db = DBConn();
    const QDateTime moment = db.DBGetServerDateTime();
    if (GetDBType() != dtMSSQL)
        return ZBackUpDataFile(GetDataFilePath(GetDBType(), db.DataFileNo), target,
                               ZDataFileBackupName(db.DataFileNo, moment));
    const QString name = database.trimmed().isEmpty() ? defaultDatabase() : database.trimmed();
    const QString file =
        target
        + QStringLiteral("%1_%2_%3.Bak")
              .arg(name, moment.toString(QStringLiteral("yyyyMMdd")), moment.toString(QStringLiteral("HHmmss")));
    db.DBExcuteSql(ZBackUpDatabaseSql(name, file));
    return file;
}

void DoShrinkDatabase()
{
    TDBConn &db = DBConn();
    if (GetDBType() == dtMSSQL)
        db.DBExcuteSql(QStringLiteral("DBCC SHRINKDATABASE([%1])").arg(defaultDatabase()));
    else
        db.DBExcuteSql(QStringLiteral("VACUUM"));
}

QString ZBackUpDatabaseSql(const QString &database, const QString &file)
{
    return QStringLiteral("BACKUP DATABASE [%1] To DISK = %2").arg(database, ZQuotedStr(file));
}
