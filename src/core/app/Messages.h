#pragma once
// The texts the workbench shows to the user: message boxes, dialog titles,
// file filters and status-bar texts. One place per text, used as written.
#include <QString>

namespace vorlix::msg {

// --- questions ---------------------------------------------------------------
inline QString CanCloseProject()
{
    return u"Closing now will cause you to lose the edits made in the display grid.\nDo you want to quit?"_qs;
}
inline QString ConfirmClearTable()
{
    return u"This action will clear all data from the table including any modifications you have made. Continue?"_qs;
}
inline QString ConfirmEmptyTable() { return u"Empty data from table?"_qs; }
inline QString ConfirmEmptyDeviceDatabase() { return u"Empty database of all records?"_qs; }
// The standard question before a grid deletes a row from the keyboard.
inline QString ConfirmDeleteRecord() { return u"Delete record?"_qs; }

// --- status bar ----------------------------------------------------------------
inline QString NoProjectLoaded() { return u" No project loaded."_qs; }
inline QString StatusSource() { return u" Source: "_qs; }
inline QString StatusDest() { return u" Dest: "_qs; }
inline QString StatusObjects() { return u" Objects: %1"_qs; }

// --- project dialogs -------------------------------------------------------------
inline QString SelectIbexJobTitle() { return u"Select Ibex Job Folder"_qs; }
inline QString IbexJobFilter() { return u"MASETUP.DAT|MASETUP.DAT|Any file (*.*)|*.*"_qs; }
inline QString BactalkDatabaseFilter() { return u"BACtalk.mdb|BACtalk.mdb|All files (*.*)|*.*"_qs; }
inline QString OpenedProject() { return u"Opened project: "_qs; }
inline QString ImmediateTableNote()
{
    return u"Any changes made to this table are immediate and do not require the use of the OK or Cancel buttons!"_qs;
}
inline QString ExtendedTableNote()
{
    return u"Read the section in the User Manual on how to maintain this list. This option will only be enabled for Vorlix database tables 12.6 and later."_qs;
}

// --- about box and manual ----------------------------------------------------------
inline QString AboutCaption() { return u"About Vorlix"_qs; }
inline QString AboutVersion() { return u"Version: "_qs; }
inline QString AboutBuild() { return u"Build: "_qs; }
inline QString ManualFile() { return u"Vorlix Vorlix Users Manual.pdf"_qs; }
inline QString ManualFallbackFile() { return u"Vorlix.pdf"_qs; }

// --- commands that a later release brings ------------------------------------------
inline QString NotAvailableYet() { return u"Not available yet: this command comes with a later release of Vorlix."_qs; }

} // namespace vorlix::msg
