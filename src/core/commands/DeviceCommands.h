#pragma once
// The commands of step 10: the device builders, the tdc names, the merge
// into a BACtalk device database, the multi-record edit and emptying the
// device tables.
#include "commands/CommandFrame.h"
#include "devices/DeviceRecords.h"
#include "devices/DeviceMerge.h"
#include "devices/DeviceTdcNames.h"
#include "devices/MultiEdit.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace vorlix {

class Workbench;

// "Empty Database": asks, then empties tblDevCapabilities and tblRepJob in
// one transaction. False when the user answered No (nothing changed).
bool emptyDevicesCommand(Workbench &wb, const CommandFrame &frame = {});

// "Add Workstation": asks for the Device-ID and writes the workstation.
// False when the question was cancelled; throws Error (nothing written)
// when the Device-ID is not a number.
bool addWorkstationCommand(Workbench &wb, const CommandFrame &frame = {});
// "Add BCM": one gateway per trunk in use. Returns the number written.
int addGatewaysCommand(Workbench &wb, const CommandFrame &frame = {});
// "Add Tux": one Tux per control panel on a trunk in use (a Tux with
// several panels is one device).
TuxBuild addTuxCommand(Workbench &wb, const CommandFrame &frame = {});
// "Update tdc names": the DDC program names of the Tux rows from TdcFiles.
// Missing devices are listed in an information box. Returns what was done
// (nothing listed when TdcFiles is empty).
TdcNamesResult updateTdcCommand(Workbench &wb, const CommandFrame &frame = {});

// "Merge DB" into `destPath`: every device, or only the `selection`.
// Ends with "Merge completed." (or the truncation message, and the count
// of rows not written). Throws Error naming the file when the destination
// cannot be used; it is then unchanged.
MergeResult mergeCommand(Workbench &wb, const QString &destPath, const std::optional<QList<int32_t>> &selection,
                         const CommandFrame &frame = {});

// The multi-record editor's OK: writes `values` into the selected rows.
// Returns the number of rows not written.
int multiEditCommand(Workbench &wb, const QList<int32_t> &selected, EditTarget target, const QStringList &values,
                     const CommandFrame &frame = {});

} // namespace vorlix
