#pragma once
// Binds the point block of a display record from a BACtalk point text:
// "object-name", "description", "location", or [device ":"] type "-"
// instance with the optional property "-P104" or "-P87[n]". A text without
// a device binds the current device.
#include "bactalk/BtRecord.h"

#include <QString>

namespace vorlix::bt {

// BACnet object type of a point type text: AI 0, AO 1, AV 2, BI 3, BO 4,
// BV 5; anything else 0. Letter case is ignored.
uint16_t pointTypeOf(const QString &typeText);

void bindPointText(BtRecord &r, const QString &pointText);

} // namespace vorlix::bt
