#include "ZRowToColumn.h"

#include "common/ZErrors.h"
#include "common/ZTrim.h"
#include "data/TDBConn.h"

#include <QHash>

std::unique_ptr<TZClientDataSet> RowToColumn(TZClientDataSet &dataSet, const QString &columnField, bool addSum,
                                             const QString &rowFields, const QString &valueField,
                                             const QString &captionField)
{
    const QStringList rowKeys = ZFieldNameList(rowFields);
    TZDataField &columnSource = dataSet.FieldByName(columnField);
    TZDataField &valueSource = dataSet.FieldByName(valueField);
    TZDataField *captionSource = dataSet.FindField(captionField);

    // The common fields keep their kind and name.
    QStringList select;
    QStringList common;
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        const QString name = dataSet.Fields(i).FieldName();
        if (name.compare(columnField, Qt::CaseInsensitive) == 0 || name.compare(valueField, Qt::CaseInsensitive) == 0
            || name.compare(captionField, Qt::CaseInsensitive) == 0)
            continue;
        common << name;
        select << ZFieldTypeName(dataSet.Fields(i).DataType()) + QStringLiteral(" as [") + name + QLatin1Char(']');
    }

    // One value column per distinct column value, in the order of those values.
    TZClientDataSet byColumn;
    byColumn.CloneCursor(dataSet);
    byColumn.SetFiltered(false);
    byColumn.SetIndexFieldNames(columnField);
    QHash<QString, int> columnOf;
    QStringList distinct;
    for (byColumn.First(); !byColumn.Eof(); byColumn.Next()) {
        const QString key = ZTrim(byColumn.FieldByName(columnField).AsString());
        if (!columnOf.contains(key)) {
            columnOf.insert(key, int(distinct.size()));
            distinct << key;
        }
    }
    const QString valueType = ZFieldTypeName(valueSource.DataType());
    for (int i = 0; i < distinct.size(); ++i)
        select << valueType + QStringLiteral(" as _AutoField%1").arg(i + 1);
    if (addSum)
        select << valueType + QStringLiteral(" as _AutoField_Sum");

    auto result = DBConn().DBOpenDataSet(
        QStringLiteral("Select %1 From comVirtual Where 1=2").arg(select.join(QStringLiteral(", "))));
    if (addSum)
        result->FieldByName(QStringLiteral("_AutoField_Sum")).DisplayLabel = QStringLiteral("合计");

    TZClientDataSet byRow;
    byRow.CloneCursor(dataSet);
    byRow.SetFiltered(false);
    byRow.SetIndexFieldNames(rowKeys.join(QLatin1Char(';')));
    QVariantList previous;
    bool first = true;
    result->DisableControls();
    for (byRow.First(); !byRow.Eof(); byRow.Next()) {
        QVariantList keys;
        for (const QString &k : rowKeys)
            keys << byRow.FieldByName(k).Value();
        if (first || keys != previous) {
            result->CheckBrowseMode();
            result->Append();
            for (const QString &name : std::as_const(common))
                result->FieldByName(name).SetValue(byRow.FieldByName(name).Value());
            previous = keys;
            first = false;
        }
        const int column = columnOf.value(ZTrim(byRow.FieldByName(columnField).AsString()));
        TZDataField &target = result->FieldByName(QStringLiteral("_AutoField%1").arg(column + 1));
        target.SetValue(byRow.FieldByName(valueField).Value());
        if (captionSource)
            target.DisplayLabel = ZTrim(byRow.FieldByName(captionField).AsString());
    }
    result->CheckBrowseMode();
    if (addSum) {
        TZDataField &sum = result->FieldByName(QStringLiteral("_AutoField_Sum"));
        for (result->First(); !result->Eof(); result->Next()) {
            double total = 0;
            for (int i = 0; i < distinct.size(); ++i)
                total += result->FieldByName(QStringLiteral("_AutoField%1").arg(i + 1)).AsFloat();
            result->Edit();
            sum.SetAsFloat(total);
            result->Post();
        }
    }
    result->MergeChangeLog();
    result->EnableControls();
    result->First();
    Q_UNUSED(columnSource)
    return result;
}
