#include "ZDataFileCheck.h"

#include "data/ZSqliteFunctions.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

namespace {

QString quickProblem(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("文件不存在");
    if (!info.isFile())
        return QStringLiteral("不是文件");
    if (info.size() == 0)
        return QStringLiteral("文件是空的");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("文件无法读取");
    static const char kHeader[] = "SQLite format 3";
    if (file.read(sizeof kHeader) != QByteArray(kHeader, sizeof kHeader))
        return QStringLiteral("不是本程序的数据文件");
    return {};
}

// The first column of the first row of a statement; `ok` false when it fails.
QString firstValue(sqlite3 *db, const char *sql, bool &ok)
{
    sqlite3_stmt *stmt = nullptr;
    ok = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK;
    QString value;
    if (ok) {
        const int rc = sqlite3_step(stmt);
        ok = rc == SQLITE_ROW || rc == SQLITE_DONE;
        if (rc == SQLITE_ROW)
            value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    }
    sqlite3_finalize(stmt);
    return value;
}

QString fullProblem(const QString &path)
{
    sqlite3 *db = nullptr;
    const QByteArray name = QFile::encodeName(path);
    if (sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        return QStringLiteral("文件无法打开");
    }
    // The file's indexes and views may name the program's collations and
    // functions; the check needs them as an opened data file has them.
    ZRegisterSqliteFunctions(db);
    bool ok = false;
    QString problem;
    // The quick check reads every page and row of the file; unlike the full
    // check it leaves out the order of index entries, which depends on the
    // text collation of the program that wrote the file (an older backup
    // is brought to the current collation when it is opened).
    const QString integrity = firstValue(db, "pragma quick_check(1)", ok);
    if (!ok || integrity != QLatin1String("ok"))
        problem = QStringLiteral("文件已损坏");
    else if (firstValue(db,
                        "select count(*) from sqlite_master where type = 'table' and name = 'comParams' "
                        "collate nocase",
                        ok)
                 != QLatin1String("1")
             || !ok)
        problem = QStringLiteral("不是本程序的数据文件");
    sqlite3_close_v2(db);
    return problem;
}

} // namespace

QString ZDataFileProblem(const QString &path, bool full)
{
    QString problem = quickProblem(path);
    if (problem.isEmpty() && full)
        problem = fullProblem(path);
    return problem;
}
