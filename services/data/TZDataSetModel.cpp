#include "TZDataSetModel.h"

#include "common/ZErrors.h"
#include "data/TZClientDataSet.h"

TZDataSetModel::TZDataSetModel(TZClientDataSet *dataSet, QObject *parent)
    : QAbstractTableModel(parent), m_dataSet(dataSet)
{
    m_listener = m_dataSet->AddRowListener([this](const TZRowEvent &event) { onRowEvent(event); });
}

TZDataSetModel::~TZDataSetModel()
{
    if (m_dataSet)
        m_dataSet->RemoveRowListener(m_listener);
}

void TZDataSetModel::onRowEvent(const TZRowEvent &event)
{
    switch (event.kind) {
    case TZRowEvent::AboutToInsert:
        beginInsertRows(QModelIndex(), event.row, event.row + event.count - 1); // a piece comes at once
        break;
    case TZRowEvent::Inserted:
        endInsertRows();
        break;
    case TZRowEvent::AboutToRemove:
        beginRemoveRows(QModelIndex(), event.row, event.row);
        break;
    case TZRowEvent::Removed:
        endRemoveRows();
        break;
    case TZRowEvent::Changed:
        if (columnCount() > 0)
            emit dataChanged(index(event.row, 0), index(event.row, columnCount() - 1));
        break;
    case TZRowEvent::AboutToMove:
        // Qt names the place before which the row goes, counted before the move.
        beginMoveRows(QModelIndex(), event.row, event.row, QModelIndex(),
                      event.to > event.row ? event.to + 1 : event.to);
        break;
    case TZRowEvent::Moved:
        endMoveRows();
        break;
    case TZRowEvent::AboutToReset:
        beginResetModel();
        break;
    case TZRowEvent::Reset:
        endResetModel();
        break;
    case TZRowEvent::CurrentChanged: // the cursor is no part of the model
    case TZRowEvent::FieldChanged:   // the edit buffer shows once posted
    case TZRowEvent::Fetched:        // its rows came as insertions
        break;
    case TZRowEvent::Destroyed:
        beginResetModel();
        m_dataSet = nullptr;
        endResetModel();
        break;
    }
}

int TZDataSetModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_dataSet || !m_dataSet->Active())
        return 0;
    return int(m_dataSet->visibleRows().size());
}

int TZDataSetModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_dataSet || !m_dataSet->Active())
        return 0;
    return m_dataSet->FieldCount();
}

QVariant TZDataSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    TZDataField &field = m_dataSet->Fields(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return m_dataSet->displayText(index.row(), index.column());
    case Qt::EditRole:
        return m_dataSet->visibleRows().at(std::size_t(index.row()))->values().at(index.column());
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
    if (!index.isValid() || index.column() >= columnCount())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (!m_dataSet->Fields(index.column()).ReadOnly)
        f |= Qt::ItemIsEditable;
    return f;
}

void TZDataSetModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columnCount())
        return;
    const QString name = m_dataSet->Fields(column).FieldName();
    m_dataSet->SetIndexFieldNames(order == Qt::DescendingOrder ? name + QStringLiteral(" DESC") : name);
}
