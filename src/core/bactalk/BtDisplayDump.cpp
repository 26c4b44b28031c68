#include "bactalk/BtDisplayDump.h"

#include "util/FileUtil.h"
#include "bactalk/BtDisplayLayout.h"
#include "bactalk/BtRecord.h"
#include "bactalk/BtDefaultRecords.h"
#include "bactalk/BtRecordKind.h"

#include <QDir>

namespace vorlix::bt {

namespace {

QString hex(uint32_t v, int digits) { return u"0x"_qs + QString::number(v, 16).toUpper().rightJustified(digits, u'0'); }

QString num(double v) { return QString::number(v, 'g', 17); }

class Dumper {
public:
    Dumper(QStringList &out, const BtRecord &r) : m_out(out), m_r(r) {}
    void u8(const char *name, int off) { field(name, QString::number(m_r.u8(off))); }
    void u16(const char *name, int off) { field(name, QString::number(m_r.u16(off))); }
    void i16(const char *name, int off) { field(name, QString::number(m_r.i16(off))); }
    void u32(const char *name, int off) { field(name, QString::number(m_r.u32(off))); }
    void hex16(const char *name, int off) { field(name, hex(m_r.u16(off), 4)); }
    void hex32(const char *name, int off) { field(name, hex(m_r.u32(off), 8)); }
    void f64(const char *name, int off) { field(name, num(m_r.f64(off))); }
    void text(const char *name, int off, int n) { field(name, u'"' + m_r.text(off, n) + u'"'); }
    void field(const char *name, const QString &value)
    {
        m_out << u"  "_qs + QLatin1String(name) + u": "_qs + value;
    }

private:
    QStringList &m_out;
    const BtRecord &m_r;
};

void dumpHeader(QStringList &out, const BtRecord &h)
{
    Dumper d(out, h);
    out << u"Header (394 bytes)"_qs;
    d.u16("RecordLength", hdr::RecLen);
    d.text("Title", hdr::Title, hdr::TitleLen);
    d.text("BitmapRep", hdr::BmpRep, hdr::RepJobLen);
    d.text("BitmapJob", hdr::BmpJob, hdr::RepJobLen);
    d.text("BitmapName", hdr::BmpName, hdr::BmpNameLen);
    d.u8("BitmapSource", hdr::BmpSource);
    d.u8("BackgroundKind", hdr::BackgroundKind);
    d.u16("ObjectCount", hdr::ObjectCount);
    d.u16("Word374", hdr::Unk374);
    d.u16("IbexByte70", hdr::IbexByte70);
    d.u16("Width", hdr::Width);
    d.u16("Height", hdr::Height);
    d.hex32("BackColor", hdr::BackColor);
    d.u16("Word386", hdr::Unk386);
    d.u32("EndOffset", hdr::EndOffset);
    d.u16("Word392", hdr::Unk392);
}

void dumpCommon(Dumper &d)
{
    d.u16("x", obj::X);
    d.u16("y", obj::Y);
    d.u16("w", obj::W);
    d.u16("h", obj::H);
    d.hex16("dispObjID", obj::DispObjID);
    d.hex16("Options", obj::Options);
    d.u8("Level", obj::Level);
    d.hex32("Fgrnd", obj::Fgrnd);
    d.hex32("Bgrnd", obj::Bgrnd);
    d.hex32("Alarm", obj::Alarm);
}

void dumpPoint(Dumper &d)
{
    d.hex32("DevID", obj::DevID);
    d.u8("CurrDev", obj::CurrDev);
    d.u16("PtType", obj::PtType);
    d.u32("ObjInst", obj::ObjInst);
    d.u8("ObjProp", obj::ObjProp);
    d.u8("UsePrio", obj::UsePrio);
    d.u8("Prio", obj::Prio);
}

void dumpFont(Dumper &d)
{
    d.i16("Font.Height", obj::Font + font::Height);
    d.u16("Font.Weight", obj::Font + font::Weight);
    d.u8("Font.Style", obj::Font + font::Style);
    d.u8("Font.Pitch", obj::Font + font::Pitch);
    d.text("Font.Name", obj::Font + font::Name, font::NameLen);
}

QString kindOf(const BtRecord &r)
{
    const auto kind = recordKindOf(r.size(), r.u16(obj::DispObjID), r.size() > login::Semicolon ? r.u8(login::Semicolon) : 0);
    return kind ? QString::fromLatin1(recordKindName(*kind)) : QString();
}

void dumpRecord(QStringList &out, const BtRecord &r, const QString &kind)
{
    Dumper d(out, r);
    dumpCommon(d);
    if (kind == u"login pushbutton") {
        d.field("Command", QString(QChar(u';')) + QChar(r.u8(login::Command)));
        d.text("Caption", login::Caption, r.size() - login::Caption);
        return;
    }
    dumpPoint(d);
    dumpFont(d);
    if (r.size() == txt::RecordSize) {
        d.text("Text", txt::Text, txt::TextLen);
    } else if (r.size() == val::RecordSize) {
        d.f64("Factor", val::Factor);
        d.u8("Decimal", val::Decimal);
        d.f64("Spin", val::Spin);
        d.text("ActiveTxt", val::ActiveTxt, val::StateTxtLen);
        d.text("InactiveTxt", val::InactiveTxt, val::StateTxtLen);
        d.text("NullTxt", val::NullTxt, val::NullTxtLen);
        d.u8("UnitsType", val::UnitsType);
        d.text("UnitsText", val::UnitsText, val::UnitsTextLen);
    } else if (r.size() == gfx::RecordSize5 || r.size() == gfx::RecordSize8) {
        const int slotCount = r.size() == gfx::RecordSize8 ? 8 : 5;
        d.u8("UseLibrary", gfx::UseLibrary);
        d.text("LibraryRep", gfx::LibRep, gfx::RepJobLen);
        d.text("LibraryJob", gfx::LibJob, gfx::RepJobLen);
        for (int i = 1; i <= slotCount; ++i)
            d.field(QStringLiteral("Bitmap%1").arg(i).toLatin1().constData(),
                    u'"' + r.text(gfx::bitmapSlot(i), gfx::BitmapLen) + u'"');
        if (slotCount == 8) {
            d.u16("RangeCount", gfx::RangeCount);
            for (int i = 1; i <= 4; ++i)
                d.field(QStringLiteral("Range%1").arg(i).toLatin1().constData(), num(r.f64(gfx::rangeLimit(i))));
        }
    } else if (r.size() == btn::RecordSize) {
        d.u8("OtherJob", btn::OtherJob);
        d.u8("OpensTemplate", btn::IsTemplate);
        d.text("Rep", btn::Rep, btn::RepJobLen);
        d.text("Job", btn::Job, btn::RepJobLen);
        d.u32("Target", btn::Target);
        d.text("Caption", btn::Caption, btn::CaptionLen);
    }
}

} // namespace

DumpResult dumpDisplay(const QByteArray &bytes, const QString &name)
{
    DumpResult res;
    const auto fail = [&](const QString &what) {
        res.ok = false;
        res.error = QStringLiteral("%1: %2").arg(name, what);
        res.lines << u"Damaged: "_qs + what;
        return res;
    };
    const int n = static_cast<int>(bytes.size());
    if (n < hdr::Size + 2)
        return fail(QStringLiteral("the file is %1 bytes long, shorter than a header and end marker (396 bytes).").arg(n));
    QByteArray own(bytes); // the views below read from our own copy
    auto *data = reinterpret_cast<uint8_t *>(own.data());
    const BtRecord h(data, hdr::Size);
    if (h.u16(hdr::RecLen) != hdr::Size)
        return fail(QStringLiteral("the header length is %1, not 394.").arg(h.u16(hdr::RecLen)));
    dumpHeader(res.lines, h);
    int pos = hdr::Size;
    while (true) {
        if (pos + 2 > n)
            return fail(QStringLiteral("the records run to the end of the file at offset %1 without an end marker.").arg(pos));
        const uint16_t size = BtRecord(data + pos, 2).u16(0);
        if (size == EndMarker)
            break;
        if (size < obj::CommonSize || pos + size > n)
            return fail(QStringLiteral("the record at offset %1 has the length %2, which does not fit the file.").arg(pos).arg(size));
        const BtRecord r(data + pos, size);
        ++res.records;
        const QString kind = kindOf(r);
        res.lines << QStringLiteral("Record %1 at offset %2: %3 (%4 bytes)")
                         .arg(res.records)
                         .arg(pos)
                         .arg(kind.isEmpty() ? u"unknown kind"_qs : kind)
                         .arg(size);
        dumpRecord(res.lines, r, kind);
        pos += size;
    }
    res.lines << QStringLiteral("End marker at offset %1").arg(pos);
    if (pos + 2 != n)
        return fail(QStringLiteral("%1 bytes follow the end marker.").arg(n - pos - 2));
    if (h.u32(hdr::EndOffset) != static_cast<uint32_t>(pos))
        return fail(QStringLiteral("the header gives the end marker at %1, the file has it at %2.").arg(h.u32(hdr::EndOffset)).arg(pos));
    if (h.u16(hdr::ObjectCount) != res.records)
        return fail(QStringLiteral("the header counts %1 objects, the file holds %2.").arg(h.u16(hdr::ObjectCount)).arg(res.records));
    return res;
}

DumpResult dumpDisplayFile(const QString &path)
{
    QByteArray bytes;
    QString why;
    if (!readWholeFile(path, bytes, &why)) {
        DumpResult res;
        res.ok = false;
        res.error = why;
        return res;
    }
    return dumpDisplay(bytes, QDir::toNativeSeparators(path));
}

} // namespace vorlix::bt
