// What the list's tool bar runs: the module's editing window for adding,
// editing, browsing and deleting, conditions, export and the chart.

#include "TfrmListForm.h"

#include "common/ZErrors.h"
#include "common/ZTrim.h"
#include "controls/ZGridExport.h"
#include "forms/ZMessageBox.h"
#include "launcher/TFormParams.h"
#include "launcher/ZLauncher.h"
#include "list/TfrmChartPub.h"
#include "list/TfrmSelfWhere.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "record/TfrmMasterData.h"

#include <QDir>

#include <memory>

void TfrmListForm::openEditor(const QString &action, const QString &key)
{
    TFormParams params;
    params.Action = action;
    params.ProgID = m_progID;
    params.KeyValue = key;
    params.WakeUpByProgID = WakeUpByProgID();
    WakeUpForm(ModifyFormClass(), wtShow, kFormParamsName, ZFormParamsAddress(params));
}

void TfrmListForm::AddNew()
{
    openEditor(QStringLiteral("AddNewEx"), QString());
}

void TfrmListForm::EditCurrent()
{
    const QString key = KeyValue();
    if (key.isEmpty())
        return;
    openEditor(QStringLiteral("Edit"), key);
}

void TfrmListForm::Browse()
{
    if (!m_dataSet->Active() || m_dataSet->IsEmpty()) {
        ZShowMessage(QStringLiteral("清单没有数据，请检查过滤条件，或通过新增、导入功能添加单据"));
        return;
    }
    openEditor(QStringLiteral("F3"), KeyValue());
}

void TfrmListForm::DeleteCurrent()
{
    const QString key = KeyValue();
    if (key.isEmpty())
        return;
    // The editing window deletes: it asks its questions and runs its checks
    // while nobody sees it.
    std::unique_ptr<QWidget> created(CreateNewForm(ModifyFormClass()));
    auto *editor = qobject_cast<TfrmMasterData *>(created.get());
    if (!editor)
        throw EZError(QStringLiteral("无法载入") + ModifyFormClass() + QStringLiteral("窗体"));
    TFormParams params;
    params.ProgID = m_progID;
    params.WakeUpByProgID = WakeUpByProgID();
    editor->FormReturnValue(kFormParamsName, ZFormParamsAddress(params));
    if (editor->MoveTo(key))
        editor->Perform(3);
    created.reset();
    Reload();
}

void TfrmListForm::DoSelfWhere()
{
    QString where;
    bool useDetail = false;
    if (GetSelfWhere(this, QString::fromLatin1(metaObject()->className()), m_progID, where, useDetail))
        ApplyCondition(where, useDetail);
}

QString TfrmListForm::ChoosePath()
{
    return ZChooseExportFile(this, DataSource().DisplayName);
}

void TfrmListForm::ExportToFile(const QString &fileName)
{
    ZExportGridToXlsx(*m_grid, fileName);
    ZShowMessage(QStringLiteral("已成功导出到 ") + QDir::toNativeSeparators(fileName));
}

void TfrmListForm::ExportList()
{
    const QString fileName = ChoosePath();
    if (fileName.isEmpty() || !ZConfirmOverwrite(this, fileName))
        return;
    ExportToFile(fileName);
}

void TfrmListForm::ShowChart()
{
    const TZDataSource &source = DataSource();
    ZShowChart(this, *m_dataSet, source.DisplayName, source.PropValueByName(QStringLiteral("ChartItemField")),
               source.PropValueByName(QStringLiteral("ChartValueField")),
               source.PropValueByName(QStringLiteral("ChartValueType")));
}
