#include "commands/InventoryCommands.h"

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

} // namespace vorlix
