#include "commands/InventoryCommands.h"

#include "inventory/RedirectGrid.h"
#include "inventory/RedirectTable.h"
#include "project/Workbench.h"

namespace vorlix {

QString missingDisplaysMessage()
{
    return u"One or more display files referenced by pushbuttons could not be located. \nCheck the Project log for "
           "details."_qs;
}

BuildOutcome buildDisplayListCommand(Workbench &wb, bool fullScan, const CommandFrame &frame, std::optional<int> start,
                                     std::optional<int> depth)
{
    wb.requireDatabase();
    BuildOutcome out;
    {
        BusyScope busy(frame);
        wb.scanAborted = false;
        if (!fullScan) {
            wb.setStatus(StatusPanel::Activity, u" Scanning database..."_qs);
            fullScan = !wb.masterList.load(wb.pdb);
        }
        if (fullScan) {
            out.scanned = true;
            wb.log.logMsgStart(QLatin1String(kHeadingBuildFileList));
            wb.setStatus(StatusPanel::Activity, u" Scanning display files..."_qs);
            wb.pdb.resetRefusedPosts();
            ProjectDatabase::Transaction tx(wb.pdb);
            ButtonRecorder buttons(wb);
            buttons.clearButtons();
            DisplayScan scan(wb, buttons, frame.progress);
            out.scan = scan.run(start.value_or(wb.vars.startingDisplay), depth.value_or(wb.vars.scanDepth));
            wb.masterList.save(wb.pdb);
            tx.commit();
        }
        wb.setStatus(StatusPanel::Activity, u" Updating explorer trees..."_qs);
    }
    if (out.scan.missingFiles > 0)
        wb.prompter.inform(missingDisplaysMessage());
    wb.loadedTranslation.reset();
    wb.gridEdited = false;
    wb.setStatus(StatusPanel::Activity, QString());
    return out;
}

bool redirectCommand(Workbench &wb, const QString &name, bool localJob, RedirectAction action,
                     const RedirectTarget &target)
{
    wb.requireDatabase();
    RedirectEditor editor(wb);
    editor.setupForName(name, localJob);
    switch (action) {
    case RedirectAction::To:
        if (!editor.okay(target))
            return false;
        wb.log.logMsgStart(u"Add/edit button/display redirection entry: "_qs + editor.ibexName());
        return true;
    case RedirectAction::Skip:
        if (!editor.skip())
            return false;
        wb.log.logMsgStart(u"Set Skip flag on project display: "_qs + editor.ibexName());
        return true;
    case RedirectAction::Remove:
        if (editor.remove() != rrRemove)
            return false;
        wb.log.logMsgStart(u"Removed button/display redirection entry: "_qs + editor.ibexName());
        return true;
    }
    return false;
}

bool finishRedirectEdit(Workbench &wb, const RedirectGrid &grid, int result, RedirectGrid &jobGrid,
                        RedirectGrid &localJobGrid)
{
    const QString name = grid.cell(grid.selectedRow(), RedirectGrid::colIbexName);
    switch (result) {
    case rrOk: wb.log.logMsgStart(u"Add/edit button/display redirection entry: "_qs + name); break;
    case rrCancel: return false;
    case rrRemove:
        wb.log.logMsgStart(u"Removed button/display redirection entry: "_qs + name);
        refreshRedirectGrids(wb, jobGrid, localJobGrid);
        break;
    case rrSkip: wb.log.logMsgStart(u"Set Skip flag on project display: "_qs + name); break;
    case rrFull: wb.prompter.inform(u"Redirect grid is full!"_qs); break;
    default: break;
    }
    return true;
}

void clearRedirectFlagsCommand(Workbench &wb, int index, RedirectGrid &jobGrid, RedirectGrid &localJobGrid)
{
    MasterList &list = wb.masterList;
    if (!list.contains(index))
        return;
    RedirectGrid &grid = list.isLocalJob(index) ? localJobGrid : jobGrid;
    if (grid.findGridRow(list.entryName(index))) {
        if (!RedirectTable(wb.pdb).deleteRedirect(grid.cell(grid.selectedRow(), RedirectGrid::colIbexName),
                                                  list.isLocalJob(index)))
            RedirectTable::reportRedirectNotFound(wb.prompter);
    }
    list.clearRedirect(index);
    refreshRedirectGrids(wb, jobGrid, localJobGrid);
}

} // namespace vorlix
