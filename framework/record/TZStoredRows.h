#pragma once

#include <QVariant>
#include <QVector>

#include <vector>

class TZClientDataSet;
class TZDataField;

/// Writes a window's rows into the stored rows of its table, opened into a
/// work dataset: the columns both have are paired by name once, and rows
/// are appended or updated from the window rows' values. Nulls are never
/// written; an update writes only the values that differ, so an unchanged
/// row stays unchanged.
class TZStoredRows
{
public:
    TZStoredRows(TZClientDataSet &window, TZClientDataSet &work);

    /// Appends a stored row with every non-null value of a window row.
    void Append(const QVector<QVariant> &values);
    /// Updates the current stored row from a window row; with
    /// `keepLineLinks` RowNo and ParentRowNo are left as stored.
    void Update(const QVector<QVariant> &values, bool keepLineLinks);

private:
    struct TPair
    {
        int window;
        TZDataField *stored;
        bool lineLink;
    };
    TZClientDataSet &m_work;
    std::vector<TPair> m_pairs;
};
