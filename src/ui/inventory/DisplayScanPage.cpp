#include "inventory/DisplayScanPage.h"

#include "common/CommandRunner.h"
#include "inventory/InventoryTreeModel.h"
#include "common/PageParts.h"
#include "inventory/RedirectDialog.h"
#include "common/SpinEdit.h"
#include "common/StringGrid.h"
#include "commands/InventoryCommands.h"
#include "project/Workbench.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

namespace vorlix {

namespace {
QStringList redirectTitles()
{
    QStringList t;
    for (const QString &s : RedirectGrid::titles())
        t << s;
    return t;
}
} // namespace

DisplayScanPage::DisplayScanPage(Workbench &wb, CommandRunner &runner, QWidget *parent)
    : StepPage(wb, runner, parent)
{
    auto *layout = new QHBoxLayout(this);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    layout->addWidget(splitter);

    // Step 5
    auto *scan = new QWidget(splitter);
    auto *scanLayout = new QVBoxLayout(scan);
    scanLayout->setContentsMargins(0, 0, 10, 0);
    scanLayout->addWidget(makeHeading(u"Step 5: Scan and Build Display File List"_qs, scan));
    auto *controls = new QGridLayout;
    m_build = makeButton(u"Build File List"_qs, "btn_Refresh", scan);
    connect(m_build, &QPushButton::clicked, this, &DisplayScanPage::buildFileList);
    m_abort = makeButton(u"Cancel Scan"_qs, "btn_abort", scan);
    m_abort->hide(); // shown in place of "Build File List" while a scan runs
    connect(m_abort, &QPushButton::clicked, this, [this] { m_wb.scanAborted = true; });
    controls->addWidget(m_build, 0, 0, 1, 2);
    controls->addWidget(m_abort, 0, 0, 1, 2);
    m_start = new SpinEdit(0, 9999, scan);
    m_start->setObjectName(u"se_StartDisplay"_qs);
    m_depth = new SpinEdit(5, 20, scan);
    m_depth->setObjectName(u"se_Depth"_qs);
    controls->addWidget(new QLabel(u"Starting display"_qs, scan), 1, 0);
    controls->addWidget(m_start, 1, 1);
    controls->addWidget(new QLabel(u"Scan depth"_qs, scan), 2, 0);
    controls->addWidget(m_depth, 2, 1);
    controls->setColumnStretch(2, 1);
    scanLayout->addLayout(controls);
    m_fileLabel = new QLabel(scan);
    m_fileLabel->setObjectName(u"lbl_file"_qs);
    m_fileLabel->setTextFormat(Qt::PlainText);
    m_fileLabel->hide(); // the display being read, while a scan runs
    scanLayout->addWidget(m_fileLabel);
    m_tree = new QTreeView(scan);
    m_tree->setObjectName(u"RDtree"_qs);
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_model = new InventoryTreeModel(InventoryTree::Kind::Redirection, wb, this);
    m_tree->setModel(m_model);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QTreeView::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu *menu = makeTreeMenu();
        menu->exec(m_tree->viewport()->mapToGlobal(at));
        menu->deleteLater();
    });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &DisplayScanPage::treeSelectionChanged);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_tree->expand(m_model->rootIndex());
        treeSelectionChanged();
    });
    scanLayout->addWidget(m_tree, 1);

    // Step 6
    auto *redirect = new QWidget(splitter);
    auto *redirectLayout = new QVBoxLayout(redirect);
    redirectLayout->setContentsMargins(10, 0, 0, 0);
    redirectLayout->addWidget(makeHeading(u"Step 6: Setup Display Redirection"_qs, redirect));
    auto addGridBox = [&](const QString &title, bool localJob) {
        auto *box = new QGroupBox(title, redirect);
        auto *boxLayout = new QVBoxLayout(box);
        auto *buttons = new QHBoxLayout;
        auto *add = makeButton(u"Add selected Ibex File to redirection list"_qs, localJob ? "sb_Add2" : "sb_Add1", box);
        auto *edit = makeButton(u"Edit selected redirection entry"_qs, localJob ? "sb_edit2" : "sb_Edit1", box);
        add->setEnabled(false);
        edit->setEnabled(false);
        connect(add, &QPushButton::clicked, this, &DisplayScanPage::redirectSelectedNode);
        connect(edit, &QPushButton::clicked, this, [this, localJob] { editJobList(localJob, -1); });
        buttons->addWidget(add);
        buttons->addWidget(edit);
        buttons->addStretch();
        boxLayout->addLayout(buttons);
        auto *grid = new StringGrid(redirectTitles(), box);
        grid->setObjectName(localJob ? u"LocalJobGrid"_qs : u"JobGrid"_qs);
        grid->setRowCount(RedirectGrid::RowCount - 1);
        grid->installEventFilter(this);
        connect(grid, &QTableWidget::itemSelectionChanged, this, [this, localJob] { gridSelectionChanged(localJob); });
        connect(grid, &QTableWidget::cellDoubleClicked, this, [this, localJob] {
            gridSelectionChanged(localJob);
            RedirectGrid &g = localJob ? m_localRedirects : m_jobRedirects;
            if (!g.cell(g.selectedRow(), RedirectGrid::colFile).isEmpty())
                editJobList(localJob, -1);
        });
        boxLayout->addWidget(grid);
        redirectLayout->addWidget(box, 1);
        (localJob ? m_add2 : m_add1) = add;
        (localJob ? m_edit2 : m_edit1) = edit;
        (localJob ? m_localJobGrid : m_jobGrid) = grid;
    };
    addGridBox(u"Ibex job ldisplay folder"_qs, false);
    addGridBox(u"Ibex localJob ldisplay folder"_qs, true);

    splitter->setHandleWidth(9);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);

    runRedirectDialog = [this](RedirectGrid &grid, int index) {
        return RedirectDialog::showRedirectDialog(m_wb, grid, index, this);
    };
    connect(this, &DisplayScanPage::inventoryFlagsChanged, m_model, &InventoryTreeModel::refreshColours);
    connect(m_start, &QSpinBox::valueChanged, this, &DisplayScanPage::storeStartingDisplay);
    connect(m_depth, &QSpinBox::valueChanged, this, &DisplayScanPage::storeScanDepth);
}

