#pragma once
// The pictures of the conversion report: each display the conversion wrote,
// drawn small as the Ibex display and the BACtalk display written from it,
// kept as PNG files in a folder beside the report.
#include <QByteArray>
#include <QString>

namespace vorlix {

class BackgroundWriter;
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

// Draws the translation loaded in `wb` (the display just made) and the
// BACtalk display `btBytes` made from it (the file `d.bactalk` in the
// "displays" folder of `bactalk`), both at the same scale, and hands the
// two PNG files for the pictures folder to `writer`; sets `d.thumbnailIbex`
// and `d.thumbnailBactalk`. When either cannot be drawn, or the folder
// cannot be made, the display gets no thumbnails and `d.thumbnailNote` says
// why; nothing is thrown. A picture the writer then fails to write is the
// caller's to note (thumbnailWriteFailed).
void drawDisplayThumbnails(Workbench &wb, const QString &bactalk, DisplayResult &d, const QByteArray &btBytes,
                           BackgroundWriter &writer);
// The display `d` gets no thumbnails: one of its pictures could not be
// written (`error` says why).
void thumbnailWriteFailed(DisplayResult &d, const QString &error);

} // namespace vorlix
