#include "TfrmMoxLogin.h"
#include "common/ZAppTitle.h"

#include "common/ZErrors.h"
#include "common/ZFiles.h"
#include "common/ZTrim.h"
#include "common/ZVersion.h"
#include "controls/ZFileDialogs.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/ZDataFileRestore.h"
#include "common/ZGuard.h"
#include "forms/ZInputBox.h"
#include "forms/ZMessageBox.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QPushButton *button(QWidget *parent, const QString &caption, const char *name)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

QStringList TfrmMoxLogin::DataFileNames()
{
    return {QStringLiteral("第一帐套"), QStringLiteral("第二帐套"), QStringLiteral("第三帐套"),
            QStringLiteral("第四帐套"), QStringLiteral("第五帐套"), QStringLiteral("第六帐套"),
            QStringLiteral("第七帐套"), QStringLiteral("第八帐套"), QStringLiteral("第九帐套"),
            QStringLiteral("第十帐套")};
}

TfrmMoxLogin::TfrmMoxLogin(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(ZApplicationTitle() + QLatin1Char(' ') + GetAppVersionID());
    // A fixed dialog that stays on top: a caption and a close button only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::WindowStaysOnTopHint);

    auto *banner = new QLabel(ZApplicationTitle(), this);
    banner->setObjectName(QStringLiteral("lblBanner"));
    banner->setAlignment(Qt::AlignCenter);
    banner->setMinimumHeight(64);
    banner->setStyleSheet(QStringLiteral("QLabel { background: #2d6cb5; color: white; font-size: 22px; }"));

    m_owner = new QLabel(this);
    m_owner->setObjectName(QStringLiteral("lblOwner"));
    m_files = new QComboBox(this);
    m_files->setObjectName(QStringLiteral("cbxDataFile"));
    m_files->addItems(DataFileNames());
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("edtPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    auto *initial = new QLabel(QStringLiteral("(初始为空)"), this);
    initial->setEnabled(false);
    auto *passwordRow = new QHBoxLayout;
    passwordRow->addWidget(m_password, 1);
    passwordRow->addWidget(initial);

    auto *changeName = button(this, QStringLiteral("更改用户名"), "btnChangeName");
    auto *ownerRow = new QHBoxLayout;
    ownerRow->addWidget(m_owner, 1);
    ownerRow->addWidget(changeName);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("用户："), ownerRow);
    form->addRow(QStringLiteral("帐套："), m_files);
    form->addRow(QStringLiteral("密码："), passwordRow);

    auto *login = button(this, QStringLiteral("登陆"), "btnLogin");
    login->setDefault(true);
    auto *restore = button(this, QStringLiteral("还原帐套"), "btnRestore");
    auto *exit = button(this, QStringLiteral("退出"), "btnExit");
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(restore);
    buttons->addStretch();
    buttons->addWidget(login);
    buttons->addWidget(exit);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->addWidget(banner);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 8, 16, 0);
    body->addLayout(form);
    body->addSpacing(8);
    body->addLayout(buttons);
    layout->addLayout(body);
    setFixedWidth(400);
    setFixedHeight(sizeHint().height());

    connect(login, &QPushButton::clicked, this, [this] { ZGuard([this] { Login(); }); });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(changeName, &QPushButton::clicked, this, [this] { ZGuard([this] { ChangeName(); }); });
    connect(restore, &QPushButton::clicked, this, [this] { ZGuard([this] { RestoreDataFile(); }); });
    connect(m_files, &QComboBox::currentIndexChanged, this,
            [this](int index) { ZGuard([this, index] { ChooseDataFile(index); }); });

    m_files->setCurrentIndex(DBConn().DataFileNo - 1);
    showOwner();
    m_password->setFocus();
}

void TfrmMoxLogin::showOwner()
{
    m_owner->setText(GetParamValue(QStringLiteral("MyName")));
}

void TfrmMoxLogin::Login()
{
    const QString stored = GetParamValue(QStringLiteral("LoginPassWord"));
    if (stored.compare(m_password->text(), Qt::CaseInsensitive) == 0) {
        accept();
        return;
    }
    ZShowMessage(QStringLiteral("密码错误！"));
}

void TfrmMoxLogin::ChangeName()
{
    QString name = GetParamValue(QStringLiteral("MyName"));
    for (;;) {
        if (!ZInputQueryNew(ZApplicationTitle(), QStringLiteral("用户姓名"), name))
            return;
        if (!ZIsBlank(name))
            break;
        ZShowMessage(QStringLiteral("姓名不能为空，请重新输入"));
    }
    SaveParamValue(QStringLiteral("MyName"), name);
    m_owner->setText(name);
}

void TfrmMoxLogin::ChooseDataFile(int index)
{
    if (index < 0)
        return;
    if (index + 1 != DBConn().DataFileNo) {
        try {
            DBConn().ChangeAccessFile(index + 1);
        } catch (const EZError &) {
            // The session stays on the file it had open; the list says so.
            const QSignalBlocker blocker(m_files);
            m_files->setCurrentIndex(DBConn().DataFileNo - 1);
            showOwner();
            throw;
        }
    }
    showOwner();
}

void TfrmMoxLogin::RestoreDataFile()
{
    QString backup = GetCurrPath() + QStringLiteral("DBBack/*.bak");
    if (!zOpenDialog(QStringLiteral("帐套备份文件(*.bak)|*.bak|所有类型(*.*)|*.*"), backup))
        return;
    const int index = m_files->currentIndex();
    const QString warning = QStringLiteral("请注意：备份文件%1将覆盖当前%2的数据!%3您确定还原备份数据？")
                                .arg(backup, m_files->currentText(), QStringLiteral("\n"));
    if (ZMessageBox(windowTitle(), warning, {zbOK, zbCancel}) != zbOK)
        return;
    ZRestoreDataFile(DBConn(), backup, index + 1); // reopening reloads the parameters
    showOwner();
    ZShowMessage(QStringLiteral("数据还原成功！"));
}
