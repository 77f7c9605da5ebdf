// Filters of a client dataset on the rows in memory: the keyword in the
// display texts of the fields, and a test of rows given by the program.

#include "TZClientDataSet.h"

#include "data/TZDataField.h"

void TZClientDataSet::SetKeywordFilter(const QString &keyword, Qt::CaseSensitivity sensitivity,
                                       const QStringList &fields)
{
    if (Active())
        CheckBrowseMode(); // the row being edited may leave the view
    m_keyword = keyword;
    m_keywordCase = sensitivity;
    m_keywordFields = fields;
    if (m_store)
        refreshView();
}

void TZClientDataSet::SetRowFilter(TZRowFilter filter)
{
    if (Active())
        CheckBrowseMode();
    m_rowFilter = std::move(filter);
    if (m_store)
        refreshView();
}

void TZClientDataSet::findKeywordColumns()
{
    m_keywordColumns.clear();
    if (!m_store)
        return;
    if (m_keywordFields.isEmpty()) {
        for (int c = 0; c < m_store->columns.size(); ++c) {
            if (m_store->columns.at(c).type != ftZBlob)
                m_keywordColumns.push_back(c);
        }
        return;
    }
    for (const QString &name : std::as_const(m_keywordFields)) {
        const int c = m_store->indexOf(name);
        if (c >= 0)
            m_keywordColumns.push_back(c);
    }
}

QString TZClientDataSet::RowText(const TZRowData &row, int column) const
{
    return textOf(row, row.peekValues(), column);
}

QString TZClientDataSet::textOf(const TZRowData &row, const QVector<QVariant> &values, int column) const
{
    TZDataField &field = *m_fields.at(std::size_t(column));
    if (!field.OnGetText)
        return ZDisplayText(values.at(column), field.DataType());
    // The handler reads fields; they read this row's values while it runs.
    struct Restore
    {
        const TZRowData *&row;
        const QVector<QVariant> *&values;
        const TZRowData *wasRow;
        const QVector<QVariant> *wasValues;
        ~Restore()
        {
            row = wasRow;
            values = wasValues;
        }
    } restore{m_readRow, m_readValues, m_readRow, m_readValues};
    m_readRow = &row;
    m_readValues = &values;
    return field.Text();
}

bool TZClientDataSet::keywordMatches(const TZRowData &row) const
{
    const QVector<QVariant> values = row.peekValues();
    for (const int column : m_keywordColumns) {
        if (textOf(row, values, column).contains(m_keyword, m_keywordCase))
            return true;
    }
    return false;
}
