#include "tables/DdcFilesPage.h"

#include "commands/CommandSummary.h"
#include "common/CommandRunner.h"
#include "common/DataGrid.h"
#include "common/PageParts.h"
#include "commands/DdcCommands.h"
#include "ddc/DdcScript.h"
#include "project/Workbench.h"
#include "util/Ansi.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
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
    connect(clip, &QPushButton::clicked, this, &DdcFilesPage::saveClipboard);
    connect(file, &QPushButton::clicked, this, &DdcFilesPage::saveToFile);
    connect(all, &QPushButton::clicked, this, &DdcFilesPage::autoGenerate);
    for (QPushButton *b : {clip, file, all})
        scripts->addWidget(b);
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
    connect(populate, &QPushButton::clicked, this, &DdcFilesPage::createDdcFileList);
    connect(copy, &QPushButton::clicked, this, &DdcFilesPage::copyTdcFiles);
    buttons->addWidget(populate);
    buttons->addWidget(copy);
    buttons->addStretch();
    tdc->addLayout(buttons);
    m_grid = new DataGrid(GridTable::TdcFiles, wb.prompter, this);
    m_grid->setObjectName(u"dbg_TdcFiles"_qs);
    m_grid->bactalkJobPath = [&wb] { return wb.vars.bactalkJobPath; };
    tdc->addWidget(m_grid, 1);
    addGridSummary(tdc, m_grid, this);
    layout->addLayout(tdc, 3);
    showDeviceList();
}

void DdcFilesPage::attach()
{
    m_grid->attach(m_wb.pdb.db());
}

void DdcFilesPage::detach() { m_grid->detach(); }

void DdcFilesPage::showDeviceList()
{
    const int row = m_scripts->currentRow();
    m_scripts->clear();
    m_scripts->addItems(deviceTexts(m_wb.deviceLists.scripts));
    if (row >= 0 && row < m_scripts->count())
        m_scripts->setCurrentRow(row);
}

std::optional<ScriptDevice> DdcFilesPage::chosenDevice()
{
    const QList<ScriptDevice> &devices = m_wb.deviceLists.scripts;
    if (m_scripts->count() == 0 || devices.isEmpty())
        return std::nullopt;
    if (m_scripts->currentRow() < 0)
        m_scripts->setCurrentRow(0);
    const int row = m_scripts->currentRow();
    return row < devices.size() ? std::optional<ScriptDevice>(devices[row]) : std::nullopt;
}

void DdcFilesPage::saveClipboard()
{
    const auto device = chosenDevice();
    if (!device)
        return;
    m_runner.guarded([&] { QApplication::clipboard()->setText(ansi::decode(createScriptCommand(m_wb, *device))); });
}

void DdcFilesPage::saveToFile()
{
    const auto device = chosenDevice();
    if (!device)
        return;
    // It starts in the BACtalk job's ddc folder with the name the automatic
    // scripts get (the suffix "dsr" is added to a name typed without one).
    const auto path = m_wb.prompter.chooseSaveFile(
        u"Save DDC script"_qs, scriptSaveFilter(),
        m_wb.dialogStart(DialogFolders::Kind::Script, frameworkScriptName(device->devId)));
    if (!path)
        return;
    m_wb.rememberDialogFolder(DialogFolders::Kind::Script, *path);
    const QString file = QDir::fromNativeSeparators(*path);
    if (m_runner.guarded([&] { saveScriptCommand(m_wb, *device, file); }))
        m_runner.tell(scriptWrittenText(file));
}

void DdcFilesPage::autoGenerate()
{
    const CommandFrame f = m_runner.frame();
    QStringList written;
    if (!m_runner.guarded([&] { written = autoGenerateScriptsCommand(m_wb, f); }))
        return;
    const QString folder = written.isEmpty() ? QString() : QFileInfo(written.first()).absolutePath();
    m_runner.tell(summaryLine({scriptsWrittenText(int(written.size())), folderText(folder)}));
}

void DdcFilesPage::createDdcFileList()
{
    m_grid->cancelPendingEdit();
    const CommandFrame f = m_runner.frame(m_grid);
    int rows = 0;
    if (m_runner.guarded([&] { rows = createDdcFileListCommand(m_wb, f); }))
        m_runner.tell(
            summaryLine({tdcListText(rows), refusedRowsText(m_wb.pdb.refusedPosts(), LogPlace::ProjectLog)}));
    m_grid->reload();
    m_grid->firstRow();
}

void DdcFilesPage::copyTdcFiles()
{
    m_grid->cancelPendingEdit();
    const CommandFrame f = m_runner.frame(m_grid);
    TdcCopyOutcome outcome;
    const bool ok = m_runner.guarded([&] { outcome = copyTdcFilesCommand(m_wb, f); });
    if (ok) {
        const bool look = outcome.failed > 0 || outcome.missing > 0;
        m_runner.tell(summaryLine({tdcCopyText(outcome), folderText(QDir(m_wb.bactalkJobPath()).filePath(u"ddc"_qs)),
                                   look ? seeLog(LogPlace::ProjectLog) + u"."_qs : QString()}));
    }
    if (ok && outcome.failed > 0)
        m_wb.prompter.error(tdcCopyFailedText(outcome.failed));
    // "File Exists" shows the copies made.
    m_grid->viewport()->update();
}

} // namespace vorlix
