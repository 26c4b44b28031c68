#pragma once
// The pictures of a loaded translation: the Ibex display with the point
// names of its grid rows, and the BACtalk display written from it, with the
// bitmaps found where the job and the BACtalk job keep them.
#include "render/BtPicture.h"
#include "render/IbexPicture.h"

namespace vorlix {
class Workbench;
class Translation;
} // namespace vorlix

namespace vorlix::render {

// The Ibex bitmaps of a display: the folder of the display file, then the
// "ldisplay" folders of the job and of the local job (the local job's first
// for a local display).
BitmapFinder ibexBitmapFinder(const Workbench &wb, const QString &displayPath, bool localJob);

// The translation's Ibex display; value objects show their Ibex point.
// `scale` (at most 1) draws it smaller, as a thumbnail.
Picture drawTranslation(const Workbench &wb, const Translation &t, double scale = 1.0);

// The BACtalk display file that creation writes for the translation (it may
// not exist yet); empty when the BACtalk job path is not a folder or the
// display has no number.
QString writtenDisplayPath(const Workbench &wb, const Translation &t);

// A BACtalk display file drawn with its bitmaps; false with the reason when
// the file cannot be read (nothing is drawn then).
bool drawDisplayFile(const QString &path, Picture &picture, QString *error);

// The BACtalk display `bytes`, to be the file `path`, drawn with the
// bitmaps of the BACtalk job that file is in (at `scale`, at most 1).
Picture drawDisplayBytes(const QByteArray &bytes, const QString &path, double scale = 1.0);

// The picture as PNG bytes; `fast` trades a little size for much less time
// (many small pictures).
QByteArray pngBytes(const QImage &image, bool fast = false);

} // namespace vorlix::render
