// The report window's statements, the preparing of its data and the runs.
#include "TfrmRptBase.h"

#include "common/ZErrors.h"
#include "common/ZTrim.h"
#include "controls/TPrintRange.h"
#include "data/TDBConn.h"
#include "launcher/TFormParams.h"
#include "launcher/ZLauncher.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "report/TRptDataSet.h"
#include "report/ZRptSql.h"

#include <QApplication>
#include <QProgressBar>

void TfrmRptBase::GetPrintCtrlsWhere(int index, QString &where)
{
    Q_UNUSED(index);
    for (const TPrintRange *ctrl : m_ctrls)
        where += ctrl->GetWhere();
}

void TfrmRptBase::AddSqlWhere(int index, QString &where)
{
    GetPrintCtrlsWhere(index, where);
    if (ZRptTableHasCheck(ZRptTableName(*FieldSource(), SourceMode() ? 0 : index)))
        where += QStringLiteral(" And A.HasCheck = 1");
}

void TfrmRptBase::GetDesignSql(int index, QString &sql)
{
    sql = index == 0 && !SourceMode() ? m_definition.statement : QString();
}

void TfrmRptBase::GetSrcProgIDSql(int index, QString &sql)
{
    sql = ZRptSourceSql(*FieldSource(), m_definition.selectList);
    AddSqlWhere(index, sql);
}

void TfrmRptBase::GetPrintSql(int index, QString &sql)
{
    // In source mode the source statement carries its conditions already.
    if (SourceMode()) {
        GetSrcProgIDSql(index, sql);
        return;
    }
    GetDesignSql(index, sql);
    if (ZIsBlank(sql))
        sql = GetDataSourcePtr(m_progID)->GetDataSetSQLEx(index, true, true, false, false, false);
    AddSqlWhere(index, sql);
}

void TfrmRptBase::DoPreparyData(int index)
{
    TRptDataSet *dataset = GetRptDataset(index);
    if (!dataset)
        return;
    QString sql;
    GetPrintSql(index, sql);
    DBConn().DBOpenDataSet(*dataset, sql);
}

void TfrmRptBase::UpdateRptData(TRptDataSet *dataset, int index)
{
    Q_UNUSED(dataset);
    Q_UNUSED(index);
}

void TfrmRptBase::DoPreparyDatas()
{
    if (m_progID.isEmpty())
        return;
    DBConn().DBOpenDataSet(*m_paramData, QStringLiteral("Select * From comParams"));
    const int count = GetDataSourcePtr(m_progID)->DatasetCount();
    for (int i = 0; i < count; ++i) {
        QApplication::processEvents();
        if (m_stop)
            throw EZAbort();
        DoPreparyData(i);
        TRptDataSet *dataset = GetRptDataset(i);
        if (dataset && dataset->Active()) {
            UpdateRptData(dataset, i);
            for (int f = 0; f < dataset->FieldCount(); ++f)
                dataset->Fields(f).OnGetText = [this](const TZDataField &field) { return FieldOnGetText(field); };
        }
        ProgressBar()->setValue((i + 1) * 100 / count);
    }
    ProgressBar()->setValue(100);
}

void TfrmRptBase::DoGridRun()
{
    DoPreparyDatas();
    TFormParams params;
    params.Action = QStringLiteral("WakeUp");
    params.ProgID = m_progID;
    params.KeyValue = QString::number(Handle());
    params.WakeUpByProgID = true;
    m_gridView = WakeUpRelativeForm(this, GridViewFormClassName(), kFormParamsName, ZFormParamsAddress(params));
}

