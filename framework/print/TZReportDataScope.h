#pragma once

#include "print/TZReportText.h"
#include "print/ZReportPrint.h"

/// The report texts' view of the report data: "ReportData" in the row being
/// printed, every other dataset in its first row; sums over a range of rows
/// of "ReportData" (the whole of any other dataset); the page numbers and
/// the date of printing. Datasets are found by name ignoring case, and are
/// read without moving their cursors.
class TZReportDataScope final : public TZReportScope
{
public:
    explicit TZReportDataScope(const TZReportData &data);

    /// The walked dataset ("ReportData"); null when the data has none.
    TZClientDataSet *Rows() const { return m_rows; }
    /// The number of rows of "ReportData" (after its filter).
    int RowCount() const;

    void SetRow(int row) { m_row = row; }
    void SetSumRange(int first, int last)
    {
        m_sumFirst = first;
        m_sumLast = last;
    }
    void SetPage(int page, int totalPages)
    {
        m_page = page;
        m_totalPages = totalPages;
    }

    bool FieldValue(const QString &dataSet, const QString &field, TZReportValue &value) const override;
    bool SumValue(const QString &dataSet, const QString &field, TZReportValue &value) const override;
    int Page() const override { return m_page; }
    int TotalPages() const override { return m_totalPages; }
    QDate Date() const override { return m_date; }

private:
    TZClientDataSet *find(const QString &name) const;

    TZReportData m_data;
    TZClientDataSet *m_rows = nullptr;
    int m_row = 0;
    int m_sumFirst = 0;
    int m_sumLast = -1;
    int m_page = 1;
    int m_totalPages = 1;
    QDate m_date;
};
