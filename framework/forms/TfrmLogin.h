#pragma once

#include <QDialog>

class QLineEdit;

/// The framework's login for programs with several users (this program logs
/// in through its own dialog and never shows this one): a user number and a
/// password checked against the login users.
class TfrmLogin : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmLogin(QWidget *parent = nullptr);

    /// InitUserTable, CheckUser, then the user is remembered and logged in.
    void Login();
    /// Whether the typed user number and password name a login user (the
    /// password compared ignoring case); the matching user becomes UserInfo.
    bool CheckUser();

    QLineEdit *UserEdit() const { return m_user; }
    QLineEdit *PasswordEdit() const { return m_password; }

private:
    QLineEdit *m_user;
    QLineEdit *m_password;
};
