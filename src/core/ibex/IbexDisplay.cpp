#include "ibex/IbexDisplay.h"

#include "util/ByteWriter.h"
#include "util/Error.h"
#include "util/FileUtil.h"

namespace vorlix {

QByteArray airflowScratchRecord(const IbexObjRec &rec)
{
    using namespace ibw;
    QByteArray s = rec.bytes(0, AirflowScratchSize);
    ByteWriter(s, ByteWriter::Extent::Fixed)
        .u8(obj::Apex, rec.u8(obj::AirflowApex))
        .u8(obj::CpNumber, rec.u8(obj::AirflowCp))
        .u32(obj::PointRef, rec.u32BigEndian(obj::AirflowRef));
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

namespace {
struct Walk {
    std::vector<int> positions;
    int stop = 0; // 1-based position of the length word that ended the walk
};

Walk walkRecords(const QByteArray &bytes, int length)
{
    Walk w;
    // A length word that does not lie wholly in the file's data ends the
    // walk too: read with the end marker it would make up a record the file
    // does not have (a file cut inside a record, or inside its header).
    const ByteReader data(QByteArrayView(bytes).first(length));
    auto lengthAt = [&](int p) -> uint16_t { return data.has(p - 1, 2) ? data.u16(p - 1) : 0; };
    int p = ibw::FirstRecordPosition;
    uint16_t len = lengthAt(p);
    while (len != 0 && len < ibw::MaxRecordLength && p < ibw::WalkLimit) {
        w.positions.push_back(p);
        p = static_cast<uint16_t>(p + len);
        len = lengthAt(p);
    }
    w.stop = p;
    return w;
}
} // namespace

std::vector<int> IbexDisplay::walkObjectRecords() const { return walkRecords(m_bytes, m_length).positions; }

int IbexDisplay::walkStopOffset() const
{
    const Walk w = walkRecords(m_bytes, m_length);
    if (w.stop - 1 == m_length)
        return -1;
    // The last record runs past the end of the data: the damage starts
    // with it, not past the end of the file.
    if (w.stop - 1 > m_length && !w.positions.empty())
        return w.positions.back() - 1;
    return w.stop - 1;
}

} // namespace vorlix
