#pragma once
// Tab "Display File Scan | Redirection": step 5 (scan the display files and
// build the display file list, shown in the redirection tree) and step 6
// (the redirect grids of the job and the local job, and the redirect
// dialog). A view over the core's inventory and its commands.
#include "common/StepPage.h"
#include "inventory/RedirectGrid.h"

#include <functional>

class QLabel;
class QMenu;
class QPushButton;
class QTreeView;

namespace vorlix {

class InventoryTreeModel;
class SpinEdit;
class StringGrid;

class DisplayScanPage : public StepPage {
    Q_OBJECT
public:
    DisplayScanPage(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr);
    void attach() override;

    StringGrid *jobGrid() const { return m_jobGrid; }
    StringGrid *localJobGrid() const { return m_localJobGrid; }
    RedirectGrid &jobRedirects() { return m_jobRedirects; }
    RedirectGrid &localJobRedirects() { return m_localRedirects; }
    SpinEdit *startingDisplay() const { return m_start; }
    SpinEdit *scanDepth() const { return m_depth; }
    QTreeView *tree() const { return m_tree; }
    InventoryTreeModel *treeModel() const { return m_model; }
    QPushButton *buildButton() const { return m_build; }
    QPushButton *addButton(bool localJob) const { return localJob ? m_add2 : m_add1; }
    QPushButton *editButton(bool localJob) const { return localJob ? m_edit2 : m_edit1; }

    // "Build File List": a full scan, then the trees and grids anew.
    void buildFileList();
    // The trees and grids anew from the master list (after a build, after
    // the options dialog's OK).
    void refreshInventoryViews();
    // EditJobList on one of the grids: `index` -1 edits its selected row.
    void editJobList(bool localJob, int index);
    // RDtreeSetRedirect and RDtreeClearFlags on the selected tree node.
    void redirectSelectedNode();
    void clearSelectedNodeFlags();
    // The pop-up menu of the tree as it would open now.
    QMenu *makeTreeMenu();

    // How the redirect dialog is shown (tests answer it).
    std::function<int(RedirectGrid &grid, int index)> runRedirectDialog;

signals:
    // The master list was rebuilt: the display tree of step 7 follows.
    void inventoryChanged();
    // Flags changed: trees redraw their colours.
    void inventoryFlagsChanged();

private:
    void storeStartingDisplay(int value);
    void storeScanDepth(int value);
    void showGrid(bool localJob);
    void treeSelectionChanged();
    void gridSelectionChanged(bool localJob);
    int selectedNodeData() const;
    bool eventFilter(QObject *watched, QEvent *event) override;

    QPushButton *m_build;
    QPushButton *m_abort;
    QLabel *m_fileLabel;
    SpinEdit *m_start;
    SpinEdit *m_depth;
    QTreeView *m_tree;
    InventoryTreeModel *m_model;
    QPushButton *m_add1;
    QPushButton *m_edit1;
    QPushButton *m_add2;
    QPushButton *m_edit2;
    StringGrid *m_jobGrid;
    StringGrid *m_localJobGrid;
    RedirectGrid m_jobRedirects{false};
    RedirectGrid m_localRedirects{true};
};

} // namespace vorlix
