#pragma once
// An explorer tree of the display inventory as an item model: the step 5
// redirection tree and the step 7 display tree. Redirected displays show
// red, displays the scan did not reach blue, missing displays and missing
// pushbutton targets italic (grey when no other colour applies), in shades
// that follow the style; the state images show whether a BACtalk display
// exists (display tree) or mark a pushbutton link.
#include "common/CueColours.h"
#include "inventory/InventoryTree.h"

#include <QAbstractItemModel>
#include <QIcon>
#include <functional>

namespace vorlix {

class Workbench;

class InventoryTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // The node's integer (list index or marker).
    static constexpr int NodeDataRole = Qt::UserRole + 1;
    static constexpr int LevelRole = Qt::UserRole + 2;
    static constexpr int StateRole = Qt::UserRole + 3;

    InventoryTreeModel(InventoryTree::Kind kind, const Workbench &wb, QObject *parent = nullptr);

    // Builds the tree anew from the master list.
    void rebuild();
    // Redraws the colours after flags changed (RefreshFileTreeViews).
    void refreshColours();
    // The display tree's check commands.
    void setFileNodeStates(InventoryTree::StateMode mode);
    void setNodeState(int listIndex, int state);
    // A double-click on `index` (the local-job group nodes toggle).
    void toggleGroupState(const QModelIndex &index);

    const InventoryTree &tree() const { return m_tree; }
    // The colour cue of a node's text.
    Cue cueOf(const InventoryNode &n) const;
    // The picture of a state image (1 to 3), also shown by the legend.
    static QIcon stateIcon(int state);
    // Whether the view draws on a dark background (lighter cue shades).
    std::function<bool()> isDark;
    int nodeIdOf(const QModelIndex &index) const;
    QModelIndex indexOfNode(int id) const;
    QModelIndex rootIndex() const { return indexOfNode(InventoryTree::rootId); }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    InventoryTree::Kind m_kind;
    const Workbench &m_wb;
    InventoryTree m_tree;
    std::vector<int> m_rowInParent; // node id -> row among its siblings
    QIcon m_states[4];
};

} // namespace vorlix
