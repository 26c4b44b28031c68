#pragma once
// Tab "Display File Scan | Redirection": step 5 (scan the display files and
// build the display file list, shown in the redirection tree) and step 6
// (the redirect lists of the job and the local job, and the redirect
// dialog). A view over the core's inventory and its commands.
#include "common/StepPage.h"
#include "inventory/RedirectDialog.h"
#include "inventory/RedirectList.h"

#include <functional>

class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTreeView;

namespace vorlix {

class InventoryTreeModel;
class RedirectListModel;
class RedirectView;
class SpinEdit;

class DisplayScanPage : public StepPage {
    Q_OBJECT
public:
    DisplayScanPage(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr);
    void attach() override;

    RedirectView *jobGrid() const { return m_job.view; }
    RedirectView *localJobGrid() const { return m_local.view; }
    const RedirectList &redirects(bool localJob) const { return localJob ? m_local.list : m_job.list; }
    SpinEdit *startingDisplay() const { return m_start; }
    SpinEdit *scanDepth() const { return m_depth; }
    QTreeView *tree() const { return m_tree; }
    InventoryTreeModel *treeModel() const { return m_model; }
    QPushButton *buildButton() const { return m_build; }
    QPushButton *addButton(bool localJob) const { return (localJob ? m_local : m_job).add; }
    QPushButton *editButton(bool localJob) const { return (localJob ? m_local : m_job).edit; }

    // "Build File List": a full scan, then the trees and lists anew.
    void buildFileList();
    // The trees and lists anew from the master list (after a build, after
    // the options dialog's OK).
    void refreshInventoryViews();
    // EditJobList: the redirect dialog on the selected entry of a list.
    void editSelectedEntry(bool localJob);
    // RDtreeSetRedirect and RDtreeClearFlags on the selected tree node.
    void redirectSelectedNode();
    void clearSelectedNodeFlags();
    // The pop-up menu of the tree as it would open now.
    QMenu *makeTreeMenu();

    // How the redirect dialog is shown (tests answer it).
    std::function<RedirectChoice(const RedirectEdit &edit, RedirectList &list)> runRedirectDialog;

signals:
    // The master list was rebuilt: the display tree of step 7 follows.
    void inventoryChanged();
    // Flags changed: trees redraw their colours.
    void inventoryFlagsChanged();

private:
    // One folder's redirect list with its view and buttons.
    struct Folder {
        explicit Folder(bool localJob) : list(localJob) {}
        RedirectList list;
        RedirectListModel *model = nullptr;
        RedirectView *view = nullptr;
        QPushButton *add = nullptr;
        QPushButton *edit = nullptr;
    };
    Folder &folder(bool localJob) { return localJob ? m_local : m_job; }

    QWidget *makeScanPane(QWidget *parent);
    QWidget *makeRedirectPane(QWidget *parent);
    QGroupBox *makeListBox(const QString &title, bool localJob, QWidget *parent);
    void storeStartingDisplay(int value);
    void storeScanDepth(int value);
    // The lists were rebuilt: views anew, first rows selected.
    void showLists();
    // The edit button follows the list's selection.
    void listSelectionChanged(bool localJob);
    void treeSelectionChanged();
    int selectedNodeData() const;
    // EditJobList on master-list entry `index`, shown in its folder's list.
    void editJobList(int index);

    QPushButton *m_build;
    QPushButton *m_abort;
    QLabel *m_fileLabel;
    SpinEdit *m_start;
    SpinEdit *m_depth;
    QTreeView *m_tree;
    InventoryTreeModel *m_model;
    Folder m_job{false};
    Folder m_local{true};
};

} // namespace vorlix
