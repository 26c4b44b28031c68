#pragma once
// A view on one record of a BACtalk display in a byte buffer: typed,
// little-endian field access by offset, never outside the record, and the
// point binding operations on the point block.
#include "bactalk/BtDisplayLayout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>

namespace vorlix {
class ByteReader;
class ByteWriter;
} // namespace vorlix

namespace vorlix::bt {

// The text cut to at most n - 1 Windows-1252 bytes followed by its NUL (the
// byte count the caller copies into a field of n bytes).
QByteArray fitField(const QString &text, int n);

class BtRecord {
public:
    BtRecord(uint8_t *data, int size) : m_data(data), m_size(size) {}

    int size() const { return m_size; }
    uint8_t *data() { return m_data; }
    const uint8_t *data() const { return m_data; }

    uint8_t u8(int off) const;
    uint16_t u16(int off) const;
    int16_t i16(int off) const { return static_cast<int16_t>(u16(off)); }
    uint32_t u32(int off) const;
    double f64(int off) const;
    // The NUL-terminated text of a field of n bytes.
    QString text(int off, int n) const;

    void setU8(int off, uint8_t v);
    void setU16(int off, uint16_t v);
    void setI16(int off, int16_t v) { setU16(off, static_cast<uint16_t>(v)); }
    void setU32(int off, uint32_t v);
    void setF64(int off, double v);
    // Raw bytes copied as they stand.
    void setBytes(int off, QByteArrayView bytes);
    // fitField(text, n) copied to off; the bytes of the field after the NUL
    // keep what they held. Returns the byte count copied.
    int putText(int off, int n, const QString &text);

    // --- point block ------------------------------------------------------
    void setDevice(uint32_t instance);
    void setCurrentDevice(bool on);
    void bindObjectName() { bindDeviceProperty(PropObjectName); }
    void bindDescription() { bindDeviceProperty(PropDescription); }
    void bindLocation() { bindDeviceProperty(PropLocation); }
    void bindPresentValue(uint16_t type, uint32_t instance);
    void bindRelinquishDefault(uint16_t type, uint32_t instance);
    void bindPriority(uint16_t type, uint32_t instance, uint8_t index);

private:
    // Throws Error naming the field unless it lies wholly in the record;
    // the reads and writes below it are then never refused.
    void check(int off, int width) const;
    ByteReader reader() const;
    ByteWriter writer();
    void bindDeviceProperty(uint8_t prop);
    void bind(uint16_t type, uint32_t instance, uint8_t prop);

    uint8_t *m_data;
    int m_size;
};

} // namespace vorlix::bt
