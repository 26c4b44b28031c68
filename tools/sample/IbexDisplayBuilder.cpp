#include "sample/IbexDisplayBuilder.h"

#include "util/Ansi.h"
#include "util/FileUtil.h"

#include <cstring>

namespace vorlix::sample {

namespace {
// Every record holds at least the common part up to its first kind field.
constexpr int kMinRecord = ibw::obj::Caption;

void put(QByteArray &b, int off, uint8_t v) { b[off] = static_cast<char>(v); }
} // namespace

IbexRecordBuilder::IbexRecordBuilder(IbexObject kind) : IbexRecordBuilder(objectCodeOf(kind)) {}

IbexRecordBuilder::IbexRecordBuilder(uint16_t code) : m_bytes(kMinRecord, '\0')
{
    u16(ibw::obj::Code, code);
}

void IbexRecordBuilder::grow(int size)
{
    if (m_bytes.size() < size)
        m_bytes.append(QByteArray(size - m_bytes.size(), '\0'));
}

IbexRecordBuilder &IbexRecordBuilder::u8(int off, uint8_t v)
{
    grow(off + 1);
    put(m_bytes, off, v);
    return *this;
}

IbexRecordBuilder &IbexRecordBuilder::u16(int off, uint16_t v)
{
    u8(off, v & 0xFF);
    return u8(off + 1, v >> 8);
}

IbexRecordBuilder &IbexRecordBuilder::u32(int off, uint32_t v)
{
    u16(off, v & 0xFFFF);
    return u16(off + 2, v >> 16);
}

IbexRecordBuilder &IbexRecordBuilder::u32BigEndian(int off, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        u8(off + i, (v >> (24 - 8 * i)) & 0xFF);
    return *this;
}

IbexRecordBuilder &IbexRecordBuilder::f64(int off, double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        u8(off + i, (bits >> (8 * i)) & 0xFF);
    return *this;
}

IbexRecordBuilder &IbexRecordBuilder::text(int off, const QString &text, bool withNul)
{
    const QByteArray b = ansi::encode(text);
    for (int i = 0; i < b.size(); ++i)
        u8(off + i, static_cast<uint8_t>(b[i]));
    if (withNul)
        u8(off + int(b.size()), 0);
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
    const int off = ibw::obj::Bitmaps + ibw::obj::BitmapSize * (i - 1);
    grow(off + ibw::obj::BitmapSize);
    return text(off, name.left(ibw::obj::BitmapSize - 1));
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
    if (b.size() >= 1)
        b[0] = static_cast<char>(len & 0xFF);
    if (b.size() >= 2)
        b[1] = static_cast<char>(len >> 8);
    return b;
}

IbexDisplayBuilder::IbexDisplayBuilder() : m_header(ibw::HeaderSize, '\0') {}

IbexDisplayBuilder &IbexDisplayBuilder::headerByte(int off, uint8_t v)
{
    m_header[off] = static_cast<char>(v);
    return *this;
}

IbexDisplayBuilder &IbexDisplayBuilder::description(const QString &text)
{
    const QByteArray b = ansi::encode(text).left(ibw::hdr::BackgroundColor - ibw::hdr::Description - 1);
    m_header.replace(ibw::hdr::Description, b.size() + 1, b + '\0');
    return *this;
}

IbexDisplayBuilder &IbexDisplayBuilder::bitmapBackground(const QString &fileName)
{
    const QByteArray b = ansi::encode(fileName).left(ibw::hdr::BackgroundKind - 1);
    m_header.replace(ibw::hdr::BitmapName, b.size() + 1, b + '\0');
    return headerByte(ibw::hdr::BackgroundKind, ibw::BackgroundBitmap);
}

IbexDisplayBuilder &IbexDisplayBuilder::colorBackground(uint32_t color, uint8_t kind)
{
    headerByte(ibw::hdr::BackgroundKind, kind);
    for (int i = 0; i < 4; ++i)
        headerByte(ibw::hdr::BackgroundColor + i, (color >> (8 * i)) & 0xFF);
    return *this;
}

IbexDisplayBuilder &IbexDisplayBuilder::size(uint16_t width, uint16_t height)
{
    headerByte(ibw::hdr::Width, width & 0xFF);
    headerByte(ibw::hdr::Width + 1, width >> 8);
    headerByte(ibw::hdr::Height, height & 0xFF);
    return headerByte(ibw::hdr::Height + 1, height >> 8);
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
