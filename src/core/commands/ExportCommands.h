#pragma once
// Step 3 "Translate and Export Points": one Apex's Ibex points into a point
// database chosen in a save dialog.
#include "commands/CommandFrame.h"
#include "project/DeviceLists.h"
#include "translate/PointExport.h"

#include <QString>

namespace vorlix {

class Workbench;

QString pointDatabaseFilter();
QString pointDatabaseInitialName();
QString pointDatabaseDialogTitle();

struct ExportOutcome {
    bool done = false; // false: the dialog was cancelled
    QString file;
    PointExportCounts counts;
};

// Exports the points of the Apex of export list device `device` into the file
// the prompter's save dialog gives. A missing file is first made from the
// application folder's pointdata.mdb. Logs "Exporting Points: " and a
// closing line with the counts, and tells the user the counts. Throws Error
// naming the file when it cannot be made, opened or written (nothing in it
// changed then).
// The point database is chosen in an Open dialog (it is updated, never
// replaced) that starts in the BACtalk job folder. With `explainNoMatch`
// (the window) a closing message whose count of updated rows is 0 also says
// why; the command line keeps the counts alone.
ExportOutcome exportPointsCommand(Workbench &wb, const ExportDevice &device, const CommandFrame &frame = {},
                                  bool explainNoMatch = false);
// Why no row of the point database took a point of `apex` (empty when one did).
QString noMatchReason(const PointExportCounts &counts, int apex);

} // namespace vorlix
