#pragma once
// The program state the main window and the CLI work on: folders, flags,
// settings, project variables, the session log and the project database.
// The window shows it; it does not own the logic.
#include "project/ProjectDatabase.h"
#include "project/ProjectVariables.h"
#include "util/Prompter.h"
#include "project/SessionLog.h"
#include "project/Settings.h"
#include "project/ControllerMap.h"
#include "project/DeviceLists.h"
#include "project/MasterList.h"
#include "project/WorkbenchPart.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>

namespace vorlix {

class Workbench {
public:
    Workbench(QString appFolder, Prompter &prompter);
    ~Workbench();

    // --- state -----------------------------------------------------------
    QString appFolder;
    QString projectFolder;
    QString localJobFolder;
    bool projectOpen = false;
    bool scanAborted = false;

    // The translation loaded in step 7 (the translate layer's Translation),
    // and whether it holds edits not yet written as a BACtalk display. Both
    // go when the project changes.
    std::unique_ptr<WorkbenchPart> loadedTranslation;
    bool gridEdited = false;

    // The master display list of the project (steps 5 to 7).
    MasterList masterList;
    // Builds the display list when a project opens: reloads it from FileList,
    // or scans the display folders when that table is empty. The inventory
    // layer installs it (attachDisplayInventory); without it the list is
    // only reloaded.
    std::function<void()> displayListBuilder;

    Settings settings;
    ProjectVariables vars;
    SessionLog log;
    ProjectDatabase pdb;
    ControllerMap map{pdb};
    // The front end's prompter; a command may answer some questions itself
    // for a while (PrompterOverride).
    ForwardingPrompter prompter;

    // The device lists of steps 8 and 3. Empty at start-up; rebuilt when a
    // project opens, after step 1 edits and after the step 2 reader; they
    // keep the closed project's items after "Close project".
    DeviceLists deviceLists;
    std::function<void()> deviceListsChanged;
    void refreshDeviceLists();

    // Status bar panels 1 to 4 (index 0 to 3).
    std::array<QString, 4> status;
    std::function<void()> statusChanged;
    void setStatus(int panel, const QString &text);

    // The window's options dialog, shown after a new project database is
    // made (isDefault true). Empty in the CLI: nothing is shown.
    std::function<void(bool isDefault)> showOptionsDialog;

    // --- lifecycle ---------------------------------------------------------
    // FormCreate: settings, then the default project's log.
    void startUp();
    // First show: connect the default project's database.
    void connectDefaultProject();
    // Window closing: settings, then the log of the current folder. Without
    // `windowState` (the CLI) column widths are left as the file holds them.
    void shutDown(bool windowState = true);

    QString iniPath() const;

    // Makes `folder` the current project (a trailing separator is allowed).
    void openProject(const QString &folder);
    // Back to the default project. Does nothing when no project is open.
    void closeProject();
    // Closes the current project and opens LastJob when that folder exists.
    // False when the user kept the grid edits.
    bool openLastProject();
    // "Open or create new project" with a chosen MASETUP.DAT (or any file of
    // the job folder). False when the user kept the grid edits.
    bool openProjectFile(const QString &chosenFile);
    bool canCloseProject();

    // Throws Error naming the file when no project database is open.
    void requireDatabase() const;
    // Throws Error, saying where to set it, when BactalkJobPath is empty or
    // names no folder: a command that writes into the BACtalk job never
    // writes relative to the working folder.
    void requireBactalkJobFolder() const;

    // Step 10 "Empty Database": asks, then empties both device tables.
    bool emptyDeviceDatabase();

    // The step 5 spin edits store their values at once ("Starting display"
    // only for values of 0 or more).
    void setScanDepth(int depth);
    void setStartingDisplay(int display);

    // Project variables back into the database (options dialog OK).
    void saveProjectVariables();

    // Folders of a project.
    static QString localJobFolderOf(const QString &projectFolder);
    QString bactalkJobPath() const { return vars.bactalkJobPath; }

private:
    // Steps that later parts of the program own; they run as the project
    // opens and closes.
    void buildDisplayInventory();
    void saveFileList();
};

// Where settings, the default project and its log live: the executable's
// folder when it is writable; otherwise the per-user application data
// folder, seeded with the template databases from the executable's folder.
QString resolveAppFolder(const QString &executableFolder);

// Copies the template databases into `appFolder` when they are missing.
void seedAppFolder(const QString &appFolder, const QString &executableFolder);

} // namespace vorlix
