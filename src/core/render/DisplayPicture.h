#pragma once
// A display drawn as a picture: the image at the display's size and where
// each object record landed on it, so a view can say which object lies
// under the mouse. Objects that could not be drawn as what they are
// (unknown kinds, damaged records, missing bitmaps) are outlined in red and
// listed as problems.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

namespace vorlix::render {

// Pictures larger than this on either side are cut to it.
inline constexpr int MaxPictureSide = 4096;
// A display that gives no size is drawn at this size.
inline constexpr int DefaultPictureWidth = 640;
inline constexpr int DefaultPictureHeight = 480;
// Bitmap files larger than this are not read.
inline constexpr qint64 MaxBitmapBytes = qint64(16) * 1024 * 1024;
// The outline of what could not be drawn.
inline constexpr unsigned ProblemRgb = 0xFF0000; // 0xRRGGBB

struct PictureObject {
    int record = 0;   // 1-based number of the record in the file
    int offset = 0;   // 0-based file offset of the record
    QRect rect;       // on the picture
    QString kind;     // the kind's name ("Text", "pushbutton", ...)
    bool problem = false; // outlined in red
};

struct Picture {
    QImage image;
    std::vector<PictureObject> objects;
    QStringList problems; // one line per red outline

    // The index in `objects` of the topmost object at `p`, or -1.
    int objectAt(QPoint p) const;
};

} // namespace vorlix::render
