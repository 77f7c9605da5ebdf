#include "BenchReminders.h"

#include "data/TZDbConnection.h"
#include "data/ZTableDefs.h"
#include "metadata/ZListIndexes.h"

#include <QFile>

#include <sqlite3.h>

void ZBenchReminderFile(const QString &file, const QString &program, int rows,
                        const std::function<TZBenchReminder(int)> &reminder)
{
    const QList<TZTableColumnDef> defs = LoadTableDefinitions(program + QStringLiteral("/DBTables"), true);
    {
        auto db = ZCreateDataFile(file);
        CreateTable(*db, defs, QStringLiteral("moxRemind"));
        CreateIndexes(*db, LoadListIndexDefinitions(program + QStringLiteral("/DBSource"), defs));
    }
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db,
                       "insert into moxRemind(Flag, RemindID, RemindTitle, RemindContent, CreateDate, "
                       "RemindType) values(?1, ?2, ?3, ?4, ?5, ?6)",
                       -1, &insert, nullptr);
    for (int i = 0; i < rows; ++i) {
        const TZBenchReminder row = reminder(i);
        const QByteArray id = QByteArray::number(i).rightJustified(8, '0');
        const QByteArray title = QByteArrayLiteral("提醒 ") + id;
        sqlite3_bind_int(insert, 1, row.flag);
        sqlite3_bind_text(insert, 2, id.constData(), int(id.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, title.constData(), int(title.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, "内容", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 5, row.moment.constData(), int(row.moment.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 6, i % 4);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}
