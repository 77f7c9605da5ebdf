// The record window itself: its module and datasets, tool bar, status line,
// parameters and the operation dispatch.

#include "TfrmMasterData.h"

#include "common/ZErrors.h"
#include "common/ZGuard.h"
#include "common/ZTrim.h"
#include "common/ZWinMessages.h"
#include "controls/TZDBGrid.h"
#include "controls/TZFieldLink.h"
#include "controls/ZEditorAdapter.h"
#include "data/TDBConn.h"
#include "forms/ZMessageBox.h"
#include "forms/ZToolBar.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZPowers.h"
#include "settings/ZSession.h"
#include "settings/ZSwitches.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QStyle>
#include <QToolBar>
#include <QTreeView>

namespace {

// The tool bar, left to right; separators between the groups.
const TZToolAction kToolActions[] = {
    {"actAdd", u"新增", QStyle::SP_FileIcon, "Ctrl+N"},
    {"actCopy", u"复制", QStyle::SP_FileDialogNewFolder, nullptr},
    {"actEdit", u"修改", QStyle::SP_FileDialogDetailedView, "Ctrl+E"},
    {"actDelete", u"删除", QStyle::SP_TrashIcon, nullptr},
    {nullptr, nullptr, QStyle::SP_CustomBase, nullptr},
    {"actSave", u"保存", QStyle::SP_DialogSaveButton, "Ctrl+S"},
    {"actCancel", u"取消", QStyle::SP_DialogCancelButton, nullptr},
    {nullptr, nullptr, QStyle::SP_CustomBase, nullptr},
    {"actFirst", u"第一笔", QStyle::SP_MediaSkipBackward, "Ctrl+Home"},
    {"actPrior", u"上一笔", QStyle::SP_MediaSeekBackward, "Ctrl+PgUp"},
    {"actNext", u"下一笔", QStyle::SP_MediaSeekForward, "Ctrl+PgDown"},
    {"actLast", u"最后一笔", QStyle::SP_MediaSkipForward, "Ctrl+End"},
    {"actFind", u"查找", QStyle::SP_FileDialogContentsView, "Ctrl+F"},
    {nullptr, nullptr, QStyle::SP_CustomBase, nullptr},
    {"actClose", u"退出", QStyle::SP_DialogCloseButton, nullptr},
};

constexpr int kToolBarHeight = 30;
constexpr int kStatusHeight = 20;

} // namespace

TfrmMasterData::TfrmMasterData(QWidget *parent) : TfrmZForm(parent)
{
    SetSizeable(false);
    buildToolBar();
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setIndent(6);
    m_status->setFrameShape(QFrame::StyledPanel);
    resize(640, 420);
}

TfrmMasterData::~TfrmMasterData()
{
    // The editors' links let go of the datasets as they are destroyed; the
    // datasets go before the widgets, so tell the links first.
    m_snapshots.clear();
    m_datasets.clear();
}

void TfrmMasterData::buildToolBar()
{
    m_toolBar = ZCreateToolBar(this, kToolActions);
    for (QAction *action : m_toolBar->actions()) {
        if (action->isSeparator())
            continue;
        const QString name = action->objectName();
        connect(action, &QAction::triggered, this, [this, name] {
            if (name == QLatin1String("actClose"))
                close();
            else
                Perform(GetOpAction(name));
        });
    }
}

