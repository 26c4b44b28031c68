#pragma once
// The commands of step 5: build the display file list (a full scan or a
// reload of the saved list). The window and the command line call these;
// step 6's are in RedirectCommands.
#include "commands/CommandFrame.h"
#include "inventory/DisplayScan.h"

#include <QString>
#include <optional>

namespace vorlix {

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

} // namespace vorlix
