#pragma once
// Step 7: the display translation grid. The tree of the job's displays, the
// grid of the loaded display's rows with their overrides, the info boxes of
// the selected row, and the commands that load a display and create the
// BACtalk display from the grid.
#include "common/StepPage.h"

#include "commands/TranslateCommands.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTreeView;

namespace vorlix {

class DisplayPreview;
class InventoryTreeModel;
class TranslationGrid;
class TranslationModel;

class TranslationPage : public StepPage {
    Q_OBJECT
public:
    TranslationPage(Workbench &wb, CommandRunner &runner, QWidget *parent = nullptr);

    void attach() override;
    void detach() override;

    // Loads a display into the grid (after the unsaved-edits question);
    // false when nothing was loaded.
    bool loadDisplay(const DisplayFile &file, LoadAdvice advice = LoadAdvice::None);
    // "&Load Ibex Display": the display of the tree's selected file node,
    // with the advice of the display list (redirected, not referenced).
    bool loadSelected();
    // The display tree anew from the master list.
    void refreshDisplayTree();
    // "&Create BACtalk Display"; `singleRow`: only the selected row's object
    // (the command with Ctrl+Alt held). False when nothing was written.
    bool createDisplay(bool singleRow);
    // The override editing of a grid cell (BACtalk text or point column).
    void editOverride(int row, int column);
    // "Copy grid data to clipboard".
    void copyToClipboard();
    // Sorts the rows by a column (a title click).
    void sortBy(int column);
    // The grid lost its display (project closed): an empty grid.
    void clearGrid();

    TranslationGrid *transGrid() const { return m_grid; }
    TranslationModel *model() const { return m_model; }
    QTreeView *displayTree() const { return m_tree; }
    InventoryTreeModel *displayTreeModel() const { return m_treeModel; }
    QPushButton *loadButton() const { return m_load; }
    QPushButton *createButton() const { return m_create; }
    QCheckBox *clearGridBox() const { return m_clearGrid; }
    DisplayPreview *preview() const { return m_preview; }
    // The divider between the grid and the preview.
    QSplitter *gridSplitter() const { return m_split; }
    // The column the rows are sorted by (-1: no display).
    int sortColumn() const { return m_sortColumn; }
    // Draws the loaded display and its BACtalk display into the preview.
    void refreshPreview();
    // The preview in a large dialog (a click on the preview).
    void showLargePreview();

signals:
    // "Refresh the Display List": a full scan, run by the step 5 page.
    void refreshDisplayListRequested();

private:
    // The tree of the job's displays, and beside it the grid with the
    // preview and the info boxes.
    void buildTree(QSplitter *splitter);
    void buildGridSide(QSplitter *splitter);
    // The master-list index of the tree's selected file node, or -1.
    int selectedListIndex() const;
    void showTreeMenu(const QPoint &at);
    // The selected row: status panel 3 and the two info boxes.
    void rowSelected();
    void showGridMenu(const QPoint &at);
    int selectedRow() const;
    // The title of the column the rows are sorted by carries the indicator
    // (-1: none).
    void showSortColumn(int column);

    QPushButton *m_load;
    QPushButton *m_create;
    QCheckBox *m_clearGrid;
    QTreeView *m_tree;
    InventoryTreeModel *m_treeModel;
    int m_loadedListIndex = -1; // the loaded display's list entry
    int m_sortColumn = -1;
    TranslationGrid *m_grid;
    TranslationModel *m_model;
    QLineEdit *m_ibexInfo;
    QLineEdit *m_btInfo;
    DisplayPreview *m_preview;
    QSplitter *m_split;
};

} // namespace vorlix
