#include "TfrmACCESSBackUp.h"

#include "common/ZClock.h"
#include "common/ZFiles.h"
#include "common/ZGuard.h"
#include "common/ZWinMessages.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/ZDBBackup.h"
#include "data/ZDBType.h"
#include "data/ZDataFileBackup.h"
#include "forms/ZMessageBox.h"
#include "settings/ZBusyCursor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The message a window posts itself to back up at once.
constexpr int kAutoBackUpMessage = 1124;

QString defaultFolder()
{
    return GetCurrPath() + QStringLiteral("DBBack/");
}

QString &lastAutoBackUp()
{
    static QString path;
    return path;
}

} // namespace

TfrmACCESSBackUp::TfrmACCESSBackUp(QWidget *parent) : TfrmZForm(parent)
{
    setWindowTitle(QStringLiteral("备份数据"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(12);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("数据备份路径"), this));
    edtPath = new QLineEdit(this);
    edtPath->setObjectName(QStringLiteral("edtPath"));
    edtPath->setMinimumWidth(320);
    edtPath->setText(ZBackUpFolder());
    row->addWidget(edtPath, 1);
    auto *choose = new QPushButton(QStringLiteral("..."), this);
    choose->setObjectName(QStringLiteral("btnChoose"));
    choose->setFixedWidth(32);
    row->addWidget(choose);
    layout->addLayout(row);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOK = new QPushButton(QStringLiteral("确定"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(btnOK);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    // A small box of its designed size.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(choose, &QPushButton::clicked, this, [this] { ZGuard([this] { chooseFolder(); }); });
    connect(btnOK, &QPushButton::clicked, this, [this] { ZGuard([this] { okClicked(); }); });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    SetSizeable(false);
}

TfrmACCESSBackUp::~TfrmACCESSBackUp() = default;

void TfrmACCESSBackUp::chooseFolder()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("选择备份数据库的路径"), edtPath->text());
    if (!folder.isEmpty())
        edtPath->setText(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

QString TfrmACCESSBackUp::BackUp()
{
    TZBusyCursorScope busy;
    QString folder = edtPath->text().trimmed();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = defaultFolder();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    TDBConn &db = DBConn();
    const QString dataFile = GetDataFilePath(GetDBType(), db.DataFileNo);
    const QString backup = ZBackUpDataFile(dataFile, folder, ZDataFileBackupName(db.DataFileNo, ZNow()));
    // A parameter saved for the first time enters the cache at a reload:
    // the folder is read back at once all the same.
    const bool cached = GetParamInfo().GetParamItem(QStringLiteral("DBBackPath")) != nullptr;
    SaveParamValue(QStringLiteral("DBBackPath"), folder);
    if (!cached)
        GetParamInfo().UpdateParamInfo();
    edtPath->setText(folder);
    return backup;
}

QString TfrmACCESSBackUp::LastAutoBackUp()
{
    return lastAutoBackUp();
}

void TfrmACCESSBackUp::okClicked()
{
    const QString backup = BackUp();
    if (m_auto)
        lastAutoBackUp() = backup;
    else
        ZShowMessage(QStringLiteral("数据已备份至: ") + QDir::toNativeSeparators(backup));
    close();
}

void TfrmACCESSBackUp::FormReturnValue(const QString &name, const QString &value)
{
    if (name == QLatin1String("AutoBackUp") || value == QLatin1String("AutoBackUp")) {
        m_auto = true;
        lastAutoBackUp().clear();
        QCoreApplication::postEvent(this, new TZMessageEvent(kAutoBackUpMessage));
    }
}

bool TfrmACCESSBackUp::event(QEvent *event)
{
    if (event->type() == QEvent::Type(kAutoBackUpMessage)) {
        ZGuard([this] {
            try {
                okClicked();
            } catch (...) {
                close();
                throw;
            }
        });
        return true;
    }
    return TfrmZForm::event(event);
}
