#include "commands/DeviceCommands.h"

#include "project/Messages.h"
#include "project/Workbench.h"

namespace vorlix {

bool emptyDevicesCommand(Workbench &wb, const CommandFrame &frame)
{
    if (!wb.prompter.confirm(msg::confirmEmptyDeviceDatabase()))
        return false;
    wb.requireDatabase();
    BusyScope busy(frame);
    wb.pdb.emptyDeviceTables();
    return true;
}

} // namespace vorlix
