#include "DisplayScanPage.h"

#include "PageParts.h"
#include "SpinEdit.h"
#include "StringGrid.h"
#include "project/Workbench.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vorlix {

namespace {
QStringList redirectTitles()
{
    return {QString(), u"Ibex FileName"_qs, u"EFB FileName"_qs, u"Skip Flag"_qs, u"File Exists"_qs,
            u"Warning"_qs, QString()};
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
    m_build = makeButton(u"Build File List"_qs, "btn_BuildFileList", scan);
    markNotAvailable(m_build);
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
    m_tree = new QTreeWidget(scan);
    m_tree->setObjectName(u"RDtree"_qs);
    m_tree->setHeaderHidden(true);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(this);
        addNotAvailable(menu, u"Redirect this display file"_qs);
        addNotAvailable(menu, u"Clear all flags for selected file"_qs);
        menu.exec(m_tree->viewport()->mapToGlobal(at));
    });
    scanLayout->addWidget(m_tree, 1);

    // Step 6
    auto *redirect = new QWidget(splitter);
    auto *redirectLayout = new QVBoxLayout(redirect);
    redirectLayout->setContentsMargins(10, 0, 0, 0);
    redirectLayout->addWidget(makeHeading(u"Step 6: Setup Display Redirection"_qs, redirect));
    auto *buttons = new QHBoxLayout;
    auto *add = makeButton(u"Add selected Ibex File to redirection list"_qs, "sb_AddRedirect", redirect);
    auto *edit = makeButton(u"Edit selected redirection entry"_qs, "sb_EditRedirect", redirect);
    markNotAvailable(add);
    markNotAvailable(edit);
    buttons->addWidget(add);
    buttons->addWidget(edit);
    buttons->addStretch();
    redirectLayout->addLayout(buttons);
    auto *jobBox = new QGroupBox(u"Ibex job ldisplay folder"_qs, redirect);
    auto *jobLayout = new QVBoxLayout(jobBox);
    m_jobGrid = new StringGrid(redirectTitles(), jobBox);
    m_jobGrid->setObjectName(u"JobGrid"_qs);
    jobLayout->addWidget(m_jobGrid);
    redirectLayout->addWidget(jobBox, 1);
    auto *localBox = new QGroupBox(u"Ibex localJob ldisplay folder"_qs, redirect);
    auto *localLayout = new QVBoxLayout(localBox);
    m_localJobGrid = new StringGrid(redirectTitles(), localBox);
    m_localJobGrid->setObjectName(u"LocalJobGrid"_qs);
    localLayout->addWidget(m_localJobGrid);
    redirectLayout->addWidget(localBox, 1);

    splitter->setHandleWidth(9);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);

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
}

void DisplayScanPage::storeStartingDisplay(int value) { m_wb.setStartingDisplay(value); }

void DisplayScanPage::storeScanDepth(int value) { m_wb.setScanDepth(value); }

} // namespace vorlix
