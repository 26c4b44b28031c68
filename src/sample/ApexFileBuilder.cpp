#include "sample/ApexFileBuilder.h"

#include "ibex/ApexReader.h"
#include "util/ByteWriter.h"

namespace vorlix::sample {

using namespace vorlix::apexfile;

namespace {
void putOperand(ByteWriter &w, qsizetype at, DdcOperand op)
{
    w.u8(at, op.type).u16BigEndian(at + 1, op.value); // operand values are big-endian
}
} // namespace

ApexFileBuilder::ApexFileBuilder() : m_bytes(kHeaderSize, '\0') {}

DdcOperand ApexFileBuilder::constant(int tenths) { return {0x80, static_cast<uint16_t>(tenths)}; }
DdcOperand ApexFileBuilder::ibexPoint(int point, uint8_t suffix)
{
    return {static_cast<uint8_t>(0xD0 | suffix), static_cast<uint16_t>(point)};
}
DdcOperand ApexFileBuilder::param(int n) { return {0x70, static_cast<uint16_t>(n)}; }

DdcOperand ApexFileBuilder::tuxPoint(int trunk, int address, int type, int point, uint8_t suffix)
{
    const int t = trunk - 1; // bits 0-1 of the type byte and bit 15 of the value
    const auto value = static_cast<uint16_t>(((t & 1) << 15) | ((address & 63) << 9) | ((type & 7) << 6) |
                                             ((point - 1) & 63));
    return {static_cast<uint8_t>(0xC0 | suffix | ((t >> 1) & 3)), value};
}

ApexFileBuilder &ApexFileBuilder::statement(uint16_t seq, uint8_t opcode, const std::vector<DdcOperand> &operands,
                                            int length)
{
    const qsizetype size = kOperands + kOperandSize * static_cast<qsizetype>(operands.size());
    const qsizetype at = m_bytes.size();
    m_bytes.append(QByteArray(std::max<qsizetype>(size, length), '\0'));
    ByteWriter w(m_bytes, ByteWriter::Extent::Fixed);
    w.u16(at + kSeq, seq).u8(at + kLength, static_cast<uint8_t>(length >= 0 ? length : size)).u8(at + kOpcode, opcode);
    for (size_t k = 0; k < operands.size(); ++k)
        putOperand(w, at + operandOffset(static_cast<int>(k) + 1), operands[k]);
    ++m_statements;
    return *this;
}

ApexFileBuilder &ApexFileBuilder::call(uint16_t seq, uint16_t target, const std::vector<DdcOperand> &params)
{
    std::vector<DdcOperand> ops(kMaxOperands);
    // Operand 1 holds the target as a little-endian word.
    ops[0] = {static_cast<uint8_t>(target & 0xFF), static_cast<uint16_t>((target >> 8) << 8)};
    for (size_t i = 0; i < params.size() && i + 1 < ops.size(); ++i)
        ops[i + 1] = params[i];
    return statement(seq, kOpCallFixed, ops);
}

ApexFileBuilder &ApexFileBuilder::callVar(uint16_t seq, uint16_t target, const std::vector<DdcOperand> &params)
{
    std::vector<DdcOperand> ops;
    ops.push_back({static_cast<uint8_t>(target & 0xFF), static_cast<uint16_t>((target >> 8) << 8)});
    ops.insert(ops.end(), params.begin(), params.end());
    // The operand count of 'B' is (length - 6) / 3.
    return statement(seq, kOpCallVar, ops, static_cast<int>(6 + kOperandSize * ops.size()));
}

ApexFileBuilder &ApexFileBuilder::panel(uint16_t seq, DdcOperand cp, DdcOperand tux)
{
    return statement(seq, kOpPanel, {cp, tux});
}
ApexFileBuilder &ApexFileBuilder::tuxMark(uint16_t seq) { return statement(seq, kOpTux, {DdcOperand{}}); }
ApexFileBuilder &ApexFileBuilder::subroutineEnd(uint16_t seq, uint8_t opcode) { return statement(seq, opcode); }
ApexFileBuilder &ApexFileBuilder::transfer(uint16_t seq, DdcOperand to, DdcOperand from)
{
    return statement(seq, kOpTransfer, {to, from});
}

ApexFileBuilder &ApexFileBuilder::raw(const QByteArray &bytes)
{
    m_bytes.append(bytes);
    return *this;
}

QByteArray ApexFileBuilder::bytes(bool terminate) const
{
    QByteArray out = m_bytes;
    if (terminate)
        ByteWriter(out, ByteWriter::Extent::Growing).u16(out.size() + kSeq, kTerminator);
    return out;
}

} // namespace vorlix::sample
