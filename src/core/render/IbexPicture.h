#pragma once
// An Ibex display drawn from its records: the header's background colour or
// bitmap at the display's size, then each object record of the walk in file
// order as the operator sees it.
#include "ibex/IbexDisplay.h"
#include "render/PictureCanvas.h"

#include <functional>

namespace vorlix::render {

// The point name a value object shows, given the record's 1-based
// position; empty for the kind's name.
using PointLabel = std::function<QString(int position)>;

// `maxSide` cuts the picture smaller than MaxPictureSide (a fuzzer's canvas).
Picture drawIbexDisplay(const IbexDisplay &display, const BitmapFinder &bitmaps, const PointLabel &pointLabel = {},
                        int maxSide = MaxPictureSide);

} // namespace vorlix::render
