#include "sample/DatFileBuilders.h"

#include "util/Ansi.h"
#include "ibex/DatReaders.h"

namespace vorlix::sample {

namespace {
void putLe16(QByteArray &b, qsizetype at, uint16_t v)
{
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}
// A text in a fixed field; `fill` leaves no zero byte when the text is long.
void putText(QByteArray &b, qsizetype at, qsizetype size, const QString &text, bool fill)
{
    const QByteArray t = ansi::encode(text).left(fill ? size : size - 1);
    for (qsizetype i = 0; i < t.size(); ++i)
        b[at + i] = t[i];
}
QByteArray terminated(QByteArray b, bool terminate, qsizetype recordSize)
{
    if (terminate) {
        QByteArray end(recordSize, '\0');
        putLe16(end, 0, kDatListEnd);
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
    putLe16(rec, kNumber, number);
    putLe16(rec, kType, type);
    putText(rec, kDescription, kDescriptionSize, description, fillField);
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
    putLe16(blk, kLength, static_cast<uint16_t>(blk.size() - 2));
    blk[kKind] = static_cast<char>(kind);
    blk[kCount] = static_cast<char>(tenths.size());
    putLe16(blk, kBase, base);
    for (size_t j = 0; j < tenths.size(); ++j)
        putLe16(blk, kValues + kValueStride * static_cast<qsizetype>(j), static_cast<uint16_t>(tenths[j]));
    m_bytes.append(blk);
    return *this;
}

PdatFileBuilder &PdatFileBuilder::otherBlock(uint8_t kind, const QByteArray &payload)
{
    QByteArray blk(4, '\0');
    putLe16(blk, pdatfile::kLength, static_cast<uint16_t>(2 + payload.size()));
    blk[pdatfile::kKind] = static_cast<char>(kind);
    m_bytes.append(blk + payload);
    return *this;
}

QByteArray PdatFileBuilder::bytes(bool terminate) const
{
    QByteArray out = m_bytes;
    if (terminate)
        out.append(QByteArray("\x02\x00\xFF\x00", 4));
    return out;
}

CntpFileBuilder::CntpFileBuilder() : m_bytes(cntpfile::kHeaderSize, '\0') {}

CntpFileBuilder &CntpFileBuilder::panel(uint16_t number, const QString &name, bool fillField)
{
    using namespace cntpfile;
    QByteArray rec(kRecordSize, '\0');
    putLe16(rec, kNumber, number);
    putText(rec, kName, kNameSize, name, fillField);
    m_bytes.append(rec);
    return *this;
}

QByteArray CntpFileBuilder::bytes(bool terminate) const
{
    return terminated(m_bytes, terminate, cntpfile::kRecordSize);
}

} // namespace vorlix::sample
