#include "render/BtPicture.h"

#include "bactalk/BtBitmaps.h"
#include "bactalk/BtDefaultRecords.h"
#include "bactalk/BtRecordKind.h"
#include "util/ByteReader.h"
#include "util/FileUtil.h"

#include <QDir>
#include <QFileInfo>
#include <map>

namespace vorlix::render {

using namespace bt;

namespace {

QRect rectOf(const ByteReader &r) { return QRect(r.u16(obj::X), r.u16(obj::Y), r.u16(obj::W), r.u16(obj::H)); }

QFont fontOf(const ByteReader &r)
{
    const int height = r.i16(obj::Font + font::Height);
    return recordFont(r.text(obj::Font + font::Name, font::NameLen), r.u16(obj::Font + font::Weight),
                      r.u8(obj::Font + font::Style), height < 0 ? -height : height);
}

QString pointOf(const ByteReader &r)
{
    return btPointLabel(r.u16(obj::PtType), r.u32(obj::ObjInst), r.u8(obj::ObjProp), r.u8(obj::CurrDev) == CurrDevOn,
                        r.u32(obj::DevID) >> 8);
}

QString valueText(const ByteReader &r)
{
    const uint16_t type = r.u16(obj::PtType);
    const QString name = pointOf(r);
    if (type >= 3 && type <= 5)
        return QStringLiteral("%1 %2/%3").arg(name, r.text(val::ActiveTxt, val::StateTxtLen),
                                              r.text(val::InactiveTxt, val::StateTxtLen));
    const QString units = r.u8(val::UnitsType) == 1 ? r.text(val::UnitsText, val::UnitsTextLen) : QString();
    return QStringLiteral("%1 %2%3").arg(name, valuePattern(r.u8(val::Decimal)),
                                         units.isEmpty() ? QString() : u' ' + units);
}

// Bitmap finders by folder, made once per picture.
class Finders {
public:
    explicit Finders(const BtBitmapFolders &f) : m_folders(f) {}
    const BitmapFinder &job() { return of(m_folders.jobBitmaps); }
    const BitmapFinder &library(const QString &rep, const QString &job)
    {
        return of(libraryBitmapFolder(m_folders.libraryRoot, rep, job));
    }

private:
    const BitmapFinder &of(const QString &folder)
    {
        auto it = m_finders.find(folder);
        if (it == m_finders.end())
            it = m_finders.emplace(folder, BitmapFinder(QStringList{folder})).first;
        return it->second;
    }
    BtBitmapFolders m_folders;
    std::map<QString, BitmapFinder> m_finders;
};

void drawRecord(PictureCanvas &c, int index, const ByteReader &r, RecordKind kind, int size, Finders &finders)
{
    const QRect rect = rectOf(r);
    const QFont font = fontOf(r);
    const QColor fore = windowsColor(r.u32(obj::Fgrnd));
    const QColor back = windowsColor(r.u32(obj::Bgrnd));
    const bool opaque = r.u8(obj::Transparent) == 0;
    switch (kind) {
    case RecordKind::Text:
        if (opaque)
            c.fill(rect, back);
        c.text(rect, r.text(txt::Text, txt::TextLen), font, fore, Qt::AlignLeft | Qt::AlignVCenter);
        break;
    case RecordKind::GroupBox:
        c.groupBox(rect, r.text(txt::Text, txt::TextLen), font, fore);
        break;
    case RecordKind::Checkbox:
        c.checkbox(rect, r.text(txt::Text, txt::TextLen), font, fore);
        break;
    case RecordKind::PromptedValue:
        c.field(rect, valueText(r), font, fore);
        break;
    case RecordKind::ReadOnlyValue:
        if (opaque)
            c.fill(rect, back);
        c.text(rect, valueText(r), font, fore, Qt::AlignLeft | Qt::AlignVCenter);
        break;
    case RecordKind::DateTime:
        if (opaque)
            c.fill(rect, back);
        c.text(rect, u"[DateTime]"_qs, font, fore, Qt::AlignLeft | Qt::AlignVCenter);
        break;
    case RecordKind::StaticGraphic:
    case RecordKind::AnimatedGraphic:
    case RecordKind::AnalogGraphic: {
        const QString name = r.text(gfx::bitmapSlot(1), gfx::BitmapLen);
        const BitmapFinder &finder = r.u8(gfx::UseLibrary) == 1
                                         ? finders.library(r.text(gfx::LibRep, gfx::RepJobLen),
                                                           r.text(gfx::LibJob, gfx::RepJobLen))
                                         : finders.job();
        if (!c.bitmap(rect, finder, name))
            c.markProblem(index, name.isEmpty() ? u"graphic without a bitmap"_qs : u"missing bitmap "_qs + name);
        break;
    }
    case RecordKind::Button:
        c.button(rect, r.text(btn::Caption, btn::CaptionLen), font, fore);
        break;
    case RecordKind::Login:
        c.button(rect, r.text(login::Caption, size - login::Caption), font, fore);
        break;
    }
}

} // namespace

BtBitmapFolders btBitmapFoldersOf(const QString &displayPath)
{
    QDir job = QFileInfo(displayPath).absoluteDir(); // .../displays
    job.cdUp();
    QDir root = job;
    root.cdUp();
    root.cdUp();
    return {findCaseInsensitive(job.absolutePath(), u"bitmaps"_qs), root.absolutePath()};
}

QString btPointLabel(uint16_t type, uint32_t instance, uint8_t property, bool currentDevice, uint32_t device)
{
    static const char *const kTypes[] = {"AI", "AO", "AV", "BI", "BO", "BV"};
    QString name;
    if (type == PtDevice) {
        switch (property) {
        case PropObjectName: name = u"[name]"_qs; break;
        case PropDescription: name = u"[description]"_qs; break;
        case PropLocation: name = u"[location]"_qs; break;
        default: name = QStringLiteral("[device %1]").arg(property); break;
        }
    } else {
        name = (type < 6 ? QString::fromLatin1(kTypes[type]) : QStringLiteral("T%1").arg(type)) + u' ' +
               QString::number(instance);
    }
    if (!currentDevice)
        name += QStringLiteral(" @%1").arg(device);
    return name;
}

namespace {

// The file's header, and whether it is one: long enough for it and the end
// marker, with the header's own record length.
struct Header {
    int length = 0; // of the file, at most INT_MAX
    ByteReader h;
    bool ok = false;

