// Saving a record: the checks before, the key and stamps, the write of every
// dataset (inside the save's transaction) and the refreshes after.

#include "TZStoredRows.h"
#include "TfrmMasterData.h"
#include "ZRowWalk.h"

#include "common/ZCounting.h"
#include "common/ZDates.h"
#include "common/ZErrors.h"
#include "common/ZSqlQuote.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/ZDbValues.h"
#include "data/ZKeyNumbers.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "settings/ZSession.h"
#include "settings/ZSwitches.h"

#include <QHash>

namespace {

/// The empty value of a field's kind; null for the kinds that stay null.
QVariant emptyValueOf(TZFieldType kind)
{
    switch (kind) {
    case ftZString:
    case ftZMemo:
        return QString();
    case ftZDate:
        return ZNumberToDateTime(2); // 1 January 1900
    case ftZInteger:
    case ftZSmallint:
        return 0;
    case ftZCurrency:
        return QVariant::fromValue(Currency());
    case ftZBoolean:
        return false;
    default:
        return {};
    }
}

/// A required entry left out: null, blank text, or a date no later than the
/// empty date (what an untouched date editor holds).
bool isBlank(const TZDataField &field, const TZField &definition)
{
    if (field.IsNull())
        return true;
    // A time of day is kept on the day zero, which is no empty date.
    if (definition.FieldType == ftZTime)
        return !field.AsDateTime().isValid();
    if (field.DataType() == ftZDate)
        return ZIsEmptyDate(field.AsDateTime());
    return ZTrim(field.AsString()).isEmpty();
}

} // namespace

QString TfrmMasterData::fieldLabel(const TZDataField &field) const
{
    const TZField *definition = ZFieldOf(field);
    if (definition && !definition->DisplayName.isEmpty())
        return definition->DisplayName;
    return field.DisplayLabel.isEmpty() ? field.FieldName() : field.DisplayLabel;
}

void TfrmMasterData::BeforeSave()
{
    TZDataSource &source = DataSource();
    TOrvDataSet &master = MasterData();
    for (auto &dataSet : m_datasets)
        dataSet->CheckBrowseMode();

    if (UseOrgManage() && UseTradingSystem()
        && m_progID.compare(QLatin1String("comCurrency"), Qt::CaseInsensitive) != 0) {
        if (ZTrim(GetCurrOrgID()).isEmpty())
            throw EZError(QStringLiteral("参数[当前分支机构]未设定，请先设定，才可进行资料的录入！"));
        if (ZTrim(GetCurrOrgCode()).isEmpty())
            throw EZError(QStringLiteral("当前分支机构的机构代码未设定，请先设定，才可进行资料的录入！"));
    }

    if (UseMutilCurrency()) {
        if (TZDataField *rate = master.FindField(QStringLiteral("ExchRate"))) {
            if (rate->AsFloat() < 0)
                throw EZError(fieldLabel(*rate) + QStringLiteral("值不能小于0！"));
            const TZDataField *currency = master.FindField(QStringLiteral("CurrID"));
            if (currency
                && ZTrim(currency->AsString())
                           .compare(ZTrim(GetParamValue(QStringLiteral("NativeCurrID"))), Qt::CaseInsensitive)
                       == 0
                && rate->AsFloat() != 1.0)
                throw EZError(QStringLiteral("币别是本位币，汇率必须为1，请确认！"));
        }
    }

    SyncKeyValue();
    // The branch and Flag stamps.
    for (int i = 0; i < DatasetCount(); ++i) {
        TOrvDataSet &dataSet = Dataset(i);
        const TZDataset &definition = *source.Datasets[std::size_t(i)];
        const int flag = definition.Tables.empty() ? 0 : definition.Tables.front()->Flag;
        TZDataField *flagField = flag != 0 ? dataSet.FindField(QStringLiteral("Flag")) : nullptr;
        TZDataField *orgField = i == 0 && source.HaveOrgID() ? dataSet.FindField(QStringLiteral("OrgID")) : nullptr;
        if (!flagField && !orgField)
            continue;
        ZForEachRow(dataSet, [&] {
            if (flagField)
                ZSetChanged(dataSet, *flagField, flag);
            if (orgField && ZTrim(orgField->AsString()).isEmpty())
                ZSetChanged(dataSet, *orgField, GetCurrOrgID());
        });
    }

    const QString exclusion = m_frmState == fsEdit ? QStringLiteral(" And ") + m_keyFieldName + QStringLiteral(" <> ")
                                                         + ZQuotedStr(m_currKeyValue)
                                                   : QString();
    for (int i = 0; i < DatasetCount(); ++i)
        checkRequired(i, exclusion);
    for (int i = 1; i < DatasetCount(); ++i) {
        if (!source.Datasets[std::size_t(i)]->AllowNotRow && Dataset(i).RecordCount() == 0)
            throw EZError(QStringLiteral("单据分录不允许为空"));
    }
}

