#pragma once

#include <QAbstractTableModel>

class TZClientDataSet;

/// Shows a client dataset in grids without copying it: one row per visible
/// row of the dataset (after its filter and sort), one column per field. The
/// display text of a cell is the field's text (its OnGetText when set, for
/// any row); an edit stores the value through the dataset (moving its cursor
/// to the row, editing and posting), so the dataset's checks and events
/// apply. The dataset's row events become the matching model signals
/// (inserted, removed, moved, data changed; a reset only when the whole view
/// changes); sorting sets the dataset's index fields.
class TZDataSetModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TZDataSetModel(TZClientDataSet *dataSet, QObject *parent = nullptr);
    ~TZDataSetModel() override;

    /// The dataset shown; null once it has been destroyed (the model is then empty).
    TZClientDataSet *dataSet() const { return m_dataSet; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void onRowEvent(const struct TZRowEvent &event);

    TZClientDataSet *m_dataSet;
    int m_listener = 0;
};
