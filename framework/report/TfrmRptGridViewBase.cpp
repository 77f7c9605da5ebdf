#include "TfrmRptGridViewBase.h"

#include "common/ZGuard.h"
#include "common/ZTrim.h"
#include "common/ZWinMessages.h"
#include "controls/TZDBGrid.h"
#include "controls/ZGridExport.h"
#include "controls/ZGridSums.h"
#include "data/TZDataField.h"
#include "forms/ZMessageBox.h"
#include "launcher/TFormParams.h"
#include "launcher/ZLauncher.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZDataset.h"
#include "metadata/TZField.h"
#include "metadata/ZDataSources.h"
#include "report/TRptDataSet.h"
#include "report/TfrmRptBase.h"

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

TfrmRptGridViewBase::TfrmRptGridViewBase(QWidget *parent)
    : TfrmZForm(parent), m_title(new QLabel(this)), m_export(new QPushButton(QStringLiteral("导出"), this))
{
    // Made here: the application's event filters of framework windows
    // already run while the grid is being made.
    m_grid = new TZDBGrid(this);
    m_grid->setObjectName(QStringLiteral("cxGrid1"));
    m_title->setObjectName(QStringLiteral("lblTitle"));
    m_export->setObjectName(QStringLiteral("btnExport"));
    m_grid->SetReadOnly(true);
    m_grid->SetSortingAllowed(true);
    QFont font = m_title->font();
    font.setPointSize(font.pointSize() + 4);
    font.setBold(true);
    m_title->setFont(font);
    m_title->setAlignment(Qt::AlignCenter);
    connect(m_export, &QPushButton::clicked, this, [this] { ZGuard([this] { Export(); }); });
    auto *bar = new QHBoxLayout;
    bar->addWidget(m_title, 1);
    bar->addWidget(m_export);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_grid, 1);
    resize(760, 480);
    m_grid->View()->installEventFilter(this);
}

TfrmRptGridViewBase::~TfrmRptGridViewBase()
{
    m_grid->SetDataSet(nullptr);
}

void TfrmRptGridViewBase::FormReturnValue(const QString &name, const QString &value)
{
    if (name != kFormParamsName)
        return;
    const TFormParams *params = ZFormParamsAt(value);
    if (!params)
        return;
    auto *report = qobject_cast<TfrmRptBase *>(TfrmZForm::FormByHandle(params->KeyValue.toLongLong()));
    if (!report)
        report = qobject_cast<TfrmRptBase *>(ParentForm());
    if (!report) {
        close();
        return;
    }
    m_report = report;
    m_progID = params->ProgID;
    TZMessageEvent parent(ZWM_PARENTHANDLE, QString(), QString(), report->Handle());
    QCoreApplication::sendEvent(this, &parent);
    bind();
}

void TfrmRptGridViewBase::bind()
{
    TRptDataSet *data = m_report->GetRptDataset(0);
    setWindowTitle(m_report->windowTitle());
    m_title->setText(GetDataSourcePtr(m_progID)->DisplayName);
    m_grid->SetDataSet(nullptr);
    m_grid->SetDataSet(data);
    m_grid->SetFooterFormat([report = m_report](const QString &field, const QVariant &sum) {
        return report ? report->FooterText(field, sum) : QString();
    });
    if (!data || !data->Active())
        return;
    for (int i = 0; i < data->FieldCount(); ++i) {
        const TZDataField &field = data->Fields(i);
        const TZField *definition = definitionOf(field.FieldName());
        // Amounts and quantities add up in the footer; integers of a report
        // are months and codes, whose sum means nothing.
        const bool integer =
            definition && (definition->FieldType == ftZInteger || definition->FieldType == ftZSmallint);
        m_grid->SetColumnFooterSum(field.FieldName(), ZIsSummableColumn(*data, i) && !integer);
        if (!definition) {
            // A column the report made (a pivot's) keeps the caption it got.
            if (!field.DisplayLabel.isEmpty())
                m_grid->SetColumnCaption(field.FieldName(), field.DisplayLabel);
            continue;
        }
        m_grid->SetColumnCaption(field.FieldName(), ZTrim(definition->DisplayName).isEmpty() ? field.FieldName()
                                                                                             : definition->DisplayName);
        m_grid->SetColumnVisible(field.FieldName(), definition->GetZFieldVisible());
    }
    m_grid->View()->expandAll();
}

void TfrmRptGridViewBase::Export()
{
    const QString file = ZChooseExportFile(this, m_title->text() + QStringLiteral(".xlsx"));
    if (file.isEmpty() || !ZConfirmOverwrite(this, file))
        return;
    ZExportGridToXlsx(*m_grid, file);
    ZShowMessage(QStringLiteral("已成功导出到 ") + QDir::toNativeSeparators(file));
}

TfrmRptBase *TfrmRptGridViewBase::Report() const
{
    return m_report;
}

void TfrmRptGridViewBase::ReleaseData()
{
    m_grid->SetDataSet(nullptr);
    m_report = nullptr;
}

TZField *TfrmRptGridViewBase::definitionOf(const QString &fieldName) const
{
    return m_report ? m_report->FieldDefinition(fieldName) : nullptr;
}

void TfrmRptGridViewBase::OpenRelated()
{
    TZClientDataSet *data = m_grid->DataSet();
    const QModelIndex current = m_grid->View()->currentIndex();
    if (!m_report || !data || data->IsEmpty() || !current.isValid())
        return;
    const QString fieldName = m_grid->FieldOfColumn(current.column());
    const TZDataField *field = data->FindField(fieldName);
    if (!field)
        return;
    const QString value = ZTrim(field->AsString());
    if (value.isEmpty())
        return;
    // A bill number of a row that names its source module opens that bill.
    const TZDataField *srcProgID = data->FindField(QStringLiteral("SrcProgID"));
    if (srcProgID && !ZIsBlank(srcProgID->AsString())
        && (fieldName.compare(QLatin1String("BillNo"), Qt::CaseInsensitive) == 0
            || fieldName.compare(QLatin1String("SrcBillNo"), Qt::CaseInsensitive) == 0)) {
        WakeUpFormByProgID(ZTrim(srcProgID->AsString()), value, true);
        return;
    }
    if (m_report->SourceMode()
        && fieldName.compare(ZTrim(m_report->FieldSource()->MasterKey), Qt::CaseInsensitive) == 0) {
        WakeUpFormByProgID(m_report->SrcProgID(), value, true);
        return;
    }
    if (const TZField *definition = definitionOf(fieldName); definition && !ZIsBlank(definition->RelativeDS))
        WakeUpFormByProgID(ZTrim(definition->RelativeDS), value, true);
}

bool TfrmRptGridViewBase::eventFilter(QObject *watched, QEvent *event)
{
    if (m_grid && watched == m_grid->View() && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F3) {
        ZGuard([this] { OpenRelated(); });
        return true;
    }
    return TfrmZForm::eventFilter(watched, event);
}