void TfrmMasterData::checkRequired(int index, const QString &exclusion)
{
    TOrvDataSet &dataSet = Dataset(index);
    const TZDataSource &source = DataSource();
    struct TCheck
    {
        TZDataField *field;
        const TZField *definition;
        bool key;
    };
    std::vector<TCheck> checks;
    for (int c = 0; c < dataSet.FieldCount(); ++c) {
        TZDataField &field = dataSet.Fields(c);
        if (const TZField *definition = dataSet.ZFieldOf(field))
            checks.push_back({&field, definition, field.FieldName().compare(m_keyFieldName, Qt::CaseInsensitive) == 0});
    }
    ZForEachRow(dataSet, [&] {
        for (const TCheck &check : checks) {
            TZDataField &field = *check.field;
            const TZField &definition = *check.definition;
            if (field.IsNull() && !definition.IsRelationField && !definition.ReadOnly) {
                const QVariant empty = emptyValueOf(definition.FieldType);
                if (!empty.isNull()) {
                    if (dataSet.State() == dsBrowse)
                        dataSet.Edit();
                    field.SetValue(empty);
                }
            }
            if ((!definition.AllowEmpty || check.key) && isBlank(field, definition))
                throw EZError(QLatin1Char('[') + fieldLabel(field) + QStringLiteral("]不能为空"));
            // A new key was just looked up in this transaction (SyncKeyValue);
            // only an edited key needs the test again.
            const bool keyChecked = check.key && m_keyVerified;
            if (index == 0 && (definition.NoRepeat || check.key) && !keyChecked && !definition.GetReadOnly()
                && !definition.IsRelationField) {
                const TZTable *table = definition.Owner;
                const QString flagWhere = table ? table->GetFlagWhere(QString()) : QString();
                const QString oldValue = m_frmState == fsEdit ? field.OldValue().toString() : QString();
                if (DBConn().RepeatFieldValueCheck(table ? table->Name : source.MasterTableName, field.FieldName(),
                                                   flagWhere + exclusion, oldValue, field.AsString()))
                    throw EZError(QLatin1Char('[') + fieldLabel(field) + QStringLiteral("]字段值[") + field.AsString()
                                  + QStringLiteral("]出现重复"));
            }
        }
    });
}

