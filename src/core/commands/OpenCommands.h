#pragma once
// "Open or create new project", "Open last project" and the opening that
// every command line command does: the project's folders, log and database,
// then its display list (reloaded from FileList, or scanned when that table
// is empty) under `frame`.
#include "commands/CommandFrame.h"

#include <QString>

namespace vorlix {

class Workbench;

struct OpenOutcome {
    bool declined = false;    // the user kept the grid edits: nothing changed
    bool opened = false;      // a project is open now
    bool newDatabase = false; // its database was made now (the window then shows its options)
};

// Opens the job folder `folder` (the current project must be closed first).
OpenOutcome openProjectCommand(Workbench &wb, const QString &folder, const CommandFrame &frame = {});
// "Open or create new project" with a chosen MASETUP.DAT (or any file of the
// job folder): asks about unsaved grid edits, closes the current project,
// opens the chosen one and remembers the file for the next file dialog.
OpenOutcome openProjectFileCommand(Workbench &wb, const QString &chosenFile, const CommandFrame &frame = {});
// "Open last project": asks about unsaved grid edits, closes the current
// project and opens LastJob when that folder exists.
OpenOutcome openLastProjectCommand(Workbench &wb, const CommandFrame &frame = {});

} // namespace vorlix
