#include "TranslationPage.h"

#include "InventoryTreeModel.h"
#include "PageParts.h"
#include "StringGrid.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

namespace vorlix {

TranslationPage::TranslationPage(Workbench &wb, CommandRunner &runner, QWidget *parent)
    : StepPage(wb, runner, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeHeading(u"Step 7: Display File Translation"_qs, this));
    auto *buttons = new QHBoxLayout;
    m_load = makeButton(u"&Load Ibex Display"_qs, "btn_LoadDisplay", this);
    m_create = makeButton(u"&Create BACtalk Display"_qs, "btn_CreateEFBDisplay", this);
    markNotAvailable(m_load);
    markNotAvailable(m_create);
    m_clearGrid = makeCheckBox(u"Clear &grid after display is created."_qs, "cb_ClearGrid", this);
    buttons->addWidget(m_load);
    buttons->addWidget(m_create);
    buttons->addSpacing(12);
    buttons->addWidget(m_clearGrid);
    buttons->addStretch();
    layout->addLayout(buttons);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    m_tree = new QTreeView(splitter);
    m_tree->setObjectName(u"JobTree"_qs);
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_treeModel = new InventoryTreeModel(InventoryTree::Kind::Display, wb, this);
    m_tree->setModel(m_treeModel);
    connect(m_treeModel, &QAbstractItemModel::modelReset, this, [this] { m_tree->expand(m_treeModel->rootIndex()); });
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QTreeView::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(this);
        menu.setObjectName(u"JgridPopup"_qs);
        using Mode = InventoryTree::StateMode;
        menu.addAction(u"Flag if the BACtalk file exists"_qs, this,
                       [this] { m_treeModel->setFileNodeStates(Mode::FlagExisting); });
        menu.addAction(u"Set the flag on all files"_qs, this, [this] { m_treeModel->setFileNodeStates(Mode::SetAll); });
        menu.addAction(u"Clear the flag on all files"_qs, this,
                       [this] { m_treeModel->setFileNodeStates(Mode::ClearAll); });
        menu.addAction(u"Refresh the Display List"_qs, this, [this] { emit refreshDisplayListRequested(); });
        menu.exec(m_tree->viewport()->mapToGlobal(at));
    });
    m_grid = new StringGrid({QString(), u"Obj-Type"_qs, u"Apex"_qs, u"Ibex Text"_qs, u"Ibex Point"_qs,
                             u"EFB Text"_qs, u"EFB Point"_qs, u"Conversion Notes"_qs},
                            splitter);
    m_grid->setObjectName(u"TransGrid"_qs);
    m_grid->setColumnWidth(0, 50);
    m_grid->setColumnWidth(7, 160);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QTableWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(this);
        addNotAvailable(menu, u"Copy grid data to clipboard"_qs);
        menu.exec(m_grid->viewport()->mapToGlobal(at));
    });
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 4);
    splitter->setSizes({200, 780});
    layout->addWidget(splitter, 1);
}

void TranslationPage::refreshDisplayTree() { m_treeModel->rebuild(); }

} // namespace vorlix
