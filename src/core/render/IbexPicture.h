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

// `maxSide` cuts the picture smaller than MaxPictureSide (a fuzzer's canvas);
// `scale` (at most 1) draws it smaller, as a thumbnail.
Picture drawIbexDisplay(const IbexDisplay &display, const BitmapFinder &bitmaps, const PointLabel &pointLabel = {},
                        int maxSide = MaxPictureSide, double scale = 1.0);
// The size drawIbexDisplay gives the display at scale 1.
QSize ibexPictureSize(const IbexDisplay &display);

} // namespace vorlix::render
