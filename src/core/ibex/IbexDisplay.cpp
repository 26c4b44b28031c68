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

std::vector<int> IbexDisplay::walkObjectRecords() const
{
    std::vector<int> positions;
    // A length word that does not lie wholly in the file's data ends the
    // walk too: read with the end marker it would make up a record the file
    // does not have (a file cut inside a record, or inside its header).
    const ByteReader data(QByteArrayView(m_bytes).first(m_length));
    auto lengthAt = [&](int p) -> uint16_t { return data.has(p - 1, 2) ? data.u16(p - 1) : 0; };
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