void TfrmMasterData::SyncKeyValue()
{
    TZDataSource &source = DataSource();
    TOrvDataSet &master = MasterData();
    TDBConn &db = DBConn();
    TZDataField &keyField = master.FieldByName(m_keyFieldName);
    QString key = ZTrim(keyField.AsString()).toUpper();
    m_keyVerified = false;
    if ((m_frmState == fsAdd || m_frmState == fsCopy) && !key.isEmpty()) {
        // The count ignores the kind (Flag): kinds sharing a table share its
        // keys. A taken key is replaced by a new one, stepped on while that
        // too is taken (another kind may hold it); a module whose keys are
        // typed keeps the typed one, and the uniqueness test names it.
        auto taken = [&](const QString &candidate) {
            return ZTrim(db.DBSelectValue(QStringLiteral(" Select Count(*) From %1 Where %2 = %3")
                                              .arg(source.MasterTableName, m_keyFieldName, ZQuotedStr(candidate)))
                             .value(0))
                       .toInt()
                   > 0;
        };
        if (!taken(key)) {
            m_keyVerified = true;
        } else if (QString fresh = GetNewMasterKeyValue(); !fresh.isEmpty()) {
            for (int tries = 0; tries < 1000 && taken(fresh); ++tries)
                fresh = IncString(fresh);
            key = fresh;
            m_keyVerified = !taken(key);
        }
    }
    if (master.IsEmpty())
        return;
    ZSetChanged(master, keyField, key);

    const QString stamp = ServerStamp();
    QString created = stamp;
    if (TZDataField *field = master.FindField(QStringLiteral("SysCreateTime"))) {
        if (ZTrim(field->AsString()).isEmpty())
            ZSetChanged(master, *field, stamp);
        created = field->AsString();
    }
    const QString mark = SyncMark();
    for (int i = 0; i < DatasetCount(); ++i) {
        TOrvDataSet &dataSet = Dataset(i);
        const QString keyName = source.Datasets[std::size_t(i)]->KeyField;
        TZDataField *rowKey = keyName.isEmpty() ? nullptr : dataSet.FindField(keyName);
        TZDataField *createTime = dataSet.FindField(QStringLiteral("SysCreateTime"));
        TZDataField *updateTime = dataSet.FindField(QStringLiteral("SysLastUpdateTime"));
        TZDataField *sync = dataSet.FindField(QStringLiteral("SyncCompleted"));
        ZForEachRow(dataSet, [&] {
            if (rowKey)
                ZSetChanged(dataSet, *rowKey, key);
            if (createTime)
                ZSetChanged(dataSet, *createTime, created);
            if (updateTime)
                ZSetChanged(dataSet, *updateTime, stamp);
            if (sync)
                ZSetChanged(dataSet, *sync, mark);
        });
    }
}

QString TfrmMasterData::ServerStamp() const
{
    const QDateTime now = DBConn().DBGetServerDateTime();
    return DateTimeToText(now.time(), now.date());
}

QString TfrmMasterData::SyncMark() const
{
    return UseTradingSystem() ? GetCurrOrgCode() + QLatin1Char(',') : QStringLiteral("ZZ,");
}

void TfrmMasterData::fillEmptyValues(TOrvDataSet &dataSet, bool skipRelations)
{
    std::vector<std::pair<TZDataField *, QVariant>> fills;
    for (int c = 0; c < dataSet.FieldCount(); ++c) {
        TZDataField &field = dataSet.Fields(c);
        const TZField *definition = dataSet.ZFieldOf(field);
        if (!definition || (skipRelations && definition->IsRelationField) || definition->ReadOnly)
            continue;
        const QVariant empty = emptyValueOf(definition->FieldType);
        if (!empty.isNull())
            fills.emplace_back(&field, empty);
    }
    if (fills.empty())
        return;
    ZForEachRow(dataSet, [&] {
        for (auto &[field, empty] : fills) {
            if (field->IsNull())
                ZSetChanged(dataSet, *field, empty);
        }
    });
}

void TfrmMasterData::DoSave()
{
    for (int i = 0; i < DatasetCount(); ++i)
        saveDataset(i);
    DoAddChangeLog(m_frmState == fsEdit ? QStringLiteral("修改") : QStringLiteral("新增"));
}

