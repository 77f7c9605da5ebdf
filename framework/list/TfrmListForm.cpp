// The list window itself: its module and dataset, tool bar, parameters,
// messages and the enabling of its actions.

#include "TfrmListForm.h"

#include "common/ZErrors.h"
#include "common/ZGuard.h"
#include "common/ZTrim.h"
#include "common/ZWinMessages.h"
#include "controls/TZDBGrid.h"
#include "forms/ZToolBar.h"
#include "launcher/TFormParams.h"
#include "launcher/ZLauncher.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZPowers.h"
#include "settings/ZSession.h"

#include <QAction>
#include <QMenu>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The tool bar, left to right; separators between the groups.
const TZToolAction kToolActions[] = {
    {"actAdd", u"新增", QStyle::SP_FileIcon},
    {"actEdit", u"修改", QStyle::SP_FileDialogDetailedView},
    {"actBrowse", u"查看", QStyle::SP_FileDialogContentsView},
    {"actDelete", u"删除", QStyle::SP_TrashIcon},
    {nullptr, nullptr, QStyle::SP_CustomBase},
    {"actRefresh", u"刷新", QStyle::SP_BrowserReload},
    {"actSelfWhere", u"条件", QStyle::SP_FileDialogListView},
    {"actTrans", u"转单", QStyle::SP_ArrowRight},
    {nullptr, nullptr, QStyle::SP_CustomBase},
    {"actExport", u"导出", QStyle::SP_DialogSaveButton},
    {"actImport", u"导入", QStyle::SP_DialogOpenButton},
    {"actChart", u"图表", QStyle::SP_FileDialogInfoView},
    {"actPrint", u"打印", QStyle::SP_DriveFDIcon},
    {nullptr, nullptr, QStyle::SP_CustomBase},
    {"actClose", u"退出", QStyle::SP_DialogCloseButton},
};

/// The systems whose list windows print.
bool SystemPrints()
{
    switch (CurrentSysID()) {
    case 1001:
    case 1007:
    case 1008:
    case 1009:
    case 1010:
    case 1011:
        return true;
    default:
        return false;
    }
}

} // namespace

TfrmListForm::TfrmListForm(QWidget *parent) : TfrmZForm(parent), m_dataSet(std::make_unique<TOrvDataSet>())
{
    m_dataSet->Name = QStringLiteral("ListData");
    buildToolBar();
    // Made here, not in the list above: the application's event filters of
    // framework windows already run while the grid is being made.
    m_grid = new TZDBGrid(this);
    m_grid->setObjectName(QStringLiteral("cxGrid1"));
    m_grid->SetReadOnly(true);
    m_grid->SetSortingAllowed(true);
    m_body = new QSplitter(Qt::Horizontal, this);
    m_body->setObjectName(QStringLiteral("splBody"));
    m_body->setChildrenCollapsible(false);
    m_body->addWidget(m_grid);
    m_body->setStretchFactor(0, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_body, 1);
    resize(820, 520);
    connect(m_grid, &TZDBGrid::rowDoubleClicked, this, [this] { ZGuard([this] { Browse(); }); });
}

TfrmListForm::~TfrmListForm()
{
    m_grid->SetDataSet(nullptr);
}

void TfrmListForm::buildToolBar()
{
    m_toolBar = ZCreateToolBar(this, kToolActions);
    m_transMenu = new QMenu(this);
    m_transMenu->setObjectName(QStringLiteral("pmTrans"));
    const auto run = [this](const char *name, auto operation) {
        connect(Action(QLatin1String(name)), &QAction::triggered, this,
                [this, operation] { ZGuard([this, operation] { (this->*operation)(); }); });
    };
    run("actAdd", &TfrmListForm::AddNew);
    run("actEdit", &TfrmListForm::EditCurrent);
    run("actBrowse", &TfrmListForm::Browse);
    run("actDelete", &TfrmListForm::DeleteCurrent);
    run("actRefresh", &TfrmListForm::Reload);
    run("actSelfWhere", &TfrmListForm::DoSelfWhere);
    run("actChart", &TfrmListForm::ShowChart);
    run("actExport", &TfrmListForm::ExportList);
    connect(Action(QStringLiteral("actClose")), &QAction::triggered, this, &QWidget::close);
    // The transfer entries drop down from their button.
    QAction *trans = Action(QStringLiteral("actTrans"));
    trans->setMenu(m_transMenu);
    if (auto *button = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(trans)))
        button->setPopupMode(QToolButton::InstantPopup);
    connect(m_transMenu, &QMenu::triggered, this,
            [this](QAction *item) { ZGuard([this, item] { MenuItemClick(item); }); });
    // What is not there yet stays out of sight: the import window and the
    // bill print window.
    for (const char *hidden : {"actImport", "actPrint"})
        Action(QLatin1String(hidden))->setVisible(false);
}

