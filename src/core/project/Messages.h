#pragma once
// Texts the program shows in its message boxes, status bar and log, each in
// one place and exactly as users know them.
#include <QString>

namespace vorlix::msg {

inline QString ConfirmClearTable()
{
    return QStringLiteral("This action will clear all data from the table including any modifications you have made. Continue?");
}
inline QString ConfirmEmptyTable() { return QStringLiteral("Empty data from table?"); }
inline QString ConfirmEmptyDeviceDatabase() { return QStringLiteral("Empty database of all records?"); }
inline QString CanCloseProject()
{
    return QStringLiteral("Closing now will cause you to lose the edits made in the display grid.\nDo you want to quit?");
}
inline QString NoProjectLoaded() { return QStringLiteral(" No project loaded."); }
inline QString StatusSource() { return QStringLiteral(" Source: "); }
inline QString StatusDest() { return QStringLiteral(" Dest: "); }
inline QString OpenedProject() { return QStringLiteral("Opened project: "); }
inline QString PossibleMissingFile() { return QStringLiteral("\tPossible missing file: "); }

// The standard question before a grid deletes a row from the keyboard.
inline QString ConfirmDeleteRecord() { return QStringLiteral("Delete record?"); }
inline QString StatusObjects() { return QStringLiteral(" Objects: %1"); }

// --- project dialogs -------------------------------------------------------------
inline QString SelectIbexJobTitle() { return QStringLiteral("Select Ibex Job Folder"); }
inline QString IbexJobFilter() { return QStringLiteral("MASETUP.DAT|MASETUP.DAT|Any file (*.*)|*.*"); }
inline QString BactalkDatabaseFilter() { return QStringLiteral("BACtalk.mdb|BACtalk.mdb|All files (*.*)|*.*"); }
inline QString ImmediateTableNote()
{
    return QStringLiteral("Any changes made to this table are immediate and do not require the use of the OK or Cancel buttons!");
}
inline QString ExtendedTableNote()
{
    return QStringLiteral("Read the section in the User Manual on how to maintain this list. This option will only be "
                          "enabled for Vorlix database tables 12.6 and later.");
}

// --- about box and manual ----------------------------------------------------------
inline QString AboutCaption() { return QStringLiteral("About Vorlix"); }
inline QString AboutVersion() { return QStringLiteral("Version: "); }
inline QString AboutBuild() { return QStringLiteral("Build: "); }
inline QString ManualFile() { return QStringLiteral("Vorlix Vorlix Users Manual.pdf"); }
inline QString ManualFallbackFile() { return QStringLiteral("Vorlix.pdf"); }

// --- commands that a later release brings ------------------------------------------
inline QString NotAvailableYet()
{
    return QStringLiteral("Not available yet: this command comes with a later release of Vorlix.");
}

} // namespace vorlix::msg
