#include "render/PictureCanvas.h"

#include "util/FileUtil.h"

#include <QFileInfo>
#include <QFontMetrics>

namespace vorlix::render {

int Picture::objectAt(QPoint p) const
{
    for (int i = int(objects.size()) - 1; i >= 0; --i)
        if (objects[size_t(i)].rect.contains(p))
            return i;
    return -1;
}

QColor windowsColor(uint32_t value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QFont recordFont(const QString &face, int weight, int style, int pixelHeight)
{
    QFont f(face.isEmpty() ? u"Sans Serif"_qs : face);
    f.setPixelSize(pixelHeight > 0 && pixelHeight < 200 ? pixelHeight : 12);
    f.setBold(weight >= 700);
    f.setItalic(style & 1);
    f.setUnderline(style & 2);
    f.setStrikeOut(style & 4);
    return f;
}

QImage BitmapFinder::find(const QString &name) const
{
    const QString key = name.toLower();
    if (auto it = m_cache.constFind(key); it != m_cache.constEnd())
        return *it;
    QImage image;
    if (isPlainFileName(name)) {
        for (const QString &folder : m_folders) {
            if (folder.isEmpty())
                continue;
            const QString path = existingCaseInsensitive(folder, name);
            if (path.isEmpty() || !QFileInfo(path).isFile())
                continue;
            QByteArray bytes;
            if (readWholeFile(path, bytes, nullptr, MaxBitmapBytes) && image.loadFromData(bytes, "BMP"))
                break;
            image = QImage();
        }
    }
    m_cache.insert(key, image);
    return image;
}

QSize pictureSize(int width, int height, int maxSide)
{
    maxSide = qBound(1, maxSide, MaxPictureSide);
    if (width <= 0 || height <= 0) {
        width = DefaultPictureWidth;
        height = DefaultPictureHeight;
    }
    return {qMin(width, maxSide), qMin(height, maxSide)};
}

int scaledSide(int side, double scale) { return qMax(1, qRound(side * scale)); }

PictureCanvas::PictureCanvas(Picture &picture, int width, int height, const QColor &background, int maxSide,
                             double scale)
    : m_picture(picture)
{
    const QSize size = pictureSize(width, height, maxSide);
    m_bounds = QRect(QPoint(0, 0), size);
    if (!(scale > 0) || scale > 1)
        scale = 1; // never larger than the display, nor nothing at all
    m_picture.image =
        QImage(scaledSide(size.width(), scale), scaledSide(size.height(), scale), QImage::Format_RGB32);
    m_picture.image.fill(background);
    m_painter.begin(&m_picture.image);
    if (scale != 1)
        m_painter.scale(double(m_picture.image.width()) / size.width(), double(m_picture.image.height()) / size.height());
}

PictureCanvas::~PictureCanvas() { m_painter.end(); }

bool PictureCanvas::backgroundBitmap(const BitmapFinder &finder, const QString &name)
{
    const QImage img = finder.find(name);
    if (img.isNull()) {
        const QRect r = bounds().adjusted(0, 0, -1, -1);
        outline(r, u"Missing background bitmap: "_qs + name);
        m_picture.problems << u"Missing background bitmap: "_qs + name;
        return false;
    }
    m_painter.drawImage(QPoint(0, 0), img);
    return true;
}

int PictureCanvas::addObject(int record, int offset, const QRect &rect, const QString &kind)
{
    m_picture.objects.push_back({record, offset, rect, kind, false});
    return int(m_picture.objects.size()) - 1;
}

void PictureCanvas::markProblem(int index, const QString &what)
{
    PictureObject &o = m_picture.objects[size_t(index)];
    o.problem = true;
    QRect r = o.rect;
    if (r.width() < 4 || r.height() < 4)
        r.setSize(r.size().expandedTo(QSize(8, 8)));
    outline(r.intersected(bounds()).isEmpty() ? bounds().adjusted(0, 0, -1, -1) : r, QString());
    m_picture.problems << QStringLiteral("Record %1 at offset %2: %3").arg(o.record).arg(o.offset).arg(what);
}

void PictureCanvas::markPictureProblem(const QString &what)
{
    outline(bounds().adjusted(0, 0, -1, -1), QString());
    m_picture.problems << what;
}

void PictureCanvas::outline(const QRect &r, const QString &label)
{
    m_painter.save();
    m_painter.setPen(QPen(QColor(QRgb(ProblemRgb)), 2));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(r.adjusted(1, 1, -1, -1));
    if (!label.isEmpty()) {
        QFont f = m_painter.font();
        f.setPixelSize(10);
        m_painter.setFont(f);
        m_painter.drawText(r.adjusted(3, 2, -3, -2), Qt::AlignCenter | Qt::TextWrapAnywhere, label);
    }
    m_painter.restore();
}

void PictureCanvas::fill(const QRect &r, const QColor &c) { m_painter.fillRect(r, c); }

void PictureCanvas::text(const QRect &r, const QString &s, const QFont &f, const QColor &c, int flags)
{
    m_painter.save();
    m_painter.setClipRect(r);
    m_painter.setFont(f);
    m_painter.setPen(c);
    m_painter.drawText(r, flags, s);
    m_painter.restore();
}

void PictureCanvas::button(const QRect &r, const QString &caption, const QFont &f, const QColor &c)
{
    m_painter.save();
    m_painter.fillRect(r, QColor(0xD4, 0xD0, 0xC8));
    m_painter.setPen(Qt::white);
    m_painter.drawLine(r.topLeft(), r.topRight());
    m_painter.drawLine(r.topLeft(), r.bottomLeft());
    m_painter.setPen(QColor(0x40, 0x40, 0x40));
    m_painter.drawLine(r.bottomLeft(), r.bottomRight());
    m_painter.drawLine(r.topRight(), r.bottomRight());
    m_painter.restore();
    text(r.adjusted(2, 1, -2, -1), caption, f, c, Qt::AlignCenter);
}

void PictureCanvas::field(const QRect &r, const QString &s, const QFont &f, const QColor &c)
{
    m_painter.save();
    m_painter.fillRect(r, Qt::white);
    m_painter.setPen(QColor(0x80, 0x80, 0x80));
    m_painter.drawLine(r.topLeft(), r.topRight());
    m_painter.drawLine(r.topLeft(), r.bottomLeft());
    m_painter.restore();
    text(r.adjusted(3, 0, -2, 0), s, f, c, Qt::AlignLeft | Qt::AlignVCenter);
}

void PictureCanvas::checkbox(const QRect &r, const QString &caption, const QFont &f, const QColor &c)
{
    const int side = qMin(13, qMax(6, r.height() - 2));
    const QRect box(r.left() + 1, r.top() + (r.height() - side) / 2, side, side);
    m_painter.save();
    m_painter.fillRect(box, Qt::white);
    m_painter.setPen(QColor(0x40, 0x40, 0x40));
    m_painter.drawRect(box.adjusted(0, 0, -1, -1));
    m_painter.restore();
    text(r.adjusted(side + 5, 0, 0, 0), caption, f, c, Qt::AlignLeft | Qt::AlignVCenter);
}

void PictureCanvas::groupBox(const QRect &r, const QString &caption, const QFont &f, const QColor &c)
{
    const int top = r.top() + QFontMetrics(f).height() / 2;
    m_painter.save();
    m_painter.setPen(QColor(0x80, 0x80, 0x80));
    m_painter.drawRect(QRect(r.left(), top, r.width() - 1, r.bottom() - top));
    m_painter.restore();
    if (!caption.isEmpty()) {
        const int w = qMin(QFontMetrics(f).horizontalAdvance(caption) + 6, qMax(0, r.width() - 12));
        const QRect cap(r.left() + 6, r.top(), w, QFontMetrics(f).height());
        text(cap, caption, f, c, Qt::AlignLeft | Qt::AlignTop);
    }
}

bool PictureCanvas::bitmap(const QRect &r, const BitmapFinder &finder, const QString &name)
{
    const QImage img = finder.find(name);
    if (img.isNull()) {
        outline(r, name.isEmpty() ? u"(no bitmap)"_qs : name);
        return false;
    }
    m_painter.drawImage(r, img);
    return true;
}

QString valuePattern(int decimals)
{
    decimals = qBound(0, decimals, 6);
    return decimals == 0 ? u"###"_qs : u"###."_qs + QString(decimals, u'#');
}

} // namespace vorlix::render
