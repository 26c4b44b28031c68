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

} // namespace vorlix::msg
