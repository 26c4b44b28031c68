#pragma once
// The two explorer trees over the master list: the redirection tree of
// step 5 ("RDtree"), where each display shows one child per pushbutton, and
// the display tree of step 7 ("JobTree"), where each display carries a state
// telling whether its BACtalk display exists. Both have the same skeleton:
//
//   Ibex Project
//     Job Folder       Displays, Templates
//     LocalJob Folder  Displays, Templates
//
// Every node carries an integer: a master-list index for a display node (and
// for a pushbutton node whose target is in the list, else -1), or one of the
// markers below for the skeleton.
#include <QString>
#include <vector>

namespace vorlix {

class Workbench;
class MasterList;
class DisplayFolder;

inline constexpr int ndHeading = 99997;    // "Ibex Project", the two folders
inline constexpr int ndJobGroup = 99998;   // the groups of the job folder
inline constexpr int ndLocalGroup = 99999; // the groups of the local-job folder

// State images.
inline constexpr int stNone = 0;
inline constexpr int stNotMade = 1; // display tree: no BACtalk display yet
inline constexpr int stMade = 2;    // display tree: the BACtalk display exists
inline constexpr int stLink = 3;    // redirection tree: a pushbutton link

struct InventoryNode {
    QString text;
    int data = ndHeading;
    int state = stNone;
    int parent = -1;
    int level = 0;
    // A display node whose file is not in its folder, or a pushbutton node
    // whose target is not in the list or has no file.
    bool missing = false;
    std::vector<int> children; // sorted by text
};

class InventoryTree {
public:
    enum class Kind { Display, Redirection };

    // Builds the tree from the workbench's master list. The redirection tree
    // reads every display of both folders for its pushbutton nodes; the
    // display tree looks into the BACtalk job's displays folder.
    static InventoryTree build(Kind kind, const Workbench &wb);

    Kind kind() const { return m_kind; }
    int nodeCount() const { return static_cast<int>(m_nodes.size()); }
    const InventoryNode &node(int id) const { return m_nodes[size_t(id)]; }
    static constexpr int rootId = 0;

    // The display nodes (level 3) of the four groups, in tree order.
    std::vector<int> fileNodes() const;
    // The display node of master-list entry `index`; -1.
    int fileNodeOf(int index) const;

    // The display tree's check commands.
    enum class StateMode { FlagExisting, SetAll, ClearAll };
    void setFileNodeStates(StateMode mode, const Workbench &wb);
    void setState(int id, int state);
    // A double-click on a node: the local-job folder's group nodes toggle
    // their state image between 1 and 2 (from none, to 1); other nodes do
    // not change. Returns whether the node changed.
    bool toggleGroupState(int id);

    // Whether a node's text shows as redirected (red) or unscanned (blue):
    // only nodes whose data is not negative; skeleton nodes count as
    // unscanned since their data lies outside the list.
    static bool drawnRedirected(const MasterList &list, int data);
    static bool drawnUnscanned(const MasterList &list, int data);

private:
    int add(int parent, const QString &text, int data, int state = stNone);
    void sortChildren(int id);
    int fileState(const Workbench &wb, int index) const;
    // The pushbutton nodes of display node `node`, read from its file.
    void addLinks(int node, const QString &path, const QString &name, const MasterList &list,
                  const DisplayFolder (&folders)[2]);

    Kind m_kind = Kind::Display;
    std::vector<InventoryNode> m_nodes;
    // The BACtalk display names that exist (lower case), listed once per build.
    std::vector<QString> m_btDisplays;
};

} // namespace vorlix
