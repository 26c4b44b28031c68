#include "translation/TranslationPage.h"

#include "commands/CommandSummary.h"
#include "common/CommandRunner.h"
#include "translation/DisplayPreview.h"
#include "inventory/InventoryTreeModel.h"
#include "inventory/TreeLegend.h"
#include "translation/OverrideDialog.h"
#include "translation/PreviewDialog.h"
#include "common/PageParts.h"
#include "translation/TranslationGrid.h"
#include "translation/TranslationModel.h"
#include "commands/CreateDisplayCommands.h"
#include "project/VisualStyles.h"
#include "project/Workbench.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace vorlix {

namespace {
// The grid's and the preview's heights from the settings ("480,160,"); a
// missing or unreadable list gives the grid four fifths.
QList<int> splitSizes(const QString &stored)
{
    const QStringList parts = stored.split(u',', Qt::SkipEmptyParts);
    bool gridOk = false, previewOk = false;
    const int grid = parts.value(0).trimmed().toInt(&gridOk);
    const int preview = parts.value(1).trimmed().toInt(&previewOk);
    if (parts.size() != 2 || !gridOk || !previewOk || grid < 1 || preview < 1)
        return {560, 140};
    return {grid, preview};
}
} // namespace

TranslationPage::TranslationPage(Workbench &wb, CommandRunner &runner, QWidget *parent)
    : StepPage(wb, runner, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeHeading(u"Step 7: Display File Translation"_qs, this));
    auto *buttons = new QHBoxLayout;
    m_load = makeButton(u"&Load Ibex Display"_qs, "btn_LoadDisplay", this);
    m_load->setEnabled(false);
    m_create = makeButton(u"&Create BACtalk Display"_qs, "btn_CreateEFBDisplay", this);
    m_create->setEnabled(false);
    m_create->setToolTip(u"Write the BACtalk display from the grid. With Ctrl+Alt held: only the selected row's object."_qs);
    m_clearGrid = makeCheckBox(u"Clear &grid after display is created."_qs, "cb_ClearGrid", this);
    buttons->addWidget(m_load);
    buttons->addWidget(m_create);
    buttons->addSpacing(12);
    buttons->addWidget(m_clearGrid);
    buttons->addStretch();
    QLabel *summary = makeSummaryLabel(this);
    buttons->addWidget(summary);
    layout->addLayout(buttons);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    buildTree(splitter);
    connect(m_load, &QPushButton::clicked, this, &TranslationPage::loadSelected);
    buildGridSide(splitter);
    connect(m_grid, &TextGrid::summaryChanged, summary, &QLabel::setText);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 4);
    splitter->setSizes({200, 780});
    layout->addWidget(splitter, 1);

    connect(m_create, &QPushButton::clicked, this, [this] {
        // Ctrl+Alt, and no other modifier, makes it single-row mode.
        const Qt::KeyboardModifiers mods =
            QApplication::keyboardModifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
        createDisplay(mods == (Qt::ControlModifier | Qt::AltModifier));
    });
    connect(m_grid, &TranslationGrid::overrideRequested, this, &TranslationPage::editOverride);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, &TranslationPage::sortBy);
    connect(m_grid, &QWidget::customContextMenuRequested, this, &TranslationPage::showGridMenu);
    connect(m_grid, &QAbstractItemView::clicked, this, [this] { rowSelected(); });
    connect(m_preview, &DisplayPreview::rowClicked, this,
            [this](int row) { m_grid->setCurrentIndex(m_model->index(row, 0)); });
    connect(m_preview, &DisplayPreview::enlargeRequested, this, &TranslationPage::showLargePreview);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { rowSelected(); });
}

void TranslationPage::buildTree(QSplitter *splitter)
{
    Workbench &wb = m_wb;
    auto *left = new QWidget(splitter);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    m_tree = new QTreeView(left);
    m_tree->setObjectName(u"JobTree"_qs);
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_treeModel = new InventoryTreeModel(InventoryTree::Kind::Display, wb, this);
    m_treeModel->isDark = [this] { return isDarkPalette(m_tree->palette()); };
    m_tree->setModel(m_treeModel);
    leftLayout->addWidget(m_tree, 1);
    leftLayout->addWidget(new TreeLegend(InventoryTree::Kind::Display, left));
    connect(m_treeModel, &QAbstractItemModel::modelReset, this, [this] {
        m_tree->expandAll();
        m_load->setEnabled(false);
    });
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QTreeView::customContextMenuRequested, this, &TranslationPage::showTreeMenu);
    // A file node (level 3: project, folder, group, file) can be loaded.
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        m_wb.setStatus(StatusPanel::Activity, QString());
        m_load->setEnabled(selectedListIndex() >= 0);
    });
    connect(m_tree, &QTreeView::doubleClicked, m_treeModel, &InventoryTreeModel::toggleGroupState);
    connect(m_tree, &QTreeView::activated, this, [this] {
        if (selectedListIndex() >= 0)
            loadSelected();
    });
}

