#pragma once
// Texts the program shows in its message boxes, status bar and log, each in
// one place and exactly as users know them.
#include <QString>

namespace vorlix::msg {

inline QString confirmClearTable()
{
    return QStringLiteral("This action will clear all data from the table including any modifications you have made. Continue?");
}
inline QString confirmEmptyTable() { return QStringLiteral("Empty data from table?"); }
inline QString confirmEmptyDeviceDatabase() { return QStringLiteral("Empty database of all records?"); }
inline QString canCloseProject()
{
    return QStringLiteral("Closing now will cause you to lose the edits made in the display grid.\nDo you want to quit?");
}
inline QString noProjectLoaded() { return QStringLiteral(" No project loaded."); }
inline QString statusSource() { return QStringLiteral(" Source: "); }
inline QString statusDest() { return QStringLiteral(" Dest: "); }
inline QString openedProject() { return QStringLiteral("Opened project: "); }
inline QString possibleMissingFile() { return QStringLiteral("\tPossible missing file: "); }

// A row the project database refused to store or delete.
inline QString couldNotSetValue() { return QStringLiteral("Could not set value in database!"); }

// The standard question before a grid deletes a row from the keyboard.
inline QString confirmDeleteRecord() { return QStringLiteral("Delete record?"); }

// --- project dialogs -------------------------------------------------------------
inline QString selectIbexJobTitle() { return QStringLiteral("Select Ibex Job Folder"); }
inline QString ibexJobFilter() { return QStringLiteral("MASETUP.DAT|MASETUP.DAT|Any file (*.*)|*.*"); }
inline QString bactalkDatabaseFilter() { return QStringLiteral("BACtalk.mdb|BACtalk.mdb|All files (*.*)|*.*"); }
inline QString immediateTableNote()
{
    return QStringLiteral("Any changes made to this table are immediate and do not require the use of the OK or Cancel buttons!");
}
inline QString extendedTableNote()
{
    return QStringLiteral("Read the section in the User Manual on how to maintain this list. This option will only be "
                          "enabled for Vorlix database tables 12.6 and later.");
}

// --- about box and manual ----------------------------------------------------------
inline QString aboutCaption() { return QStringLiteral("About Vorlix"); }
inline QString aboutVersion() { return QStringLiteral("Version: "); }
inline QString aboutBuild() { return QStringLiteral("Build: "); }
inline QString manualFile() { return QStringLiteral("Vorlix Vorlix Users Manual.pdf"); }
inline QString manualFallbackFile() { return QStringLiteral("Vorlix.pdf"); }
// The manual that ships with the program, shown in the help window.
inline QString manualTextFile() { return QStringLiteral("vorlix-manual.md"); }

} // namespace vorlix::msg
