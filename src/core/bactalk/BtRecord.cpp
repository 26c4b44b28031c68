#include "bactalk/BtRecord.h"

#include "util/ByteReader.h"
#include "util/ByteWriter.h"
#include "util/Error.h"

#include <algorithm>

namespace vorlix::bt {

QByteArray fitField(const QString &text, int n)
{
    if (n <= 0)
        return {};
    QByteArray bytes(std::min<qsizetype>(n, text.size() + 1), Qt::Uninitialized);
    bytes.truncate(ByteWriter(bytes, ByteWriter::Extent::Fixed).text(0, bytes.size(), text));
    return bytes;
}

void BtRecord::check(int off, int width) const
{
    if (off < 0 || width < 0 || off > m_size - width)
        throw Error(QStringLiteral("Display record field at offset %1 (%2 bytes) lies outside the %3-byte record.")
                        .arg(off)
                        .arg(width)
                        .arg(m_size));
}

ByteReader BtRecord::reader() const
{
    return ByteReader(QByteArrayView(reinterpret_cast<const char *>(m_data), m_size));
}

ByteWriter BtRecord::writer() { return ByteWriter(m_data, m_size); }

uint8_t BtRecord::u8(int off) const
{
    check(off, 1);
    return reader().u8(off);
}

uint16_t BtRecord::u16(int off) const
{
    check(off, 2);
    return reader().u16(off);
}

uint32_t BtRecord::u32(int off) const
{
    check(off, 4);
    return reader().u32(off);
}

double BtRecord::f64(int off) const
{
    check(off, 8);
    return reader().f64(off);
}

QString BtRecord::text(int off, int n) const
{
    check(off, n);
    return reader().text(off, n);
}

void BtRecord::setU8(int off, uint8_t v)
{
    check(off, 1);
    writer().u8(off, v);
}

void BtRecord::setU16(int off, uint16_t v)
{
    check(off, 2);
    writer().u16(off, v);
}

void BtRecord::setU32(int off, uint32_t v)
{
    check(off, 4);
    writer().u32(off, v);
}

void BtRecord::setF64(int off, double v)
{
    check(off, 8);
    writer().f64(off, v);
}

void BtRecord::setBytes(int off, QByteArrayView bytes)
{
    check(off, static_cast<int>(bytes.size()));
    writer().bytes(off, bytes);
}

int BtRecord::putText(int off, int n, const QString &text)
{
    check(off, n);
    return static_cast<int>(writer().text(off, n, text));
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
