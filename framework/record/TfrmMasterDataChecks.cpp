// Field validation of the record window: carried-over lines, keys in use,
// related keys that must exist.

#include "TfrmMasterData.h"

#include "common/ZErrors.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/ZDataSources.h"

void TfrmMasterData::wireFields(TOrvDataSet &dataSet)
{
    dataSet.AfterOpen = [this](TZClientDataSet &opened) {
        for (int c = 0; c < opened.FieldCount(); ++c) {
            TZDataField &field = opened.Fields(c);
            field.OnValidate = [this](TZDataField &f, const QVariant &value) {
                if (m_quiet == 0 && Editing())
                    FieldOnValidate(f, value);
            };
            field.OnChange = [this](TZDataField &f) {
                if (m_quiet == 0)
                    FieldOnChange(f);
            };
        }
    };
}

void TfrmMasterData::FieldOnValidate(TZDataField &field, const QVariant &newValue)
{
    TZClientDataSet &dataSet = *field.DataSet();
    // A line carried over from another bill keeps its product and unit.
    if (const TZDataField *source = dataSet.FindField(QStringLiteral("SrcBillNo"));
        source && !ZTrim(source->AsString()).isEmpty()
        && (field.FieldName().compare(QLatin1String("ProdID"), Qt::CaseInsensitive) == 0
            || field.FieldName().compare(QLatin1String("UnitID"), Qt::CaseInsensitive) == 0))
        throw EZError(QStringLiteral("此分录数据来源于转单，") + fieldLabel(field) + QStringLiteral(" 不能修改！"));

    // The key of a record in use elsewhere stays as it is.
    if (m_frmState == fsEdit && &dataSet == &MasterData() && DataSource().CheckInUsed
        && field.FieldName().compare(m_keyFieldName, Qt::CaseInsensitive) == 0
        && ZTrim(newValue.toString()).compare(m_currKeyValue, Qt::CaseInsensitive) != 0) {
        QString name;
        int datasetIndex = 0;
        if (GetCheckInUsed(m_currKeyValue, name, datasetIndex))
            throw EZError(QStringLiteral("此资料已被[%1]的第%2个数据集所用，主键不能修改").arg(name).arg(datasetIndex));
    }

    checkRelated(field, newValue.toString());
}

void TfrmMasterData::CheckIDFieldIsExist(TZDataField &field)
{
    checkRelated(field, field.AsString());
}

void TfrmMasterData::checkRelated(const TZDataField &field, const QString &value)
{
    const TZField *definition = ZFieldOf(field);
    if (!definition || ZTrim(definition->RelativeDS).isEmpty() || definition->NotNeedChkExistID
        || definition->SaveType == stName || ZTrim(value).isEmpty())
        return;
    std::shared_ptr<TZDataSource> related = GetDataSourcePtr(definition->RelativeDS);
    const std::unique_ptr<TZClientDataSet> found = DBConn().DBOpenDataSet(related->GetOneBillSQL(0, value, false));
    if (!found->IsEmpty())
        return;
    const TZField *relatedKey = related->GetZField(related->MasterKey);
    const QString caption =
        relatedKey && !relatedKey->DisplayName.isEmpty() ? relatedKey->DisplayName : definition->DisplayName;
    throw EZError(QStringLiteral("不存在[") + caption + QStringLiteral("]:") + value);
}
