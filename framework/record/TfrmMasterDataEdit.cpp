// Adding, copying, editing and cancelling a record.

#include "TfrmMasterData.h"

#include "common/ZClock.h"
#include "common/ZErrors.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "forms/ZMessageBox.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZNewMasterKey.h"
#include "settings/ZSession.h"
#include "settings/ZSwitches.h"

#include <QHash>

namespace {

void setIfWritable(TOrvDataSet &dataSet, const QString &name, const QString &relativeDS, const QString &value)
{
    TZDataField *field = dataSet.FindField(name);
    if (!field || field->ReadOnly)
        return;
    const TZField *definition = dataSet.ZFieldOf(*field);
    if (definition && definition->RelativeDS.compare(relativeDS, Qt::CaseInsensitive) == 0)
        field->SetAsString(value);
}

/// One row's values by field name.
using TRowValues = QList<QPair<QString, QVariant>>;

} // namespace

QString TfrmMasterData::GetNewMasterKeyValue()
{
    // The date of the record being added or copied, else today.
    QDate date = ZDate();
    TOrvDataSet &master = MasterData();
    if (master.Active() && (master.State() == dsInsert || !master.IsEmpty())) {
        if (const TZDataField *billDate = master.FindField(QStringLiteral("BillDate"));
            billDate && !billDate->IsNull() && billDate->AsDateTime().date().year() > 1900)
            date = billDate->AsDateTime().date();
    }
    return ::GetNewMasterKeyValue(DataSource(), date);
}

void TfrmMasterData::DoAddNew()
{
    OpenBillDataset(QString());
    MasterData().Append();
}

void TfrmMasterData::AfterAddNew()
{
    TOrvDataSet &master = MasterData();
    if (master.State() == dsBrowse)
        master.Edit();
    master.FieldByName(m_keyFieldName).SetAsString(GetNewMasterKeyValue());
    if (TZDataField *maker = master.FindField(QStringLiteral("MakerID")))
        maker->SetAsString(UserInfo.UserID);
    if (TZDataField *org = master.FindField(QStringLiteral("OrgID")))
        org->SetAsString(GetCurrOrgID());
    if (UseTradingSystem()) {
        setIfWritable(master, QStringLiteral("PersonID"), QStringLiteral("comPerson"), UserInfo.PersonID);
        setIfWritable(master, QStringLiteral("DepartID"), QStringLiteral("comDepartment"), UserInfo.DepartID);
    }
}

bool TfrmMasterData::CanCopyField(int, const QString &fieldName)
{
    // What belongs to the original alone: who made and checked it, where it
    // was carried over from, how much of it went on, whose branch it is.
    // A copy starts unchecked.
    static const QStringList never = {QStringLiteral("MakeID"),    QStringLiteral("PermitterID"),
                                      QStringLiteral("SrcProgID"), QStringLiteral("SrcBillNo"),
                                      QStringLiteral("QtyOut"),    QStringLiteral("OrgID"),
                                      QStringLiteral("HasCheck")};
    return !never.contains(fieldName, Qt::CaseInsensitive);
}

void TfrmMasterData::DoCopy()
{
    const QString newKey = GetNewMasterKeyValue();
    TZDataSource &source = DataSource();
    // The values to carry over, read before the datasets are emptied.
    std::vector<std::vector<TRowValues>> copies(static_cast<std::size_t>(DatasetCount()));
    for (int i = 0; i < DatasetCount(); ++i) {
        const TZDataset &definition = *source.Datasets[std::size_t(i)];
        if (!definition.CanDuplicate)
            continue;
        TOrvDataSet &dataSet = Dataset(i);
        dataSet.CheckBrowseMode();
        TZClientDataSet clone;
        clone.CloneCursor(dataSet);
        for (int r = 0; r < int(clone.visibleRows().size()); ++r) {
            clone.SetRecNo(r + 1);
            TRowValues values;
            for (int c = 0; c < clone.FieldCount(); ++c) {
                const TZDataField &field = clone.Fields(c);
                const TZField *zField = dataSet.ZFieldOf(dataSet.Fields(c));
                const bool lineLink =
                    field.FieldName().compare(QLatin1String("RowNo"), Qt::CaseInsensitive) == 0
                    || field.FieldName().compare(QLatin1String("ParentRowNo"), Qt::CaseInsensitive) == 0;
                if (field.IsNull() || !zField || zField->IsRelationField)
                    continue;
                if (lineLink || (zField->CanDuplicate && CanCopyField(i, field.FieldName())))
                    values.append({field.FieldName(), field.Value()});
            }
            copies[std::size_t(i)].push_back(std::move(values));
        }
    }
    OpenBillDataset(QString());
    for (int i = 0; i < DatasetCount(); ++i) {
        TOrvDataSet &dataSet = Dataset(i);
        if (i == 0 && copies[0].empty())
            copies[0].push_back({});
        for (const TRowValues &values : copies[std::size_t(i)]) {
            dataSet.Append();
            for (const auto &[name, value] : values)
                dataSet.FieldByName(name).SetValue(value);
            if (i > 0)
                dataSet.Post();
        }
        if (i > 0)
            dataSet.First();
    }
    TOrvDataSet &master = MasterData();
    master.FieldByName(m_keyFieldName).SetAsString(newKey);
    if (TZDataField *org = master.FindField(QStringLiteral("OrgID")))
        org->SetAsString(GetCurrOrgID());
}

void TfrmMasterData::BeforeEdit()
{
    if (m_frmState == fsChecked)
        throw EZError(QStringLiteral("单据已复核！不能修改！"));
    if (UseBillLocks())
        DBConn().CheckBillLock(m_progID, m_currKeyValue);
}

void TfrmMasterData::DoEdit()
{
    if (MasterData().IsEmpty())
        throw EZAbort();
    MasterData().Edit();
}

void TfrmMasterData::DoCancel()
{
    if (ShowCancelRemind()
        && ZMessageBox(QStringLiteral("提示"), QStringLiteral("您确定取消吗？"), {zbYes, zbNo}) != zbYes)
        throw EZAbort();
    cancelDatasets();
    if (UseBillLocks())
        DBConn().ClearAllBillLock(m_progID);
    const QString key = m_currKeyValue;
    SetFrmState(fsNoRecord);
    if (key.isEmpty() || !MoveTo(key, false))
        openFallbackRecord();
}