QAction *TfrmMasterData::Action(const QString &name) const
{
    return findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

void TfrmMasterData::resizeEvent(QResizeEvent *event)
{
    TfrmZForm::resizeEvent(event);
    // A narrow window shows the buttons without their captions (the
    // captions stay as tool tips) rather than hiding some of them.
    if (m_toolBar->toolButtonStyle() == Qt::ToolButtonTextBesideIcon)
        m_fullToolBarWidth = m_toolBar->sizeHint().width();
    const bool captions = width() >= m_fullToolBarWidth;
    m_toolBar->setToolButtonStyle(captions ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
    // Without captions the gaps between the groups go too, so that every
    // button still fits.
    for (QAction *action : m_toolBar->actions()) {
        if (action->isSeparator())
            action->setVisible(captions);
    }
    m_toolBar->setGeometry(0, 0, width(), kToolBarHeight);
    m_status->setGeometry(0, height() - kStatusHeight, width(), kStatusHeight);
}

QString TfrmMasterData::StatusText() const
{
    return m_status->text();
}

void TfrmMasterData::ShowStatus(const QString &text)
{
    m_status->setText(text);
}

// --- module ---

void TfrmMasterData::SetProgID(const QString &progID)
{
    const QString name = ZTrim(progID);
    if (name.isEmpty())
        throw EZError(QStringLiteral("窗体的ProgID未设定"));
    m_source = GetDataSourcePtr(name);
    m_progID = m_source->Name;
    m_keyFieldName = m_source->MasterKey;
    m_datasets.clear();
    m_snapshots.clear();
    for (int i = 0; i < m_source->DatasetCount(); ++i) {
        for (auto *list : {&m_datasets, &m_snapshots}) {
            auto dataSet = std::make_unique<TOrvDataSet>();
            dataSet->Name = i == 0 ? QStringLiteral("MasterData") : QStringLiteral("Detaildata%1").arg(i);
            dataSet->ProgID = m_progID;
            dataSet->ProgDSIndex = i;
            list->push_back(std::move(dataSet));
        }
    }
    // A detail row belongs to its master; a second detail's rows belong to
    // the current row of the first detail (ParentRowNo).
    for (int i = 1; i < DatasetCount(); ++i)
        m_datasets[std::size_t(i)]->SetParentDataSet(m_datasets[std::size_t(i - 1)].get());
    for (auto &dataSet : m_datasets)
        wireFields(*dataSet);

    m_powerCode = ZLoginPowerCode(m_progID, m_source->Powers);
    // Buttons are shown for the module's applicable items only.
    for (QAction *action : m_toolBar->actions()) {
        const TPowerItem item = GetPowerItem(action->objectName());
        if (item != piLoad)
            action->setVisible((m_source->PowerItems & ZPowerBit(item)) != 0);
    }
    setWindowTitle(m_source->DisplayName);
}

TZDataSource &TfrmMasterData::DataSource() const
{
    if (!m_source)
        throw EZError(QStringLiteral("窗体的ProgID未设定"));
    return *m_source;
}

TOrvDataSet &TfrmMasterData::Dataset(int index) const
{
    if (index < 0 || index >= DatasetCount())
        throw EZError(QStringLiteral("[%1]中没有找到数据集定义[%2]").arg(windowTitle()).arg(index));
    return *m_datasets[std::size_t(index)];
}

TOrvDataSet &TfrmMasterData::Snapshot(int index) const
{
    if (index < 0 || index >= DatasetCount())
        throw EZError(QStringLiteral("[%1]中没有找到数据集定义[%2]").arg(windowTitle()).arg(index));
    return *m_snapshots[std::size_t(index)];
}

QString TfrmMasterData::GetPowerCode()
{
    return m_powerCode;
}

TZField *TfrmMasterData::ZFieldOf(const TZDataField &field) const
{
    auto *dataSet = dynamic_cast<TOrvDataSet *>(field.DataSet());
    return dataSet ? dataSet->ZFieldOf(field) : nullptr;
}

// --- parameters ---

void TfrmMasterData::FormReturnValue(const QString &name, const QString &value)
{
    if (name == kFormParamsName) {
        const TFormParams *params = ZFormParamsAt(value);
        if (!params)
            return;
        m_params = *params;
        applyParams();
        return;
    }
    // A row clicked in the search window: show that record.
    if (name == QLatin1String("ReturnSearchID")) {
        if (m_source && !ZTrim(value).isEmpty())
            MoveTo(ZTrim(value));
        return;
    }
    // A key chosen in the record selection window comes back under the name
    // of the field it is for.
    if (!Editing() || DatasetCount() == 0)
        return;
    TOrvDataSet *target = &MasterData();
    for (auto &dataSet : m_datasets) {
        if (dataSet.get() == m_selectTarget)
            target = m_selectTarget;
    }
    if (TZDataField *field = target->FindField(name); field && (target->State() != dsBrowse || !target->IsEmpty())) {
        if (target->State() == dsBrowse)
            target->Edit();
        field->SetAsString(value);
    }
}

void TfrmMasterData::applyParams()
{
    if (!m_initialised) {
        if (m_progID.isEmpty())
            SetProgID(m_params.ProgID);
        AfterFormInit();
        m_initialised = true;
        SetFrmState(fsNoRecord);
    }
    const QString action = m_params.Action;
    if (action.compare(QLatin1String("AddNewEx"), Qt::CaseInsensitive) == 0
        || action.compare(QLatin1String("AddNew"), Qt::CaseInsensitive) == 0) {
        if (Editing())
            throw EZError(QStringLiteral("当前窗体已经于编辑状态，无法移到指定记录"));
        if (m_frmState == fsNoRecord && m_currKeyValue.isEmpty())
            openFallbackRecord();
        RunAction(1);
        return;
    }
    if (action.isEmpty() && m_params.KeyValue.isEmpty())
        return;
    if (Editing())
        throw EZError(QStringLiteral("当前窗体已经于编辑状态，无法移到指定记录"));
    if (ZTrim(m_params.KeyValue).isEmpty())
        openFallbackRecord();
    else
        MoveTo(m_params.KeyValue);
    if (action.compare(QLatin1String("Edit"), Qt::CaseInsensitive) == 0 && m_frmState == fsBrowse)
        RunAction(2);
}

// --- states ---

void TfrmMasterData::SetFrmState(int state)
{
    m_frmState = state;
    UpdateActions();
    // Editors take typing only while adding, editing or copying.
    const bool editing = Editing();
    for (TZFieldLink *link : findChildren<TZFieldLink *>()) {
        if (QWidget *editor = link->Editor())
            TfrmZForm::SetCtrlsReadOnly({editor}, !editing || editor->property("zFieldReadOnly").toBool());
    }
}

void TfrmMasterData::UpdateActions()
{
    for (QAction *action : m_toolBar->actions()) {
        if (action->objectName().isEmpty() || action->objectName() == QLatin1String("actClose"))
            continue;
        SetActionState(m_frmState, action, m_powerCode);
    }
}

// --- operation dispatch ---

bool TfrmMasterData::DoBeforeAction(int op)
{
    // The same rule that enables the tool bar: an operation the state or the
    // user's powers do not allow ends silently.
    static const char *const names[] = {nullptr,   "actAdd",    "actEdit",   "actDelete", "actCopy",
                                        "actSave", "actCancel", "actFind",   "actFirst",  "actPrior",
                                        "actNext", "actLast",   "actExport", "actPrint"};
    if (op >= 1 && op < int(std::size(names)) && names[op]
        && !ZActionEnabled(m_frmState, QLatin1String(names[op]), m_powerCode))
        return false;
    return true;
}

void TfrmMasterData::DoAfterAction(int) {}

bool TfrmMasterData::RunAction(int op)
{
    if (!m_source)
        throw EZError(QStringLiteral("窗体的ProgID未设定"));
    if (Editing() && op != 6 && op != 14)
        commitEntry();
    if (!DoBeforeAction(op))
        return false;
    switch (op) {
    case 1:
        try {
            DoAddNew();
            AfterAddNew();
        } catch (...) {
            recoverRecord();
            throw;
        }
        SetFrmState(fsAdd);
        break;
    case 2:
        BeforeEdit();
        DoEdit();
        SetFrmState(fsEdit);
        AfterEdit();
        break;
    case 3:
        BeforeDelete();
        runWrite(3);
        AfterDelete();
        break;
    case 4:
        try {
            DoCopy();
        } catch (...) {
            recoverRecord();
            throw;
        }
        SetFrmState(fsCopy);
        AfterCopy();
        break;
    case 5:
        runWrite(5);
        AfterSave();
        break;
    case 6:
        DoCancel();
        break;
    case 7:
        DoSearch();
        break;
    case 8:
        MoveFirst();
        break;
    case 9:
        MovePrior();
        break;
    case 10:
        MoveNext();
        break;
    case 11:
        MoveLast();
        break;
    case 12:
        DoExport();
        break;
    case 13:
        DoPrint();
        break;
    case 14:
        DoHelp();
        break;
    case 16:
    case 17:
        DoSelectID();
        break;
    case 18:
        BeforeCheck();
        AfterCheck();
        break;
    case 19:
        BeforeUnCheck();
        AfterUnCheck();
        break;
    default:
        break;
    }
    DoAfterAction(op);
    return true;
}

void TfrmMasterData::cancelDatasets()
{
    for (auto &dataSet : m_datasets) {
        if (!dataSet->Active())
            continue;
        if (dataSet->State() != dsBrowse)
            dataSet->Cancel();
        dataSet->CancelBatch();
    }
}

void TfrmMasterData::recoverRecord()
{
    ++m_quiet;
    cancelDatasets();
    --m_quiet;
    m_frmState = fsNoRecord;
    ZGuard([this] {
        if (m_currKeyValue.isEmpty() || !MoveTo(m_currKeyValue, false))
            openFallbackRecord();
    });
}

void TfrmMasterData::commitEntry()
{
    QWidget *focused = QApplication::focusWidget();
    if (!focused || !isAncestorOf(focused))
        return;
    for (QWidget *widget = focused; widget && widget != this; widget = widget->parentWidget()) {
        if (auto *link = widget->findChild<TZFieldLink *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!ZEditorAdapter::IsReadOnly(widget))
                link->Write(); // a refused entry stops the operation with its message
            return;
        }
        if (auto *grid = qobject_cast<TZDBGrid *>(widget)) {
            // Leaving an open cell editor writes it.
            grid->View()->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

bool TfrmMasterData::Perform(int op)
{
    bool done = false;
    ZGuard([&] { done = RunAction(op); });
    return done;
}

void TfrmMasterData::runWrite(int op)
{
    // The window writes values itself here: no field validation.
    ++m_quiet;
    struct TQuiet
    {
        int &count;
        ~TQuiet() { --count; }
    } quiet{m_quiet};
    TZTransaction transaction(DBConn());
    if (op == 5) {
        BeforeSave();
        struct TSavingFlag
        {
            bool &flag;
            explicit TSavingFlag(bool &f) : flag(f) { flag = true; }
            ~TSavingFlag() { flag = false; }
        } saving(m_saving);
        DoSave();
    } else {
        DoDelete();
    }
    transaction.Commit();
}

// --- closing ---

bool TfrmMasterData::confirmClose()
{
    if (!Editing())
        return true;
    if (!ZGuard([this] { commitEntry(); }))
        return false;
    const TZMsgBtn answer = ZMessageBox(QStringLiteral("提示"), QStringLiteral("当前正处于编辑状态,要保存当前数据吗?"),
                                        {zbYes, zbNo, zbCancel});
    if (answer == zbYes)
        return Perform(5) && !Editing();
    if (answer == zbNo) {
        cancelDatasets();
        if (UseBillLocks())
            ZGuard([this] { DBConn().ClearAllBillLock(m_progID); });
        SetFrmState(fsNoRecord);
        return true;
    }
    return false;
}

void TfrmMasterData::closeEvent(QCloseEvent *event)
{
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    if (!m_currKeyValue.isEmpty())
        ZGuard([this] { KeyValuLog(m_currKeyValue); });
    TfrmZForm::closeEvent(event);
}
