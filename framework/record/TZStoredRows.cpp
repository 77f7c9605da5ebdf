#include "TZStoredRows.h"

#include "data/TZClientDataSet.h"

TZStoredRows::TZStoredRows(TZClientDataSet &window, TZClientDataSet &work) : m_work(work)
{
    for (int c = 0; c < window.FieldCount(); ++c) {
        const QString &name = window.Fields(c).FieldName();
        if (TZDataField *stored = work.FindField(name)) {
            const bool lineLink = name.compare(QLatin1String("RowNo"), Qt::CaseInsensitive) == 0
                                  || name.compare(QLatin1String("ParentRowNo"), Qt::CaseInsensitive) == 0;
            m_pairs.push_back({c, stored, lineLink});
        }
    }
}

void TZStoredRows::Append(const QVector<QVariant> &values)
{
    m_work.Append();
    for (const TPair &pair : m_pairs) {
        const QVariant &value = values.at(pair.window);
        if (!value.isNull())
            pair.stored->SetValue(value);
    }
    m_work.Post();
}

void TZStoredRows::Update(const QVector<QVariant> &values, bool keepLineLinks)
{
    bool editing = false;
    for (const TPair &pair : m_pairs) {
        const QVariant &value = values.at(pair.window);
        if (value.isNull() || (keepLineLinks && pair.lineLink)
            || (!pair.stored->IsNull() && ZCompareValues(pair.stored->Value(), value, pair.stored->DataType()) == 0))
            continue;
        if (!editing) {
            m_work.Edit();
            editing = true;
        }
        pair.stored->SetValue(value);
    }
    if (editing)
        m_work.Post();
}
