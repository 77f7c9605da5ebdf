#include "ZRowWalk.h"

#include "data/TZClientDataSet.h"

#include <utility>

namespace {

/// What a walk lifts, put back when it ends.
class TWalkScope
{
public:
    explicit TWalkScope(TZClientDataSet &dataSet)
        : m_dataSet(dataSet),
          m_filtered(dataSet.Filtered()),
          m_sort(dataSet.IndexFieldNames()),
          m_scroll(std::exchange(dataSet.AfterScroll, nullptr)),
          m_current(dataSet.GetBookmark())
    {
        m_dataSet.DisableControls();
        if (m_filtered)
            m_dataSet.SetFiltered(false);
        if (!m_sort.isEmpty())
            m_dataSet.SetIndexFieldNames(QString());
    }

    ~TWalkScope()
    {
        try {
            if (m_dataSet.State() != dsBrowse)
                m_dataSet.Cancel();
            if (!m_sort.isEmpty())
                m_dataSet.SetIndexFieldNames(m_sort);
            if (m_filtered)
                m_dataSet.SetFiltered(true);
            m_dataSet.GotoBookmark(m_current);
        } catch (...) {
            // Restoring reads only what was there before; nothing to report.
        }
        m_dataSet.AfterScroll = std::move(m_scroll);
        m_dataSet.EnableControls();
    }

    TWalkScope(const TWalkScope &) = delete;
    TWalkScope &operator=(const TWalkScope &) = delete;

private:
    TZClientDataSet &m_dataSet;
    bool m_filtered;
    QString m_sort;
    std::function<void(TZClientDataSet &)> m_scroll;
    TZBookmark m_current;
};

} // namespace

void ZForEachRow(TZClientDataSet &dataSet, const std::function<void()> &body)
{
    dataSet.CheckBrowseMode();
    const TWalkScope scope(dataSet);
    const int count = dataSet.RecordCount();
    for (int r = 1; r <= count; ++r) {
        dataSet.SetRecNo(r);
        body();
        dataSet.CheckBrowseMode();
    }
}

void ZSetChanged(TZClientDataSet &dataSet, TZDataField &field, const QVariant &value)
{
    const QVariant current = field.Value();
    if (current.isNull() == value.isNull() && ZCompareValues(current, value, field.DataType()) == 0)
        return;
    if (dataSet.State() == dsBrowse)
        dataSet.Edit();
    field.SetValue(value);
}
