// Loading a list: the statement, its conditions, the rows, the field texts
// and the columns.

#include "TfrmListForm.h"

#include "common/ZGuard.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "controls/TZDBGrid.h"
#include "controls/ZGridColumns.h"
#include "data/TDBConn.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZSqlSwitches.h"
#include "metadata/ZFieldDisplay.h"
#include "settings/ZBusyCursor.h"
#include "settings/ZSession.h"

void TfrmListForm::GetData(const QString &where, bool useDetail)
{
    TZDataSource &source = DataSource();
    TZSqlSwitches switches;
    switches.includeHidden = ContainHideField();
    QString sql;
    if (!ZTrim(where).isEmpty()) {
        switches.joinDetail = useDetail;
        sql = source.GetDataSetSQL(0, switches) + where;
    } else {
        QString tail;
        GetDataSqlWhere(tail);
        sql = source.GetDataSetSQL(0, switches) + tail;
    }
    GetDataSql(sql);
    const TZBusyCursorScope busy;
    // A statement that does not run raises before the rows are touched.
    m_loading = true;
    try {
        // The first rows show at once; the rest come in pieces from the
        // event loop, so a long list never keeps the user waiting.
        m_dataSet->AfterFetch = nullptr;
        m_dataSet->SetIndexFieldNames(QString()); // a sorted dataset would read every row first
        DBConn().DBOpenDataSetInPieces(*m_dataSet, sql);
    } catch (...) {
        m_loading = false;
        throw;
    }
    m_loading = false;
    EnableActions();
    bindFields();
    setUpColumns();
    m_dataSet->First();
    if (m_dataSet->Fetching()) {
        // Ordering by the key and the value list need every row: they wait
        // for the last piece.
        m_dataSet->AfterFetch = [this](TZClientDataSet &) { ZGuard([this] { allRowsRead(); }); };
        return;
    }
    allRowsRead();
}

void TfrmListForm::allRowsRead()
{
    m_dataSet->AfterFetch = nullptr;
    const TZBookmark current = m_dataSet->GetBookmark();
    m_dataSet->SetIndexFieldNames(DataSource().MasterKey);
    if (!m_dataSet->GotoBookmark(current))
        m_dataSet->First();
    EnableActions();
    AfterGetData();
}

void TfrmListForm::GetDataSql(QString &) {}

void TfrmListForm::GetDataSqlWhere(QString &where)
{
    QString keyWords;
    ChangeKeyWordWhere(keyWords);
    if (!ZTrim(keyWords).isEmpty())
        where += QStringLiteral(" And ") + keyWords;
    // Users who may not browse all rows see the rows they entered.
    if (IsAdminUser() || m_powers.allBrowse || !DataSource().Datasets.front()->GetZField(QStringLiteral("MakerID")))
        return;
    where += QStringLiteral(" And A.MakerID = ") + ZQuotedStr(UserInfo.UserID);
}

void TfrmListForm::ChangeKeyWordWhere(QString &) {}

QString TfrmListForm::KeyValue()
{
    if (!m_dataSet->Active() || m_dataSet->IsEmpty())
        return {};
    const TZDataField *key = m_dataSet->FindField(DataSource().MasterKey);
    return key ? ZTrim(key->AsString()) : QString();
}

QString TfrmListForm::FieldOnGetText(const TZDataField &field)
{
    return ZFieldDisplayText(m_dataSet->ZFieldOf(field), field);
}

void TfrmListForm::bindFields()
{
    // Captions and display formats come with the dataset's module; the text
    // of a cell goes through the window's hook.
    for (int i = 0; i < m_dataSet->FieldCount(); ++i) {
        TZDataField &field = m_dataSet->Fields(i);
        if (m_dataSet->ZFieldOf(field))
            field.OnGetText = [this](const TZDataField &f) { return FieldOnGetText(f); };
    }
}

void TfrmListForm::setUpColumns()
{
    if (m_grid->DataSet() != m_dataSet.get())
        m_grid->SetDataSet(m_dataSet.get());
    if (m_columnsSet)
        return;
    RefreshGridByDS(*m_grid);
    for (const char *hidden : {"UseForFilter", "Flag"}) {
        if (m_dataSet->FindField(QLatin1String(hidden)))
            m_grid->SetColumnVisible(QLatin1String(hidden), false);
    }
    m_columnsSet = true;
}

void TfrmListForm::Reload()
{
    const QString key = KeyValue();
    GetData();
    if (!key.isEmpty())
        m_dataSet->Locate(DataSource().MasterKey, {key});
}

void TfrmListForm::ApplyCondition(const QString &where, bool useDetail)
{
    m_conditionInForce = true;
    struct TDone
    {
        bool &flag;
        ~TDone() { flag = false; }
    } done{m_conditionInForce};
    GetData(where, useDetail);
}