    explicit Header(const QByteArray &bytes)
        : length(int(qMin<qsizetype>(bytes.size(), 0x7FFFFFFF))),
          h(QByteArrayView(bytes).first(qMin(length, hdr::Size))),
          ok(length >= hdr::Size + 2 && h.u16(hdr::RecLen) == hdr::Size)
    {
    }
    int width() const { return ok ? h.u16(hdr::Width) : 0; }
    int height() const { return ok ? h.u16(hdr::Height) : 0; }
};

} // namespace

QSize btPictureSize(const QByteArray &bytes)
{
    const Header header(bytes);
    return pictureSize(header.width(), header.height());
}

Picture drawBtDisplay(const QByteArray &bytes, const BtBitmapFolders &folders, int maxSide, double scale)
{
    Picture picture;
    const Header header(bytes);
    const int n = header.length;
    const ByteReader &h = header.h;
    const bool headerOk = header.ok;
    const QColor bg = headerOk && h.u8(hdr::BackgroundKind) == 0 ? windowsColor(h.u32(hdr::BackColor)) : QColor(Qt::white);
    PictureCanvas c(picture, header.width(), header.height(), bg, maxSide, scale);
    if (!headerOk) {
        c.markPictureProblem(n < hdr::Size + 2
                                 ? QStringLiteral("The file is %1 bytes long, shorter than a header and end marker.").arg(n)
                                 : QStringLiteral("The header length is %1, not 394.").arg(h.u16(hdr::RecLen)));
        return picture;
    }
    Finders finders(folders);
    if (h.u8(hdr::BackgroundKind) == 1) {
        const QString name = h.text(hdr::BmpName, hdr::BmpNameLen);
        c.backgroundBitmap(h.u8(hdr::BmpSource) == 2 ? finders.library(h.text(hdr::BmpRep, hdr::RepJobLen),
                                                                       h.text(hdr::BmpJob, hdr::RepJobLen))
                                                     : finders.job(),
                           name);
    }
    int pos = hdr::Size;
    int number = 0;
    while (true) {
        if (pos + 2 > n) {
            c.markPictureProblem(QStringLiteral("The records run to the end of the file at offset %1 without an end marker.").arg(pos));
            break;
        }
        const ByteReader at(QByteArrayView(bytes).sliced(pos));
        const int size = at.u16(obj::Size);
        if (size == EndMarker)
            break;
        if (size < obj::CommonSize || pos + size > n) {
            // Outlined where its geometry says, when the file holds it.
            const int index = c.addObject(++number, pos, at.has(0, obj::DispObjID) ? rectOf(at) : QRect(), u"damaged"_qs);
            c.markProblem(index, QStringLiteral("the length %1 does not fit the file").arg(size));
            break;
        }
        const ByteReader r(QByteArrayView(bytes).sliced(pos, size));
        const auto kind = recordKindOf(size, r.u16(obj::DispObjID), r.u8(login::Semicolon));
        const int index = c.addObject(++number, pos, rectOf(r), kind ? QString::fromLatin1(recordKindName(*kind)) : u"unknown"_qs);
        if (!kind)
            c.markProblem(index, QStringLiteral("unknown record of %1 bytes").arg(size));
        else
            drawRecord(c, index, r, *kind, size, finders);
        if (const QRect rr = picture.objects[size_t(index)].rect; !rr.isEmpty() && !rr.intersects(c.bounds()))
            c.markProblem(index, u"the object lies outside the display"_qs);
        pos += size;
    }
    return picture;
}

} // namespace vorlix::render