void TranslationPage::buildGridSide(QSplitter *splitter)
{
    Workbench &wb = m_wb;
    auto *right = new QWidget(splitter);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    m_grid = new TranslationGrid(right);
    m_grid->setObjectName(u"TransGrid"_qs);
    m_model = new TranslationModel(wb, this);
    m_model->isDark = [this] { return isDarkStyle(m_wb.settings.visualStyle); };
    m_grid->setModel(m_model);
    // Wide enough for the usual texts until a display loads and the columns
    // fit it; the saved widths come from the settings when the window starts.
    m_grid->setStartWidths({50, 120, 45, 150, 130, 150, 130, 220});
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    // The preview under the grid: the Ibex display and its BACtalk display.
    auto *gridAndPreview = new QSplitter(Qt::Vertical, right);
    gridAndPreview->addWidget(m_grid);
    m_preview = new DisplayPreview(gridAndPreview);
    m_preview->setObjectName(u"DisplayPreview"_qs);
    gridAndPreview->addWidget(m_preview);
    // The grid takes most of the height; where the user puts the divider
    // is kept in the settings.
    gridAndPreview->setStretchFactor(0, 4);
    gridAndPreview->setStretchFactor(1, 1);
    gridAndPreview->setSizes(splitSizes(m_wb.settings.splitTransGrid));
    connect(gridAndPreview, &QSplitter::splitterMoved, this, [this, gridAndPreview] {
        const QList<int> sizes = gridAndPreview->sizes();
        m_wb.settings.splitTransGrid = QStringLiteral("%1,%2,").arg(sizes.value(0)).arg(sizes.value(1));
    });
    m_split = gridAndPreview;
    rightLayout->addWidget(gridAndPreview, 1);

    auto *info = new QFormLayout;
    m_ibexInfo = new QLineEdit(right);
    m_ibexInfo->setObjectName(u"eb_IbexInfo"_qs);
    m_ibexInfo->setReadOnly(true);
    m_btInfo = new QLineEdit(right);
    m_btInfo->setObjectName(u"eb_BTInfo"_qs);
    m_btInfo->setReadOnly(true);
    info->addRow(u"Ibex:"_qs, m_ibexInfo);
    info->addRow(u"BACtalk:"_qs, m_btInfo);
    rightLayout->addLayout(info);

}

void TranslationPage::attach()
{
    clearGrid();
}

void TranslationPage::detach()
{
    clearGrid();
}

int TranslationPage::selectedRow() const
{
    const QModelIndex at = m_grid->currentIndex();
    return at.isValid() ? at.row() : -1;
}

bool TranslationPage::loadDisplay(const DisplayFile &file, LoadAdvice advice)
{
    bool loaded = false;
    m_runner.guarded([&] {
        try {
            loaded = loadDisplayCommand(m_wb, file, advice);
        } catch (const MissingDisplayError &missing) {
            m_wb.prompter.inform(missing.message()); // "Missing display file!" is an information box
        }
    });
    // A failed read has dropped the display loaded before; a declined
    // question or a missing file has kept it.
    m_model->reset();
    const Translation *t = loadedTranslation(m_wb);
    m_create->setEnabled(t != nullptr);
    if (!loaded || !t) {
        showSortColumn(t ? m_sortColumn : -1);
        return false;
    }
    showSortColumn(Translation::colObj); // rows come in object order
    m_loadedListIndex = m_wb.masterList.indexOf(file.name, file.localJob);
    m_wb.setStatus(StatusPanel::Objects, QStringLiteral(" Objects: %1").arg(t->totalObjects()));
    m_runner.tell(QStringLiteral("%1 loaded: %2 object(s).").arg(file.name).arg(t->totalObjects()));
    m_grid->setCurrentIndex(m_model->index(0, 0));
    rowSelected();
    // Drawn once the grid shows.
    QTimer::singleShot(0, this, &TranslationPage::refreshPreview);
    return true;
}

int TranslationPage::selectedListIndex() const
{
    const QModelIndex at = m_tree->currentIndex();
    if (!at.isValid() || at.data(InventoryTreeModel::LevelRole).toInt() != 3)
        return -1;
    const int index = at.data(InventoryTreeModel::NodeDataRole).toInt();
    return m_wb.masterList.contains(index) ? index : -1;
}

bool TranslationPage::loadSelected()
{
    const int index = selectedListIndex();
    if (index < 0)
        return false;
    DisplayFile file;
    if (!m_runner.guarded([&] {
            file = findDisplayFile(m_wb, m_wb.masterList.entryName(index), m_wb.masterList.isLocalJob(index));
        }))
        return false;
    return loadDisplay(file, LoadAdvice::FromList);
}

void TranslationPage::refreshDisplayTree()
{
    m_treeModel->rebuild();
    // A rebuild of the display list drops the loaded display: its grid,
    // preview and "&Create BACtalk Display" go with it.
    if (!loadedTranslation(m_wb))
        clearGrid();
}

