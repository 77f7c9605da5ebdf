// The framework's multi-user login: the administrator made on first use,
// passwords compared ignoring case, the user number remembered.
#include "TDataFileTest.h"
#include "TestText.h"

#include "common/ZEncode.h"
#include "settings/ZSession.h"
#include "data/TDBConn.h"
#include "data/ZSysConfig.h"
#include "forms/TfrmLogin.h"
#include "forms/ZMessageBox.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using FrameworkLogin = TDataFileTest;

TEST_F(FrameworkLogin, UsersPasswordsAndTheRememberedNumber)
{
    QStringList messages;
    SetZBoxAnswerer([&messages](QDialog &box) {
        messages << box.findChild<QLabel *>(s("lblText"))->text();
        box.findChild<QPushButton *>(s("btnOK"))->click();
    });
    TDBConn &db = DBConn();
    {
        TfrmLogin login;
        EXPECT_EQ(login.UserEdit()->text(), s("Admin"));
        login.Login(); // the administrator is made on first use, with no password
        EXPECT_EQ(login.result(), QDialog::Accepted);
        EXPECT_EQ(UserInfo.UserID, s("Admin"));
        EXPECT_EQ(UserInfo.PersonName, s("管理员"));
    }
    db.DBExcuteSql(
        s("insert into comPerson(PersonID, PersonName, DepartID, IsSysUser) values('007', '李四', 'D1', -1)"));
    db.DBExcuteSql(s("insert into comUser(UserID, PersonID, UserName, LoginPwd) values('U7', '007', '李四', '%1')")
                       .arg(EncodeString(s("PassWord"))));
    {
        TfrmLogin login;
        login.UserEdit()->setText(s(" 007 "));
        login.PasswordEdit()->setText(s("wrong"));
        login.Login();
        EXPECT_EQ(messages, QStringList({s("用户名不存在或密码错误！")}));
        login.PasswordEdit()->setText(s("password"));
        login.Login();
        EXPECT_EQ(login.result(), QDialog::Accepted);
        EXPECT_EQ(UserInfo, (TUserInfo{s("U7"), s("007"), s("李四"), s("D1")}));
        EXPECT_EQ(ReadSysConfig(s("Login"), s("UserID")), s(" 007 "));
    }
    {
        TfrmLogin login;
        EXPECT_EQ(login.UserEdit()->text(), s(" 007 "));
        login.UserEdit()->setText(s("  "));
        login.Login();
        EXPECT_EQ(messages.last(), s("请输入用户编号"));
    }
    SetZBoxAnswerer(nullptr);
}
