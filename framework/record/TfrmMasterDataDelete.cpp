// Deleting a record: the checks before (in use elsewhere, confirmation), the
// delete of every dataset inside the delete's transaction, and the
// neighbouring record after it.

#include "TfrmMasterData.h"

#include "common/ZErrors.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/ZKeyNumbers.h"
#include "forms/ZMessageBox.h"
#include "metadata/TDBSources.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"
#include "settings/ZSwitches.h"

TDeleteMsgType TfrmMasterData::DeleteMsgType()
{
    return DataSource().DatasetCount() == 1 ? mtName : mtID;
}

void TfrmMasterData::BeforeDelete()
{
    if (UseBillLocks())
        DBConn().CheckBillLock(m_progID, m_currKeyValue);
    if (m_frmState == fsChecked)
        throw EZError(QStringLiteral("单据已复核！不能删除"));
    if (m_frmState == fsVoided)
        throw EZError(QStringLiteral("单据已作废！请先还原（取消作废）在删除"));
    if (MasterData().IsEmpty())
        throw EZAbort();
    QString name;
    int datasetIndex = 0;
    if (GetCheckInUsed(m_currKeyValue, name, datasetIndex))
        throw EZError(QStringLiteral("此资料已被[%1]的第%2数据集所用，不能删除").arg(name).arg(datasetIndex));

    const QString fieldName =
        DeleteMsgType() == mtName && !DataSource().SubKey.isEmpty() ? DataSource().SubKey : m_keyFieldName;
    const TZDataField *field = MasterData().FindField(fieldName);
    if (!field)
        field = &MasterData().FieldByName(m_keyFieldName);
    const QString question = QStringLiteral("确定删除") + QLatin1Char('[') + fieldLabel(*field) + QStringLiteral("]为[")
                             + field->Text() + QLatin1Char(']') + QStringLiteral("这条记录？");
    if (ZMessageBox(QStringLiteral("提示"), question, {zbYes, zbNo}) != zbYes)
        throw EZAbort();
}

void TfrmMasterData::DoDelete()
{
    for (int i = 0; i < DatasetCount(); ++i)
        deleteDataset(i);
    DoAddChangeLog(QStringLiteral("删除"));
}

void TfrmMasterData::deleteDataset(int index)
{
    TZClientDataSet work;
    DBConn().DBOpenDataSet(work, DataSource().GetOneBillSQL(index, m_currKeyValue, false));
    while (!work.IsEmpty()) {
        work.First();
        work.Delete();
    }
    work.UpdateBatch();
}

void TfrmMasterData::AfterDelete()
{
    TZDataSource &source = DataSource();
    const QString deleted = m_currKeyValue;
    QString next = source.GetNextKeyValue(deleted);
    if (next.isEmpty())
        next = source.GetPriorKeyValue(deleted);
    m_currKeyValue.clear();
    MoveTo(next, false);
    source.ReFreshDataList();
    source.SetNeedReGetLookUpListData(true);
    RefreshListForm();
    if (m_progID.compare(QLatin1String("comPerson"), Qt::CaseInsensitive) == 0)
        SyncPersonToUser();
}

void TfrmMasterData::loadReferencingFields()
{
    if (m_referencingLoaded)
        return;
    m_referencingLoaded = true;
    // A module that refers to this one must be checked whether or not it was
    // opened in this session: every definition of the program is read (one
    // that does not load refers to nothing).
    QStringList names = RegisteredProgIDs();
    for (const QString &name : TDBSources().GetDBSourceList()) {
        if (!names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    for (const QString &name : names) {
        std::shared_ptr<TZDataSource> other;
        try {
            other = GetDataSourcePtr(name);
        } catch (const EZError &) {
            continue;
        }
        if (!other->CheckInUsed || other->IsReport)
            continue;
        bool refers = false;
        for (const auto &dataset : other->Datasets) {
            for (const auto &table : dataset->Tables) {
                for (const auto &field : table->Fields) {
                    if (field->CheckInUsed && ZTrim(field->RelativeDS).compare(m_progID, Qt::CaseInsensitive) == 0) {
                        m_referencingFields.push_back(field.get());
                        refers = true;
                    }
                }
            }
        }
        if (refers)
            m_referencingSources.push_back(std::move(other));
    }
}

bool TfrmMasterData::GetCheckInUsed(const QString &key, QString &name, int &datasetIndex)
{
    if (!DataSource().CheckInUsed)
        return false;
    loadReferencingFields();
    TDBConn &db = DBConn();
    for (const TZField *field : m_referencingFields) {
        const TZTable *table = field->Owner;
        const TZDataSource *other = field->OwnerZDS();
        if (!table || !other)
            continue;
        QString sql = QStringLiteral(" select ") + other->MasterKey + QStringLiteral(" from ") + table->Name
                      + QStringLiteral(" where ") + field->FieldName + QStringLiteral(" = ") + ZQuotedStr(key);
        if (table->Flag != 0)
            sql += QStringLiteral(" And Flag = ") + QString::number(table->Flag);
        const std::unique_ptr<TZClientDataSet> found = db.DBOpenDataSet(sql);
        if (found->IsEmpty())
            continue;
        name = other->DisplayName + QLatin1Char(':') + found->Fields(0).AsString();
        datasetIndex = table->Owner ? table->Owner->DatasetIndex : 0;
        return true;
    }
    return false;
}
