#include "TZGridGroupModel.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <algorithm>

// Indexes: without grouping an index carries no pointer and its row is the
// source row. With grouping it carries the node whose children it counts
// among (the root for the top level), so parent() needs no search.

TZGridGroupModel::TZGridGroupModel(QObject *parent) : QAbstractProxyModel(parent) {}

TZGridGroupModel::~TZGridGroupModel() = default;

void TZGridGroupModel::setSourceModel(QAbstractItemModel *source)
{
    beginResetModel();
    for (const auto &connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    QAbstractProxyModel::setSourceModel(source);
    if (source)
        connectSource(source);
    m_pending = Pending::None;
    rebuild();
    endResetModel();
}

void TZGridGroupModel::connectSource(QAbstractItemModel *source)
{
    using M = QAbstractItemModel;
    auto &c = m_connections;
    c << connect(source, &M::modelAboutToBeReset, this, [this] {
        m_pending = Pending::Reset;
        beginResetModel();
    });
    c << connect(source, &M::modelReset, this, [this] { endStructureChange(); });
    c << connect(source, &M::layoutAboutToBeChanged, this, [this] {
        m_pending = Pending::Reset;
        beginResetModel();
    });
    c << connect(source, &M::layoutChanged, this, [this] { endStructureChange(); });
    c << connect(source, &M::rowsAboutToBeInserted, this, [this](const QModelIndex &, int first, int last) {
        if (flat()) {
            m_pending = Pending::Insert;
            beginInsertRows(QModelIndex(), first, last);
        } else {
            beginStructureChange();
        }
    });
    c << connect(source, &M::rowsInserted, this, [this] { endStructureChange(); });
    c << connect(source, &M::rowsAboutToBeRemoved, this, [this](const QModelIndex &, int first, int last) {
        if (flat()) {
            m_pending = Pending::Remove;
            beginRemoveRows(QModelIndex(), first, last);
        } else {
            beginStructureChange();
        }
    });
    c << connect(source, &M::rowsRemoved, this, [this] { endStructureChange(); });
    c << connect(source, &M::rowsAboutToBeMoved, this,
                 [this](const QModelIndex &, int first, int last, const QModelIndex &, int destination) {
                     if (flat() && beginMoveRows(QModelIndex(), first, last, QModelIndex(), destination))
                         m_pending = Pending::Move;
                     else
                         beginStructureChange();
                 });
    c << connect(source, &M::rowsMoved, this, [this] { endStructureChange(); });
    // The dataset model changes its columns only by a reset; anything else
    // that changes columns is taken as one too.
    c << connect(source, &M::columnsAboutToBeInserted, this, [this] { beginStructureChange(); });
    c << connect(source, &M::columnsInserted, this, [this] { endStructureChange(); });
    c << connect(source, &M::columnsAboutToBeRemoved, this, [this] { beginStructureChange(); });
    c << connect(source, &M::columnsRemoved, this, [this] { endStructureChange(); });
    c << connect(source, &M::dataChanged, this, &TZGridGroupModel::sourceDataChanged);
    c << connect(source, &M::headerDataChanged, this, &TZGridGroupModel::headerDataChanged);
}

void TZGridGroupModel::beginStructureChange()
{
    m_pending = Pending::Reset;
    beginResetModel();
}

void TZGridGroupModel::endStructureChange()
{
    const Pending pending = std::exchange(m_pending, Pending::None);
    rebuild();
    switch (pending) {
    case Pending::Insert:
        endInsertRows();
        break;
    case Pending::Remove:
        endRemoveRows();
        break;
    case Pending::Move:
        endMoveRows();
        break;
    case Pending::Reset:
        endResetModel();
        break;
    case Pending::None:
        break;
    }
}

void TZGridGroupModel::sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                         const QList<int> &roles)
{
    if (flat()) {
        emit dataChanged(mapFromSource(topLeft), mapFromSource(bottomRight), roles);
        return;
    }
    bool regroup = false;
    for (int row = topLeft.row(); row <= bottomRight.row() && !regroup; ++row)
        regroup = std::size_t(row) >= m_keys.size() || keysOf(row) != m_keys.at(std::size_t(row));
    if (regroup) {
        beginResetModel();
        rebuild();
        endResetModel();
        return;
    }
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
        emit dataChanged(IndexOfSourceRow(row, topLeft.column()), IndexOfSourceRow(row, bottomRight.column()), roles);
}

QStringList TZGridGroupModel::keysOf(int sourceRow) const
{
    QStringList keys;
    for (int column : m_groupColumns)
        keys << sourceModel()->index(sourceRow, column).data(Qt::DisplayRole).toString();
    return keys;
}

