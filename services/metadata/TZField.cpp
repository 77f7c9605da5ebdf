#include "TZField.h"

#include "common/ZProperty.h"
#include "common/ZStrList.h"
#include "settings/ZSwitches.h"
#include "common/ZTrim.h"
#include "data/TCurrInfo.h"
#include "data/TParamInfo.h"
#include "ini/TZCustomIniFile.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZDataset.h"
#include "metadata/TZTable.h"
#include "metadata/ZDataSources.h"

TZField::TZField(TZTable *owner, const TZCustomIniFile *file, const QString &section, const QString &fieldName,
                 const QString &propertys)
    : Owner(owner),
      File(file),
      Section(section),
      FieldName(ZTrim(fieldName)),
      TableName(owner ? owner->Name : QString()),
      Propertys(propertys)
{
    const auto read = [this](const char *name) { return PropValueByName(QLatin1String(name)); };
    AliasName = read("AliasName");
    CheckFields = read("CheckFields");
    DefaultValue = read("DefaultValue");
    DisplayName = read("DisplayName");
    PickList = read("PickList");
    RelativeDS = read("RelativeDS");
    RelativeFields = read("RelativeFields");
    QString items = PickList;
    items.replace(QLatin1Char('-'), QLatin1Char('='));
    PickItems = PickListItems(items);
    FieldType = ZDSFieldType(FieldName, read("FieldType"));
    Length = ZDSInt(read("Length"));
    ShowDataListType = ZDSInt(read("ShowDataListType"));
    NumberType = ZDSNumberType(read("NumberType"));
    UICtrlPosition = ZDSUICtrlPosition(read("UICtrlPosition"));
    CtrlWidthType = ZDSCtrlWidthType(read("CtrlWidthType"));
    FieldIndex = ZDSInt(read("FieldIndex"));
    DigCount = ZDSInt(read("DigCount"), 1);
    IsKeyField = ZDSBool(read("IsKeyField"));
    AllowEmpty = ZDSBool(read("AllowEmpty"));
    CanDuplicate = ZDSBool(read("CanDuplicate"));
    CheckInUsed = ZDSBool(read("CheckInUsed"));
    NoRepeat = ZDSBool(read("NoRepeat"));
    ReadOnly = ZDSBool(read("ReadOnly"));
    Visible = ZDSBool(read("Visible"));
    ShowDataList = ZDSBool(read("ShowDataList"), true);
    NotNeedChkExistID = ZDSBool(read("NotNeedChkExistID"), true);
    ZeroNotShow = ZDSBool(read("ZeroNotShow"), true);
    IsNativeCurr = ZDSBool(read("IsNativeCurr"), true);
    SaveType = ZDSSaveType(read("SaveType"));
    SubPosition = ZDSSubPosition(read("SubPosition"));
}

QString TZField::GetPickListText(int value) const
{
    const bool numbered = PickItems.join(QLatin1Char(',')).contains(QLatin1Char('='));
    if (numbered) {
        for (const QString &item : PickItems) {
            const qsizetype eq = item.indexOf(QLatin1Char('='));
            if (eq < 0)
                continue;
            bool ok = false;
            if (ZTrim(item.mid(eq + 1)).toInt(&ok) == value && ok)
                return item.left(eq);
        }
        return {};
    }
    return PickItems.value(value);
}

int TZField::GetPickListValue(const QString &text) const
{
    const bool numbered = PickItems.join(QLatin1Char(',')).contains(QLatin1Char('='));
    if (numbered) {
        for (const QString &item : PickItems) {
            const qsizetype eq = item.indexOf(QLatin1Char('='));
            if ((eq < 0 ? item : item.left(eq)) != text)
                continue;
            bool ok = false;
            const int v = eq < 0 ? 0 : ZTrim(item.mid(eq + 1)).toInt(&ok);
            return ok ? v : -1;
        }
        return -1;
    }
    return int(PickItems.indexOf(text));
}

QString TZField::GetPickListTextForCbxList() const
{
    if (!PickList.contains(QLatin1Char('-')))
        return PickItems.join(QLatin1Char('\n'));
    QStringList texts;
    for (const QString &item : PickItems)
        texts << item.left(item.indexOf(QLatin1Char('=')) < 0 ? item.size() : item.indexOf(QLatin1Char('=')));
    return texts.join(QLatin1Char('\n'));
}

bool TZField::GetZFieldVisible() const
{
    if (!Visible)
        return false;
    if (!UseOrgManage() && RelativeDS.compare(QLatin1String("dssOrg"), Qt::CaseInsensitive) == 0)
        return false;
    if (UseMutilCurrency())
        return true;
    if (RelativeDS.compare(QLatin1String("comCurrency"), Qt::CaseInsensitive) == 0)
        return false;
    if (IsNativeCurr && Owner && !ZIsBlank(Owner->TableWhere))
        return false;
    if (NumberType == ntExchRate) {
        const TZDataSource *source = OwnerZDS();
        if (!source || source->Name.compare(QLatin1String("comCurrency"), Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

bool TZField::GetReadOnly() const
{
    bool readOnly = ReadOnly;
    const int flag = Owner ? Owner->Flag : 0;
    if (!readOnly && flag >= 201 && flag <= 204
        && (FieldName.compare(QLatin1String("Price"), Qt::CaseInsensitive) == 0
            || FieldName.compare(QLatin1String("Amount"), Qt::CaseInsensitive) == 0
            || FieldName.compare(QLatin1String("MAmount"), Qt::CaseInsensitive) == 0))
        readOnly = GetParamValue(QStringLiteral("SalePriceNotModify")) == QLatin1String("1");
    if (UseOrgManage() && FieldName.compare(QLatin1String("OrgID"), Qt::CaseInsensitive) == 0 && flag > 100)
        readOnly = true;
    return readOnly;
}

TZDataSource &TZField::GetRelativeSource() const
{
    return GetDataSource(RelativeDS);
}

TZDataSource *TZField::OwnerZDS() const
{
    return Owner && Owner->Owner ? Owner->Owner->Owner : nullptr;
}

QString TZField::PropValueByName(const QString &name) const
{
    return File && !Section.isEmpty() ? ReadDSProperty(*File, Section, Propertys, name) : GetProperty(Propertys, name);
}
