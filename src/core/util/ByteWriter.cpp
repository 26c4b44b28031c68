#include "util/ByteWriter.h"

#include "util/Ansi.h"
#include "util/Error.h"

#include <cstring>
#include <limits>

namespace vorlix {

ByteWriter::ByteWriter(QByteArray &bytes, Extent extent)
{
    if (extent == Extent::Growing) {
        m_array = &bytes;
    } else {
        m_data = bytes.data();
        m_size = bytes.size();
    }
}

char *ByteWriter::field(qsizetype off, qsizetype count)
{
    const bool fits = off >= 0 && count >= 0
        && (m_array ? off <= std::numeric_limits<qsizetype>::max() - count : off <= m_size && count <= m_size - off);
    if (!fits)
        throw Error(QStringLiteral("A field at offset %1 (%2 bytes) lies outside the %3-byte region.")
                        .arg(off)
                        .arg(count)
                        .arg(size()));
    if (count == 0)
        return nullptr; // nothing to write, nothing to grow
    if (!m_array)
        return m_data + off;
    if (m_array->size() < off + count)
        m_array->resize(off + count, '\0');
    return m_array->data() + off;
}

ByteWriter &ByteWriter::u8(qsizetype off, uint8_t v)
{
    *field(off, 1) = static_cast<char>(v);
    return *this;
}

ByteWriter &ByteWriter::little(qsizetype off, uint64_t v, int width)
{
    char *p = field(off, width);
    for (int i = 0; i < width; ++i)
        p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return *this;
}

ByteWriter &ByteWriter::big(qsizetype off, uint64_t v, int width)
{
    char *p = field(off, width);
    for (int i = 0; i < width; ++i)
        p[i] = static_cast<char>((v >> (8 * (width - 1 - i))) & 0xFF);
    return *this;
}

ByteWriter &ByteWriter::f64(qsizetype off, double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return little(off, bits, 8);
}

ByteWriter &ByteWriter::bytes(qsizetype off, QByteArrayView bytes)
{
    if (char *p = field(off, bytes.size()))
        std::memcpy(p, bytes.data(), static_cast<size_t>(bytes.size()));
    return *this;
}

qsizetype ByteWriter::text(qsizetype off, qsizetype fieldSize, QStringView text)
{
    char *p = field(off, fieldSize);
    if (!p)
        return 0;
    const qsizetype used = ansi::encodeInto(text, p, fieldSize - 1, true);
    p[used] = '\0';
    return used + 1;
}

} // namespace vorlix
