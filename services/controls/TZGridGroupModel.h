#pragma once

#include <QAbstractProxyModel>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <memory>
#include <vector>

/// The model a TZDBGrid's view shows: the flat rows of the dataset model,
/// turned into group rows with the rows under them when columns group, and
/// the grid's column presentation (captions, read-only columns, required
/// headers drawn navy and bold).
///
/// Grouping: the group columns (source columns, outermost first) split the
/// rows by the text each row shows in that column; groups keep the order in
/// which their first row comes in the dataset (so sorting the dataset orders
/// the groups). A group row shows "<caption>: <value> (<count>)" in the label
/// column and nothing else; it cannot be selected for editing. Without group
/// columns the model is flat and passes every row change on as it is; with
/// them a change of rows rebuilds the groups (a reset), while a change of
/// values that leaves every row in its group is passed on as a value change.
class TZGridGroupModel final : public QAbstractProxyModel
{
    Q_OBJECT

public:
    explicit TZGridGroupModel(QObject *parent = nullptr);
    ~TZGridGroupModel() override;

    void setSourceModel(QAbstractItemModel *source) override;

    /// The source columns rows are grouped by, outermost first; empty = flat.
    void SetGroupColumns(const QList<int> &columns);
    const QList<int> &GroupColumns() const { return m_groupColumns; }
    /// While held the rows stay flat whatever the group columns say (the
    /// grid holds the groups while its dataset's rows still come in pieces,
    /// so that each piece is one insertion instead of a regrouping of all);
    /// letting go groups them at once.
    void SetGroupingHeld(bool held);
    bool GroupingHeld() const { return m_held; }

    /// The column in which group rows show their text.
    void SetLabelColumn(int column);
    int LabelColumn() const { return m_labelColumn; }

    // Column presentation, by source column. An empty caption goes back to
    // the source's header text.
    void SetColumnCaption(int column, const QString &caption);
    void SetColumnReadOnly(int column, bool readOnly);
    void SetColumnRequired(int column, bool required);
    /// The alignment of a column's cells (numbers standing for texts, such as
    /// pick lists, read better on the left); unset keeps the source's.
    void SetColumnAlignment(int column, Qt::Alignment alignment);
    bool ColumnReadOnly(int column) const { return m_readOnlyColumns.contains(column); }
    bool ColumnRequired(int column) const { return m_requiredColumns.contains(column); }
    /// Forgets every caption, alignment, read-only and required mark (another dataset).
    void ClearColumnMarks();
    /// No cell is editable at all.
    void SetReadOnly(bool readOnly);
    bool ReadOnly() const { return m_readOnly; }

    /// True for a group row.
    bool IsGroupRow(const QModelIndex &index) const;
    /// The source row of a data row; -1 for a group row or an invalid index.
    int SourceRow(const QModelIndex &index) const;
    /// The index of a source row in this model.
    QModelIndex IndexOfSourceRow(int sourceRow, int column) const;
    /// The data row after (or before) the row of `index` in the order the
    /// view shows them, across groups; invalid when there is none.
    QModelIndex NextDataRow(const QModelIndex &index, bool backwards = false) const;
    /// The first data row the view shows; invalid when there is none.
    QModelIndex FirstDataRow(int column) const;

    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QModelIndex sibling(int row, int column, const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    struct Node
    {
        Node *parent = nullptr;
        int row = 0;        // position among the parent's children
        int sourceRow = -1; // a data row; -1 for a group (and the root)
        int groupColumn = -1;
        QString text; // a group: the value its rows share
        int count = 0; // a group: the data rows below it
        std::vector<std::unique_ptr<Node>> children;
    };

    void rebuild();
    void group(Node &node, const std::vector<int> &rows, int level);
    QStringList keysOf(int sourceRow) const;
    Node *nodeOf(const QModelIndex &index) const;
    QModelIndex indexOfNode(const Node *node, int column) const;
    bool flat() const { return m_groupColumns.isEmpty() || m_held; }
    void connectSource(QAbstractItemModel *source);

    // Source notices.
    void beginStructureChange();
    void endStructureChange();
    void sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles);

    std::unique_ptr<Node> m_root;
    std::vector<Node *> m_leaves;   // by source row
    std::vector<QStringList> m_keys; // group texts by source row
    QList<int> m_groupColumns;
    int m_labelColumn = 0;
    QHash<int, QString> m_captions;
    QSet<int> m_readOnlyColumns;
    QSet<int> m_requiredColumns;
    QHash<int, Qt::Alignment> m_alignments;
    bool m_readOnly = false;
    bool m_held = false;
    enum class Pending { None, Insert, Remove, Move, Reset };
    Pending m_pending = Pending::None;
    QList<QMetaObject::Connection> m_connections;
};
