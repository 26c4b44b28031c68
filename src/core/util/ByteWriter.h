#pragma once
// Little-endian writes (unless named otherwise) at byte offsets, into a
// fixed region or into a byte array that grows to hold what is written. A
// field that would leave a fixed region is refused whole: nothing of it is
// written and the write throws Error naming the offset.
#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <cstdint>

namespace vorlix {

class ByteWriter {
public:
    enum class Extent {
        Fixed,   // the array's bytes as they are
        Growing, // the array grows, with zero bytes, to hold every field written
    };

    // The `size` bytes at `data`; the writer keeps the pointer.
    ByteWriter(char *data, qsizetype size) : m_data(data), m_size(size < 0 ? 0 : size) {}
    ByteWriter(uint8_t *data, qsizetype size) : ByteWriter(reinterpret_cast<char *>(data), size) {}
    // The bytes of `bytes`; the writer keeps a reference to the array.
    ByteWriter(QByteArray &bytes, Extent extent);

    // The region's size (a growing array's current size).
    qsizetype size() const { return m_array ? m_array->size() : m_size; }

    ByteWriter &u8(qsizetype off, uint8_t v);
    ByteWriter &u16(qsizetype off, uint16_t v) { return little(off, v, 2); }
    ByteWriter &i16(qsizetype off, int16_t v) { return little(off, static_cast<uint16_t>(v), 2); }
    ByteWriter &u32(qsizetype off, uint32_t v) { return little(off, v, 4); }
    ByteWriter &u16BigEndian(qsizetype off, uint16_t v) { return big(off, v, 2); }
    ByteWriter &u32BigEndian(qsizetype off, uint32_t v) { return big(off, v, 4); }
    ByteWriter &f64(qsizetype off, double v);
    ByteWriter &bytes(qsizetype off, QByteArrayView bytes);
    // `text` in Windows-1252 and its NUL in a field of `fieldSize` bytes:
    // at most fieldSize - 1 text bytes (a NUL character ends the text
    // early); the field's bytes after the NUL keep what they held. The
    // whole field must lie in the region (a growing array grows to hold
    // it). Returns the bytes written, the NUL included (0 for a field of
    // no bytes).
    qsizetype text(qsizetype off, qsizetype fieldSize, QStringView text);

private:
    // The `count` bytes at `off`, made to exist in a growing array; throws
    // when they do not lie in a fixed region.
    char *field(qsizetype off, qsizetype count);
    ByteWriter &little(qsizetype off, uint64_t v, int width);
    ByteWriter &big(qsizetype off, uint64_t v, int width);

    char *m_data = nullptr;
    qsizetype m_size = 0;
    QByteArray *m_array = nullptr; // set when growing
};

} // namespace vorlix
