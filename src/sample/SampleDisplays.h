#pragma once
// The displays of the sample job: plain displays linked by pushbuttons,
// control-panel and Tux templates, in the job and in the local job, with
// their bitmaps.
#include "sample/SampleJob.h"

namespace vorlix::sample {

// Writes job/ldisplay and localjob/ldisplay. Throws Error naming a file that
// cannot be written.
void writeSampleDisplays(const SampleJobPaths &paths);

// A 2 x 2 pixel 24-bit bitmap of one colour (0x00BBGGRR).
QByteArray tinyBitmap(uint32_t color);

} // namespace vorlix::sample
