#pragma once
// Bounded reads from bytes held elsewhere: numbers little-endian unless
// named otherwise, texts NUL-terminated Windows-1252. A byte outside the
// data reads as 0 and a text outside it as empty, so no input can make a
// read leave the data. The reader keeps a pointer to the bytes: they must
// outlive it and stay where they are.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vorlix {

class ByteReader {
public:
    ByteReader() = default;
    // Texts end at `textEnd`, an index into `data` (the end of the data
    // when negative or past it): bytes kept after a file's data, such as an
    // end marker, are no text.
    explicit ByteReader(QByteArrayView data, qsizetype textEnd = -1)
        : m_data(data.data()),
          m_size(data.size()),
          m_after(data.size()),
          m_textEnd(textEnd >= 0 && textEnd < data.size() ? textEnd : data.size())
    {
    }

    // The reader whose offset 0 is this one's `offset`, over the same data
    // and with the same text end: a record inside a file reads fields by
    // their offsets in the record, and may read on past the record's end.
    ByteReader at(qsizetype offset) const
    {
        ByteReader r = *this;
        r.m_start = std::clamp(m_start + std::clamp(offset, -kFar, kFar), -kFar, kFar);
        r.m_after = m_size - r.m_start;
        r.m_first = r.m_start < 0 ? -r.m_start : 0;
        return r;
    }
    // Where offset 0 lies in the data.
    qsizetype start() const { return m_start; }

    // Whether the `count` bytes at `off` lie wholly in the data. Negative
    // offsets lie before the reader's start: never in it.
    bool has(qsizetype off, qsizetype count) const
    {
        return off >= m_first && count >= 0 && off <= m_after && count <= m_after - off;
    }

    uint8_t u8(qsizetype off) const { return hasField(off, 1) ? static_cast<uint8_t>(m_data[m_start + off]) : 0; }
    uint16_t u16(qsizetype off) const { return static_cast<uint16_t>(little(off, 2)); }
    int16_t i16(qsizetype off) const { return static_cast<int16_t>(u16(off)); }
    uint32_t u32(qsizetype off) const { return static_cast<uint32_t>(little(off, 4)); }
    uint16_t u16BigEndian(qsizetype off) const { return static_cast<uint16_t>(big(off, 2)); }
    uint32_t u32BigEndian(qsizetype off) const { return static_cast<uint32_t>(big(off, 4)); }
    double f64(qsizetype off) const
    {
        const uint64_t bits = little(off, 8);
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }

    // `count` raw bytes; those outside the data read as 0.
    QByteArray bytes(qsizetype off, qsizetype count) const;
    // A NUL-terminated text: ends at the first NUL, after `maxBytes` bytes
    // (when not negative), at the text end or at the end of the data,
    // whichever comes first.
    QString text(qsizetype off, qsizetype maxBytes = -1) const;

private:
    // Starts are kept within this distance of the data, so no sum of a
    // start and an offset overflows; a start this far away reads nothing.
    static constexpr qsizetype kFar = qsizetype(1) << 60;

    // has() for the short fields of the reads (width 1 to 8).
    bool hasField(qsizetype off, int width) const { return off >= m_first && off <= m_after - width; }
    // The `width` bytes at `off` as a little-endian number; a byte outside
    // the data counts as 0.
    uint64_t little(qsizetype off, int width) const
    {
        if (hasField(off, width)) {
            const auto *p = reinterpret_cast<const unsigned char *>(m_data + m_start + off);
            uint64_t v = 0;
            for (int i = width - 1; i >= 0; --i)
                v = (v << 8) | p[i];
            return v;
        }
        return littleAtEdge(off, width);
    }
    uint64_t big(qsizetype off, int width) const
    {
        uint64_t v = 0;
        const uint64_t le = little(off, width);
        for (int i = 0; i < width; ++i)
            v = (v << 8) | ((le >> (8 * i)) & 0xFF);
        return v;
    }
    uint64_t littleAtEdge(qsizetype off, int width) const;

    const char *m_data = nullptr;
    qsizetype m_size = 0;    // bytes of the whole data
    qsizetype m_start = 0;   // offset 0 as an index into the data
    qsizetype m_after = 0;   // bytes from the start to the end of the data
    qsizetype m_first = 0;   // the first offset in the data (not negative)
    qsizetype m_textEnd = 0; // an index into the data
};

} // namespace vorlix
