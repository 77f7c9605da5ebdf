// What the list's tool bar runs: the module's editing window for adding,
// editing, browsing and deleting, conditions and the chart.

#include "TfrmListForm.h"

#include "common/ZErrors.h"
#include "common/ZTrim.h"
#include "forms/ZMessageBox.h"
#include "launcher/TFormParams.h"
#include "launcher/ZLauncher.h"
#include "metadata/TOrvDataSet.h"
#include "record/TfrmMasterData.h"

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

void TfrmListForm::DoSelfWhere() {}

void TfrmListForm::ShowChart() {}
