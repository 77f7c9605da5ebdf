// Backups of a data file: named by data file and moment, made while the
// session keeps the file open, checked before they get their name, never
// replacing an existing backup, and restorable.
#include "TDataFileTest.h"
#include "TestText.h"

#include "common/ZErrors.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/ZDBBackup.h"
#include "data/ZDataFileBackup.h"
#include "data/ZDataFileCheck.h"
#include "data/ZDataFileRestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using DataFileBackup = TDataFileTest;

TEST(DataFileBackupName, DataFileNumberDateAndTime)
{
    EXPECT_EQ(ZDataFileBackupName(1, QDateTime(QDate(2011, 6, 21), QTime(9, 5, 3))), s("ACS1_20110621_090503.Bak"));
    EXPECT_EQ(ZDataFileBackupName(10, QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59))),
              s("ACS10_20261207_235959.Bak"));
}

TEST_F(DataFileBackup, AnOpenDataFileIsBackedUpCheckedAndRestored)
{
    TDBConn &db = DBConn();
    db.DBExcuteSql(s("insert into moxRemind(Flag, RemindID, RemindTitle) values(1, 'B1', '备份前')"));
    const QString dataFile = GetDataFilePath(dtDbACCESS, 1);
    const QString folder = path(s("DBBack/新建"));
    // The folder is made; the session stays open meanwhile.
    const QString backup = ZBackUpDataFile(dataFile, folder, s("ACS1_20261207_090000.Bak"));
    EXPECT_EQ(backup, QDir(folder).filePath(s("ACS1_20261207_090000.Bak")));
    EXPECT_TRUE(ZDataFileProblem(backup, true).isEmpty());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{s("ACS1_20261207_090000.Bak")});

    // A second backup of that name is refused and leaves the first alone.
    db.DBExcuteSql(s("update moxRemind set RemindTitle = '备份后' where RemindID = 'B1'"));
    QFile firstFile(backup);
    ASSERT_TRUE(firstFile.open(QIODevice::ReadOnly));
    const QByteArray firstBytes = firstFile.readAll();
    firstFile.close();
    try {
        ZBackUpDataFile(dataFile, folder, s("ACS1_20261207_090000.Bak"));
        ADD_FAILURE() << "no error";
    } catch (const EZError &error) {
        EXPECT_TRUE(error.message().startsWith(s("备份文件已经存在："))) << error.message().toStdString();
    }
    ASSERT_TRUE(firstFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(firstFile.readAll(), firstBytes);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1);

    // The backup holds the rows as they were and restores into data file 1.
    ZRestoreDataFile(db, backup, 1);
    EXPECT_EQ(DBConn().DBSelectValue(s("select RemindTitle from moxRemind where RemindID = 'B1'")),
              QStringList{s("备份前")});
}

TEST_F(DataFileBackup, FailuresAreToldAndLeaveNoHalfBackup)
{
    const QString folder = path(s("DBBack"));
    // A temporary file of a backup that never finished goes with the next one.
    QDir().mkpath(folder);
    QFile stale(QDir(folder).filePath(s("ACS1_20261207_080000.Bak.4242.part")));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("half");
    stale.close();
    // A data file that is not there.
    try {
        ZBackUpDataFile(path(s("DBFiles/DBAcs9.orv")), folder, s("ACS9_20261207_090000.Bak"));
        ADD_FAILURE() << "no error";
    } catch (const EZError &error) {
        EXPECT_TRUE(error.message().startsWith(s("不存在文件："))) << error.message().toStdString();
    }
    // A damaged data file: the check refuses the copy, nothing gets the name.
    const QString damaged = path(s("damaged.orv"));
    QFile bad(damaged);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(8192, 'x'));
    bad.close();
    EXPECT_THROW(ZBackUpDataFile(damaged, folder, s("ACS2_20261207_090000.Bak")), EZError);
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty())
        << QDir(folder).entryList(QDir::Files).join(s(",")).toStdString();
}

TEST_F(DataFileBackup, BackUpRoutinesAndShrinking)
{
    TDBConn &db = DBConn();
    // The remembered folder was deleted: it is made again.
    SaveParamValue(s("DBBackPath"), path(s("已删除/")));
    GetParamInfo().UpdateParamInfo();
    EXPECT_EQ(ZBackUpFolder(), path(s("已删除/")));
    const QString first = DoBackUpDatabase();
    EXPECT_TRUE(first.startsWith(path(s("已删除/ACS1_")))) << first.toStdString();
    EXPECT_TRUE(ZDataFileProblem(first, true).isEmpty());

    // A folder given to the routine itself must exist.
    try {
        DoBackUpDatabase(path(s("无此目录")), QString());
        ADD_FAILURE() << "no error";
    } catch (const EZError &error) {
        EXPECT_EQ(error.message(), s("不存在目录: ") + path(s("无此目录")) + s("！ 请重新设置数据备份路径参数值！"));
    }
    EXPECT_EQ(ZBackUpDatabaseSql(s("ZKVA1"), s("D:\\DBBack\\ZKVA1_20110621_090503.Bak")),
              s("BACKUP DATABASE [ZKVA1] To DISK = 'D:\\DBBack\\ZKVA1_20110621_090503.Bak'"));

    // Shrinking gives the space of deleted rows back and keeps the rest.
    db.DBExcuteSql(s("insert into comChangeLog(ProgID, KeyValue, OldData_XML) values('keep', '1', 'x')"));
    for (int i = 0; i < 40; ++i)
        db.DBExcuteSql(s("insert into comChangeLog(ProgID, KeyValue, OldData_XML) values('gone', '%1', '%2')")
                           .arg(i)
                           .arg(QString(4000, QChar(u'废'))));
    db.DBExcuteSql(s("delete from comChangeLog where ProgID = 'gone'"));
    const qint64 before = QFileInfo(GetDataFilePath(dtDbACCESS, 1)).size();
    DoShrinkDatabase();
    EXPECT_LT(QFileInfo(GetDataFilePath(dtDbACCESS, 1)).size(), before);
    EXPECT_EQ(db.DBSelectValue(s("pragma integrity_check")), QStringList{s("ok")});
    EXPECT_EQ(db.DBSelectValue(s("select ProgID from comChangeLog")), QStringList{s("keep")});
}
