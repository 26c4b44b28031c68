#pragma once
// The program state the main window and the CLI work on: folders, flags,
// settings, project variables, the session log and the project database.
// The window shows it; it does not own the logic.
#include "project/DialogFolders.h"
#include "project/ProjectDatabase.h"
#include "project/ProjectVariables.h"
#include "util/Prompter.h"
#include "project/SessionLog.h"
#include "project/Settings.h"
#include "project/ControllerMap.h"
#include "project/DeviceLists.h"
#include "project/MasterList.h"
#include "project/WorkbenchPart.h"

#include <QObject>
#include <QString>
#include <array>
#include <memory>

namespace vorlix {

// The four panels of the window's status bar.
enum class StatusPanel {
    Source,      // the open job folder, or " No project loaded."
    Destination, // the BACtalk job folder
    Activity,    // what a long command is doing, the display loaded in step 7
    Objects,     // the object count of the display loaded in step 7
};
inline constexpr int kStatusPanelCount = 4;

class Workbench : public QObject {
    Q_OBJECT
public:
    Workbench(QString appFolder, Prompter &prompter);
    ~Workbench() override;

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

    // The master display list of the project (steps 5 to 7). Opening a
    // project empties it; the open command builds it anew.
    MasterList masterList;

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
    void refreshDeviceLists();

    // Where the file dialogs start, per kind of file and project.
    DialogFolders dialogFolders;
    QString dialogStart(DialogFolders::Kind kind, const QString &name = {}) const;
    void rememberDialogFolder(DialogFolders::Kind kind, const QString &chosenFile);

    // The texts of the status bar's panels.
    QString status(StatusPanel panel) const { return m_status[size_t(panel)]; }
    void setStatus(StatusPanel panel, const QString &text);

    // --- lifecycle ---------------------------------------------------------
    // FormCreate: settings, then the default project's log.
    void startUp();
    // First show: connect the default project's database.
    void connectDefaultProject();
    // Window closing: settings, then the log of the current folder. Without
    // `windowState` (the CLI) column widths are left as the file holds them.
    void shutDown(bool windowState = true);

    QString iniPath() const;

    // Makes `folder` the current project (a trailing separator is allowed):
    // its log, its database (made from the default project when missing)
    // and device lists. The display list is left empty; the open command
    // (openProjectCommand) builds it. True when the database was made now.
    bool openProject(const QString &folder);
    // Back to the default project. Does nothing when no project is open.
    void closeProject();
    bool canCloseProject();

    // Throws Error naming the file when no project database is open.
    void requireDatabase() const;
    // Throws Error, saying where to set it, when BactalkJobPath is empty or
    // names no folder: a command that writes into the BACtalk job never
    // writes relative to the working folder.
    void requireBactalkJobFolder() const;

    // The step 5 spin edits store their values at once ("Starting display"
    // only for values of 0 or more).
    void setScanDepth(int depth);
    void setStartingDisplay(int display);

    // Project variables back into the database (options dialog OK).
    void saveProjectVariables();

    // Folders of a project.
    static QString localJobFolderOf(const QString &projectFolder);
    QString bactalkJobPath() const { return vars.bactalkJobPath; }

signals:
    void statusChanged(vorlix::StatusPanel panel);
    void deviceListsChanged();

private:
    // Tells (log and notice) when tblRepJob holds a devinst more than once.
    void reportDoubledDevinsts();
    void saveFileList();
    std::array<QString, kStatusPanelCount> m_status;
};

// Where settings, the default project and its log live: the executable's
// folder when it is writable; otherwise the per-user application data
// folder, seeded with the template databases from the executable's folder.
QString resolveAppFolder(const QString &executableFolder);

// Copies the template databases into `appFolder` when they are missing.
void seedAppFolder(const QString &appFolder, const QString &executableFolder);

} // namespace vorlix
