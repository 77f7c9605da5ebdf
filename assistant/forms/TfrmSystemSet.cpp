#include "TfrmSystemSet.h"

#include "common/ZFiles.h"
#include "common/ZGuard.h"
#include "controls/ZFileDialogs.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/TZClientDataSet.h"
#include "data/TZDataField.h"
#include "media/TZPlayMusicCtrl.h"
#include "settings/ZAutoStart.h"
#include "settings/ZRegistry.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

// Times of day are kept on this day in date-time columns.
const QDate kDayZero(1899, 12, 30);

QTime timeOfParam(const QString &text)
{
    const QTime time = QTime::fromString(text.trimmed().rightJustified(6, QLatin1Char('0')), QStringLiteral("HHmmss"));
    return time.isValid() ? time : QTime(10, 0);
}

} // namespace

TfrmSystemSet::TfrmSystemSet(QWidget *parent) : TfrmZForm(parent)
{
    setWindowTitle(QStringLiteral("系统设定"));
    auto *layout = new QVBoxLayout(this);
    pgcSettings = new QTabWidget(this);
    pgcSettings->setObjectName(QStringLiteral("pgcSettings"));

    auto *general = new QWidget(pgcSettings);
    auto *generalForm = new QFormLayout(general);
    auto *soundRow = new QHBoxLayout;
    edtSound = new QLineEdit(general);
    edtSound->setObjectName(QStringLiteral("edtSound"));
    edtSound->setReadOnly(true);
    auto *choose = new QPushButton(QStringLiteral("选择文件"), general);
    choose->setObjectName(QStringLiteral("btnChooseSound"));
    soundRow->addWidget(edtSound, 1);
    soundRow->addWidget(choose);
    generalForm->addRow(QStringLiteral("提醒声音"), soundRow);
    edtBornTime = new QTimeEdit(general);
    edtBornTime->setObjectName(QStringLiteral("edtBornTime"));
    edtBornTime->setDisplayFormat(QStringLiteral("HH:mm"));
    generalForm->addRow(QStringLiteral("生日提醒时间"), edtBornTime);
    chkAutoRun = new QCheckBox(QStringLiteral("开机自动启动"), general);
    chkAutoRun->setObjectName(QStringLiteral("chkAutoRun"));
    generalForm->addRow(QString(), chkAutoRun);
    pgcSettings->addTab(general, QStringLiteral("常规设定"));

    auto *mail = new QWidget(pgcSettings);
    auto *mailForm = new QFormLayout(mail);
    const auto line = [mail](const QString &name) {
        auto *edit = new QLineEdit(mail);
        edit->setObjectName(name);
        return edit;
    };
    edtMailHost = line(QStringLiteral("edtMailHost"));
    edtMailPort = new QSpinBox(mail);
    edtMailPort->setObjectName(QStringLiteral("edtMailPort"));
    edtMailPort->setRange(1, 65535);
    edtMailUser = line(QStringLiteral("edtMailUser"));
    edtMailPassword = line(QStringLiteral("edtMailPassword"));
    edtMailPassword->setEchoMode(QLineEdit::Password);
    edtMailFrom = line(QStringLiteral("edtMailFrom"));
    chkBornMail = new QCheckBox(QStringLiteral("好友生日发送提醒邮件给我"), mail);
    chkBornMail->setObjectName(QStringLiteral("chkBornMail"));
    edtBornMail = line(QStringLiteral("edtBornMail"));
    mailForm->addRow(QStringLiteral("邮件服务器"), edtMailHost);
    mailForm->addRow(QStringLiteral("端口"), edtMailPort);
    mailForm->addRow(QStringLiteral("发送账号"), edtMailUser);
    mailForm->addRow(QStringLiteral("密码"), edtMailPassword);
    mailForm->addRow(QStringLiteral("发送者"), edtMailFrom);
    mailForm->addRow(QString(), chkBornMail);
    mailForm->addRow(QStringLiteral("接收邮件地址"), edtBornMail);
    pgcSettings->addTab(mail, QStringLiteral("邮件设定"));
    layout->addWidget(pgcSettings, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(choose, &QPushButton::clicked, this, [this] { ZGuard([this] { ChooseSound(); }); });
    connect(ok, &QPushButton::clicked, this, [this] {
        if (ZGuard([this] { SaveSettings(); }))
            close();
    });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    resize(480, 320);
    load();
}

TfrmSystemSet::~TfrmSystemSet() = default;

void TfrmSystemSet::load()
{
    const QString sound = ReadRegKey(QStringLiteral("RemindSound")).trimmed();
    edtSound->setText(sound.isEmpty() ? GetCurrPath() + QStringLiteral("Sounds/Msg2.MP3") : sound);
    edtBornTime->setTime(timeOfParam(GetParamValue(QStringLiteral("BornDateRemindTime"), QStringLiteral("100000"))));
    chkAutoRun->setChecked(ZIsAutoStart());
    edtMailHost->setText(GetParamValue(QStringLiteral("MailHost")));
    bool ok = false;
    const int port = GetParamValue(QStringLiteral("MailPort"), QStringLiteral("25")).trimmed().toInt(&ok);
    edtMailPort->setValue(ok && port > 0 ? port : 25);
    edtMailUser->setText(GetParamValue(QStringLiteral("MailUserName")));
    edtMailPassword->setText(GetParamValue(QStringLiteral("MailPassword")));
    edtMailFrom->setText(GetParamValue(QStringLiteral("MailFromName")));
    QString bornMail = GetParamValue(QStringLiteral("BornDateRemindEmail")).trimmed();
    if (bornMail.isEmpty())
        bornMail = GetParamValue(QStringLiteral("Email")).trimmed();
    edtBornMail->setText(bornMail);
    const QString mailMe = GetParamValue(QStringLiteral("BornDateEmailRemind")).trimmed();
    chkBornMail->setChecked(mailMe.isEmpty() || mailMe == QLatin1String("1"));
}

void TfrmSystemSet::FormReturnValue(const QString &name, const QString &value)
{
    if (name == QLatin1String("1") || value == QLatin1String("1"))
        pgcSettings->setCurrentIndex(1);
}

void TfrmSystemSet::ChooseSound()
{
    QString fileName = edtSound->text();
    if (!zOpenDialog(QStringLiteral("MP3(*.mp3)|*.mp3|MID(*.mid)|*.mid|WAV(*.wav)|*.wav"), fileName, this))
        return;
    edtSound->setText(fileName);
    WriteRegKey(QStringLiteral("RemindSound"), fileName);
    ZMusicPlayer().PlayOneTime(this, fileName);
}

void TfrmSystemSet::SaveSettings()
{
    const QTime bornTime(edtBornTime->time().hour(), edtBornTime->time().minute());
    TDBConn &db = DBConn();
    // The birthday-tomorrow reminders move to the new time in one write.
    const auto tomorrow =
        db.DBOpenDataSet(QStringLiteral("Select Flag,RemindID,RemindTime From moxRemind Where Flag = 2"));
    for (tomorrow->First(); !tomorrow->Eof(); tomorrow->Next()) {
        tomorrow->Edit();
        tomorrow->FieldByName(QStringLiteral("RemindTime")).SetAsDateTime(QDateTime(kDayZero, bornTime));
        tomorrow->Post();
    }
    tomorrow->UpdateBatch();
    SaveParamValue(QStringLiteral("BornDateRemindTime"), bornTime.toString(QStringLiteral("HHmmss")));
    ZSetAutoStart(chkAutoRun->isChecked());
    SaveParamValue(QStringLiteral("MailHost"), edtMailHost->text().trimmed());
    SaveParamValue(QStringLiteral("MailPort"), QString::number(edtMailPort->value()));
    SaveParamValue(QStringLiteral("MailUserName"), edtMailUser->text().trimmed());
    SaveParamValue(QStringLiteral("MailPassword"), edtMailPassword->text());
    SaveParamValue(QStringLiteral("MailFromName"), edtMailFrom->text().trimmed());
    SaveParamValue(QStringLiteral("BornDateEmailRemind"),
                   chkBornMail->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    SaveParamValue(QStringLiteral("BornDateRemindEmail"), edtBornMail->text().trimmed());
    GetParamInfo().UpdateParamInfo();
}
