#include "devices/DeviceColumns.h"

namespace vorlix {

void closeColumnChooser(Settings &settings, const DeviceColumnFlags &ticked, bool reset, bool changed)
{
    if (!changed)
        return;
    for (int i = 0; i < kDeviceColumns; ++i) {
        if (reset)
            settings.deviceColWidth[i] = Settings::deviceResetWidth(i);
        if (settings.deviceColWidth[i] < 12)
            settings.deviceColWidth[i] = 12;
        settings.deviceColVisible[i] = ticked[i];
    }
    settings.deviceColWidthStored = true;
}

} // namespace vorlix
