#include "bactalk/BtRecord.h"

#include "util/Ansi.h"
#include "util/Error.h"

#include <algorithm>
#include <cstring>

namespace vorlix::bt {

namespace {

// The text's bytes and their NUL into `out`, which has room for n > 0 bytes;
// a NUL inside the text ends it, as it would in the field. Returns the bytes
// written, the NUL included.
int fitInto(const QString &text, int n, char *out)
{
    const qsizetype used = ansi::encodeInto(text, out, n - 1, true);
    out[used] = '\0';
    return static_cast<int>(used) + 1;
}

} // namespace

QByteArray fitField(const QString &text, int n)
{
    if (n <= 0)
        return {};
    QByteArray bytes(std::min<qsizetype>(n, text.size() + 1), Qt::Uninitialized);
    bytes.truncate(fitInto(text, static_cast<int>(bytes.size()), bytes.data()));
    return bytes;
}

void BtRecord::check(int off, int width) const
{
    if (off < 0 || width < 0 || off + width > m_size)
        throw Error(QStringLiteral("Display record field at offset %1 (%2 bytes) lies outside the %3-byte record.")
                        .arg(off)
                        .arg(width)
                        .arg(m_size));
}

uint8_t BtRecord::u8(int off) const
{
    check(off, 1);
    return m_data[off];
}

uint16_t BtRecord::u16(int off) const
{
    check(off, 2);
    return static_cast<uint16_t>(m_data[off] | (m_data[off + 1] << 8));
}

uint32_t BtRecord::u32(int off) const
{
    check(off, 4);
    return static_cast<uint32_t>(m_data[off]) | (static_cast<uint32_t>(m_data[off + 1]) << 8)
        | (static_cast<uint32_t>(m_data[off + 2]) << 16) | (static_cast<uint32_t>(m_data[off + 3]) << 24);
}

double BtRecord::f64(int off) const
{
    check(off, 8);
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | m_data[off + i];
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

QString BtRecord::text(int off, int n) const
{
    check(off, n);
    return ansi::decodeField(QByteArrayView(reinterpret_cast<const char *>(m_data + off), n));
}

void BtRecord::setU8(int off, uint8_t v)
{
    check(off, 1);
    m_data[off] = v;
}

void BtRecord::setU16(int off, uint16_t v)
{
    check(off, 2);
    m_data[off] = static_cast<uint8_t>(v);
    m_data[off + 1] = static_cast<uint8_t>(v >> 8);
}

void BtRecord::setU32(int off, uint32_t v)
{
    check(off, 4);
    for (int i = 0; i < 4; ++i)
        m_data[off + i] = static_cast<uint8_t>(v >> (8 * i));
}

void BtRecord::setF64(int off, double v)
{
    check(off, 8);
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        m_data[off + i] = static_cast<uint8_t>(bits >> (8 * i));
}

int BtRecord::putText(int off, int n, const QString &text)
{
    check(off, n);
    if (n <= 0)
        return 0;
    return fitInto(text, n, reinterpret_cast<char *>(m_data + off));
}

void BtRecord::setDevice(uint32_t instance)
{
    setU32(obj::DevID, (u32(obj::DevID) & 0xFFu) | (instance << 8));
    setU8(obj::CurrDev, 0);
}

void BtRecord::setCurrentDevice(bool on)
{
    if (on) {
        setU8(obj::CurrDev, CurrDevOn);
        setU32(obj::DevID, CurrentDeviceId);
    } else {
        setU8(obj::CurrDev, 0);
    }
}

void BtRecord::bind(uint16_t type, uint32_t instance, uint8_t prop)
{
    setU16(obj::PtType, type);
    setU32(obj::ObjInst, instance);
    setU8(obj::ObjProp, prop);
    setU8(obj::UsePrio, 0);
}

void BtRecord::bindDeviceProperty(uint8_t prop) { bind(PtDevice, InstDevice, prop); }

void BtRecord::bindPresentValue(uint16_t type, uint32_t instance) { bind(type, instance, PropPresentValue); }

void BtRecord::bindRelinquishDefault(uint16_t type, uint32_t instance)
{
    bind(type, instance, PropRelinquishDefault);
}

void BtRecord::bindPriority(uint16_t type, uint32_t instance, uint8_t index)
{
    bind(type, instance, PropPriorityArray);
    setU8(obj::UsePrio, 1);
    setU8(obj::Prio, index);
}

} // namespace vorlix::bt
