#include "TfrmRptBase.h"

#include "common/ZErrors.h"
#include "common/ZGuard.h"
#include "common/ZTrim.h"
#include "controls/TPrintRange.h"
#include "data/TParamInfo.h"
#include "forms/ZInputBox.h"
#include "launcher/TFormParams.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZDataset.h"
#include "metadata/TZField.h"
#include "metadata/ZDataSources.h"
#include "metadata/ZFieldDisplay.h"
#include "report/TRptDataSet.h"
#include "report/TfrmRptGridViewBase.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 640;
constexpr int kRowHeight = 40;
const QString kPresetLayout = QStringLiteral("预设报表");

} // namespace

TfrmRptBase::TfrmRptBase(QWidget *parent)
    : TfrmZForm(parent),
      m_reportData(std::make_unique<TRptDataSet>(QStringLiteral("ReportData"))),
      m_paramData(std::make_unique<TRptDataSet>(QStringLiteral("ParamData"))),
      m_whereBox(new QGroupBox(QStringLiteral("报表条件"), this)),
      m_gridType(new QRadioButton(QStringLiteral("表格式"), this)),
      m_fixType(new QRadioButton(QStringLiteral("固定式："), this)),
      m_layouts(new QComboBox(this)),
      m_names(new QPushButton(QStringLiteral("固定报表名称设置"), this)),
      m_progress(new QProgressBar(this)),
      m_run(new QPushButton(QStringLiteral("确定(&G)"), this)),
      m_stopButton(new QPushButton(QStringLiteral("停止(&X)"), this)),
      m_design(new QPushButton(QStringLiteral("报表设计(&X)"), this))
{
    setWindowTitle(QStringLiteral("报表前端界面基类"));
    SetSizeable(false);
    m_whereBox->setObjectName(QStringLiteral("gbWhere"));
    m_gridType->setObjectName(QStringLiteral("rbGrid"));
    m_fixType->setObjectName(QStringLiteral("rbFix"));
    m_layouts->setObjectName(QStringLiteral("cbxLayout"));
    m_names->setObjectName(QStringLiteral("btnLayoutNames"));
    m_progress->setObjectName(QStringLiteral("pbProgress"));
    m_run->setObjectName(QStringLiteral("btnRun"));
    m_stopButton->setObjectName(QStringLiteral("btnStop"));
    m_design->setObjectName(QStringLiteral("btnDesign"));
    m_gridType->setChecked(true);
    m_stopButton->setEnabled(false);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);

    auto *type = new QHBoxLayout;
    type->addWidget(m_gridType);
    type->addSpacing(16);
    type->addWidget(m_fixType);
    type->addWidget(m_layouts, 1);
    type->addWidget(m_names);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_progress, 1);
    buttons->addWidget(m_run);
    buttons->addWidget(m_stopButton);
    buttons->addWidget(m_design);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_whereBox, 1);
    layout->addLayout(type);
    layout->addLayout(buttons);

    connect(m_run, &QPushButton::clicked, this, [this] { ZGuard([this] { Run(); }); });
    connect(m_stopButton, &QPushButton::clicked, this, [this] { DoStop(); });
    connect(m_design, &QPushButton::clicked, this, [this] { ZGuard([this] { DoDesign(); }); });
    connect(m_names, &QPushButton::clicked, this, [this] { ZGuard([this] { EditLayoutNames(); }); });
    connect(m_layouts, &QComboBox::activated, this, [this] { m_fixType->setChecked(true); });
    resize(kWidth, 160);
}

TfrmRptBase::~TfrmRptBase()
{
    closeGridView();
}

void TfrmRptBase::FormReturnValue(const QString &name, const QString &value)
{
    if (name != kFormParamsName)
        return;
    const TFormParams *params = ZFormParamsAt(value);
    if (!params || (!m_progID.isEmpty() && m_progID.compare(params->ProgID, Qt::CaseInsensitive) == 0))
        return;
    const std::shared_ptr<TZDataSource> source = GetDataSourcePtr(params->ProgID);
    m_progID = source->Name;
    m_reportData->ProgID = m_progID;
    m_reportData->ProgDSIndex = 0;
    setWindowTitle(source->DisplayName);
    m_layoutNames = GetParamValue(QStringLiteral("RptFile_") + m_progID).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QString &layout : m_layoutNames)
        layout = ZTrim(layout);
    m_layoutNames.removeAll(QString());
    if (m_layoutNames.isEmpty())
        m_layoutNames << kPresetLayout;
    fillLayoutCombo();
    m_definition = ZReadRptDefinition(m_progID);
}

void TfrmRptBase::showEvent(QShowEvent *event)
{
    ZGuard([this] { ensureWhereCtrls(); });
    TfrmZForm::showEvent(event);
}

void TfrmRptBase::closeEvent(QCloseEvent *event)
{
    closeGridView();
    TfrmZForm::closeEvent(event);
}

void TfrmRptBase::closeGridView()
{
    if (!m_gridView)
        return;
    if (auto *view = qobject_cast<TfrmRptGridViewBase *>(m_gridView.data()))
        view->ReleaseData();
    QWidget *view = m_gridView;
    m_gridView = nullptr;
    view->close();
}

void TfrmRptBase::ensureWhereCtrls()
{
    if (m_whereBuilt || m_progID.isEmpty())
        return;
    m_whereBuilt = true;
    CreateWhereCtrl();
    const int top = 24 + int(m_ctrls.size()) * kRowHeight;
    AfterCreateWhereCtrl(top);
    m_whereBox->setMinimumHeight(top + 8);
    adjustSize();
    setFixedSize(kWidth, sizeHint().height());
}

