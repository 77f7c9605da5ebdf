#include "TfrmUpdateDB.h"

#include "TfrmACCESSBackUp.h"

#include "common/ZErrors.h"
#include "common/ZWinMessages.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/ZDBType.h"
#include "forms/ZMessageBox.h"
#include "launcher/TFormClassCtrl.h"
#include "launcher/ZLauncher.h"
#include "metadata/ZListIndexes.h"
#include "settings/ZBusyCursor.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The message the window posts itself to update at once.
constexpr int kAutoUpdateMessage = 1135;

bool isServer()
{
    return ResolveDBType(GetDBType()) == dtMSSQL;
}

} // namespace

TfrmUpdateDB::TfrmUpdateDB(QWidget *parent) : TfrmZForm(parent)
{
    setWindowTitle(QStringLiteral("数据库升级"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);

    pnlOptions = new QWidget(this);
    pnlOptions->setObjectName(QStringLiteral("pnlOptions"));
    auto *options = new QVBoxLayout(pnlOptions);
    options->setContentsMargins(0, 0, 0, 0);
    auto *fields = new QGridLayout;
    cbxDatabase = new QComboBox(pnlOptions);
    cbxDatabase->setObjectName(QStringLiteral("cbxDatabase"));
    cbxDatabase->setEditable(true);
    edtOrgCode = new QLineEdit(QStringLiteral("ZB"), pnlOptions);
    edtOrgCode->setObjectName(QStringLiteral("edtOrgCode"));
    edtOrgCode->setMaxLength(2);
    edtOrgName = new QLineEdit(QStringLiteral("总部"), pnlOptions);
    edtOrgName->setObjectName(QStringLiteral("edtOrgName"));
    fields->addWidget(new QLabel(QStringLiteral("数据库"), pnlOptions), 0, 0);
    fields->addWidget(cbxDatabase, 0, 1, 1, 3);
    fields->addWidget(new QLabel(QStringLiteral("分支机构代码"), pnlOptions), 1, 0);
    fields->addWidget(edtOrgCode, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("机构名称"), pnlOptions), 1, 2);
    fields->addWidget(edtOrgName, 1, 3);
    options->addLayout(fields);

    auto *checks = new QHBoxLayout;
    const auto check = [this, checks](const char *name, const QString &caption, bool on) {
        auto *box = new QCheckBox(caption, pnlOptions);
        box->setObjectName(QLatin1String(name));
        box->setChecked(on);
        checks->addWidget(box);
        return box;
    };
    chkAll = check("chkAll", QStringLiteral("全选"), true);
    chkKeepOld = check("chkKeepOld", QStringLiteral("保留旧数据"), true);
    chkBackUp = check("chkBackUp", QStringLiteral("升级前备份数据库"), true);
    chkResetSync = check("chkResetSync", QStringLiteral("清空同步标记"), false);
    chkUpdateOrg = check("chkUpdateOrg", QStringLiteral("更新机构代码"), false);
    checks->addStretch();
    options->addLayout(checks);

    lstTables = new QListWidget(pnlOptions);
    lstTables->setObjectName(QStringLiteral("lstTables"));
    lstTables->setMinimumHeight(160);
    options->addWidget(lstTables);
    auto *note = new QLabel(QStringLiteral("重要提示：升级前请备份数据库，避免升级不成功时数据错误！！！"), pnlOptions);
    note->setObjectName(QStringLiteral("lblNote"));
    note->setStyleSheet(QStringLiteral("color: red;"));
    options->addWidget(note);
    layout->addWidget(pnlOptions);

    lstMessages = new QListWidget(this);
    lstMessages->setObjectName(QStringLiteral("lstMessages"));
    lstMessages->setMinimumSize(460, 220);
    layout->addWidget(lstMessages, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    btnUpdate = new QPushButton(QStringLiteral("升级"), this);
    btnUpdate->setObjectName(QStringLiteral("btnUpdate"));
    btnUpdate->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("取消"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(btnUpdate);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);

    // The server kind's choices mean nothing for a data file.
    const bool server = isServer();
    for (QWidget *w :
         {static_cast<QWidget *>(cbxDatabase), static_cast<QWidget *>(edtOrgCode), static_cast<QWidget *>(edtOrgName),
          static_cast<QWidget *>(chkBackUp), static_cast<QWidget *>(chkResetSync)})
        w->setEnabled(server);
    cbxDatabase->setEditText(server ? QString()
                                    : QFileInfo(GetDataFilePath(GetDBType(), DBConn().DataFileNo)).fileName());

    connect(chkAll, &QCheckBox::toggled, this, [this](bool on) {
        for (int i = 0; i < lstTables->count(); ++i)
            lstTables->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    });
    connect(btnUpdate, &QPushButton::clicked, this, [this] { guarded([this] { DoUpdate(); }); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { cancelClicked(); });

    guarded([this] {
        loadDefinitions();
        fillTables();
    });
}

TfrmUpdateDB::~TfrmUpdateDB() = default;

void TfrmUpdateDB::guarded(const std::function<void()> &body)
{
    try {
        body();
    } catch (const EZAbort &) {
    } catch (const EZError &e) {
        addMessage(QStringLiteral("错误：") + e.message());
    } catch (const std::exception &e) {
        addMessage(QStringLiteral("错误：") + QString::fromLocal8Bit(e.what()));
    }
}

void TfrmUpdateDB::addMessage(const QString &text)
{
    lstMessages->addItem(text);
    lstMessages->scrollToBottom();
}

void TfrmUpdateDB::loadDefinitions()
{
    QList<TZTableColumnDef> defs = LoadTableDefinitions(QStringLiteral("DBTables"), true);
    QList<TZIndexDef> indexes = LoadListIndexDefinitions(QStringLiteral("DBSource"), defs);
    if (m_update)
        m_update->SetDefinitions(std::move(defs), std::move(indexes));
    else
        m_update = std::make_unique<TZDBUpdate>(std::move(defs), std::move(indexes));
}

void TfrmUpdateDB::fillTables()
{
    lstTables->clear();
    for (const QString &table : ZDefinedTables(LoadTableDefinitions(QStringLiteral("DBTables"), true))) {
        auto *item = new QListWidgetItem(table, lstTables);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

QStringList TfrmUpdateDB::SelectedTables() const
{
    QStringList tables;
    for (int i = 0; i < lstTables->count(); ++i) {
        if (lstTables->item(i)->checkState() == Qt::Checked)
            tables << lstTables->item(i)->text();
    }
    return tables;
}

bool TfrmUpdateDB::DoUpdate()
{
    if (m_running)
        return false;
    TZDBUpdateOptions options;
    options.KeepOldData = chkKeepOld->isChecked();
    options.BackUp = chkBackUp->isChecked();
    options.ResetSync = chkResetSync->isChecked();
    options.UpdateOrgID = chkUpdateOrg->isChecked();
    options.OrgCode = edtOrgCode->text().trimmed();
    options.OrgName = edtOrgName->text().trimmed();
    const bool server = isServer();
    if (server)
        m_update->CheckServerOptions(options);
    const QStringList tables = SelectedTables();
    if (!m_auto) {
        QString text = QStringLiteral("升级前请确认如下信息，点击确定开始升级数据库\r\n* 升级前建议先备份数据库");
        if (!options.KeepOldData)
            text += QStringLiteral("\r\n* 您当前未选择保留旧数据，这样原先旧的数据将会丢失");
        text += QStringLiteral("\r\n* 准备升级 ") + QString::number(tables.size()) + QStringLiteral(" 张表");
        if (ZMessageBox(windowTitle(), text, {zbOK, zbCancel}) != zbOK)
            return false;
    }

    btnUpdate->setEnabled(false);
    btnCancel->setEnabled(true);
    m_running = true;
    bool done = false;
    {
        TZBusyCursorScope busy;
        // The server kind updates the chosen database (empty: the one in
        // use) and comes back to the one in use.
        const QString database = server ? cbxDatabase->currentText().trimmed() : QString();
        const QString before =
            database.isEmpty() ? QString() : DBConn().DBSelectValue(QStringLiteral("select DB_NAME()")).value(0);
        const bool switchDatabase = !database.isEmpty() && database != before;
        if (switchDatabase)
            DBConn().ChangeDB(database);
        m_update->OnMessage = [this](const QString &text) { addMessage(text); };
        m_update->OnBetweenTables = [] { QCoreApplication::processEvents(); };
        m_update->OnRegisterForms = [] { FormClassCtrl().DoResetFormClass(); };
        m_update->OnBackUp = [this] {
            WakeUpForm(QStringLiteral("TfrmACCESSBackUp"), wtShowModal, QStringLiteral("AutoBackUp"), QString());
            // No table is touched without a backup to go back to.
            if (TfrmACCESSBackUp::LastAutoBackUp().isEmpty())
                throw EZError(QStringLiteral("数据备份失败，数据库没有升级。"));
            loadDefinitions();
        };
        try {
            done = m_update->Execute(tables, options);
        } catch (...) {
            m_running = false;
            btnUpdate->setEnabled(true);
            throw;
        }
        m_running = false;
        btnUpdate->setEnabled(true);
        if (switchDatabase)
            DBConn().ChangeDB(before);
        GetParamInfo().UpdateParamInfo();
    }
    if (done) {
        ZShowMessage(QStringLiteral("升级完成！"));
        close();
    } else if (m_auto) {
        // The messages say what went wrong; the options let the user try
        // again, as an update started by hand: with its confirmation.
        pnlOptions->show();
        m_auto = false;
    }
    return done;
}

void TfrmUpdateDB::cancelClicked()
{
    if (m_running)
        m_update->Cancel();
    else
        close();
}

void TfrmUpdateDB::closeEvent(QCloseEvent *event)
{
    // The run goes on until its current table is done; Cancel stops it.
    if (m_running) {
        m_update->Cancel();
        event->ignore();
        return;
    }
    TfrmZForm::closeEvent(event);
}

void TfrmUpdateDB::FormReturnValue(const QString &name, const QString &value)
{
    if (name == QLatin1String("AutoUpdate") || value == QLatin1String("AutoUpdate")) {
        m_auto = true;
        QCoreApplication::postEvent(this, new TZMessageEvent(kAutoUpdateMessage));
    } else if (name == QLatin1String("FromCreateDB")) {
        chkAll->setChecked(true);
        for (int i = 0; i < lstTables->count(); ++i)
            lstTables->item(i)->setCheckState(Qt::Checked);
        cbxDatabase->setEditText(value);
    }
}

bool TfrmUpdateDB::event(QEvent *event)
{
    if (event->type() == QEvent::Type(kAutoUpdateMessage)) {
        pnlOptions->hide();
        // The notice waits for the window to be placed, so that it stands
        // centred in front of it.
        QMetaObject::invokeMethod(
            this,
            [this] {
                guarded([this] {
                    ZShowMessage(QStringLiteral("资料库结构更新，点击确认按钮，系统自动升级"));
                    show();
                    DoUpdate();
                });
            },
            Qt::QueuedConnection);
        return true;
    }
    return TfrmZForm::event(event);
}
