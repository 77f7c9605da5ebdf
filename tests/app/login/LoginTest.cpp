// The login dialog as a person uses it: passwords, the owner's name, the
// choice of data file and restoring one from a backup.
#include "TDataFileTest.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "common/ZErrors.h"
#include "controls/ZFileDialogs.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "forms/ZMessageBox.h"
#include "login/TfrmMoxLogin.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

class Login : public TDataFileTest
{
protected:
    void SetUp() override
    {
        TDataFileTest::SetUp();
        SetZBoxAnswerer([this](QDialog &box) {
            if (auto *edit = box.findChild<QLineEdit *>(s("edtValue"))) {
                const QString typed = typing.isEmpty() ? QString() : typing.takeFirst();
                if (typed == s("<cancel>")) {
                    box.findChild<QPushButton *>(s("btnCancel"))->click();
                    return;
                }
                edit->setText(typed);
                box.findChild<QPushButton *>(s("btnOK"))->click();
                return;
            }
            messages << box.findChild<QLabel *>(s("lblText"))->text();
            box.findChild<QPushButton *>(s("btnOK"))->click();
        });
    }
    void TearDown() override
    {
        SetZBoxAnswerer(nullptr);
        SetZFileDialogAnswerer(nullptr);
        TDataFileTest::TearDown();
    }

    static QString owner(TfrmMoxLogin &dialog) { return dialog.findChild<QLabel *>(s("lblOwner"))->text(); }
    static void typePassword(TfrmMoxLogin &dialog, const QString &text)
    {
        auto *edit = dialog.findChild<QLineEdit *>(s("edtPassword"));
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    QStringList typing;
    QStringList messages;
};

} // namespace

TEST_F(Login, PasswordsCompareIgnoringCase)
{
    SaveParamValue(s("MyName"), s("张三"));
    TfrmMoxLogin dialog;
    dialog.show();
    EXPECT_EQ(owner(dialog), s("张三"));
    ZSaveScreenshot(dialog, s("login_dialog"));
    typePassword(dialog, s("x"));
    dialog.Login(); // the stored password is empty: only an empty entry passes
    EXPECT_EQ(messages, QStringList({s("密码错误！")}));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    typePassword(dialog, QString());
    dialog.Login();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    SaveParamValue(s("LoginPassWord"), s("AbC"));
    GetParamInfo().UpdateParamInfo(); // a parameter saved for the first time is read at the next load
    TfrmMoxLogin second;
    second.show();
    typePassword(second, s("aBc"));
    QTest::mouseClick(second.findChild<QPushButton *>(s("btnLogin")), Qt::LeftButton);
    EXPECT_EQ(second.result(), QDialog::Accepted);
}

TEST_F(Login, ABlankNameIsRefusedAndAnotherIsSavedAsTyped)
{
    TfrmMoxLogin dialog;
    typing = {s("   "), s(" 李四 ")};
    dialog.ChangeName();
    EXPECT_EQ(messages, QStringList({s("姓名不能为空，请重新输入")}));
    const QString stored = s("Select length(ParamValue) From comParams Where ParamName = 'MyName'");
    EXPECT_EQ(DBConn().DBSelectValue(stored), QStringList({s("4")}));
    EXPECT_EQ(owner(dialog), s(" 李四 "));
    typing = {s("<cancel>")};
    dialog.ChangeName();
    EXPECT_EQ(DBConn().DBSelectValue(stored), QStringList({s("4")}));
}

TEST_F(Login, ChoosingADataFileCreatesItAndRestoringReplacesIt)
{
    SaveParamValue(s("MyName"), s("甲"));
    TfrmMoxLogin dialog;
    dialog.findChild<QComboBox *>(s("cbxDataFile"))->setCurrentIndex(4);
    EXPECT_EQ(DBConn().DataFileNo, 5);
    EXPECT_TRUE(QFile::exists(path(s("DBFiles/DBAcs5.orv"))));
    EXPECT_EQ(owner(dialog), QString());
    SaveParamValue(s("MyName"), s("王五"));

    // A backup of data file 5, restored over data file 1.
    DBConn().CloseConnection();
    QDir().mkpath(path(s("DBBack")));
    ASSERT_TRUE(QFile::copy(path(s("DBFiles/DBAcs5.orv")), path(s("DBBack/王五.bak"))));
    DBConn().ReConnect();
    dialog.findChild<QComboBox *>(s("cbxDataFile"))->setCurrentIndex(0);
    EXPECT_EQ(owner(dialog), s("甲"));
    SetZFileDialogAnswerer([this](bool, const QString &, const QString &initial) {
        EXPECT_EQ(initial, path(s("DBBack/*.bak")));
        return path(s("DBBack/王五.bak"));
    });
    dialog.RestoreDataFile();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(
        messages.at(0).startsWith(s("请注意：备份文件") + path(s("DBBack/王五.bak")) + s("将覆盖当前第一帐套的数据!")));
    EXPECT_EQ(messages.at(1), s("数据还原成功！"));
    EXPECT_EQ(owner(dialog), s("王五"));
    EXPECT_EQ(GetParamValue(s("MyName")), s("王五"));
    EXPECT_EQ(DBConn().DataFileNo, 1);
}

