#pragma once

#include "common/Currency.h"
#include "data/ZFieldType.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <functional>

class TZClientDataSet;

/// A value converted to the kind of a field: texts to numbers, numbers to
/// texts, texts to dates and so on. An empty text is null for every kind but
/// the text kinds; a value that does not convert is null.
QVariant ZValueOfKind(const QVariant &value, TZFieldType kind);

/// The text of a value in a field of its kind: dates as "yyyy-MM-dd" (with
/// the time when it is not midnight), times as "hh:mm:ss", null as "".
QString ZValueText(const QVariant &value, int kind);

/// The text grids and editors show for a value of a field of its kind: the
/// value's text (ZValueText), but nothing for an empty date (ZIsEmptyDate).
/// Every display text of a field without its own rules comes from here.
QString ZDisplayText(const QVariant &value, int kind);

/// A field of a client dataset: reads and writes the value of its column in
/// the dataset's current record (the edit buffer while editing).
class TZDataField
{
public:
    TZDataField(TZClientDataSet *dataSet, int index);

    TZClientDataSet *DataSet() const { return m_dataSet; }
    int Index() const { return m_index; }
    const QString &FieldName() const;
    TZFieldType DataType() const;
    int Size() const;

    QVariant Value() const;
    /// Stores the value converted to the field's kind. The dataset must be in
    /// edit or insert state; OnValidate runs first (it may raise to refuse),
    /// OnChange after. A text that is no date for a date or time field raises
    /// EZError "“<text>”不是有效的日期", one that is no number for a number
    /// or money field "“<text>”不是有效的数值"; the field keeps its value. A
    /// blank text is null.
    void SetValue(const QVariant &value);
    bool IsNull() const;
    void Clear() { SetValue(QVariant()); }
    /// The value before the row was changed (null for a new row).
    QVariant OldValue() const;

    /// The value's text (ZValueText).
    QString AsString() const;
    void SetAsString(const QString &value) { SetValue(value); }
    int AsInteger() const;
    void SetAsInteger(int value) { SetValue(value); }
    double AsFloat() const;
    void SetAsFloat(double value) { SetValue(value); }
    Currency AsCurrency() const;
    void SetAsCurrency(Currency value) { SetValue(QVariant::fromValue(value)); }
    bool AsBoolean() const;
    void SetAsBoolean(bool value) { SetValue(value); }
    QDateTime AsDateTime() const;
    void SetAsDateTime(const QDateTime &value) { SetValue(value); }

    /// The text shown for the value: OnGetText when set, else ZDisplayText.
    QString Text() const;
    /// Stores a typed text: OnSetText when set, else SetAsString.
    void SetText(const QString &text);

    std::function<void(TZDataField &, const QVariant &newValue)> OnValidate;
    std::function<void(TZDataField &)> OnChange;
    std::function<QString(const TZDataField &)> OnGetText;
    std::function<void(TZDataField &, const QString &)> OnSetText;

    QString DisplayLabel;
    bool ReadOnly = false;
    bool Visible = true;
    bool Required = false;

private:
    TZClientDataSet *m_dataSet;
    int m_index;
};
