// The backup window: the folder it offers, the backup it makes and tells,
// the fall-back folder, and the automatic mode that tells nothing.
#include "TDataFileTest.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/ZDataFileCheck.h"
#include "forms/TfrmACCESSBackUp.h"
#include "forms/ZMessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class BackUpWindow : public TDataFileTest
{
protected:
    void SetUp() override
    {
        TDataFileTest::SetUp();
        SetZBoxAnswerer([this](QDialog &box) {
            if (auto *text = box.findChild<QLabel *>(s("lblText")))
                told << text->text();
            box.findChild<QPushButton *>(s("btnOK"))->click();
        });
    }
    void TearDown() override
    {
        SetZBoxAnswerer(nullptr);
        TDataFileTest::TearDown();
    }
    QStringList backups(const QString &folder) const
    {
        return QDir(path(folder)).entryList({s("ACS*.Bak")}, QDir::Files);
    }
    QStringList told;
};

} // namespace

TEST_F(BackUpWindow, BacksUpIntoTheFolderAndTellsWhere)
{
    DBConn().DBExcuteSql(s("insert into moxRemind(Flag, RemindID, RemindTitle) values(1, 'K1', '保留')"));
    QPointer<TfrmACCESSBackUp> window = new TfrmACCESSBackUp;
    // No folder remembered yet: DBBack/ below the program folder.
    EXPECT_EQ(window->edtPath->text(), path(s("DBBack/")));
    window->show();
    ZSaveScreenshot(*window, s("backup_window"));
    // A folder that is gone: the backup goes to DBBack/, which is made.
    window->edtPath->setText(path(s("不存在的目录")));
    window->btnOK->click();
    QApplication::processEvents();
    const QStringList made = backups(s("DBBack"));
    ASSERT_EQ(made.size(), 1);
    EXPECT_TRUE(made.first().startsWith(s("ACS1_")));
    EXPECT_TRUE(ZDataFileProblem(path(s("DBBack/")) + made.first(), true).isEmpty());
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told.first().startsWith(s("数据已备份至: "))) << told.first().toStdString();
    EXPECT_EQ(GetParamValue(s("DBBackPath")), path(s("DBBack/")));
    QTRY_VERIFY(window.isNull());
}

TEST_F(BackUpWindow, AutomaticModeBacksUpAtOnceAndTellsNothing)
{
    QDir().mkpath(path(s("备份")));
    SaveParamValue(s("DBBackPath"), path(s("备份/")));
    QPointer<TfrmACCESSBackUp> window = new TfrmACCESSBackUp;
    EXPECT_EQ(window->edtPath->text(), path(s("备份/")));
    window->show();
    window->FormReturnValue(s("AutoBackUp"), QString());
    QTRY_VERIFY(window.isNull());
    EXPECT_EQ(backups(s("备份")).size(), 1);
    EXPECT_TRUE(told.isEmpty()) << told.join(s("\n")).toStdString();
}