void DisplayScanPage::attach()
{
    // The spin edits show the project's values (out-of-range values as the
    // nearest bound, which is then stored back).
    m_start->setValue(m_wb.vars.startingDisplay);
    m_depth->setValue(m_wb.vars.scanDepth);
    if (m_depth->value() != m_wb.vars.scanDepth)
        storeScanDepth(m_depth->value());
    if (m_start->value() != m_wb.vars.startingDisplay)
        storeStartingDisplay(m_start->value());
    // The project's list was built as it opened.
    refreshInventoryViews();
}

void DisplayScanPage::storeStartingDisplay(int value) { m_wb.setStartingDisplay(value); }

void DisplayScanPage::storeScanDepth(int value) { m_wb.setScanDepth(value); }

void DisplayScanPage::buildFileList()
{
    // While the scan runs, "Cancel Scan" takes the place of "Build File List"
    // and the file being read is shown; clicks reach "Cancel Scan".
    m_build->hide();
    m_abort->show();
    m_fileLabel->show();
    CommandFrame frame;
    frame.beginBusy = [this] { m_runner.beginBusy(); };
    frame.endBusy = [this] { m_runner.endBusy(); };
    frame.progress = m_runner.progress();
    const auto report = frame.progress.report;
    frame.progress.report = [this, report](int done, int total, const QString &what) {
        if (total == 0)
            m_fileLabel->setText(what);
        report(done, total, what);
    };
    frame.progress.cancelled = [this] {
        QApplication::processEvents();
        return m_wb.scanAborted;
    };
    m_runner.guarded([&] { buildDisplayListCommand(m_wb, true, frame); });
    m_abort->hide();
    m_fileLabel->hide();
    m_fileLabel->clear();
    m_build->show();
    refreshInventoryViews();
}

void DisplayScanPage::refreshInventoryViews()
{
    m_runner.guarded([this] { refreshRedirectGrids(m_wb, m_jobRedirects, m_localRedirects); });
    showGrid(false);
    showGrid(true);
    m_model->rebuild();
    emit inventoryChanged();
}

