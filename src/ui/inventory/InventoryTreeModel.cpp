#include "inventory/InventoryTreeModel.h"

#include "project/Workbench.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace vorlix {

// The state images: an open box (no BACtalk display yet), a ticked box (it
// exists) and an arrow (a pushbutton link).
QIcon InventoryTreeModel::stateIcon(int state)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (state == stNotMade || state == stMade) {
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        if (state == stMade) {
            p.setPen(QPen(QColor(0, 128, 0), 2));
            p.drawPolyline(QPolygonF({QPointF(4.5, 8), QPointF(7, 11), QPointF(12, 5)}));
        }
    } else if (state == stLink) {
        p.setPen(QPen(QColor(0, 90, 160), 2));
        p.drawLine(QPointF(3, 8), QPointF(12, 8));
        p.drawPolyline(QPolygonF({QPointF(9, 4.5), QPointF(12.5, 8), QPointF(9, 11.5)}));
    }
    return QIcon(pm);
}

InventoryTreeModel::InventoryTreeModel(InventoryTree::Kind kind, const Workbench &wb, QObject *parent)
    : QAbstractItemModel(parent), m_kind(kind), m_wb(wb)
{
    for (int s = 1; s < 4; ++s)
        m_states[s] = stateIcon(s);
    rebuild();
}

void InventoryTreeModel::rebuild()
{
    beginResetModel();
    m_tree = InventoryTree::build(m_kind, m_wb);
    m_rowInParent.assign(size_t(m_tree.nodeCount()), 0);
    for (int id = 0; id < m_tree.nodeCount(); ++id) {
        const auto &children = m_tree.node(id).children;
        for (size_t r = 0; r < children.size(); ++r)
            m_rowInParent[size_t(children[r])] = int(r);
    }
    endResetModel();
}

void InventoryTreeModel::refreshColours()
{
    // Every node may change colour; the layout stays.
    const std::function<void(const QModelIndex &)> visit = [&](const QModelIndex &parent) {
        const int rows = rowCount(parent);
        if (rows == 0)
            return;
        emit dataChanged(index(0, 0, parent), index(rows - 1, 0, parent), {Qt::ForegroundRole});
        for (int r = 0; r < rows; ++r)
            visit(index(r, 0, parent));
    };
    emit dataChanged(rootIndex(), rootIndex(), {Qt::ForegroundRole});
    visit(rootIndex());
}

void InventoryTreeModel::setFileNodeStates(InventoryTree::StateMode mode)
{
    m_tree.setFileNodeStates(mode, m_wb);
    for (int id : m_tree.fileNodes()) {
        const QModelIndex i = indexOfNode(id);
        emit dataChanged(i, i, {Qt::DecorationRole, StateRole});
    }
}

void InventoryTreeModel::setNodeState(int listIndex, int state)
{
    const int id = m_tree.fileNodeOf(listIndex);
    if (id < 0)
        return;
    m_tree.setState(id, state);
    const QModelIndex i = indexOfNode(id);
    emit dataChanged(i, i, {Qt::DecorationRole, StateRole});
}

void InventoryTreeModel::toggleGroupState(const QModelIndex &index)
{
    if (m_tree.toggleGroupState(nodeIdOf(index)))
        emit dataChanged(index, index, {Qt::DecorationRole, StateRole});
}

int InventoryTreeModel::nodeIdOf(const QModelIndex &index) const
{
    return index.isValid() ? int(index.internalId()) : -1;
}

QModelIndex InventoryTreeModel::indexOfNode(int id) const
{
    if (id < 0 || id >= m_tree.nodeCount())
        return {};
    return createIndex(m_rowInParent[size_t(id)], 0, quintptr(id));
}

QModelIndex InventoryTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 && m_tree.nodeCount() > 0 ? indexOfNode(InventoryTree::rootId) : QModelIndex();
    const auto &children = m_tree.node(nodeIdOf(parent)).children;
    return row < int(children.size()) ? indexOfNode(children[size_t(row)]) : QModelIndex();
}

QModelIndex InventoryTreeModel::parent(const QModelIndex &child) const
{
    const int id = nodeIdOf(child);
    return id < 0 ? QModelIndex() : indexOfNode(m_tree.node(id).parent);
}

int InventoryTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return m_tree.nodeCount() > 0 ? 1 : 0;
    if (parent.column() != 0)
        return 0;
    return int(m_tree.node(nodeIdOf(parent)).children.size());
}

int InventoryTreeModel::columnCount(const QModelIndex &) const { return 1; }

QVariant InventoryTreeModel::data(const QModelIndex &index, int role) const
{
    const int id = nodeIdOf(index);
    if (id < 0)
        return {};
    const InventoryNode &n = m_tree.node(id);
    switch (role) {
    case Qt::DisplayRole: return n.text;
    case Qt::ForegroundRole: {
        const Cue cue = cueOf(n);
        return cue == Cue::Plain ? QVariant() : QVariant(QBrush(cueColour(cue, isDark && isDark())));
    }
    case Qt::FontRole:
        if (n.missing) {
            QFont italic;
            italic.setItalic(true);
            return italic;
        }
        return {};
    case Qt::ToolTipRole:
        if (n.missing)
            return n.level == 4 ? u"The display this pushbutton opens is missing"_qs
                                : u"The display file is missing from its ldisplay folder"_qs;
        return {};
    case Qt::DecorationRole: return n.state > 0 && n.state < 4 ? QVariant(m_states[n.state]) : QVariant();
    case NodeDataRole: return n.data;
    case LevelRole: return n.level;
    case StateRole: return n.state;
    default: return {};
    }
}

Cue InventoryTreeModel::cueOf(const InventoryNode &n) const
{
    // Red wins over blue: a redirected display shows red, scanned or not.
    if (InventoryTree::drawnRedirected(m_wb.masterList, n.data))
        return Cue::Red;
    if (InventoryTree::drawnUnscanned(m_wb.masterList, n.data))
        return Cue::Blue;
    return n.missing ? Cue::Missing : Cue::Plain;
}

Qt::ItemFlags InventoryTreeModel::flags(const QModelIndex &index) const
{
    // Node texts are never edited in place.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace vorlix
