#include "inventory/DisplayScanPage.h"

#include "commands/CommandSummary.h"
#include "commands/InventoryCommands.h"
#include "common/CommandRunner.h"
#include "common/PageParts.h"
#include "common/SpinEdit.h"
#include "inventory/InventoryTreeModel.h"
#include "inventory/RedirectListModel.h"
#include "inventory/RedirectView.h"
#include "inventory/TreeLegend.h"
#include "project/Workbench.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

namespace vorlix {

DisplayScanPage::DisplayScanPage(Workbench &wb, CommandRunner &runner, QWidget *parent)
    : StepPage(wb, runner, parent)
{
    auto *layout = new QHBoxLayout(this);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    layout->addWidget(splitter);
    splitter->addWidget(makeScanPane(splitter));
    splitter->addWidget(makeRedirectPane(splitter));
    splitter->setHandleWidth(9);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);

    runRedirectDialog = [this](const RedirectEdit &edit, RedirectList &list) {
        return RedirectDialog::ask(m_wb, m_runner, edit, list, this);
    };
    connect(this, &DisplayScanPage::inventoryFlagsChanged, m_model, &InventoryTreeModel::refreshColours);
    connect(m_start, &QSpinBox::valueChanged, this, &DisplayScanPage::storeStartingDisplay);
    connect(m_depth, &QSpinBox::valueChanged, this, &DisplayScanPage::storeScanDepth);
}

QWidget *DisplayScanPage::makeScanPane(QWidget *parent)
{
    auto *scan = new QWidget(parent);
    auto *scanLayout = new QVBoxLayout(scan);
    scanLayout->setContentsMargins(0, 0, 10, 0);
    scanLayout->addWidget(makeHeading(u"Step 5: Scan and Build Display File List"_qs, scan));
    auto *controls = new QGridLayout;
    m_build = makeButton(u"Build File List"_qs, "btn_Refresh", scan);
    connect(m_build, &QPushButton::clicked, this, &DisplayScanPage::buildFileList);
    m_abort = makeButton(u"Cancel Scan"_qs, "btn_abort", scan);
    m_abort->hide(); // shown in place of "Build File List" while a scan runs
    connect(m_abort, &QPushButton::clicked, this, [this] { m_wb.scanAborted = true; });
    m_runner.allowWhileBusy(m_abort);
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
    m_model = new InventoryTreeModel(InventoryTree::Kind::Redirection, m_wb, this);
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
    m_model->isDark = [this] { return isDarkPalette(m_tree->palette()); };
    scanLayout->addWidget(m_tree, 1);
    scanLayout->addWidget(new TreeLegend(InventoryTree::Kind::Redirection, scan));
    return scan;
}

QWidget *DisplayScanPage::makeRedirectPane(QWidget *parent)
{
    auto *redirect = new QWidget(parent);
    auto *redirectLayout = new QVBoxLayout(redirect);
    redirectLayout->setContentsMargins(10, 0, 0, 0);
    redirectLayout->addWidget(makeHeading(u"Step 6: Setup Display Redirection"_qs, redirect));
    redirectLayout->addWidget(makeListBox(u"Ibex job ldisplay folder"_qs, false, redirect), 1);
    redirectLayout->addWidget(makeListBox(u"Ibex localJob ldisplay folder"_qs, true, redirect), 1);
    return redirect;
}