void TZGridGroupModel::rebuild()
{
    m_root.reset();
    m_leaves.clear();
    m_keys.clear();
    QAbstractItemModel *source = sourceModel();
    if (flat() || !source)
        return;
    const int count = source->rowCount();
    m_root = std::make_unique<Node>();
    m_leaves.assign(std::size_t(count), nullptr);
    m_keys.reserve(std::size_t(count));
    std::vector<int> rows(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
        rows[std::size_t(row)] = row;
        m_keys.push_back(keysOf(row));
    }
    group(*m_root, rows, 0);
}

void TZGridGroupModel::group(Node &node, const std::vector<int> &rows, int level)
{
    if (level >= m_groupColumns.size()) {
        for (int row : rows) {
            auto leaf = std::make_unique<Node>();
            leaf->parent = &node;
            leaf->row = int(node.children.size());
            leaf->sourceRow = row;
            m_leaves[std::size_t(row)] = leaf.get();
            node.children.push_back(std::move(leaf));
        }
        return;
    }
    // Groups in the order of their first row.
    QHash<QString, int> groupOf;
    std::vector<std::vector<int>> members;
    for (int row : rows) {
        const QString &key = m_keys.at(std::size_t(row)).at(level);
        auto found = groupOf.constFind(key);
        if (found == groupOf.constEnd()) {
            found = groupOf.insert(key, int(members.size()));
            members.emplace_back();
            auto child = std::make_unique<Node>();
            child->parent = &node;
            child->row = int(node.children.size());
            child->groupColumn = m_groupColumns.at(level);
            child->text = key;
            node.children.push_back(std::move(child));
        }
        members[std::size_t(*found)].push_back(row);
    }
    for (std::size_t i = 0; i < members.size(); ++i) {
        Node &child = *node.children[i];
        child.count = int(members[i].size());
        group(child, members[i], level + 1);
    }
}

void TZGridGroupModel::SetGroupColumns(const QList<int> &columns)
{
    if (columns == m_groupColumns)
        return;
    beginResetModel();
    m_groupColumns = columns;
    rebuild();
    endResetModel();
}

void TZGridGroupModel::SetGroupingHeld(bool held)
{
    if (held == m_held)
        return;
    if (m_groupColumns.isEmpty()) {
        m_held = held;
        return;
    }
    beginResetModel();
    m_held = held;
    rebuild();
    endResetModel();
}

void TZGridGroupModel::SetLabelColumn(int column)
{
    if (column == m_labelColumn)
        return;
    m_labelColumn = column;
    if (!flat() && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

void TZGridGroupModel::SetColumnCaption(int column, const QString &caption)
{
    if (caption.isEmpty())
        m_captions.remove(column);
    else
        m_captions.insert(column, caption);
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void TZGridGroupModel::SetColumnReadOnly(int column, bool readOnly)
{
    if (readOnly)
        m_readOnlyColumns.insert(column);
    else
        m_readOnlyColumns.remove(column);
}

void TZGridGroupModel::SetColumnRequired(int column, bool required)
{
    if (required)
        m_requiredColumns.insert(column);
    else
        m_requiredColumns.remove(column);
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void TZGridGroupModel::SetColumnAlignment(int column, Qt::Alignment alignment)
{
    m_alignments.insert(column, alignment);
}

void TZGridGroupModel::ClearColumnMarks()
{
    m_captions.clear();
    m_alignments.clear();
    m_readOnlyColumns.clear();
    m_requiredColumns.clear();
}

void TZGridGroupModel::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
}

TZGridGroupModel::Node *TZGridGroupModel::nodeOf(const QModelIndex &index) const
{
    if (!index.isValid() || flat())
        return nullptr;
    auto *parentNode = static_cast<Node *>(index.internalPointer());
    if (!parentNode || index.row() >= int(parentNode->children.size()))
        return nullptr;
    return parentNode->children[std::size_t(index.row())].get();
}

QModelIndex TZGridGroupModel::indexOfNode(const Node *node, int column) const
{
    if (!node || !node->parent)
        return {};
    return createIndex(node->row, column, node->parent);
}

bool TZGridGroupModel::IsGroupRow(const QModelIndex &index) const
{
    const Node *node = nodeOf(index);
    return node && node->sourceRow < 0;
}

int TZGridGroupModel::SourceRow(const QModelIndex &index) const
{
    if (!index.isValid())
        return -1;
    if (flat())
        return index.row();
    const Node *node = nodeOf(index);
    return node ? node->sourceRow : -1;
}

QModelIndex TZGridGroupModel::IndexOfSourceRow(int sourceRow, int column) const
{
    if (!sourceModel() || sourceRow < 0 || sourceRow >= sourceModel()->rowCount())
        return {};
    if (flat())
        return index(sourceRow, column);
    if (std::size_t(sourceRow) >= m_leaves.size())
        return {};
    return indexOfNode(m_leaves[std::size_t(sourceRow)], column);
}

QModelIndex TZGridGroupModel::FirstDataRow(int column) const
{
    if (flat())
        return rowCount() > 0 ? index(0, column) : QModelIndex();
    const Node *node = m_root.get();
    while (node && !node->children.empty()) {
        node = node->children.front().get();
        if (node->sourceRow >= 0)
            return indexOfNode(node, column);
    }
    return {};
}

QModelIndex TZGridGroupModel::NextDataRow(const QModelIndex &current, bool backwards) const
{
    const int column = current.column();
    if (flat()) {
        const int row = current.row() + (backwards ? -1 : 1);
        return row >= 0 && row < rowCount() ? index(row, column) : QModelIndex();
    }
    // Leaves in the order the tree shows them.
    const int at = SourceRow(current);
    if (at < 0)
        return {};
    std::vector<const Node *> order;
    order.reserve(m_leaves.size());
    std::vector<const Node *> stack{m_root.get()};
    while (!stack.empty()) {
        const Node *node = stack.back();
        stack.pop_back();
        if (node->sourceRow >= 0)
            order.push_back(node);
        for (auto child = node->children.rbegin(); child != node->children.rend(); ++child)
            stack.push_back(child->get());
    }
    const auto here = std::find(order.begin(), order.end(), m_leaves[std::size_t(at)]);
    if (here == order.end())
        return {};
    if (backwards)
        return here == order.begin() ? QModelIndex() : indexOfNode(*(here - 1), column);
    return here + 1 == order.end() ? QModelIndex() : indexOfNode(*(here + 1), column);
}

QModelIndex TZGridGroupModel::mapToSource(const QModelIndex &proxyIndex) const
{
    const int row = SourceRow(proxyIndex);
    if (row < 0 || !sourceModel())
        return {};
    return sourceModel()->index(row, proxyIndex.column());
}

QModelIndex TZGridGroupModel::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceIndex.isValid())
        return {};
    return IndexOfSourceRow(sourceIndex.row(), sourceIndex.column());
}

QModelIndex TZGridGroupModel::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || column < 0 || column >= columnCount() || row >= rowCount(parent))
        return {};
    if (flat())
        return createIndex(row, column);
    const Node *parentNode = parent.isValid() ? nodeOf(parent) : m_root.get();
    return createIndex(row, column, const_cast<Node *>(parentNode));
}

