#include "TTempProgramFolder.h"
#include "TestText.h"

#include "common/ZFiles.h"
#include "common/ZProcess.h"
#include "controls/ZFileDialogs.h"
#include "settings/ZBusyCursor.h"
#include "settings/ZSession.h"

#include <QCursor>
#include <QFile>
#include <QGuiApplication>

#include <gtest/gtest.h>

TEST(Paths, ProgramFolderAndFileNames)
{
    TTempProgramFolder folder;
    EXPECT_EQ(GetCurrPath(), folder.path());
    EXPECT_TRUE(GetCurrPath().endsWith(QLatin1Char('/')));
    EXPECT_EQ(GetLogPath(), folder.path() + s("log/"));
    EXPECT_EQ(ZNormalizePath(s("DBFiles\\DBAcs1.orv")), folder.path() + s("DBFiles/DBAcs1.orv"));
    EXPECT_EQ(ZNormalizePath(s("/tmp/x")), s("/tmp/x"));

    EXPECT_EQ(GetFileName(s("C:\\ZKVA\\DBBack\\1_20110621.bak")), s("1_20110621.bak"));
    EXPECT_EQ(GetFileName(s("/home/u/帐套.bak")), s("帐套.bak"));
    EXPECT_EQ(GetFileName(s("C:readme.txt")), s("readme.txt"));
    EXPECT_EQ(GetFileName(s("plain")), s("plain"));
    EXPECT_EQ(GetFileName(s("dir/")), QString());
}

TEST(Files, CopyNeverOverwritesWhenAskedNotTo)
{
    TTempProgramFolder folder;
    folder.writeFile(s("DBAcs.orv"), "template");
    EXPECT_TRUE(ZCopyFile(s("DBAcs.orv"), s("DBAcs1.orv"), true));
    folder.writeFile(s("DBAcs1.orv"), "user data");
    EXPECT_FALSE(ZCopyFile(s("DBAcs.orv"), s("DBAcs1.orv"), true));
    EXPECT_EQ(folder.readFile(s("DBAcs1.orv")), QByteArray("user data"));
    EXPECT_TRUE(ZCopyFile(s("DBAcs.orv"), s("DBAcs1.orv"), false));
    EXPECT_EQ(folder.readFile(s("DBAcs1.orv")), QByteArray("template"));
    EXPECT_FALSE(ZCopyFile(s("missing.orv"), s("x.orv"), false));
    EXPECT_FALSE(QFile::exists(folder.path() + s("x.orv")));
    EXPECT_FALSE(ZCopyFile(s("DBAcs.orv"), s("no/such/folder/x.orv"), false));
}

TEST(Files, SearchDeleteSizeAndAppend)
{
    TTempProgramFolder folder;
    folder.writeFile(s("DBBack/b.bak"), "12345");
    folder.writeFile(s("DBBack/a.bak"), "1");
    folder.writeFile(s("DBBack/note.txt"), "x");
    folder.writeFile(s("DBBack/old/c.bak"), "x");
    QStringList found;
    SearchFileList(s("DBBack"), s("*.bak"), found, false, false);
    EXPECT_EQ(found, QStringList({s("a.bak"), s("b.bak")}));
    found.clear();
    SearchFileList(folder.path() + s("DBBack"), s("*.bak"), found, true, true);
    EXPECT_EQ(found, QStringList({folder.path() + s("DBBack/a.bak"), folder.path() + s("DBBack/b.bak"),
                                  folder.path() + s("DBBack/old/c.bak")}));
    EXPECT_EQ(ZFileSize(s("DBBack/b.bak")), 5);
    EXPECT_EQ(ZFileSize(s("DBBack/none.bak")), 0);
    EXPECT_EQ(ZDeleteFiles(s("DBBack"), s("*.bak"), true), 3);
    EXPECT_TRUE(QFile::exists(folder.path() + s("DBBack/note.txt")));

    EXPECT_TRUE(InsertToTextFile(s("log/run.txt"), s("第一行")));
    EXPECT_TRUE(InsertToTextFile(s("log/run.txt"), s("second")));
    EXPECT_EQ(folder.readFile(s("log/run.txt")), s("第一行\nsecond\n").toUtf8());

    EXPECT_TRUE(ZForceDirectories(s("a/b/c")));
    EXPECT_TRUE(ZDeleteDirectory(s("a")));
    EXPECT_FALSE(QFile::exists(folder.path() + s("a")));

    EXPECT_TRUE(CreateShortcut(s("zkva"), folder.path() + s("autostart/ZKVA.desktop"), s("个人助理")));
    EXPECT_TRUE(folder.readFile(s("autostart/ZKVA.desktop")).contains("Exec=\""));
}

TEST(Process, WaitExeFinishReturnsTheExitCode)
{
    TTempProgramFolder folder;
    EXPECT_EQ(WaitExeFinish(s("sh -c \"echo hi > '") + folder.path() + s("out.txt'; exit 3\"")), 3);
    EXPECT_EQ(folder.readFile(s("out.txt")), QByteArray("hi\n"));
    EXPECT_EQ(WaitExeFinish(s("/no/such/program")), -1);
    EXPECT_EQ(WaitExeFinish(QString()), -1);
}

TEST(BusyCursor, CallsNestAndNeverGoBelowZero)
{
    ASSERT_NE(qobject_cast<QGuiApplication *>(QCoreApplication::instance()), nullptr);
    SetCursorBusy();
    SetCursorBusy();
    EXPECT_EQ(FCursorBusyCount, 2);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    SetCursorFree();
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    SetCursorFree();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    SetCursorFree();
    EXPECT_EQ(FCursorBusyCount, 0);
    {
        TZBusyCursorScope scope;
        EXPECT_EQ(FCursorBusyCount, 1);
    }
    EXPECT_EQ(FCursorBusyCount, 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(FileDialogs, FiltersAndTheTestAnswer)
{
    EXPECT_EQ(ZQtFileFilter(s("帐套备份文件(*.bak)|*.bak|所有类型(*.*)|*.*")), s("帐套备份文件(*.bak);;所有类型(*.*)"));
    EXPECT_EQ(ZQtFileFilter(s("表格|*.xls;*.xlsx")), s("表格 (*.xls *.xlsx)"));

    QString asked;
    SetZFileDialogAnswerer([&](bool save, const QString &, const QString &initial) {
        asked = initial;
        return save ? QString() : s("/tmp/chosen.bak");
    });
    QString name = s("DBBack/*.bak");
    EXPECT_TRUE(zOpenDialog(s("*.bak|*.bak"), name));
    EXPECT_EQ(name, s("/tmp/chosen.bak"));
    EXPECT_EQ(asked, s("DBBack/*.bak"));
    QString saveName = s("x.xlsx");
    EXPECT_FALSE(zSaveDialog(s("*.xlsx|*.xlsx"), saveName));
    EXPECT_EQ(saveName, s("x.xlsx"));
    SetZFileDialogAnswerer(nullptr);
}
