#pragma once
// The BACtalk side of the sample: a standard bitmap library in the BACtalk
// root (<root>/alerton/standard/bitmaps) holding some of the sample's
// bitmaps, so display creation both matches bitmaps in a library and
// copies the others into the BACtalk job.
#include "sample/SampleJob.h"

namespace vorlix {
struct Settings;
}

namespace vorlix::sample {

inline constexpr auto kLibraryRep = "alerton";
inline constexpr auto kLibraryJob = "standard";

// Writes the library; the sample's Ibex bitmaps must be written already.
// Throws Error naming a file that cannot be read or written.
void writeSampleBitmapLibrary(const SampleJobPaths &paths);

// Names the library as the Alerton standard library in the settings when
// no library is named there yet.
void useSampleBitmapLibrary(Settings &settings);

} // namespace vorlix::sample
