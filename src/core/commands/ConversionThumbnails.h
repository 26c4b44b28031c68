#pragma once
// The pictures of the conversion report: each display the conversion wrote,
// drawn small as the Ibex display and the BACtalk display written from it,
// kept as PNG files in a folder beside the report.
#include <QString>

namespace vorlix {

class Workbench;
struct DisplayResult;

// The folder of the pictures, inside the BACtalk job folder.
inline constexpr auto kReportPictures = "report";
// A thumbnail is at most this wide and this high.
inline constexpr int kThumbnailSide = 240;

// Whether pictures can be drawn: the fonts of the texts need a GUI
// application (in the window there is one; the CLI makes one when it can).
bool canDrawThumbnails();

// The file names of a display's two pictures, from its BACtalk file name.
QString ibexThumbnailName(const QString &bactalkFile);
QString bactalkThumbnailName(const QString &bactalkFile);

// Draws the translation loaded in `wb` (the display just written) and the
// BACtalk file `d.bactalk` in the "displays" folder of `bactalk`, both at
// the same scale, into the pictures folder, and sets `d.thumbnailIbex` and
// `d.thumbnailBactalk`. When either cannot be drawn or written, the display
// gets no thumbnails and `d.thumbnailNote` says why; nothing is thrown.
void drawDisplayThumbnails(Workbench &wb, const QString &bactalk, DisplayResult &d);

} // namespace vorlix
