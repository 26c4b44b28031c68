#pragma once
// The commands of steps 5 and 6: build the display file list (a full scan or
// a reload of the saved list), redirect, skip or un-redirect a display, and
// clear a display's flags. The window and the command line call these.
#include "commands/CommandFrame.h"
#include "inventory/DisplayScan.h"
#include "inventory/RedirectEditor.h"

#include <QString>
#include <optional>

namespace vorlix {

class RedirectGrid;
class Workbench;

struct BuildOutcome {
    bool scanned = false; // a full scan ran (else the list was reloaded)
    ScanOutcome scan;
};

inline constexpr auto kHeadingBuildFileList = "Building display file tree";
QString missingDisplaysMessage();

// CreateRedirectData: with `fullScan` ("Build File List", "Refresh the
// Display List", the scan command) or when FileList is empty, scans the
// display folders (emptying and filling Buttons, writing ButtonReport.txt)
// and saves the list into FileList, all in one transaction; otherwise
// reloads the list from FileList. `start` and `depth` override the project's
// StartingDisplay and ScanDepth for this scan. Tells the user once when
// referenced files are missing. The step 7 translation is dropped. The views
// rebuild their trees and grids from the list afterwards.
BuildOutcome buildDisplayListCommand(Workbench &wb, bool fullScan, const CommandFrame &frame = {},
                                     std::optional<int> start = {}, std::optional<int> depth = {});

enum class RedirectAction { To, Skip, Remove };
// The redirect dialog's rules on display `name` of the job (or the local
// job), without a grid: --to checks and stores `target` and sets the entry's
// redirect flag, --skip stores an empty target and sets it, --remove deletes
// the decision and clears it. The entry need not exist as a file, nor be in
// the list (no entry is added). False when the dialog would have refused
// (the reason was shown) or there was no decision to remove.
bool redirectCommand(Workbench &wb, const QString &name, bool localJob, RedirectAction action,
                     const RedirectTarget &target = {});

// EditJobList after the dialog closed with `result` on `grid`: the log line
// of OK, Skip and Remove, the grid rebuild after Remove, the message of a
// full grid. Returns whether the trees should be redrawn (all but Cancel).
bool finishRedirectEdit(Workbench &wb, const RedirectGrid &grid, int result, RedirectGrid &jobGrid,
                        RedirectGrid &localJobGrid);

// "Clear all flags for selected file" on master-list entry `index`.
void clearRedirectFlagsCommand(Workbench &wb, int index, RedirectGrid &jobGrid, RedirectGrid &localJobGrid);

} // namespace vorlix
