#include "ibex/DatReaders.h"

#include "util/ByteReader.h"
#include "util/Error.h"
#include "project/ControllerMap.h"
#include "ibex/JobFiles.h"

#include <QDir>

namespace vorlix {

namespace {

// Fixed-size records after a header, each with its number at `numberAt`:
// a record is examined while its first byte and the next lie in the data,
// up to `maxRecords`; the number 0xFFFF ends the list.
template <typename Fn>
void forEachRecord(const ByteReader &b, qsizetype header, qsizetype recordSize, qsizetype numberAt, int maxRecords,
                   Fn &&fn)
{
    qsizetype off = header;
    for (int examined = 0; b.has(off, 2) && examined < maxRecords; ++examined, off += recordSize) {
        const uint16_t number = b.u16(off + numberAt);
        if (number == kDatListEnd)
            break;
        fn(off, number);
    }
}

} // namespace

std::vector<PointSetup> decodePnts(QByteArrayView data)
{
    using namespace pntsfile;
    std::vector<PointSetup> out;
    const ByteReader b(data);
    forEachRecord(b, kHeaderSize, kRecordSize, kNumber, kMaxRecords, [&](qsizetype off, uint16_t number) {
        const uint16_t type = b.u16(off + kType);
        if (number <= kMaxPoint && type >= 1 && type <= 4)
            out.push_back({number, type, b.text(off + kDescription, kDescriptionSize)});
    });
    return out;
}

std::vector<PointValue> decodePdat(QByteArrayView data)
{
    using namespace pdatfile;
    std::vector<PointValue> out;
    const ByteReader b(data);
    qsizetype pos = 0;
    // A block whose kind byte lies past the data ends the list like 0xFF.
    while (b.has(pos + kKind, 1) && b.u8(pos + kKind) != kEndKind) {
        const uint16_t length = b.u16(pos + kLength);
        if (b.u8(pos + kKind) == kPointValues && b.has(pos + kBase, 2)) {
            const int count = b.u8(pos + kCount);
            const int base = b.u16(pos + kBase);
            for (int j = 1; j <= count; ++j) {
                const qsizetype at = pos + kValues + kValueStride * (j - 1);
                if (!b.has(at, 2))
                    break; // values stop where the data does
                out.push_back({base + j, b.i16(at) / 10.0});
            }
        }
        pos += qsizetype(length) + 2;
    }
    return out;
}

std::vector<PanelName> decodeCntp(QByteArrayView data)
{
    using namespace cntpfile;
    std::vector<PanelName> out;
    const ByteReader b(data);
    forEachRecord(b, kHeaderSize, kRecordSize, kNumber, kMaxRecords, [&](qsizetype off, uint16_t number) {
        if (number <= kMaxPanel)
            out.push_back({number, b.text(off + kName, kNameSize)});
    });
    return out;
}

QString DatReaders::pntsName(int apex) { return QString::asprintf("pnts%.2d.dat", apex); }
QString DatReaders::pdatName(int apex) { return QString::asprintf("pdat%.2d.dat", apex); }
QString DatReaders::cntpName(int apex) { return QString::asprintf("cntp%.2d.dat", apex); }

void DatReaders::readPntsFiles(const QString &jobFolder, QStringList &missing)
{
    filesRead += forEachApexFile(m_map, jobFolder, 0, 31, &pntsName, pntsfile::kMaxReachedBytes, missing, onApex,
         [this](int apex, const QString &, const QByteArray &bytes) {
             for (const PointSetup &p : decodePnts(bytes))
                 m_map.putIbexPoint(apex, p.point, p.type, p.description);
         });
}

void DatReaders::readPdatFiles(const QString &jobFolder, QStringList &missing)
{
    // One byte more than allowed tells a file that is too large.
    filesRead += forEachApexFile(m_map, jobFolder, 0, 31, &pdatName, pdatfile::kMaxFileBytes + 1, missing, onApex,
         [this](int apex, const QString &path, const QByteArray &bytes) {
             if (bytes.size() > pdatfile::kMaxFileBytes)
                 throw Error(QStringLiteral("\"%1\" is too large to be a point value file (more than %2 MiB).")
                                 .arg(QDir::toNativeSeparators(path))
                                 .arg(pdatfile::kMaxFileBytes / (1024 * 1024)));
             for (const PointValue &v : decodePdat(bytes))
                 m_map.putIbexPointValue(apex, v.point, v.value);
         });
}

void DatReaders::readCntpFiles(const QString &jobFolder, QStringList &missing)
{
    filesRead += forEachApexFile(m_map, jobFolder, 0, 31, &cntpName, cntpfile::kMaxReachedBytes, missing, onApex,
         [this](int apex, const QString &, const QByteArray &bytes) {
             for (const PanelName &p : decodeCntp(bytes))
                 m_map.putCpanelName(apex, p.number, p.name);
         });
}

} // namespace vorlix
