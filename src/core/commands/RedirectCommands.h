#pragma once
// The commands of step 6: redirect a display to a BACtalk display, flag it
// to be skipped, or remove that decision (the redirect dialog and the
// command line's redirect both go through redirectCommand), the dialog's
// opening, and "Clear all flags for selected file".
#include "inventory/RedirectList.h"
#include "inventory/RedirectTarget.h"

#include <QString>
#include <optional>

namespace vorlix {

class Workbench;

enum class RedirectAction { Redirect, Skip, Remove };

struct RedirectRequest {
    QString ibexName; // the display's plain file name (stored in lower case)
    bool localJob = false;
    RedirectAction action = RedirectAction::Redirect;
    RedirectTarget target; // Redirect: rep, job and file as typed or given
    // The window's list of the display's folder: Redirect and Skip put the
    // display's row into it. The command line has none.
    RedirectList *list = nullptr;
};

enum class RedirectStatus {
    Done,     // stored and logged
    Refused,  // a check failed or the database refused: the user was told, nothing changed
    NotFound, // Remove: DisplayMap had no such row (the user was told); the flag is cleared all the same
};

// Checks and stores the decision on the display's DisplayMap row, sets or
// clears the redirect flag of its master-list entry (no entry is ever
// added: the display need not be in the list, nor exist as a file) and
// logs it. Redirect stores the lower-cased rep-job-file after checking that
// rep and job are given and their folder exists (a missing target file is
// only pointed out); Skip stores an empty target; Remove deletes the row.
RedirectStatus redirectCommand(Workbench &wb, const RedirectRequest &request);

// The file filter of the redirect dialog's Browse: BACtalk templates and
// displays.
QString redirectBrowseFilter();

// What the redirect dialog edits.
struct RedirectEdit {
    QString ibexName;
    bool localJob = false;
    bool newDisplay = false; // neither listed nor decided: nothing to remove
    RedirectTarget target;   // as stored: what the three boxes show
};
// The dialog's opening on master-list entry `index`, which `list` shows
// or will show. Nothing, after "Redirect grid is full!", when the display
// is new and the list has no room for it.
std::optional<RedirectEdit> redirectEditFor(Workbench &wb, const RedirectList &list, int index);

// Both lists anew from the master list and DisplayMap.
void refreshRedirectLists(Workbench &wb, RedirectList &jobList, RedirectList &localJobList);

// "Clear all flags for selected file" on master-list entry `index`: deletes
// its listed decision and clears its redirect flag, then rebuilds both lists.
void clearRedirectFlagsCommand(Workbench &wb, int index, RedirectList &jobList, RedirectList &localJobList);

} // namespace vorlix
