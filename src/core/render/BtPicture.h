#pragma once
// A BACtalk display (.dsp) or template (.dvt) drawn from its records: the
// header's background colour or bitmap at the display's size, then each
// object record in file order. The file is read as written; a damaged file
// draws what can be read and outlines the rest in red.
#include "render/PictureCanvas.h"

#include <QByteArray>

namespace vorlix::render {

// Where a BACtalk display's bitmaps lie: the job's own "bitmaps" folder and
// the root of the bitmap libraries (<root>/<rep>/<job>/bitmaps).
struct BtBitmapFolders {
    QString jobBitmaps;
    QString libraryRoot;
};
// The folders of a display file kept as BACtalk keeps it:
// <root>/<rep>/<job>/displays/<file>.
BtBitmapFolders btBitmapFoldersOf(const QString &displayPath);

// `maxSide` cuts the picture smaller than MaxPictureSide (a fuzzer's canvas);
// `scale` (at most 1) draws it smaller, as a thumbnail.
Picture drawBtDisplay(const QByteArray &bytes, const BtBitmapFolders &folders, int maxSide = MaxPictureSide,
                      double scale = 1.0);
// The size drawBtDisplay gives the display file `bytes` at scale 1.
QSize btPictureSize(const QByteArray &bytes);

// The point a BACtalk value shows, as "AV 12" or "AV 12 @1203" (a device
// other than the current one); a device property by its name.
QString btPointLabel(uint16_t type, uint32_t instance, uint8_t property, bool currentDevice, uint32_t device);

} // namespace vorlix::render