QGroupBox *DisplayScanPage::makeListBox(const QString &title, bool localJob, QWidget *parent)
{
    Folder &f = folder(localJob);
    auto *box = new QGroupBox(title, parent);
    auto *boxLayout = new QVBoxLayout(box);
    auto *buttons = new QHBoxLayout;
    f.add = makeButton(u"Add selected Ibex File to redirection list"_qs, localJob ? "sb_Add2" : "sb_Add1", box);
    f.edit = makeButton(u"Edit selected redirection entry"_qs, localJob ? "sb_edit2" : "sb_Edit1", box);
    f.add->setEnabled(false);
    f.edit->setEnabled(false);
    connect(f.add, &QPushButton::clicked, this, &DisplayScanPage::redirectSelectedNode);
    connect(f.edit, &QPushButton::clicked, this, [this, localJob] { editSelectedEntry(localJob); });
    buttons->addWidget(f.add);
    buttons->addWidget(f.edit);
    buttons->addStretch();
    QLabel *summary = makeSummaryLabel(box);
    buttons->addWidget(summary);
    boxLayout->addLayout(buttons);

    f.model = new RedirectListModel(f.list, this);
    f.view = new RedirectView(box);
    f.view->setObjectName(localJob ? u"LocalJobGrid"_qs : u"JobGrid"_qs);
    connect(f.view, &TextGrid::summaryChanged, summary, &QLabel::setText);
    f.view->setModel(f.model);
    // Wide enough for the usual names until rows arrive and the columns
    // fit them; the saved widths come from the settings when the window starts.
    f.view->setStartWidths({50, 110, 220, 70, 70, 70, 40});
    connect(f.view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, localJob] { listSelectionChanged(localJob); });
    connect(f.view, &RedirectView::editRequested, this, [this, localJob] { editSelectedEntry(localJob); });
    boxLayout->addWidget(f.view);
    return box;
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
    if (m_runner.busy())
        return;
    // While the scan runs, "Cancel Scan" takes the place of "Build File List"
    // and the file being read is shown; clicks reach only "Cancel Scan".
    m_build->hide();
    m_abort->show();
    m_fileLabel->show();
    CommandFrame frame = m_runner.frame();
    const auto report = frame.progress.report;
    frame.progress.report = [this, report](int done, int total, const QString &what) {
        if (total == 0)
            m_fileLabel->setText(what);
        report(done, total, what);
    };
    BuildOutcome outcome;
    const bool ok = m_runner.guarded([&] { outcome = buildDisplayListCommand(m_wb, true, frame); });
    m_abort->hide();
    m_fileLabel->hide();
    m_fileLabel->clear();
    m_build->show();
    refreshInventoryViews();
    if (ok)
        m_runner.tell(scanSummary(m_wb.masterList, outcome, m_wb.pdb.refusedPosts(), LogPlace::ProjectLog));
}

void DisplayScanPage::refreshInventoryViews()
{
    m_runner.guarded([this] { refreshRedirectLists(m_wb, m_job.list, m_local.list); });
    showLists();
    m_model->rebuild();
    emit inventoryChanged();
}

void DisplayScanPage::showLists()
{
    for (Folder *f : {&m_job, &m_local}) {
        f->model->reload();
        if (f->list.size() > 0)
            f->view->selectRow(0);
        listSelectionChanged(f->list.localJob());
    }
}

void DisplayScanPage::listSelectionChanged(bool localJob)
{
    Folder &f = folder(localJob);
    f.edit->setEnabled(f.list.contains(f.view->selectedRow()));
}

void DisplayScanPage::editSelectedEntry(bool localJob)
{
    Folder &f = folder(localJob);
    const int row = f.view->selectedRow();
    if (f.list.contains(row))
        editJobList(f.list.at(row).index);
}

void DisplayScanPage::editJobList(int index)
{
    if (!m_wb.masterList.contains(index))
        return;
    Folder &f = folder(m_wb.masterList.isLocalJob(index));
    RedirectChoice choice = RedirectChoice::Cancel;
    m_runner.guarded([&] {
        m_wb.requireDatabase();
        if (const std::optional<RedirectEdit> edit = redirectEditFor(m_wb, f.list, index))
            choice = runRedirectDialog(*edit, f.list);
    });
    // Cancel changes nothing the views show.
    if (choice == RedirectChoice::Cancel)
        return;
    if (choice == RedirectChoice::Remove) {
        m_runner.guarded([this] { refreshRedirectLists(m_wb, m_job.list, m_local.list); });
        showLists();
    } else {
        // OK and Skip have put the display's row into the list: it stays selected.
        f.model->reload();
        f.view->selectRow(f.list.find(m_wb.masterList.entryName(index)));
        listSelectionChanged(f.list.localJob());
    }
    emit inventoryFlagsChanged();
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
    m_job.add->setEnabled(group == ndJobGroup);
    m_local.add->setEnabled(group == ndLocalGroup);
}

void DisplayScanPage::redirectSelectedNode()
{
    const int index = selectedNodeData();
    if (!m_wb.masterList.contains(index))
        return;
    // A display already listed is edited in its row, which gets selected.
    Folder &f = folder(m_wb.masterList.isLocalJob(index));
    const int row = f.list.find(m_wb.masterList.entryName(index));
    if (row >= 0)
        f.view->selectRow(row);
    editJobList(index);
}

void DisplayScanPage::clearSelectedNodeFlags()
{
    const int index = selectedNodeData();
    if (!m_wb.masterList.contains(index))
        return;
    m_runner.guarded([&] { clearRedirectFlagsCommand(m_wb, index, m_job.list, m_local.list); });
    showLists();
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
