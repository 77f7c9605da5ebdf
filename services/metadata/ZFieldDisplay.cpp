#include "ZFieldDisplay.h"

#include "common/ZErrors.h"
#include "common/ZNumbers.h"
#include "common/ZTrim.h"
#include "data/TCurrInfo.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"
#include "data/TZClientDataSet.h"
#include "data/ZFieldRules.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZDataset.h"
#include "metadata/TZField.h"
#include "metadata/ZDataSources.h"

namespace {

// The currency of a money or price value: the row's currency column of the
// field's dataset, or the home currency.
QString currencyOf(const TZField &definition, const TZDataField &field)
{
    if (definition.IsNativeCurr || (definition.NumberType != ntMoney && definition.NumberType != ntPrice))
        return {};
    const TZDataset *dataset = definition.Owner ? definition.Owner->Owner : nullptr;
    if (!dataset || ZIsBlank(dataset->CurrIDField))
        return {};
    const TZDataField *currency = field.DataSet()->FindField(dataset->CurrIDField);
    return currency ? ZTrim(currency->AsString()) : QString();
}

// The module a linked ID refers to, or null when the field is no linked ID
// or its module cannot be built.
TZDataSource *linkedSource(const TZField &definition)
{
    if (ZIsBlank(definition.RelativeDS) || definition.SaveType != stID || definition.IsRelationField)
        return nullptr;
    try {
        return &GetDataSource(definition.RelativeDS);
    } catch (const EZError &) {
        return nullptr;
    }
}

// A text field holding a module's name (SrcProgID, ProgID): shown as the
// module's caption.
bool namesModule(const TZDataField &field)
{
    return field.DataType() == ftZString
           && (field.FieldName().compare(QLatin1String("SrcProgID"), Qt::CaseInsensitive) == 0
               || field.FieldName().compare(QLatin1String("ProgID"), Qt::CaseInsensitive) == 0);
}

} // namespace

QString ZFieldDisplayText(const TZField *definition, const TZDataField &field)
{
    if (!definition)
        return ZDisplayText(field.Value(), field.DataType());
    if (!definition->Permitted)
        return ZHiddenFieldText();
    const QVariant value = field.Value();
    if (namesModule(field)) {
        const QString progID = ZTrim(field.AsString());
        return IsExistProgID(progID) ? GetDataSource(progID).DisplayName : progID;
    }
    if (field.DataType() == ftZBoolean)
        return value.isNull() ? QString() : ZBooleanText(field.AsBoolean());
    if ((field.DataType() == ftZInteger || field.DataType() == ftZSmallint) && !definition->PickItems.isEmpty())
        return value.isNull() ? QString() : definition->GetPickListText(field.AsInteger());
    if (IsZNumericType(field.DataType()) && definition->NumberType != ntUnAssign)
        return ZNumberText(value, TNumberType(definition->NumberType), currencyOf(*definition, field),
                           definition->ZeroNotShow);
    if (IsZNumericType(field.DataType()) && definition->ZeroNotShow && ZFloat(value) == 0)
        return {};
    TZDataSource *related = linkedSource(*definition);
    if (related && !value.isNull()) {
        const QString id = ZTrim(field.AsString());
        const QString name = related->GetNameByID(id);
        const bool found = !related->GetIDNameByID(id).isEmpty();
        return ZLinkedIDText(id, name, found, ZIDNameShowStyle());
    }
    if (field.DataType() == ftZString || field.DataType() == ftZMemo)
        return ZPlainText(field.AsString());
    return ZDisplayText(value, field.DataType());
}

QVariant ZFieldEntryValue(const TZField *definition, const TZDataField &field, const QString &text)
{
    const TZFieldType kind = field.DataType();
    if (definition && (kind == ftZInteger || kind == ftZSmallint) && !definition->PickItems.isEmpty())
        return definition->GetPickListValue(ZTrim(text));
    if (kind == ftZInteger || kind == ftZSmallint || kind == ftZFloat || kind == ftZCurrency) {
        const TNumberType type = definition ? TNumberType(definition->NumberType) : ntUnAssign;
        if (kind == ftZInteger || kind == ftZSmallint)
            return ZNumberFromText(text, kind, type, QString());
        return ZNumberFromText(text, kind, type, definition ? currencyOf(*definition, field) : QString());
    }
    if (definition && namesModule(field)) {
        // The caption shown stands for the module stored (captions may
        // repeat); another caption or a module name picks that module.
        const QString typed = ZTrim(text);
        if (typed == ZFieldDisplayText(definition, field))
            return field.Value();
        if (IsExistProgID(typed))
            return typed;
        for (const QString &progID : RegisteredProgIDs()) {
            if (GetDataSource(progID).DisplayName == typed)
                return progID;
        }
        return typed;
    }
    if (TZDataSource *related = definition ? linkedSource(*definition) : nullptr) {
        QList<QPair<QString, QString>> rows;
        const QStringList ids = related->GetIDList();
        const QStringList names = related->GetNameList();
        for (int i = 0; i < ids.size(); ++i)
            rows.append({ids.at(i), names.value(i)});
        return ZLinkedIDFromText(text, rows, ZIDNameShowStyle());
    }
    return ZTrim(text);
}
