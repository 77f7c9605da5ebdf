// The left panel's filters: the values of a chosen field among the loaded
// rows, ticked or not, and the keyword a row's texts must contain. Both work
// on the rows already loaded through the dataset's filter function; neither
// reads the database.

#include "TfrmListFormBase.h"

#include "common/ZTrim.h"
#include "metadata/TOrvDataSet.h"
#include "metadata/TZDataSource.h"
#include "metadata/TZField.h"

#include <QComboBox>
#include <QScopedValueRollback>
#include <QLineEdit>
#include <QListWidget>

#include <set>

namespace {

/// The value list stops once it holds more than this many values.
constexpr int kMaxFilterValues = 100;

} // namespace

void TfrmListFormBase::fillFieldChooser()
{
    m_filling = true;
    m_fieldChooser->clear();
    const TZDataset &master = *DataSource().Datasets.front();
    for (const auto &table : master.Tables) {
        for (const auto &field : table->Fields) {
            if (field->Visible && m_fieldChooser->findData(field->FieldName) < 0)
                m_fieldChooser->addItem(field->DisplayName.isEmpty() ? field->FieldName : field->DisplayName,
                                        field->FieldName);
        }
    }
    m_fieldChooser->setCurrentIndex(-1);
    m_filling = false;
    const QString start = ZTrim(DataSource().PropValueByName(QStringLiteral("DefaultFilterField")));
    if (!start.isEmpty())
        SetFilterField(start);
}

QString TfrmListFormBase::FilterField() const
{
    return m_fieldChooser->currentData().toString();
}

void TfrmListFormBase::SetFilterField(const QString &fieldName)
{
    m_filling = true;
    const int index = fieldName.isEmpty() ? -1 : m_fieldChooser->findData(fieldName, Qt::UserRole, Qt::MatchFixedString);
    m_fieldChooser->setCurrentIndex(index);
    m_filling = false;
    fillValues();
}

void TfrmListFormBase::AfterGetData()
{
    fillValues();
}

void TfrmListFormBase::fillValues()
{
    // The list is over every row: rows still coming are read first, and the
    // refill that the end of reading asks for is this one.
    if (m_fillingValues)
        return;
    const QScopedValueRollback<bool> filling(m_fillingValues, true);
    m_filling = true;
    m_values->clear();
    m_ticked.clear();
    m_allTicked = true;
    m_filterColumn = -1;
    m_filling = false;
    TOrvDataSet &rows = DataSet();
    TZDataField *field = rows.Active() ? rows.FindField(FilterField()) : nullptr;
    if (!field) {
        applyFilter();
        return;
    }
    const TZField *definition = rows.ZFieldOf(*field);
    const TZFieldType type = definition ? definition->FieldType : field->DataType();
    m_filterColumn = field->Index();
    if (type == ftZBlob || type == ftZMemo) {
        applyFilter();
        return;
    }
    rows.FetchAll();
    // Every loaded row counts, whatever the filters show now.
    std::set<QString> values;
    for (const TZRowPtr &row : rows.store()->rows) {
        if (int(values.size()) > kMaxFilterValues)
            break;
        const QString text = rows.RowText(*row, m_filterColumn);
        if (!ZTrim(text).isEmpty())
            values.insert(text);
    }
    m_filling = true;
    for (const QString &value : values) {
        auto *item = new QListWidgetItem(value, m_values);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        m_ticked.insert(value);
    }
    m_filling = false;
    applyFilter();
}

QStringList TfrmListFormBase::FilterValues() const
{
    QStringList values;
    for (int i = 0; i < m_values->count(); ++i)
        values << m_values->item(i)->text();
    return values;
}

void TfrmListFormBase::SetValueTicked(const QString &value, bool ticked)
{
    const QList<QListWidgetItem *> items = m_values->findItems(value, Qt::MatchExactly);
    if (items.isEmpty())
        return;
    m_filling = true;
    for (QListWidgetItem *item : items)
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    m_filling = false;
    if (ticked)
        m_ticked.insert(value);
    else
        m_ticked.remove(value);
    m_allTicked = m_ticked.size() == m_values->count();
    applyFilter();
}

void TfrmListFormBase::SetKeyWord(const QString &keyWord)
{
    m_keyWord->setText(keyWord); // the rows follow through textChanged
}

void TfrmListFormBase::applyFilter()
{
    DataSet().RefreshFilter();
    EnableActions();
}

bool TfrmListFormBase::rowPasses(TZClientDataSet &rows, const TZRowData &row)
{
    // While rows are read the filters wait for the new value list.
    if (Loading())
        return true;
    if (!m_allTicked && m_filterColumn >= 0 && m_filterColumn < rows.FieldCount()
        && !m_ticked.contains(rows.RowText(row, m_filterColumn)))
        return false;
    const QString keyWord = m_keyWord->text();
    if (keyWord.isEmpty())
        return true;
    for (int c = 0; c < rows.FieldCount(); ++c) {
        if (rows.RowText(row, c).contains(keyWord, Qt::CaseSensitive))
            return true;
    }
    return false;
}