void DisplayScanPage::showGrid(bool localJob)
{
    const RedirectGrid &g = localJob ? m_localRedirects : m_jobRedirects;
    StringGrid *grid = localJob ? m_localJobGrid : m_jobGrid;
    const QSignalBlocker block(grid);
    for (int r = 1; r < RedirectGrid::RowCount; ++r)
        for (int c = 0; c < RedirectGrid::ColCount; ++c) {
            QTableWidgetItem *item = grid->item(r - 1, c);
            if (!item) {
                item = new QTableWidgetItem;
                grid->setItem(r - 1, c, item);
            }
            item->setText(g.cell(r, c));
        }
    grid->selectRow(g.selectedRow() - 1);
    (localJob ? m_edit2 : m_edit1)->setEnabled(!g.cell(g.selectedRow(), RedirectGrid::colFile).isEmpty());
}

void DisplayScanPage::gridSelectionChanged(bool localJob)
{
    RedirectGrid &g = localJob ? m_localRedirects : m_jobRedirects;
    StringGrid *grid = localJob ? m_localJobGrid : m_jobGrid;
    if (grid->currentRow() >= 0)
        g.selectRow(grid->currentRow() + 1);
    (localJob ? m_edit2 : m_edit1)->setEnabled(!g.cell(g.selectedRow(), RedirectGrid::colFile).isEmpty());
}

bool DisplayScanPage::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in a grid edits its selected entry (the key is consumed).
    if (event->type() == QEvent::KeyPress && (watched == m_jobGrid || watched == m_localJobGrid)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const bool localJob = watched == m_localJobGrid;
            const RedirectGrid &g = localJob ? m_localRedirects : m_jobRedirects;
            if (!g.cell(g.selectedRow(), RedirectGrid::colFile).isEmpty())
                editJobList(localJob, -1);
            return true;
        }
    }
    return StepPage::eventFilter(watched, event);
}

void DisplayScanPage::editJobList(bool localJob, int index)
{
    RedirectGrid &g = localJob ? m_localRedirects : m_jobRedirects;
    int result = rrCancel;
    m_runner.guarded([&] {
        m_wb.requireDatabase();
        result = runRedirectDialog(g, index);
        if (finishRedirectEdit(m_wb, g, result, m_jobRedirects, m_localRedirects))
            emit inventoryFlagsChanged();
    });
    showGrid(false);
    showGrid(true);
}

int DisplayScanPage::selectedNodeData() const
{
    const QModelIndex current = m_tree->currentIndex();
    return current.isValid() ? current.data(InventoryTreeModel::NodeDataRole).toInt() : -1;
}

void DisplayScanPage::treeSelectionChanged()
{
    // The add buttons follow a display node of the job or the local job.
    const QModelIndex current = m_tree->currentIndex();
    const bool fileNode = current.isValid() && current.data(InventoryTreeModel::LevelRole).toInt() == 3;
    const int group = fileNode ? current.parent().data(InventoryTreeModel::NodeDataRole).toInt() : 0;
    m_add1->setEnabled(group == ndJobGroup);
    m_add2->setEnabled(group == ndLocalGroup);
}

void DisplayScanPage::redirectSelectedNode()
{
    const int index = selectedNodeData();
    if (!m_wb.masterList.contains(index))
        return;
    const bool localJob = m_wb.masterList.isLocalJob(index);
    RedirectGrid &g = localJob ? m_localRedirects : m_jobRedirects;
    if (g.findGridRow(m_wb.masterList.entryName(index)))
        editJobList(localJob, -1);
    else
        editJobList(localJob, index);
}

void DisplayScanPage::clearSelectedNodeFlags()
{
    const int index = selectedNodeData();
    if (!m_wb.masterList.contains(index))
        return;
    m_runner.guarded([&] { clearRedirectFlagsCommand(m_wb, index, m_jobRedirects, m_localRedirects); });
    showGrid(false);
    showGrid(true);
    emit inventoryFlagsChanged();
}

QMenu *DisplayScanPage::makeTreeMenu()
{
    auto *menu = new QMenu(this);
    menu->setObjectName(u"rdPopup"_qs);
    const int index = selectedNodeData();
    const bool inList = m_tree->currentIndex().isValid() && m_wb.masterList.contains(index);
    QAction *redirect = menu->addAction(u"Redirect this display file"_qs, this, &DisplayScanPage::redirectSelectedNode);
    redirect->setEnabled(inList);
    QAction *clear =
        menu->addAction(u"Clear all flags for selected file"_qs, this, &DisplayScanPage::clearSelectedNodeFlags);
    clear->setEnabled(inList && m_wb.masterList.isRedirected(index));
    return menu;
}

} // namespace vorlix