QModelIndex TZGridGroupModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || flat())
        return {};
    const auto *parentNode = static_cast<const Node *>(child.internalPointer());
    if (!parentNode || parentNode == m_root.get())
        return {};
    return indexOfNode(parentNode, 0);
}

QModelIndex TZGridGroupModel::sibling(int row, int column, const QModelIndex &index) const
{
    if (!index.isValid())
        return {};
    return this->index(row, column, parent(index));
}

int TZGridGroupModel::rowCount(const QModelIndex &parent) const
{
    if (!sourceModel())
        return 0;
    if (flat())
        return parent.isValid() ? 0 : sourceModel()->rowCount();
    if (parent.column() > 0)
        return 0;
    const Node *node = parent.isValid() ? nodeOf(parent) : m_root.get();
    return node ? int(node->children.size()) : 0;
}

int TZGridGroupModel::columnCount(const QModelIndex &) const
{
    return sourceModel() ? sourceModel()->columnCount() : 0;
}

bool TZGridGroupModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

QVariant TZGridGroupModel::data(const QModelIndex &index, int role) const
{
    const Node *node = nodeOf(index);
    if (!node || node->sourceRow >= 0) {
        if (role == Qt::TextAlignmentRole && m_alignments.contains(index.column()))
            return QVariant(m_alignments.value(index.column()) | Qt::AlignVCenter);
        return QAbstractProxyModel::data(index, role);
    }
    if (role == Qt::FontRole) {
        QFont font;
        font.setBold(true);
        return font;
    }
    if (role == Qt::DisplayRole && index.column() == m_labelColumn) {
        const QString caption = headerData(node->groupColumn, Qt::Horizontal).toString();
        return QStringLiteral("%1: %2 (%3)").arg(caption, node->text).arg(node->count);
    }
    return {};
}

QVariant TZGridGroupModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && m_requiredColumns.contains(section)) {
        // Columns that must have a value: navy and bold.
        if (role == Qt::ForegroundRole)
            return QBrush(QColor(0x00, 0x00, 0x80));
        if (role == Qt::FontRole) {
            QFont font;
            font.setBold(true);
            return font;
        }
    }
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        const auto caption = m_captions.constFind(section);
        if (caption != m_captions.constEnd())
            return *caption;
    }
    return sourceModel() ? sourceModel()->headerData(section, orientation, role) : QVariant();
}

Qt::ItemFlags TZGridGroupModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (IsGroupRow(index))
        return Qt::ItemIsEnabled;
    Qt::ItemFlags result = QAbstractProxyModel::flags(index);
    if (m_readOnly || m_readOnlyColumns.contains(index.column()))
        result &= ~Qt::ItemIsEditable;
    return result;
}

void TZGridGroupModel::sort(int column, Qt::SortOrder order)
{
    if (sourceModel())
        sourceModel()->sort(column, order);
}
