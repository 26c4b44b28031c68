#pragma once
// The drawing both display pictures share: Windows colours, fonts from the
// records' font fields, bitmaps found by plain file name in a list of
// folders, and the look of texts, values, buttons, check boxes, group boxes
// and of the red outline of what could not be drawn.
#include "render/DisplayPicture.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPainter>
#include <QSize>
#include <cstdint>

namespace vorlix::render {

// A colour value laid out 0x00BBGGRR.
QColor windowsColor(uint32_t value);

// A font from a record's fields: face name (empty: the default face),
// weight (700 and more bold), style bits (1 italic, 2 underline, 4 strike
// out) and pixel height (0: 12 pixels).
QFont recordFont(const QString &face, int weight, int style, int pixelHeight);

// Finds bitmaps by file name in the folders, in order, whatever their
// letter case. Names that are not plain file names, files that are not
// regular, too large or no readable BMP give a null image. Each name is
// looked up once.
class BitmapFinder {
public:
    explicit BitmapFinder(QStringList folders = {}) : m_folders(std::move(folders)) {}
    QImage find(const QString &name) const;
    const QStringList &folders() const { return m_folders; }

private:
    QStringList m_folders;
    mutable QHash<QString, QImage> m_cache;
};

// Paints onto a picture and records its objects.
class PictureCanvas {
public:
    // A picture of w x h (each side cut to `maxSide`, at most MaxPictureSide;
    // a zero side gets the default size) filled with `background`. With a
    // `scale` below 1, everything is drawn that much smaller: the image is
    // the size times the scale, and the objects keep the display's
    // coordinates.
    PictureCanvas(Picture &picture, int width, int height, const QColor &background, int maxSide = MaxPictureSide,
                  double scale = 1.0);
    ~PictureCanvas();

    QPainter &painter() { return m_painter; }
    // The picture's area in the display's coordinates.
    QRect bounds() const { return m_bounds; }

    // A background bitmap drawn from the top-left corner at its own size;
    // false when it is missing (drawn as a named red box over the picture).
    bool backgroundBitmap(const BitmapFinder &finder, const QString &name);

    // Adds an object; returns its index in the picture's objects.
    int addObject(int record, int offset, const QRect &rect, const QString &kind);
    // Outlines the object in red and notes the problem.
    void markProblem(int index, const QString &what);
    // A problem that has no object (a whole file too short, a damaged walk).
    void markPictureProblem(const QString &what);

    void fill(const QRect &r, const QColor &c);
    void text(const QRect &r, const QString &s, const QFont &f, const QColor &c, int flags);
    void button(const QRect &r, const QString &caption, const QFont &f, const QColor &c);
    // A prompted value: a white, sunken entry field.
    void field(const QRect &r, const QString &s, const QFont &f, const QColor &c);
    void checkbox(const QRect &r, const QString &caption, const QFont &f, const QColor &c);
    void groupBox(const QRect &r, const QString &caption, const QFont &f, const QColor &c);
    // A bitmap stretched into r; false (a named red box) when it is missing.
    bool bitmap(const QRect &r, const BitmapFinder &finder, const QString &name);

private:
    void outline(const QRect &r, const QString &label);
    Picture &m_picture;
    QRect m_bounds;
    QPainter m_painter;
};

// The size a display of w x h is drawn at (before any scale), as the canvas
// makes it.
QSize pictureSize(int width, int height, int maxSide = MaxPictureSide);
// A side of that size at `scale`, never below one pixel.
int scaledSide(int side, double scale);

// "##.#" with `decimals` places.
QString valuePattern(int decimals);

} // namespace vorlix::render