void TfrmRptBase::CreateWhereCtrl()
{
    int top = 24;
    for (const TZRptCondition &condition : m_definition.conditions) {
        auto *ctrl = new TPrintRange(condition.kind, condition.field, condition.caption, m_whereBox);
        ctrl->setObjectName(QStringLiteral("PrintRange%1").arg(m_ctrls.size()));
        ctrl->SetProgID(fieldProgID(condition.field));
        ctrl->setGeometry(8, top, kWidth - 40, kRowHeight);
        ctrl->show();
        m_ctrls << ctrl;
        top += kRowHeight;
    }
}

void TfrmRptBase::AfterCreateWhereCtrl(int top)
{
    Q_UNUSED(top);
}

std::shared_ptr<TZDataSource> TfrmRptBase::FieldSource() const
{
    return GetDataSourcePtr(SourceMode() ? m_definition.srcProgID : m_progID);
}

TZField *TfrmRptBase::FieldDefinition(const QString &fieldName) const
{
    // A condition names its column as the statement does ("A.ItemID"): the
    // field is the part after the alias.
    const QString name = ZTrim(fieldName).section(QLatin1Char('.'), -1);
    if (name.isEmpty() || m_progID.isEmpty())
        return nullptr;
    const std::shared_ptr<TZDataSource> source = FieldSource();
    for (const std::unique_ptr<TZDataset> &dataset : source->Datasets) {
        for (const std::unique_ptr<TZTable> &table : dataset->Tables) {
            if (TZField *field = table->GetZField(name))
                return field;
        }
    }
    return nullptr;
}

QString TfrmRptBase::fieldProgID(const QString &fieldName) const
{
    const TZField *field = FieldDefinition(fieldName);
    return field ? ZTrim(field->RelativeDS) : QString();
}

TPrintRange *TfrmRptBase::PrintCtrl(const QString &field) const
{
    for (TPrintRange *ctrl : m_ctrls) {
        if (ctrl->WhereField().compare(field, Qt::CaseInsensitive) == 0)
            return ctrl;
    }
    return nullptr;
}

QString TfrmRptBase::FieldOnGetText(const TZDataField &field)
{
    const QString name = field.FieldName();
    return ZFieldDisplayText(FieldDefinition(name), field);
}

QString TfrmRptBase::FooterText(const QString &, const QVariant &)
{
    return {};
}

QString TfrmRptBase::GridViewFormClassName()
{
    return QStringLiteral("TfrmRptGridView");
}

TRptDataSet *TfrmRptBase::GetRptDataset(int index)
{
    return index == 0 ? m_reportData.get() : nullptr;
}

void TfrmRptBase::SetFieldVisible(const QString &name, bool visible)
{
    Q_UNUSED(name);
    Q_UNUSED(visible);
}

void TfrmRptBase::SetFieldDisplayLabel(const QString &name, const QString &label)
{
    Q_UNUSED(name);
    Q_UNUSED(label);
}

void TfrmRptBase::fillLayoutCombo()
{
    const QString current = m_layouts->currentText();
    m_layouts->clear();
    m_layouts->addItems(m_layoutNames);
    const int index = m_layouts->findText(current);
    m_layouts->setCurrentIndex(index >= 0 ? index : 0);
}

void TfrmRptBase::SetLayoutNames(const QStringList &names)
{
    QStringList kept;
    for (const QString &name : names) {
        if (!ZIsBlank(name) && !kept.contains(ZTrim(name)))
            kept << ZTrim(name);
    }
    SaveParamValue(QStringLiteral("RptFile_") + m_progID, kept.join(QLatin1Char(',')));
    // A name new to the parameters is read from the cache only after a reload.
    GetParamInfo().UpdateParamInfo();
    m_layoutNames = kept.isEmpty() ? QStringList{kPresetLayout} : kept;
    fillLayoutCombo();
}

void TfrmRptBase::EditLayoutNames()
{
    QString text = m_layoutNames.join(QLatin1Char(','));
    if (ZInputQueryNew(QStringLiteral("固定报表名称设置"), QStringLiteral("报表名称（以逗号分隔）："), text))
        SetLayoutNames(text.split(QLatin1Char(',')));
}

bool TfrmRptBase::FixedReport() const
{
    return m_fixType->isChecked();
}

QString TfrmRptBase::LayoutName() const
{
    return m_layouts->currentText();
}

void TfrmRptBase::SetReportType(bool fixed, const QString &layoutName)
{
    (fixed ? m_fixType : m_gridType)->setChecked(true);
    if (!layoutName.isEmpty()) {
        if (m_layouts->findText(layoutName) < 0)
            m_layouts->addItem(layoutName);
        m_layouts->setCurrentIndex(m_layouts->findText(layoutName));
    }
}

void TfrmRptBase::Run()
{
    ensureWhereCtrls();
    BeforeRun();
    m_stop = false;
    m_stopButton->setEnabled(true);
    m_run->setEnabled(false);
    const auto reset = [this] {
        m_progress->setValue(0);
        m_stopButton->setEnabled(false);
        m_run->setEnabled(true);
    };
    try {
        if (FixedReport())
            DoFixRun();
        else
            DoGridRun();
    } catch (...) {
        reset();
        throw;
    }
    reset();
}

void TfrmRptBase::BeforeRun() {}

void TfrmRptBase::DoStop()
{
    m_stop = true;
}
