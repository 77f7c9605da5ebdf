// The login dialog as a person uses it: passwords, the owner's name, the
// choice of data file and restoring one from a backup.
#include "TDataFileTest.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "controls/ZFileDialogs.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "forms/ZMessageBox.h"
#include "login/TfrmMoxLogin.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

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