QAction *TfrmListForm::Action(const QString &name) const
{
    return findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

TZDataSource &TfrmListForm::DataSource() const
{
    if (!m_source)
        throw EZError(QStringLiteral("窗体的ProgID未设定"));
    return *m_source;
}

void TfrmListForm::SetProgID(const QString &progID)
{
    if (m_source)
        return;
    const QString name = ZTrim(progID);
    if (name.isEmpty())
        throw EZError(QStringLiteral("窗体的ProgID未设定"));
    m_source = GetDataSourcePtr(name);
    m_progID = m_source->Name;
    m_dataSet->ProgID = m_progID;
    m_dataSet->ProgDSIndex = 0;
    m_powerCode = ZLoginPowerCode(m_progID, m_source->Powers);
}

// --- parameters and messages ---

void TfrmListForm::FormReturnValue(const QString &name, const QString &value)
{
    if (name == kFormParamsName) {
        const TFormParams *params = ZFormParamsAt(value);
        if (!params)
            return;
        SetProgID(params->ProgID);
        const TFormParams copy = *params; // the record is gone once the message returns
        FormReturnValue(copy.Action, copy.KeyValue);
        return;
    }
    if (name.compare(QLatin1String("WakeUp"), Qt::CaseInsensitive) == 0) {
        wakeUp(name, value);
    } else if (name.compare(QLatin1String("F3"), Qt::CaseInsensitive) == 0) {
        // Opened by module with a key: the list shows, on that row.
        wakeUp(name, value);
        if (!ZTrim(value).isEmpty())
            m_dataSet->Locate(DataSource().MasterKey, {ZTrim(value)});
    } else if (name.compare(QLatin1String("ReFresh"), Qt::CaseInsensitive) == 0) {
        GetData();
    } else if (name.compare(QLatin1String("ReturnTranSelect"), Qt::CaseInsensitive) == 0) {
        if (ZTrim(value).isEmpty() || m_tranTarget.isEmpty())
            return;
        WakeUpBillFormByProg(m_tranTarget, value + QStringLiteral("[*]") + m_progID, QStringLiteral("TransferEx"));
    }
}

void TfrmListForm::wakeUp(const QString &name, const QString &value)
{
    if (!m_firstWake)
        return;
    m_initialising = true;
    struct TDone
    {
        TfrmListForm &form;
        ~TDone()
        {
            form.m_initialising = false;
            form.m_firstWake = false;
        }
    } done{*this};
    BeforeInit(name, value);
    FormInit();
    AfterFormInit();
}

bool TfrmListForm::event(QEvent *event)
{
    if (auto *message = dynamic_cast<TZMessageEvent *>(event); message && message->message() == ZWM_RELOADLIST) {
        ZGuard([this] { Reload(); });
        return true;
    }
    return TfrmZForm::event(event);
}

// --- initialisation and enabling ---

void TfrmListForm::FormInit()
{
    TZDataSource &source = DataSource();
    // The module's applicable items, granted by the user's code (all of
    // them for an administrator), as the record window reads them.
    const auto has = [this, &source](TPowerItem item) {
        return (source.PowerItems & ZPowerBit(item)) != 0 && GetHavePower(m_powerCode, item);
    };
    m_powers.add = has(piAdd);
    m_powers.edit = has(piEdit);
    m_powers.remove = has(piDelete);
    m_powers.allBrowse = has(piAllBrowse);
    m_powers.print = has(piPrint);
    m_powers.exportRows = has(piExport);
    Action(QStringLiteral("actAdd"))->setVisible(m_powers.add);
    Action(QStringLiteral("actEdit"))->setVisible(m_powers.edit);
    Action(QStringLiteral("actDelete"))->setVisible(m_powers.remove);
    Action(QStringLiteral("actPrint"))->setEnabled(m_powers.print && SystemPrints());
    Action(QStringLiteral("actExport"))->setEnabled(m_powers.exportRows);
    Action(QStringLiteral("actImport"))->setEnabled(m_powers.add);
    Action(QStringLiteral("actChart"))
        ->setEnabled(!ZTrim(source.PropValueByName(QStringLiteral("ChartItemField"))).isEmpty()
                     && !ZTrim(source.PropValueByName(QStringLiteral("ChartValueField"))).isEmpty());
    setWindowTitle(source.DisplayName + QStringLiteral("【清单】"));
    InitTransMenu();
    TidyToolBar();
}

void TfrmListForm::TidyToolBar()
{
    // A separator shows only between two groups that each show something.
    QAction *pending = nullptr;
    bool shownBefore = false;
    for (QAction *action : m_toolBar->actions()) {
        if (action->isSeparator()) {
            action->setVisible(false);
            if (shownBefore)
                pending = action;
            continue;
        }
        if (!action->isVisible())
            continue;
        if (pending)
            pending->setVisible(true);
        pending = nullptr;
        shownBefore = true;
    }
}

void TfrmListForm::AfterFormInit()
{
    GetData();
}

void TfrmListForm::InitTransMenu()
{
    // Bills carry over into other bills through this menu; no module of this
    // program defines a transfer, so it stays empty and its button hidden.
    m_transMenu->clear();
    Action(QStringLiteral("actTrans"))->setVisible(!m_transMenu->isEmpty());
}

void TfrmListForm::MenuItemClick(QAction *) {}

void TfrmListForm::EnableActions()
{
    const bool rows = m_dataSet->Active() && !m_dataSet->IsEmpty();
    Action(QStringLiteral("actEdit"))->setEnabled(rows && m_powers.edit);
    Action(QStringLiteral("actDelete"))->setEnabled(rows && m_powers.remove);
    Action(QStringLiteral("actBrowse"))->setEnabled(rows);
}

bool TfrmListForm::WakeUpByProgID()
{
    const QString own = ZTrim(DataSource().FormClassName);
    return own.isEmpty() || IsPublishBillForm(own);
}

QString TfrmListForm::ModifyFormClass()
{
    const QString own = ZTrim(DataSource().FormClassName);
    return own.isEmpty() ? QStringLiteral("TfrmMasterDataBase") : own;
}

bool TfrmListForm::ShowInTaskBar()
{
    switch (CurrentSysID()) {
    case 1003:
    case 1004:
    case 1005:
    case 1012:
        return true;
    default:
        return false;
    }
}
