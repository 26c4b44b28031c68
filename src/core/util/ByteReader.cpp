#include "util/ByteReader.h"

#include "util/Ansi.h"

#include <algorithm>

namespace vorlix {

uint64_t ByteReader::littleAtEdge(qsizetype off, int width) const
{
    if (off > m_after)
        return 0; // wholly past the end (and off + i cannot overflow below)
    uint64_t v = 0;
    for (int i = width - 1; i >= 0; --i)
        v = (v << 8) | u8(off + i);
    return v;
}

QByteArray ByteReader::bytes(qsizetype off, qsizetype count) const
{
    if (count <= 0)
        return {};
    QByteArray out(count, '\0');
    if (off >= m_after || (off < 0 && off + count <= 0))
        return out; // wholly past the end or before the start
    // Step over the part before the start and before the data, then copy
    // what lies in the data.
    const qsizetype skip = std::max(qsizetype(0), m_first - off);
    if (skip >= count || off + skip >= m_after)
        return out;
    const qsizetype n = std::min(count - skip, m_after - (off + skip));
    std::memcpy(out.data() + skip, m_data + m_start + off + skip, static_cast<size_t>(n));
    return out;
}

QString ByteReader::text(qsizetype off, qsizetype maxBytes) const
{
    if (!has(off, 1))
        return {};
    const qsizetype begin = m_start + off;
    qsizetype end = m_textEnd;
    if (begin >= end)
        return {};
    if (maxBytes >= 0 && maxBytes < end - begin)
        end = begin + maxBytes;
    const char *from = m_data + begin;
    const void *nul = std::memchr(from, 0, static_cast<size_t>(end - begin));
    const qsizetype n = nul ? static_cast<const char *>(nul) - from : end - begin;
    return ansi::decode(QByteArrayView(from, n));
}

} // namespace vorlix
