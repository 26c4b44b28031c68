#pragma once
// The step 10 column chooser: which of the 47 device columns are shown and
// how wide they are.
#include "project/Settings.h"

#include <array>

namespace vorlix {

using DeviceColumnFlags = std::array<bool, kDeviceColumns>;

// "&Close" of the column chooser: with `reset` every width becomes its
// reset width; a width below 12 becomes 12; a ticked column is shown, the
// others hidden. Only when something was changed (`changed`).
void closeColumnChooser(Settings &settings, const DeviceColumnFlags &ticked, bool reset, bool changed);

} // namespace vorlix
