#pragma once
// Step 7: the display translation grid.
#include "StepPage.h"

class QCheckBox;
class QPushButton;
class QTreeView;

namespace vorlix {

class InventoryTreeModel;
class StringGrid;

class TranslationPage : public StepPage {
    Q_OBJECT
public:
    TranslationPage(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr);
    StringGrid *transGrid() const { return m_grid; }
    QTreeView *displayTree() const { return m_tree; }
    InventoryTreeModel *displayTreeModel() const { return m_treeModel; }
    // The display tree anew from the master list.
    void refreshDisplayTree();

signals:
    // "Refresh the Display List": a full scan, run by the step 5 page.
    void refreshDisplayListRequested();

private:
    QPushButton *m_load;
    QPushButton *m_create;
    QCheckBox *m_clearGrid;
    QTreeView *m_tree;
    InventoryTreeModel *m_treeModel;
    StringGrid *m_grid;
};

} // namespace vorlix
