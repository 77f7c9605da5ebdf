#include "TZDataField.h"

#include "common/ZErrors.h"
#include "common/ZNumbers.h"
#include "common/ZTrim.h"
#include "data/TZClientDataSet.h"
#include "data/ZDbValues.h"

QVariant ZValueOfKind(const QVariant &value, TZFieldType kind)
{
    if (value.isNull() || !value.isValid())
        return {};
    const bool isText = value.typeId() == QMetaType::QString;
    if (isText && kind != ftZString && kind != ftZMemo && ZIsBlank(value.toString()))
        return {};
    switch (kind) {
    case ftZString:
    case ftZMemo:
        if (value.typeId() == QMetaType::QByteArray)
            return QString::fromUtf8(value.toByteArray());
        if (value.typeId() == QMetaType::QDateTime)
            return ZDateTimeToDbText(value.toDateTime());
        return ZStr(value);
    case ftZInteger:
    case ftZSmallint:
        if (isText) {
            bool ok = false;
            const int i = ZTrim(value.toString()).toInt(&ok);
            if (ok)
                return i;
            double d = 0;
            const QString t = ZTrim(value.toString());
            d = t.toDouble(&ok);
            return ok ? QVariant(ZInt(d)) : QVariant();
        }
        return ZInt(value);
    case ftZBoolean:
        return ZBool(value);
    case ftZFloat:
        if (isText) {
            bool ok = false;
            const double d = ZTrim(value.toString()).toDouble(&ok);
            return ok ? QVariant(d) : QVariant();
        }
        return ZFloat(value);
    case ftZCurrency:
        if (isText) {
            bool ok = false;
            const Currency c = Currency::fromString(ZTrim(value.toString()), &ok);
            return ok ? QVariant::fromValue(c) : QVariant();
        }
        return QVariant::fromValue(ZCurr(value));
    case ftZDate:
    case ftZTime: {
        const QDateTime moment = ZDbValueToDateTime(value);
        return moment.isValid() ? QVariant(moment) : QVariant();
    }
    case ftZBlob:
        if (isText)
            return value.toString().toUtf8();
        return value.toByteArray();
    }
    return value;
}

TZDataField::TZDataField(TZClientDataSet *dataSet, int index) : m_dataSet(dataSet), m_index(index) {}

const QString &TZDataField::FieldName() const
{
    return m_dataSet->columnInfo(m_index).name;
}

TZFieldType TZDataField::DataType() const
{
    return m_dataSet->columnInfo(m_index).type;
}

int TZDataField::Size() const
{
    return m_dataSet->columnInfo(m_index).size;
}

QVariant TZDataField::Value() const
{
    return m_dataSet->currentValue(m_index);
}

void TZDataField::SetValue(const QVariant &value)
{
    const TZFieldType kind = DataType();
    QVariant converted = ZValueOfKind(value, kind);
    // A typed text that is no date or number is refused, not stored as null.
    if (converted.isNull() && value.typeId() == QMetaType::QString && !ZIsBlank(value.toString())) {
        if (kind == ftZDate || kind == ftZTime)
            throw EZError(QStringLiteral("“%1”不是有效的日期").arg(value.toString()));
        if (kind == ftZInteger || kind == ftZSmallint || kind == ftZFloat || kind == ftZCurrency)
            throw EZError(QStringLiteral("“%1”不是有效的数值").arg(value.toString()));
    }
    m_dataSet->setCurrentValue(*this, std::move(converted));
}

bool TZDataField::IsNull() const
{
    const QVariant v = Value();
    return v.isNull() || !v.isValid();
}

QVariant TZDataField::OldValue() const
{
    return m_dataSet->oldValue(m_index);
}

QString ZValueText(const QVariant &v, int kind)
{
    if (v.isNull() || !v.isValid())
        return {};
    if (kind == ftZDate || kind == ftZTime) {
        const QDateTime m = ZDbValueToDateTime(v);
        if (kind == ftZTime)
            return m.time().toString(QStringLiteral("hh:mm:ss"));
        return m.time() == QTime(0, 0) ? m.date().toString(QStringLiteral("yyyy-MM-dd"))
                                       : m.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    if (kind == ftZBlob)
        return QString::fromUtf8(v.toByteArray());
    return ZStr(v);
}

QString ZDisplayText(const QVariant &value, int kind)
{
    if (kind == ftZDate && !value.isNull() && ZIsEmptyDate(ZDbValueToDateTime(value)))
        return {};
    return ZValueText(value, kind);
}

QString TZDataField::AsString() const
{
    return ZValueText(Value(), DataType());
}

int TZDataField::AsInteger() const
{
    return ZInt(Value());
}

double TZDataField::AsFloat() const
{
    return ZFloat(Value());
}

Currency TZDataField::AsCurrency() const
{
    return ZCurr(Value());
}

bool TZDataField::AsBoolean() const
{
    return ZBool(Value());
}

QDateTime TZDataField::AsDateTime() const
{
    return ZDbValueToDateTime(Value());
}

QString TZDataField::Text() const
{
    return OnGetText ? OnGetText(*this) : ZDisplayText(Value(), DataType());
}

void TZDataField::SetText(const QString &text)
{
    if (OnSetText)
        OnSetText(*this, text);
    else
        SetAsString(text);
}
