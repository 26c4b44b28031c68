#include "render/IbexPicture.h"

namespace vorlix::render {

namespace {

using namespace ibw;

// A record shorter than this has no complete geometry.
constexpr int MinDrawableRecord = obj::Code + 2;

QRect rectOf(const IbexObjRec &r)
{
    return QRect(r.u16(obj::X), r.u16(obj::Y), r.u16(obj::Width), r.u16(obj::Height));
}

QFont fontOf(const IbexObjRec &r)
{
    if (r.u8(obj::FontValid) != obj::FontValidMark)
        return recordFont(QString(), 400, 0, 0);
    return recordFont(r.text(obj::FontName), r.u16(obj::FontWeight), r.u8(obj::FontStyle), 0);
}

QString valueText(const IbexObjRec &r, IbexObject kind, const QString &point)
{
    const QString name = point.isEmpty() ? ibexObjectName(kind) : point;
    if (isDigitalValue(kind))
        return QStringLiteral("%1 %2/%3").arg(name, r.text(obj::ActiveText), r.text(obj::InactiveText));
    const QString units = r.text(obj::Units);
    return QStringLiteral("%1 %2%3").arg(name, valuePattern(r.u8(obj::Decimals)),
                                         units.isEmpty() ? QString() : u' ' + units);
}

void drawObject(PictureCanvas &c, int index, const IbexObjRec &r, const QRect &rect, const BitmapFinder &bitmaps,
                const PointLabel &label)
{
    const IbexObject kind = r.kind();
    const QFont font = fontOf(r);
    const QColor fore = windowsColor(r.u32(obj::ForeColor));
    // A record with no colours at all (both zero) takes the defaults when
    // its display is created: black on white, not a black box.
    const bool noColors = r.u32(obj::ForeColor) == 0 && r.u32(obj::BackColor) == 0;
    const QColor back = noColors ? QColor(Qt::white) : windowsColor(r.u32(obj::BackColor));
    const auto point = [&] { return label ? label(r.position()) : QString(); };
    if (kind == ioText) {
        c.fill(rect, back);
        c.text(rect, r.caption(), font, fore, Qt::AlignLeft | Qt::AlignVCenter);
    } else if (kind == ioGroupBox) {
        c.groupBox(rect, r.caption(), font, fore);
    } else if (kind == ioCheckbox) {
        c.checkbox(rect, r.caption(), font, fore);
    } else if (kind == ioBtnCmd) {
        const QString text = r.caption();
        c.button(rect, text.startsWith(u';') ? r.commandCaption() : text, font, fore);
    } else if (isPushbutton(kind)) {
        c.button(rect, r.caption(), font, fore);
    } else if (kind == ioDigital || kind == ioAnalog || kind == ioAirflow) {
        c.field(rect, valueText(r, kind, point()), font, fore);
    } else if (isDigitalValue(kind) || isAnalogValue(kind)) {
        c.fill(rect, back);
        c.text(rect, valueText(r, kind, point()), font, fore, Qt::AlignLeft | Qt::AlignVCenter);
    } else if (isGraphic(kind)) {
        const QString name = r.bitmapName(1);
        if (!c.bitmap(rect, bitmaps, name))
            c.markProblem(index, (name.isEmpty() ? u"graphic without a bitmap"_qs : u"missing bitmap "_qs + name));
    } else if (kind == ioUnknown) {
        c.markProblem(index, QStringLiteral("unknown object code 0x%1").arg(r.code(), 4, 16, QChar(u'0')));
    } else {
        // Time, control-panel and Tux fields: the kind's name as placeholder.
        c.fill(rect, back);
        const QString p = point();
        c.text(rect, u'[' + ibexObjectName(kind) + (p.isEmpty() ? QString() : u' ' + p) + u']', font, fore,
               Qt::AlignLeft | Qt::AlignVCenter);
    }
}

} // namespace

QSize ibexPictureSize(const IbexDisplay &display)
{
    const bool whole = display.dataLength() >= HeaderSize;
    const ByteReader h = display.header();
    return pictureSize(whole ? h.u16(hdr::Width) : 0, whole ? h.u16(hdr::Height) : 0);
}

Picture drawIbexDisplay(const IbexDisplay &display, const BitmapFinder &bitmaps, const PointLabel &pointLabel,
                        int maxSide, double scale)
{
    Picture picture;
    const ByteReader h = display.header();
    const uint8_t bgKind = display.backgroundKind();
    const QColor bg = bgKind != BackgroundNone && bgKind != BackgroundBitmap ? windowsColor(display.backgroundColor())
                                                                             : QColor(Qt::white);
    const bool whole = display.dataLength() >= HeaderSize;
    PictureCanvas c(picture, whole ? h.u16(hdr::Width) : 0, whole ? h.u16(hdr::Height) : 0, bg, maxSide, scale);
    if (!whole) {
        c.markPictureProblem(QStringLiteral("The file is %1 bytes long, shorter than a display header (%2 bytes).")
                                 .arg(display.dataLength())
                                 .arg(HeaderSize));
        return picture;
    }
    if (bgKind == BackgroundBitmap) {
        // A path written by Ibex names its file in the display's folders.
        QString name = display.bitmapName();
        name = name.mid(qMax(name.lastIndexOf(u'\\'), qMax(name.lastIndexOf(u'/'), name.lastIndexOf(u':'))) + 1);
        c.backgroundBitmap(bitmaps, name);
    }
    int number = 0;
    for (int position : display.walkObjectRecords()) {
        const IbexObjRec r = display.record(position);
        const QRect rect = rectOf(r);
        const int index = c.addObject(++number, position - 1, rect, ibexObjectName(r.kind()));
        if (r.length() < MinDrawableRecord) {
            c.markProblem(index, QStringLiteral("record of %1 bytes is too short").arg(r.length()));
            continue;
        }
        drawObject(c, index, r, rect, bitmaps, pointLabel);
        if (!rect.intersects(c.bounds()) && !rect.isEmpty())
            c.markProblem(index, u"the object lies outside the display"_qs);
    }
    if (const int stop = display.walkStopOffset(); stop >= 0) {
        // The record that stopped the walk: outlined where its geometry
        // says, when the file holds that much of it.
        const IbexObjRec r = display.record(stop + 1);
        const QRect rect = rectOf(r);
        const QString what = QStringLiteral("damaged record (length %1): the objects end here").arg(r.length());
        if (stop + MinDrawableRecord <= display.dataLength() && rect.intersects(c.bounds()))
            c.markProblem(c.addObject(++number, stop, rect, u"Damaged"_qs), what);
        else
            c.markPictureProblem(QStringLiteral("Offset %1: %2").arg(stop).arg(what));
    }
    return picture;
}

} // namespace vorlix::render
