#include "TZDataSetModel.h"

#include "common/ZErrors.h"
#include "data/TZClientDataSet.h"

TZDataSetModel::TZDataSetModel(TZClientDataSet *dataSet, QObject *parent)
    : QAbstractTableModel(parent), m_dataSet(dataSet)
{
    m_listener = m_dataSet->AddDataChangedListener([this] {
        beginResetModel();
        endResetModel();
    });
}

TZDataSetModel::~TZDataSetModel()
{
    m_dataSet->RemoveDataChangedListener(m_listener);
}

int TZDataSetModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_dataSet->Active())
        return 0;
    return int(m_dataSet->visibleRows().size());
}

int TZDataSetModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_dataSet->Active())
        return 0;
    return m_dataSet->FieldCount();
}

QVariant TZDataSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const TZRowData *row = m_dataSet->visibleRows().at(std::size_t(index.row()));
    const QVariant &value = row->values.at(index.column());
    TZDataField &field = m_dataSet->Fields(index.column());
    switch (role) {
    case Qt::DisplayRole:
        if (field.OnGetText && m_dataSet->currentIndex() == index.row() && m_dataSet->State() == dsBrowse)
            return field.Text();
        return ZValueText(value, field.DataType());
    case Qt::EditRole:
        return value;
    case Qt::TextAlignmentRole:
        return IsZNumericType(field.DataType()) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool TZDataSetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount())
        return false;
    TZDataField &field = m_dataSet->Fields(index.column());
    if (field.ReadOnly)
        return false;
    try {
        m_dataSet->SetRecNo(index.row() + 1);
        m_dataSet->Edit();
        field.SetValue(value);
        m_dataSet->Post();
    } catch (const EZError &) {
        m_dataSet->Cancel();
        return false;
    }
    return true;
}

QVariant TZDataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= columnCount())
        return {};
    TZDataField &field = m_dataSet->Fields(section);
    return field.DisplayLabel.isEmpty() ? field.FieldName() : field.DisplayLabel;
}

Qt::ItemFlags TZDataSetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (!m_dataSet->Fields(index.column()).ReadOnly)
        f |= Qt::ItemIsEditable;
    return f;
}
