#include "sample/IbexDisplayBuilder.h"

#include "util/Ansi.h"
#include "util/FileUtil.h"

namespace vorlix::sample {

namespace {
// Every record holds at least the common part up to its first kind field.
constexpr int kMinRecord = ibw::obj::Caption;
} // namespace

IbexRecordBuilder::IbexRecordBuilder(IbexObject kind) : IbexRecordBuilder(objectCodeOf(kind)) {}

IbexRecordBuilder::IbexRecordBuilder(uint16_t code) : m_bytes(kMinRecord, '\0')
{
    u16(ibw::obj::Code, code);
}

ByteWriter IbexRecordBuilder::writer() { return ByteWriter(m_bytes, ByteWriter::Extent::Growing); }

IbexRecordBuilder &IbexRecordBuilder::u8(int off, uint8_t v)
{
    writer().u8(off, v);
    return *this;
}

IbexRecordBuilder &IbexRecordBuilder::u16(int off, uint16_t v)
{
    writer().u16(off, v);
    return *this;
}

IbexRecordBuilder &IbexRecordBuilder::u32(int off, uint32_t v)
{
    writer().u32(off, v);
    return *this;
}

IbexRecordBuilder &IbexRecordBuilder::u32BigEndian(int off, uint32_t v)
{
    writer().u32BigEndian(off, v);
    return *this;
}

IbexRecordBuilder &IbexRecordBuilder::f64(int off, double v)
{
    writer().f64(off, v);
    return *this;
}

IbexRecordBuilder &IbexRecordBuilder::text(int off, const QString &text, bool withNul)
{
    const QByteArray b = ansi::encode(text);
    ByteWriter w = writer();
    w.bytes(off, b);
    if (withNul)
        w.u8(off + b.size(), 0);
    return *this;
}

IbexRecordBuilder &IbexRecordBuilder::rect(int x, int y, int w, int h)
{
    u16(ibw::obj::X, x);
    u16(ibw::obj::Y, y);
    u16(ibw::obj::Width, w);
    return u16(ibw::obj::Height, h);
}

IbexRecordBuilder &IbexRecordBuilder::point(uint8_t apex, uint32_t ref, uint8_t cp)
{
    u8(ibw::obj::Apex, apex);
    u8(ibw::obj::CpNumber, cp);
    return u32(ibw::obj::PointRef, ref);
}

IbexRecordBuilder &IbexRecordBuilder::airflowPoint(uint8_t apex, uint32_t ref, uint8_t cp)
{
    u8(ibw::obj::AirflowApex, apex);
    u8(ibw::obj::AirflowCp, cp);
    return u32BigEndian(ibw::obj::AirflowRef, ref);
}

IbexRecordBuilder &IbexRecordBuilder::bitmap(int i, const QString &name)
{
    writer().text(ibw::obj::Bitmaps + ibw::obj::BitmapSize * (i - 1), ibw::obj::BitmapSize, name);
    return *this;
}

IbexRecordBuilder &IbexRecordBuilder::font(const QString &face, uint8_t pitch, uint16_t weight, uint8_t style)
{
    u8(ibw::obj::FontValid, ibw::obj::FontValidMark);
    u8(ibw::obj::FontPitch, pitch);
    u16(ibw::obj::FontWeight, weight);
    u8(ibw::obj::FontStyle, style);
    return text(ibw::obj::FontName, face);
}

IbexRecordBuilder &IbexRecordBuilder::colors(uint32_t fore, uint32_t back, uint32_t alarm)
{
    u32(ibw::obj::ForeColor, fore);
    u32(ibw::obj::BackColor, back);
    return u32(ibw::obj::AlarmColor, alarm);
}

IbexRecordBuilder &IbexRecordBuilder::length(uint16_t length, bool raw)
{
    m_length = length;
    m_rawLength = raw;
    return *this;
}

QByteArray IbexRecordBuilder::bytes() const
{
    QByteArray b = m_bytes;
    if (m_length >= 0 && !m_rawLength) {
        if (b.size() > m_length)
            b.truncate(m_length);
        else
            b.append(QByteArray(m_length - b.size(), '\0'));
    }
    const uint16_t len = m_length >= 0 ? uint16_t(m_length) : uint16_t(b.size());
    // The length word, as far as a record cut shorter than it holds it.
    ByteWriter w(b, ByteWriter::Extent::Fixed);
    if (b.size() >= 2)
        w.u16(ibw::obj::Length, len);
    else if (b.size() == 1)
        w.u8(ibw::obj::Length, len & 0xFF);
    return b;
}

IbexDisplayBuilder::IbexDisplayBuilder() : m_header(ibw::HeaderSize, '\0') {}

ByteWriter IbexDisplayBuilder::header() { return ByteWriter(m_header, ByteWriter::Extent::Fixed); }

IbexDisplayBuilder &IbexDisplayBuilder::headerByte(int off, uint8_t v)
{
    header().u8(off, v);
    return *this;
}

// The texts run up to the next field.
IbexDisplayBuilder &IbexDisplayBuilder::description(const QString &text)
{
    header().text(ibw::hdr::Description, ibw::hdr::BackgroundColor - ibw::hdr::Description, text);
    return *this;
}

IbexDisplayBuilder &IbexDisplayBuilder::bitmapBackground(const QString &fileName)
{
    header()
        .u8(ibw::hdr::BackgroundKind, ibw::BackgroundBitmap)
        .text(ibw::hdr::BitmapName, ibw::hdr::BackgroundKind - ibw::hdr::BitmapName, fileName);
    return *this;
}

IbexDisplayBuilder &IbexDisplayBuilder::colorBackground(uint32_t color, uint8_t kind)
{
    header().u8(ibw::hdr::BackgroundKind, kind).u32(ibw::hdr::BackgroundColor, color);
    return *this;
}

IbexDisplayBuilder &IbexDisplayBuilder::size(uint16_t width, uint16_t height)
{
    header().u16(ibw::hdr::Width, width).u16(ibw::hdr::Height, height);
    return *this;
}

IbexRecordBuilder &IbexDisplayBuilder::add(IbexObject kind) { return m_records.emplace_back(kind); }
IbexRecordBuilder &IbexDisplayBuilder::addCode(uint16_t code) { return m_records.emplace_back(code); }

IbexDisplayBuilder &IbexDisplayBuilder::raw(const QByteArray &bytes)
{
    m_tail += bytes;
    return *this;
}

QByteArray IbexDisplayBuilder::bytes() const
{
    QByteArray out = m_header;
    for (const IbexRecordBuilder &r : m_records)
        out += r.bytes();
    return out + m_tail;
}

void IbexDisplayBuilder::write(const QString &path) const { writeFileAtomically(path, bytes()); }

} // namespace vorlix::sample
