#include "ibex/IbexDisplay.h"

#include "util/Ansi.h"
#include "util/Error.h"
#include "util/FileUtil.h"

#include <cstring>

namespace vorlix {

uint8_t ByteView::u8(int off) const
{
    if (!m_bytes || off < 0)
        return 0;
    const qsizetype i = qsizetype(m_start) + off;
    return i >= 0 && i < m_bytes->size() ? static_cast<uint8_t>((*m_bytes)[i]) : 0;
}

uint16_t ByteView::u16(int off) const
{
    return static_cast<uint16_t>(u8(off) | (u8(off + 1) << 8));
}

uint32_t ByteView::u32(int off) const
{
    return uint32_t(u16(off)) | (uint32_t(u16(off + 2)) << 16);
}

uint32_t ByteView::u32BigEndian(int off) const
{
    return (uint32_t(u8(off)) << 24) | (uint32_t(u8(off + 1)) << 16) | (uint32_t(u8(off + 2)) << 8) |
           uint32_t(u8(off + 3));
}

QByteArray ByteView::bytes(int off, int count) const
{
    QByteArray out(count, '\0');
    for (int i = 0; i < count; ++i)
        out[i] = static_cast<char>(u8(off + i));
    return out;
}

double ByteView::f64(int off) const
{
    const QByteArray raw = bytes(off, 8);
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | static_cast<uint8_t>(raw[i]);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

QString ByteView::text(int off, int maxBytes) const
{
    if (!m_bytes || off < 0)
        return {};
    const qsizetype begin = qsizetype(m_start) + off;
    if (begin < 0 || begin >= m_bytes->size())
        return {};
    qsizetype end = m_textEnd >= 0 ? qMin<qsizetype>(m_textEnd, m_bytes->size()) : m_bytes->size();
    if (begin >= end)
        return {};
    if (maxBytes >= 0 && begin + maxBytes < end)
        end = begin + maxBytes;
    const char *data = m_bytes->constData();
    qsizetype n = begin;
    while (n < end && data[n] != '\0')
        ++n;
    return ansi::decode(QByteArrayView(data + begin, n - begin));
}

QByteArray airflowScratchRecord(const IbexObjRec &rec)
{
    using namespace ibw;
    QByteArray s = rec.bytes(0, AirflowScratchSize);
    const uint32_t ref = rec.u32BigEndian(obj::AirflowRef);
    s[obj::Apex] = static_cast<char>(rec.u8(obj::AirflowApex));
    s[obj::CpNumber] = static_cast<char>(rec.u8(obj::AirflowCp));
    for (int i = 0; i < 4; ++i)
        s[obj::PointRef + i] = static_cast<char>((ref >> (8 * i)) & 0xFF);
    return s;
}

IbexDisplay IbexDisplay::fromBytes(const QByteArray &fileBytes)
{
    IbexDisplay d;
    // Room for the two marker bytes inside the program's buffer.
    d.m_length = static_cast<int>(qMin<qsizetype>(fileBytes.size(), ibw::BufferSize - 2));
    d.m_bytes = fileBytes.left(d.m_length);
    d.m_bytes.append(static_cast<char>(ibw::EndMarkerByte));
    d.m_bytes.append(static_cast<char>(ibw::EndMarkerByte));
    return d;
}

IbexDisplay IbexDisplay::read(const QString &path)
{
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, bytes, &error, ibw::BufferSize - 2))
        throw Error(error);
    return fromBytes(bytes);
}

std::vector<int> IbexDisplay::walkObjectRecords() const
{
    std::vector<int> positions;
    const ByteView all(&m_bytes, 0);
    // A length word that does not lie wholly in the file's data ends the
    // walk too: read with the end marker it would make up a record the file
    // does not have (a file cut inside a record, or inside its header).
    auto lengthAt = [&](int p) -> uint16_t { return p - 1 + 2 <= m_length ? all.u16(p - 1) : 0; };
    int p = ibw::FirstRecordPosition;
    uint16_t len = lengthAt(p);
    while (len != 0 && len < ibw::MaxRecordLength && p < ibw::WalkLimit) {
        positions.push_back(p);
        p = static_cast<uint16_t>(p + len);
        len = lengthAt(p);
    }
    return positions;
}

} // namespace vorlix
