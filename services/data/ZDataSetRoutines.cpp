#include "ZDataSetRoutines.h"

#include "common/ZNumbers.h"
#include "common/ZTrim.h"
#include "data/ZDBRoutines.h"

#include <QComboBox>

void CopyDataSet(TZClientDataSet &source, TZClientDataSet &target)
{
    QList<QPair<int, TZDataField *>> pairs;
    for (int i = 0; i < source.FieldCount(); ++i) {
        if (TZDataField *field = target.FindField(source.Fields(i).FieldName()))
            pairs << qMakePair(i, field);
    }
    target.DisableControls();
    for (source.First(); !source.Eof(); source.Next()) {
        target.Append();
        for (const auto &[from, to] : std::as_const(pairs))
            to->SetValue(source.Fields(from).Value());
        target.Post();
    }
    target.EnableControls();
}

int CompareFieldValue(TZDataField &a, TZDataField &b)
{
    return ZCompareValues(a.Value(), ZValueOfKind(b.Value(), a.DataType()), a.DataType());
}

bool MoveRec(TZClientDataSet &source, TZClientDataSet &target, const QString &keyFields, const QString &targetKeyFields)
{
    const QStringList sourceKeys = ZFieldNameList(keyFields);
    const QStringList targetKeys = ZIsBlank(targetKeyFields) ? sourceKeys : ZFieldNameList(targetKeyFields);
    while (!target.Eof() && !target.IsEmpty()) {
        int order = 0;
        for (int i = 0; i < sourceKeys.size() && order == 0; ++i)
            order = CompareFieldValue(target.FieldByName(targetKeys.value(i)), source.FieldByName(sourceKeys.at(i)));
        if (order == 0)
            return true;
        if (order > 0)
            return false; // passed the place where the row would be
        target.Next();
        if (target.Eof())
            break;
    }
    return false;
}

void InitDataset(TZClientDataSet &dataSet, const QString &indexFields)
{
    dataSet.SetIndexFieldNames(indexFields);
    dataSet.First();
}

void DBClearDataSet(TZClientDataSet &dataSet, const QString &filter)
{
    const QString ownFilter = dataSet.Filter();
    const bool ownFiltered = dataSet.Filtered();
    dataSet.DisableControls();
    try {
        if (!ZIsBlank(filter)) {
            dataSet.SetFilter(filter);
            dataSet.SetFiltered(true);
        }
        dataSet.First();
        while (!dataSet.IsEmpty())
            dataSet.Delete();
    } catch (...) {
        dataSet.SetFiltered(false);
        dataSet.SetFilter(ownFilter);
        dataSet.SetFiltered(ownFiltered);
        dataSet.EnableControls();
        throw;
    }
    dataSet.SetFiltered(false);
    dataSet.SetFilter(ownFilter);
    dataSet.SetFiltered(ownFiltered);
    dataSet.EnableControls();
}

namespace {

template<typename F>
void eachValue(TZClientDataSet &dataSet, const QString &field, F f)
{
    const int column = dataSet.FieldByName(field).Index();
    for (const TZRowData *row : dataSet.visibleRows()) {
        const QVariant &v = row->values().at(column);
        if (!v.isNull())
            f(v);
    }
}

QVariant extreme(TZClientDataSet &dataSet, const QString &field, int sign)
{
    const TZFieldType kind = dataSet.FieldByName(field).DataType();
    QVariant best;
    eachValue(dataSet, field, [&](const QVariant &v) {
        if (best.isNull() || ZCompareValues(v, best, kind) * sign > 0)
            best = v;
    });
    return best;
}

} // namespace

QVariant GetMaxValue(TZClientDataSet &dataSet, const QString &field)
{
    return extreme(dataSet, field, 1);
}

QVariant GetMinValue(TZClientDataSet &dataSet, const QString &field)
{
    return extreme(dataSet, field, -1);
}

double GetSumValue(TZClientDataSet &dataSet, const QString &field)
{
    double sum = 0;
    eachValue(dataSet, field, [&](const QVariant &v) { sum += ZFloat(v); });
    return sum;
}

double GetAvgValue(TZClientDataSet &dataSet, const QString &field)
{
    double sum = 0;
    int count = 0;
    eachValue(dataSet, field, [&](const QVariant &v) {
        sum += ZFloat(v);
        ++count;
    });
    return count == 0 ? 0 : sum / count;
}

void ResetRowNo(TZClientDataSet &dataSet)
{
    TZDataField &rowNo = dataSet.FieldByName(QStringLiteral("RowNo"));
    dataSet.DisableControls();
    int n = 0;
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) {
        ++n;
        if (rowNo.AsInteger() != n || rowNo.IsNull()) {
            dataSet.Edit();
            rowNo.SetAsInteger(n);
            dataSet.Post();
        }
    }
    dataSet.EnableControls();
}

int GetDatasetChangeCount(TZClientDataSet &dataSet)
{
    return dataSet.ChangeCount();
}

void FillStringList(TZDbConnection &connection, QStringList &strings, const QString &sql, const QString &field)
{
    const auto dataSet = DBOpenDataSet(connection, sql);
    TZDataField &f = dataSet->FieldByName(field);
    for (dataSet->First(); !dataSet->Eof(); dataSet->Next())
        strings << f.AsString();
}

void FillCombobox(TZDbConnection &connection, QComboBox *combo, const QString &sql, const QString &field)
{
    QStringList items;
    FillStringList(connection, items, sql, field);
    combo->clear();
    combo->addItems(items);
}
