#include "DdcFilesPage.h"

#include "DataGrid.h"
#include "PageParts.h"
#include "project/Workbench.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorlix {

DdcFilesPage::DdcFilesPage(Workbench &wb, CommandRunner &runner, QWidget *parent) : StepPage(wb, runner, parent)
{
    auto *layout = new QHBoxLayout(this);

    // Step 8
    auto *scripts = new QVBoxLayout;
    scripts->addWidget(makeHeading(u"Step 8: Create DDC subroutine framework"_qs, this));
    m_scripts = new QListWidget(this);
    m_scripts->setObjectName(u"lb_scripts"_qs);
    scripts->addWidget(m_scripts, 1);
    auto *clip = makeButton(u"Create script and copy to clipboard"_qs, "btn_SaveClipboard", this);
    auto *file = makeButton(u"Create script and save to disk"_qs, "btn_SaveToFile", this);
    auto *all = makeButton(u"Auto create all Apex DDC script files"_qs, "btn_AutoGenerate", this);
    for (QPushButton *b : {clip, file, all}) {
        markNotAvailable(b);
        scripts->addWidget(b);
    }
    auto *note = new QLabel(u"( saves to BACtalk DDC folder )"_qs, this);
    note->setAlignment(Qt::AlignHCenter);
    scripts->addWidget(note);
    layout->addLayout(scripts, 2);

    // Step 9
    auto *tdc = new QVBoxLayout;
    tdc->addWidget(makeHeading(u"Step 9: Copy Tux DDC files"_qs, this));
    auto *buttons = new QHBoxLayout;
    auto *populate = makeButton(u"Populate this list from Ibex programming folders"_qs, "btn_CreateDDCFileList", this);
    auto *copy = makeButton(u"Copy TDC files to BACtalk DDC folder"_qs, "btn_CopyTdcFiles", this);
    markNotAvailable(populate);
    markNotAvailable(copy);
    buttons->addWidget(populate);
    buttons->addWidget(copy);
    buttons->addStretch();
    tdc->addLayout(buttons);
    m_grid = new DataGrid(GridTable::TdcFiles, wb.prompter, this);
    m_grid->setObjectName(u"dbg_TdcFiles"_qs);
    m_grid->bactalkJobPath = [&wb] { return wb.vars.bactalkJobPath; };
    tdc->addWidget(m_grid, 1);
    layout->addLayout(tdc, 3);
}

void DdcFilesPage::attach()
{
    m_grid->attach(m_wb.pdb.db());
    if (!m_sized && m_grid->tableModel()) {
        m_sized = true;
        const int widths[] = {50, 150, 150, 80};
        for (int c = 0; c < 4; ++c)
            m_grid->setColumnWidth(c, widths[c]);
    }
}

void DdcFilesPage::detach() { m_grid->detach(); }

} // namespace vorlix