// A damaged backup (cut short, random bytes, empty, another SQLite file) is
// refused before the data file is touched; the session stays open on it.
TEST_F(Login, ADamagedBackupIsRefusedAndTheDataFileStaysWhole)
{
    SaveParamValue(s("MyName"), s("甲"));
    const QByteArray good = folder->readFile(s("DBFiles/DBAcs1.orv"));
    ASSERT_GT(good.size(), 8192);
    QByteArray noise(good.size(), '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((qint64(i) * 7919 + 13) % 251);
    const QList<QPair<QString, QByteArray>> backups = {
        {s("cut.bak"), good.left(good.size() / 2)},
        {s("noise.bak"), QByteArray("SQLite format 3\0", 16) + noise},
        {s("empty.bak"), QByteArray()},
    };
    TfrmMoxLogin dialog;
    for (const auto &[name, content] : backups) {
        const QString file = folder->writeFile(s("DBBack/") + name, content);
        SetZFileDialogAnswerer([file](bool, const QString &, const QString &) { return file; });
        messages.clear();
        try {
            dialog.RestoreDataFile();
            ADD_FAILURE() << qPrintable(name) << " was restored";
        } catch (const EZError &e) {
            EXPECT_TRUE(e.message().contains(s("不能用来还原"))) << qPrintable(e.message());
            EXPECT_TRUE(e.message().contains(file)) << qPrintable(e.message());
        }
        EXPECT_EQ(messages.size(), 1) << qPrintable(name); // the warning only, no success
        EXPECT_EQ(GetParamValue(s("MyName")), s("甲")) << qPrintable(name);
        EXPECT_EQ(DBConn().GetRecordCount(s("select * from comParams where ParamName = 'MyName'")), 1);
    }
    EXPECT_TRUE(fatalText.isEmpty()) << qPrintable(fatalText);
    EXPECT_FALSE(QFile::exists(path(s("DBFiles/DBAcs1.orv.restoring"))));
}

// A data file that is empty or no database is refused with a message naming
// it; the session stays on the file it had open and nothing is overwritten.
TEST_F(Login, ChoosingABrokenDataFileKeepsTheOpenOne)
{
    SaveParamValue(s("MyName"), s("甲"));
    folder->writeFile(s("DBFiles/DBAcs5.orv"), QByteArray());
    folder->writeFile(s("DBFiles/DBAcs6.orv"), QByteArray("not a data file, just text"));
    TfrmMoxLogin dialog;
    auto *files = dialog.findChild<QComboBox *>(s("cbxDataFile"));
    for (int index : {4, 5}) {
        messages.clear();
        files->setCurrentIndex(index);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages.at(0).contains(s("无法打开"))) << qPrintable(messages.at(0));
        EXPECT_TRUE(messages.at(0).contains(s("DBAcs%1.orv").arg(index + 1))) << qPrintable(messages.at(0));
        EXPECT_EQ(DBConn().DataFileNo, 1);
        EXPECT_EQ(files->currentIndex(), 0);
        EXPECT_EQ(owner(dialog), s("甲"));
    }
    EXPECT_EQ(QFileInfo(path(s("DBFiles/DBAcs5.orv"))).size(), 0);
    EXPECT_TRUE(fatalText.isEmpty()) << qPrintable(fatalText);
}

// Boxes opened from the login dialog (which stays on top) come up in front
// of it, centred on it, and take the focus.
TEST_F(Login, BoxesOpenInFrontOfTheDialog)
{
    TfrmMoxLogin dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    bool checked = false;
    SetZBoxAnswerer([&](QDialog &box) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &box; }, 5000));
        EXPECT_TRUE(box.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        ASSERT_NE(box.windowHandle(), nullptr);
        EXPECT_EQ(box.windowHandle()->transientParent(), dialog.windowHandle());
        EXPECT_LE((box.frameGeometry().center() - dialog.frameGeometry().center()).manhattanLength(), 2);
        EXPECT_FALSE(box.windowTitle().contains(s("—")));
        ZSaveScreenshot(box, s("login_wrong_password"));
        checked = true;
        box.findChild<QPushButton *>(s("btnOK"))->click();
    });
    typePassword(dialog, s("wrong"));
    QTest::mouseClick(dialog.findChild<QPushButton *>(s("btnLogin")), Qt::LeftButton);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
}
