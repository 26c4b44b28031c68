#include "sample/DatFileBuilders.h"

#include "util/Ansi.h"
#include "util/ByteWriter.h"
#include "ibex/DatReaders.h"

namespace vorlix::sample {

namespace {
using Extent = ByteWriter::Extent;

// A text in a fixed field of zero bytes; `fill` leaves no zero byte when
// the text is long.
void putText(ByteWriter &w, qsizetype at, qsizetype size, const QString &text, bool fill)
{
    w.bytes(at, ansi::encode(text).left(fill ? size : size - 1));
}
// A record numbered 0xFFFF after the records.
QByteArray terminated(QByteArray b, bool terminate, qsizetype recordSize)
{
    if (terminate) {
        QByteArray end(recordSize, '\0');
        ByteWriter(end, Extent::Fixed).u16(0, kDatListEnd);
        b.append(end);
    }
    return b;
}
} // namespace

PntsFileBuilder::PntsFileBuilder() : m_bytes(pntsfile::kHeaderSize, '\0') {}

PntsFileBuilder &PntsFileBuilder::point(uint16_t number, uint16_t type, const QString &description, bool fillField)
{
    using namespace pntsfile;
    QByteArray rec(kRecordSize, '\0');
    ByteWriter w(rec, Extent::Fixed);
    w.u16(kNumber, number).u16(kType, type);
    putText(w, kDescription, kDescriptionSize, description, fillField);
    m_bytes.append(rec);
    return *this;
}

QByteArray PntsFileBuilder::bytes(bool terminate) const
{
    return terminated(m_bytes, terminate, pntsfile::kRecordSize);
}

PdatFileBuilder &PdatFileBuilder::block(uint8_t kind, uint16_t base, const std::vector<int16_t> &tenths)
{
    using namespace pdatfile;
    QByteArray blk(kValues + kValueStride * static_cast<qsizetype>(tenths.size()), '\0');
    ByteWriter w(blk, Extent::Fixed);
    w.u16(kLength, static_cast<uint16_t>(blk.size() - 2))
        .u8(kKind, kind)
        .u8(kCount, static_cast<uint8_t>(tenths.size()))
        .u16(kBase, base);
    for (size_t j = 0; j < tenths.size(); ++j)
        w.i16(kValues + kValueStride * static_cast<qsizetype>(j), tenths[j]);
    m_bytes.append(blk);
    return *this;
}

PdatFileBuilder &PdatFileBuilder::otherBlock(uint8_t kind, const QByteArray &payload)
{
    QByteArray blk(4, '\0');
    ByteWriter(blk, Extent::Fixed)
        .u16(pdatfile::kLength, static_cast<uint16_t>(2 + payload.size()))
        .u8(pdatfile::kKind, kind);
    m_bytes.append(blk + payload);
    return *this;
}

QByteArray PdatFileBuilder::bytes(bool terminate) const
{
    QByteArray out = m_bytes;
    if (terminate) {
        // A block of no values whose kind ends the list.
        QByteArray end(4, '\0');
        ByteWriter(end, Extent::Fixed).u16(pdatfile::kLength, 2).u8(pdatfile::kKind, pdatfile::kEndKind);
        out.append(end);
    }
    return out;
}

CntpFileBuilder::CntpFileBuilder() : m_bytes(cntpfile::kHeaderSize, '\0') {}

CntpFileBuilder &CntpFileBuilder::panel(uint16_t number, const QString &name, bool fillField)
{
    using namespace cntpfile;
    QByteArray rec(kRecordSize, '\0');
    ByteWriter w(rec, Extent::Fixed);
    w.u16(kNumber, number);
    putText(w, kName, kNameSize, name, fillField);
    m_bytes.append(rec);
    return *this;
}

QByteArray CntpFileBuilder::bytes(bool terminate) const
{
    return terminated(m_bytes, terminate, cntpfile::kRecordSize);
}

} // namespace vorlix::sample
