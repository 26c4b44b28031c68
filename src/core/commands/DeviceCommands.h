#pragma once
// The commands of step 10 that exist so far: emptying the device tables.
#include "commands/CommandFrame.h"

namespace vorlix {

class Workbench;

// "Empty Database": asks, then empties tblDevCapabilities and tblRepJob in
// one transaction. False when the user answered No (nothing changed).
bool emptyDevicesCommand(Workbench &wb, const CommandFrame &frame = {});

} // namespace vorlix
