#pragma once
// Builds the bytes of an APEXnn.adc DDC program file, statement by
// statement: the sample job and the tests state their programs with it.
#include <QByteArray>
#include <cstdint>
#include <vector>

namespace vorlix::sample {

struct DdcOperand {
    uint8_t type = 0;
    uint16_t value = 0;
};

// Suffix bits of an operand's type byte.
inline constexpr uint8_t kSuffixN = 0x04;
inline constexpr uint8_t kSuffixR = 0x08;

class ApexFileBuilder {
public:
    ApexFileBuilder();

    // Operands by kind.
    static DdcOperand constant(int tenths);                  // 120 is 12.0
    static DdcOperand ibexPoint(int point, uint8_t suffix = 0); // IB-n
    static DdcOperand param(int n);                          // S-n
    // Tux point: trunk 1 to 8, address 0 to 63, type 0 to 7, point 1 to 64.
    static DdcOperand tuxPoint(int trunk, int address, int type, int point, uint8_t suffix = 0);

    // A statement with the opcode's operands; `length` defaults to the bytes
    // the operands take.
    ApexFileBuilder &statement(uint16_t seq, uint8_t opcode, const std::vector<DdcOperand> &operands = {},
                               int length = -1);
    // 'C': a call with the fixed list of 33 operand slots (target, then the
    // parameters S-1, S-2, ...).
    ApexFileBuilder &call(uint16_t seq, uint16_t target, const std::vector<DdcOperand> &params);
    // 'B': a call with a variable parameter list.
    ApexFileBuilder &callVar(uint16_t seq, uint16_t target, const std::vector<DdcOperand> &params);
    // Subroutine pieces.
    ApexFileBuilder &panel(uint16_t seq, DdcOperand cp, DdcOperand tux); // 'P'
    ApexFileBuilder &tuxMark(uint16_t seq);                              // 'O'
    ApexFileBuilder &subroutineEnd(uint16_t seq, uint8_t opcode = 0x01);
    ApexFileBuilder &transfer(uint16_t seq, DdcOperand to, DdcOperand from); // ' '
    ApexFileBuilder &raw(const QByteArray &bytes);

    int statements() const { return m_statements; }
    // With the 0xFFFF terminator unless `terminate` is false.
    QByteArray bytes(bool terminate = true) const;

private:
    QByteArray m_bytes;
    int m_statements = 0;
};

} // namespace vorlix::sample
