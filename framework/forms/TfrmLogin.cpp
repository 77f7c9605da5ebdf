#include "TfrmLogin.h"
#include "common/ZAppTitle.h"

#include "common/ZGuard.h"
#include "ZMessageBox.h"

#include "common/ZEncode.h"
#include "settings/ZSession.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "common/ZVersion.h"
#include "data/TDBConn.h"
#include "data/ZKeyNumbers.h"
#include "data/ZSysConfig.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmLogin::TfrmLogin(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(ZApplicationTitle());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const QString userID = ReadSysConfig(QStringLiteral("Login"), QStringLiteral("UserID"));
    m_user = new QLineEdit(userID.isEmpty() ? QStringLiteral("Admin") : userID, this);
    m_user->setObjectName(QStringLiteral("edtUserID"));
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("edtPassword"));
    m_password->setEchoMode(QLineEdit::Password);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("子系统："),
                 new QLabel(ReadSysConfig(QStringLiteral("SYSTEM"), QStringLiteral("SubSystemName")), this));
    form->addRow(QStringLiteral("用户编号："), m_user);
    form->addRow(QStringLiteral("密码："), m_password);
    auto *database = new QLabel(QStringLiteral("数据库: [%1] [%2]")
                                    .arg(ReadSysConfig(QStringLiteral("SQLServer"), QStringLiteral("ServerName")),
                                         ReadSysConfig(QStringLiteral("SQLServer"), QStringLiteral("DefaultDB"))),
                                this);
    auto *login = new QPushButton(QStringLiteral("登陆"), this);
    login->setObjectName(QStringLiteral("btnLogin"));
    login->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(GetAppVersion(), this));
    buttons->addStretch();
    buttons->addWidget(login);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(database);
    layout->addLayout(buttons);

    connect(login, &QPushButton::clicked, this, [this] { ZGuard([this] { Login(); }); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmLogin::CheckUser()
{
    const QString typed = ZTrim(m_user->text());
    if (typed.isEmpty()) {
        ZShowMessage(QStringLiteral("请输入用户编号"));
        return false;
    }
    const auto rows = DBConn().DBOpenDataSet(
        QStringLiteral("select A.PersonID, A.PersonName, A.DepartID, B.UserID, B.LoginPwd from comPerson A left join "
                       "comUser B on A.PersonID = B.PersonID Where A.IsSysUser <> 0 And B.PersonID = %1")
            .arg(ZQuotedStr(typed)));
    for (rows->First(); !rows->Eof(); rows->Next()) {
        const QString userID = ZTrim(rows->FieldByName(QStringLiteral("UserID")).AsString());
        const QString password = DecodeString(ZTrim(rows->FieldByName(QStringLiteral("LoginPwd")).AsString()));
        if (password.compare(m_password->text(), Qt::CaseInsensitive) != 0 && !userID.isEmpty())
            continue;
        const QString personID = ZTrim(rows->FieldByName(QStringLiteral("PersonID")).AsString());
        SetLoginUserInfo(TUserInfo{userID.isEmpty() ? personID : userID, personID,
                                   ZTrim(rows->FieldByName(QStringLiteral("PersonName")).AsString()),
                                   ZTrim(rows->FieldByName(QStringLiteral("DepartID")).AsString())});
        return true;
    }
    ZShowMessage(QStringLiteral("用户名不存在或密码错误！"));
    return false;
}

void TfrmLogin::Login()
{
    InitUserTable();
    if (!CheckUser())
        return;
    WriteSysConfig(QStringLiteral("Login"), QStringLiteral("UserID"), m_user->text());
    accept();
}
