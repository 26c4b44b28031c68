#pragma once
// Texts of the step 10 commands, exactly as users know them.
#include <QString>

namespace vorlix::msg {

inline QString addingWorkstation() { return QStringLiteral("Adding Workstation record to device database."); }
inline QString addingGateways() { return QStringLiteral("Adding BCM-TUX records to device database."); }
inline QString addingTux() { return QStringLiteral("Adding controller records to device database."); }
inline QString addWorkstationTitle() { return QStringLiteral("Add Workstation"); }
inline QString deviceIdPrompt() { return QStringLiteral("Device-ID"); }
inline QString editNetworkNumber() { return QStringLiteral("Make sure to edit the network number before exporting."); }

inline QString tdcListEmpty() { return QStringLiteral("TDC list is empty!"); }
inline QString updatingTdcNames() { return QStringLiteral("Update device database with tux tdc names."); }
inline QString errorLocatingDevices() { return QStringLiteral("Error locating records for devices: "); }

inline QString mergingDevices() { return QStringLiteral("Merging device database to remote database: "); }
inline QString mergeCompleted() { return QStringLiteral("Merge completed."); }
inline QString namesTruncated()
{
    return QStringLiteral("Some Rep/Job/DDC names were truncated to fit the 8 character limit.");
}
inline QString rowsNotWritten(int n) { return QStringLiteral("%1 row(s) were not written (see the log).").arg(n); }
inline QString mergeDialogTitle() { return QStringLiteral("Select project file to merge database with"); }
inline QString mergeFilter()
{
    return QStringLiteral("Access Database files (*.mdb)|*.mdb|BTB Project files (RepJob.mdb)|RepJob.mdb|"
                          "EFB Project files (bactalk.mdb)|bactalk.mdb|All files (*.*)|*.*");
}
inline QString ddcFileTitle() { return QStringLiteral("DDC File"); }
inline QString ddcFileFilter()
{
    return QStringLiteral("All DDC files (*.bd3;*.bd4)|*.bd3;*.bd4|Global/VLX DDC (*.bd3)|*.bd3|"
                          "VLC DDC (*.bd4)|*.bd4|All files (*.*)|*.*");
}

} // namespace vorlix::msg