void TfrmMasterData::saveDataset(int index)
{
    TOrvDataSet &dataSet = Dataset(index);
    fillEmptyValues(dataSet, true);
    dataSet.CheckBrowseMode();

    const bool editing = m_frmState == fsEdit;
    const QString newKey = ZTrim(MasterData().FieldByName(m_keyFieldName).AsString());
    TZClientDataSet work;
    // A new record has no stored rows (its key was just found free): the
    // empty statement of the dataset gives the same columns, and its text,
    // the same for every save, is prepared once.
    DBConn().DBOpenDataSet(work, editing || !m_keyVerified
                                     ? DataSource().GetOneBillSQL(index, editing ? m_currKeyValue : newKey, false)
                                     : DataSource().GetEmptyBillSQL(index, false));

    TZClientDataSet rows;
    rows.CloneCursor(dataSet);
    rows.SetIndexFieldNames(QString());
    TZStoredRows stored(dataSet, work);

    if (!editing) {
        for (const TZRowData *row : rows.visibleRows())
            stored.Append(row->values());
    } else if (index == 0) {
        if (rows.visibleRows().empty())
            return;
        if (work.IsEmpty())
            stored.Append(rows.visibleRows().front()->values());
        else
            stored.Update(rows.visibleRows().front()->values(), false);
    } else {
        // Lines are matched on ParentRowNo;RowNo (RowNo alone without a
        // parent column); a table without line numbers is written anew.
        const int rowNo =
            dataSet.FindField(QStringLiteral("RowNo")) ? dataSet.FieldByName(QStringLiteral("RowNo")).Index() : -1;
        const TZDataField *parentField = dataSet.FindField(QStringLiteral("ParentRowNo"));
        const int parentRowNo = parentField ? parentField->Index() : -1;
        TZDataField *storedRowNo = work.FindField(QStringLiteral("RowNo"));
        TZDataField *storedParent = work.FindField(QStringLiteral("ParentRowNo"));
        if (rowNo < 0 || !storedRowNo) {
            while (!work.IsEmpty()) {
                work.First();
                work.Delete();
            }
            for (const TZRowData *row : rows.visibleRows())
                stored.Append(row->values());
        } else {
            // Rows with a line number are matched pair by pair in order;
            // a window row without one is always new, a stored row without
            // one or left unmatched is deleted.
            auto lineKey = [](const QVariant &parent, const QVariant &row) {
                return QStringLiteral("%1;%2").arg(parent.toString(), row.toString());
            };
            QHash<QString, QList<const TZRowData *>> wanted;
            std::vector<const TZRowData *> fresh;
            for (const TZRowData *row : rows.visibleRows()) {
                const QVariant &number = row->values().at(rowNo);
                if (number.isNull())
                    fresh.push_back(row);
                else
                    wanted[lineKey(parentRowNo >= 0 ? row->values().at(parentRowNo) : QVariant(), number)].append(row);
            }
            work.SetIndexFieldNames(storedParent ? QStringLiteral("ParentRowNo;RowNo") : QStringLiteral("RowNo"));
            work.First();
            while (!work.Eof()) {
                auto found =
                    storedRowNo->IsNull()
                        ? wanted.end()
                        : wanted.find(lineKey(storedParent ? storedParent->Value() : QVariant(), storedRowNo->Value()));
                if (found == wanted.end() || found.value().isEmpty()) {
                    work.Delete();
                    continue;
                }
                stored.Update(found.value().takeFirst()->values(), true);
                work.Next();
            }
            for (const TZRowData *row : rows.visibleRows()) {
                const QVariant &number = row->values().at(rowNo);
                if (number.isNull())
                    continue;
                auto left = wanted.find(lineKey(parentRowNo >= 0 ? row->values().at(parentRowNo) : QVariant(), number));
                if (left != wanted.end() && left.value().removeOne(row))
                    stored.Append(row->values());
            }
            for (const TZRowData *row : fresh)
                stored.Append(row->values());
        }
    }
    work.UpdateBatch();
}

void TfrmMasterData::AfterSave()
{
    TZDataSource &source = DataSource();
    const QString key = ZTrim(MasterData().FieldByName(m_keyFieldName).AsString());
    for (auto &dataSet : m_datasets)
        dataSet->MergeChangeLog();
    m_frmState = fsBrowse;
    MoveTo(key, false);
    source.ReFreshDataList();
    source.SetNeedReGetLookUpListData(true);
    RefreshListForm();
    // A saved record is unchecked.
    if (const TZDataField *check = MasterData().FindField(QStringLiteral("HasCheck")); check && check->AsInteger() != 0)
        DBConn().DBExcuteSql(QStringLiteral(" Update %1 Set HasCheck = 0 Where %2 = %3")
                                 .arg(source.MasterTableName, m_keyFieldName, ZQuotedStr(key))
                             + source.GetMasterTableFlagWhere(false));
    if (UseBillLocks())
        DBConn().ClearAllBillLock(m_progID);
    if (UseBillLocks() && m_progID.compare(QLatin1String("comPerson"), Qt::CaseInsensitive) == 0)
        SyncPersonToUser();
}