void TranslationPage::showTreeMenu(const QPoint &at)
{
    QMenu menu(this);
    menu.setObjectName(u"JgridPopup"_qs);
    using Mode = InventoryTree::StateMode;
    menu.addAction(u"Flag if the BACtalk file exists"_qs, this,
                   [this] { m_treeModel->setFileNodeStates(Mode::FlagExisting); });
    menu.addAction(u"Set the flag on all files"_qs, this, [this] { m_treeModel->setFileNodeStates(Mode::SetAll); });
    menu.addAction(u"Clear the flag on all files"_qs, this, [this] { m_treeModel->setFileNodeStates(Mode::ClearAll); });
    menu.addAction(u"Refresh the Display List"_qs, this, [this] { emit refreshDisplayListRequested(); });
    menu.exec(m_tree->viewport()->mapToGlobal(at));
}

bool TranslationPage::createDisplay(bool singleRow)
{
    if (!loadedTranslation(m_wb))
        return false;
    CreationOutcome out;
    const int row = singleRow ? qMax(0, selectedRow()) : -1;
    const bool ran = m_runner.run({}, [&](const Progress &) { out = createBtDisplayCommand(m_wb, row); });
    m_model->reset(); // creation sorts the rows into object order
    if (ran)
        m_runner.tell(createSummary(out, LogPlace::ProjectLog));
    showSortColumn(loadedTranslation(m_wb) ? int(Translation::colObj) : -1);
    if (!ran || !out.written)
        return false;
    refreshPreview();
    // The loaded display's node: its BACtalk display exists now.
    if (m_loadedListIndex >= 0)
        m_treeModel->setNodeState(m_loadedListIndex, stMade);
    if (m_clearGrid->isChecked())
        clearGrid();
    return true;
}

void TranslationPage::editOverride(int row, int column)
{
    Translation *t = loadedTranslation(m_wb);
    if (!t || row < 0 || row >= int(t->rows().size()))
        return;
    const TranslationRow &r = t->rows()[size_t(row)];
    if (!Translation::canOverride(r, column))
        return;
    const bool textColumn = column == Translation::colBtText;
    OverrideDialog dialog(r.btText, r.btPoint, r.ovr, textColumn, r.kind, this);
    dialog.exec();
    OverrideRequest request{r.object, OverrideAction::Skip, QString()};
    switch (dialog.choice()) {
    case OverrideResult::Cancel: return;
    case OverrideResult::Skip: break;
    case OverrideResult::OK:
        request.action = textColumn ? OverrideAction::Text : OverrideAction::Point;
        request.value = textColumn ? dialog.text() : dialog.point();
        break;
    case OverrideResult::Reset:
        request.action = textColumn ? OverrideAction::ResetText : OverrideAction::ResetPoint;
        break;
    }
    m_runner.guarded([&] { overrideCommand(m_wb, request); });
    m_model->rowChanged(row);
    refreshPreview();
}

void TranslationPage::copyToClipboard()
{
    if (const Translation *t = loadedTranslation(m_wb))
        QApplication::clipboard()->setText(t->clipboardText());
}

void TranslationPage::sortBy(int column)
{
    Translation *t = loadedTranslation(m_wb);
    if (!t || column < 0 || column >= Translation::ColCount) {
        showSortColumn(m_sortColumn); // the header flipped its indicator itself
        return;
    }
    t->sort(SortOrder(column));
    m_model->reset();
    showSortColumn(column);
}

void TranslationPage::showSortColumn(int column)
{
    m_sortColumn = column;
    m_grid->horizontalHeader()->setSortIndicator(column, Qt::AscendingOrder);
}

void TranslationPage::clearGrid()
{
    m_wb.loadedTranslation.reset();
    m_loadedListIndex = -1;
    m_model->reset();
    showSortColumn(-1);
    m_create->setEnabled(false);
    m_ibexInfo->clear();
    m_btInfo->clear();
    m_preview->clear();
}

void TranslationPage::refreshPreview()
{
    m_preview->showTranslation(m_wb, loadedTranslation(m_wb));
    m_preview->selectRow(selectedRow());
}

void TranslationPage::showLargePreview()
{
    if (!m_preview->hasPicture())
        return;
    PreviewDialog dialog(*m_preview, this);
    dialog.exec();
}

void TranslationPage::rowSelected()
{
    const Translation *t = loadedTranslation(m_wb);
    if (!t)
        return;
    m_wb.setStatus(StatusPanel::Activity, u" Display: "_qs + t->displayName());
    DisplayTranslator translator(m_wb.vars, m_wb.map);
    const DisplayTranslator::InfoBoxes boxes = translator.info(*t, selectedRow());
    m_ibexInfo->setText(boxes.ibex);
    m_btInfo->setText(boxes.bactalk);
    m_preview->selectRow(selectedRow());
}

void TranslationPage::showGridMenu(const QPoint &at)
{
    QMenu menu(this);
    const bool loaded = loadedTranslation(m_wb) != nullptr;
    QAction *copy = menu.addAction(u"Copy grid data to clipboard"_qs, this, &TranslationPage::copyToClipboard);
    copy->setEnabled(loaded);
    QAction *single = menu.addAction(u"Create BACtalk object of this row only"_qs, this, [this] { createDisplay(true); });
    single->setEnabled(loaded && selectedRow() > 0);
    menu.exec(m_grid->viewport()->mapToGlobal(at));
}

} // namespace vorlix
