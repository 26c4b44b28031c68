// Decoding APEXnn.adc bytes: operand counts, classes, rendering, calls and
// transfer lines, and damaged files.
#include "ibex/ApexReader.h"
#include "project/ControllerMap.h"
#include "sample/ApexFileBuilder.h"

#include <gtest/gtest.h>

using namespace vorlix;
using vorlix::sample::ApexFileBuilder;
using vorlix::sample::DdcOperand;
using B = ApexFileBuilder;

namespace {

// A file of one statement with raw operands.
DdcRecord single(uint8_t opcode, const std::vector<DdcOperand> &ops, int length = -1)
{
    const DdcProgram p = parseDdcFile(B().statement(100, opcode, ops, length).bytes(), 1, false);
    EXPECT_FALSE(p.records.empty());
    return p.records.empty() ? DdcRecord{} : p.records.front();
}

QStringList lines(const DdcProgram &p)
{
    QStringList out;
    for (const PointTransfer &t : p.transfers)
        out << t.text();
    return out;
}

} // namespace

struct CountCase {
    uint8_t opcode;
    uint8_t length;
    int count;
};
class OperandCountTest : public ::testing::TestWithParam<CountCase> {};
TEST_P(OperandCountTest, MatchesTheOpcodeTable)
{
    EXPECT_EQ(operandCount(GetParam().opcode, GetParam().length), GetParam().count);
}
INSTANTIATE_TEST_SUITE_P(
    Opcodes, OperandCountTest,
    ::testing::Values(CountCase{0x00, 4, 0}, CountCase{'N', 4, 0}, CountCase{'Q', 40, 0}, CountCase{0xFF, 9, 0},
                      CountCase{'O', 7, 1}, CountCase{'>', 7, 1}, CountCase{' ', 10, 2}, CountCase{'P', 10, 2},
                      CountCase{0x40, 13, 3}, CountCase{'0', 13, 3}, CountCase{'\'', 0, 4},
                      CountCase{0x18, 0, 5}, CountCase{'<', 0, 6}, CountCase{'&', 0, 7}, CountCase{'3', 0, 8},
                      CountCase{'=', 0, 10}, CountCase{'9', 0, 13}, CountCase{'6', 0, 14},
                      CountCase{':', 0, 15}, CountCase{'E', 0, 17}, CountCase{'C', 4, 33},
                      CountCase{'B', 0x2A, 12}, CountCase{'B', 5, 0}, CountCase{'B', 0, -2},
                      CountCase{'B', 255, 83}));

TEST(ApexParse, CallRecordsTakeTheirOperandCountFromOpcodeAndLength)
{
    // 'C' has 33 operands whatever its length byte says.
    EXPECT_EQ(single('C', std::vector<DdcOperand>(33), 10).ptCnt, 33);
    // 'B' with length 0x2A has 12.
    EXPECT_EQ(single('B', std::vector<DdcOperand>(12), 0x2A).ptCnt, 12);
    // A 'B' length that claims more than 33 operands is held to the 33 slots.
    const DdcRecord big = single('B', std::vector<DdcOperand>(40, B::constant(10)), 200);
    EXPECT_EQ(big.ptCnt, 33);
    EXPECT_EQ(big.pointCount, 32); // operand 1 is the call target
    // A negative count gives no operands and no call target.
    const DdcProgram shortCall = parseDdcFile(B().statement(7, 'B', {}, 2).bytes(), 0, false);
    ASSERT_FALSE(shortCall.records.empty());
    EXPECT_EQ(shortCall.records[0].ptCnt, 0);
    EXPECT_TRUE(shortCall.targets.empty());
}

TEST(ApexParse, OperandClassesAndRefinements)
{
    EXPECT_EQ(operandClass(0x64, 9), ocTP);
    EXPECT_EQ(operandClass(0x62, 1), ocInit);
    EXPECT_EQ(operandClass(0x66, 2), ocMinMid);
    EXPECT_EQ(operandClass(0x62, 7), ocFail);
    EXPECT_EQ(operandClass(0x20, 0), ocZoneTux);
    EXPECT_EQ(operandClass(0x29, 0), ocZoneCustom);
    EXPECT_EQ(operandClass(0x2A, 0), ocZoneGeneric);
    EXPECT_EQ(operandClass(0x2D, 0), ocNone);
    EXPECT_EQ(operandClass(0x05, 0), ocFail);
    for (uint8_t code : {0x30, 0x90, 0xA0, 0xB0, 0xE0, 0xF0})
        EXPECT_EQ(operandTableClass(code), ocNone) << int(code);
    EXPECT_EQ(operandTableClass(0x50), ocPulse);
}

TEST(ApexParse, OperandRendering)
{
    const DdcRecord r = single(':', {{0x64, 17},     {0x62, 1},      {0x62, 2},       {0x66, 7},
                                     {0xC5, 0x8283}, {0x80, 120},    {0x80, 125},     {0x80, 0xFFFB},
                                     {0xD4, 12},     {0x70, 0},      {0x78, 3},       {0x41, 0xFFFE},
                                     {0x21, 4},      {0x2A, 40},     {0x30, 0}});
    EXPECT_EQ(r.point(1), u"TP-17");
    EXPECT_EQ(r.point(2), u"Init");
    EXPECT_EQ(r.point(3), u"Min-Mid");
    EXPECT_EQ(r.point(4), u"Fail-N");
    // 0xC5 / 0x8283: trunk 2*1+1+1 = 4, address 1; the suffix stays out.
    EXPECT_EQ(r.point(5), u"4-1");
    EXPECT_TRUE(r.isTux(5));
    EXPECT_FALSE(r.isTux(4));
    EXPECT_EQ(r.point(6), u"12");
    EXPECT_EQ(r.point(7), u"12.5");
    EXPECT_EQ(r.point(8), u"-0.5");
    EXPECT_EQ(r.point(9), u"IB-12"); // the -N suffix goes only into the transfer text
    EXPECT_EQ(r.point(10), u"");      // S-0
    EXPECT_EQ(r.point(11), u"S-3");
    EXPECT_EQ(r.point(12), u"BR--2");
    EXPECT_EQ(r.point(13), u"ZC-5");  // not counted
    EXPECT_EQ(r.point(14), u"<err>"); // ZG outside 1..32, not counted
    EXPECT_EQ(r.point(15), u"");      // class 14
    EXPECT_EQ(r.pointCount, 12);
}

TEST(ApexParse, ZoneAndPulseOperands)
{
    // ZT: offset 5, type AI, point 4, suffix -R.
    const uint16_t zt = (5 << 9) | (2 << 6) | 3;
    // ZT with offset 12: the offset text "12-" is cut to two characters.
    const uint16_t zt12 = (12 << 9) | (1 << 6);
    const DdcRecord r = single('H', {{0x28, zt}, {0x20, zt12}, {0x26, 3}, {0x55, 0x8283}, {0x2A, 0}});
    EXPECT_EQ(r.point(1), u"ZT-5-AI-4-R");
    EXPECT_EQ(r.point(2), u"ZT-12DO-1");
    EXPECT_EQ(r.point(3), u"-N"); // ZG 3: the suffix alone
    EXPECT_EQ(r.point(4), u"P-4-1-4-N");
    EXPECT_EQ(r.point(5), u"<err>");
    EXPECT_EQ(r.pointCount, 1); // only P is counted
}

TEST(ApexParse, FailInitAndMinMidInCallsProduceNothing)
{
    const DdcProgram p = parseDdcFile(B().call(1, 50, {{0x62, 1}, {0x00, 0}, B::constant(10)}).bytes(), 0, false);
    ASSERT_EQ(p.records.size(), 1u);
    const DdcRecord &c = p.records[0];
    EXPECT_EQ(c.callTo, 50);
    EXPECT_EQ(c.point(2), u"");
    EXPECT_EQ(c.point(3), u"");
    EXPECT_EQ(c.point(4), u"1");
    EXPECT_EQ(c.pointCount, 1);
}

TEST(ApexParse, TinyAndEmptyFilesYieldNoRecords)
{
    for (int size = 0; size <= 5; ++size)
        EXPECT_TRUE(parseDdcFile(QByteArray(size, '\x20'), 0, false).records.empty()) << size;
    EXPECT_TRUE(parseDdcFile(B().bytes(), 0, false).records.empty());
    // A header shorter than 128 bytes: nothing to decode, nothing read past it.
    EXPECT_TRUE(parseDdcFile(QByteArray(100, '\x43'), 0, false).records.empty());
}

TEST(ApexParse, DamagedRecordsStayInsideTheData)
{
    // No terminator: the list ends with the data.
    EXPECT_EQ(parseDdcFile(B().statement(1, 'P', {B::ibexPoint(1), B::ibexPoint(2)}).bytes(false), 0, false)
                  .records.size(),
              1u);
    // A 'C' record cut after its second operand: the rest stay empty.
    const QByteArray cut = B().call(3, 77, {B::constant(10), B::constant(20)}).bytes(false).left(128 + 4 + 3 * 2 + 2);
    const DdcProgram p = parseDdcFile(cut, 0, false);
    ASSERT_EQ(p.records.size(), 1u);
    EXPECT_EQ(p.records[0].callTo, 77);
    EXPECT_EQ(p.records[0].point(2), u"1");
    EXPECT_EQ(p.records[0].point(3), u"");
    // A length past the end: one record, then the data is over.
    EXPECT_EQ(parseDdcFile(B().statement(1, 'N', {}, 250).bytes(false).left(140), 0, false).records.size(), 1u);
    // A zero length repeats the record until the 10000-record cap.
    const DdcProgram zero = parseDdcFile(B().statement(9, 'P', {B::constant(10), B::constant(20)}, 0).bytes(), 0,
                                         false);
    ASSERT_EQ(zero.records.size(), 10000u);
    EXPECT_EQ(zero.records.back().seq, 9);
    EXPECT_EQ(zero.records.back().point(2), u"2");
    // A record head cut in the middle ends the list.
    EXPECT_TRUE(parseDdcFile(B().raw(QByteArray("\x01\x00\x08", 3)).bytes(false), 0, false).records.empty());
}

TEST(ApexParse, CallTargetsAreListedOnceInOrderOfAppearance)
{
    const DdcProgram p = parseDdcFile(
        B().call(1, 300, {}).callVar(2, 200, {}).call(3, 300, {}).bytes(), 0, false);
    ASSERT_EQ(p.targets.size(), 2u);
    EXPECT_EQ(p.targets[0].target, 300);
    EXPECT_EQ(p.targets[1].target, 200);
}

TEST(ApexParse, PanelTextsComeFromTheLastPanelRecordOfTheSubroutine)
{
    DdcProgram p = parseDdcFile(B().call(1, 500, {})
                                    .call(2, 600, {})
                                    .call(3, 900, {})
                                    .subroutineEnd(4)
                                    .panel(500, B::constant(10), B::constant(20))
                                    .panel(505, B::param(1), B::param(2))
                                    .subroutineEnd(510, 0x02)
                                    .panel(520, B::constant(30), B::constant(40)) // after the end: not 500's
                                    .statement(600, '+', {B::ibexPoint(1), B::ibexPoint(2)})
                                    .tuxMark(605)
                                    .bytes(),
                                0, false);
    resolveCallTargets(p);
    ASSERT_EQ(p.targets.size(), 3u);
    EXPECT_EQ(p.targets[0].cpText, u"S-1,S-2");
    EXPECT_FALSE(p.targets[0].tux);
    EXPECT_EQ(p.targets[1].cpText, u""); // walks to the end of the file, no 'P'
    EXPECT_TRUE(p.targets[1].tux);
    EXPECT_EQ(p.targets[2].cpText, u""); // no statement 900
}

TEST(ApexParse, ResolveParamPicksTheCallParameter)
{
    const DdcProgram p = parseDdcFile(B().call(1, 5, {B::constant(120), B::tuxPoint(3, 12, 2, 1)}).bytes(), 0, false);
    const DdcRecord &call = p.records.at(0);
    EXPECT_EQ(resolveParam(u"S-1"_qs, call), u"12");
    EXPECT_EQ(resolveParam(u"S-2"_qs, call), u"3-12");
    EXPECT_EQ(resolveParam(u"S-3"_qs, call), u"");
    EXPECT_EQ(resolveParam(u"S-0"_qs, call), u"");
    EXPECT_EQ(resolveParam(u"S-33"_qs, call), u"");
    EXPECT_EQ(resolveParam(u"S-x"_qs, call), u"");
    EXPECT_EQ(resolveParam(u"3-12"_qs, call), u"3-12");
}

TEST(ApexParse, CallRowOfTheWorkedExample)
{
    // Parameter 1 constant 12.0, parameter 2 Tux 3-12; the subroutine's 'P'
    // names S-1 and S-2.
    DdcProgram p = parseDdcFile(B().call(10, 500, {B::constant(120), B::tuxPoint(3, 12, 2, 1)})
                                    .callVar(11, 600, {B::constant(-10)})
                                    .call(12, 700, {})
                                    .subroutineEnd(13)
                                    .panel(500, B::param(1), B::param(2))
                                    .subroutineEnd(501)
                                    .panel(600, B::param(1), B::param(5))
                                    .subroutineEnd(601)
                                    .bytes(),
                                4, false);
    resolveCallTargets(p);
    const CallRow row = callRowOf(p, p.records[0]);
    EXPECT_EQ(row.sequence, 10);
    EXPECT_EQ(row.callTo, 500);
    EXPECT_EQ(row.cpNumber, 12);
    EXPECT_EQ(row.trunk, 3);
    EXPECT_EQ(row.address, 12);
    // -1.0 as a panel number is no usable number (16-bit: far above 9999);
    // a parameter the call does not pass gives trunk 0 and address 0.
    const CallRow neg = callRowOf(p, p.records[1]);
    EXPECT_GE(neg.cpNumber, 9999);
    EXPECT_EQ(neg.trunk, 0);
    EXPECT_EQ(neg.address, 0);
    // No 'P' record: the defaults that leave the row's fields alone.
    const CallRow none = callRowOf(p, p.records[2]);
    EXPECT_EQ(none.cpNumber, 9999);
    EXPECT_EQ(none.trunk, 9);
}

TEST(ApexParse, TransferLinesPutTheIbexPointFirst)
{
    std::array<int32_t, 4> bases{1200, NotMapped, 0, 0};
    const std::function<int32_t(int)> base = [&bases](int t) { return t >= 1 && t <= 4 ? bases[t - 1] : NotMapped; };
    const QByteArray file = B().transfer(40, B::ibexPoint(12), B::tuxPoint(1, 3, 2, 5))
                                .transfer(50, B::tuxPoint(1, 3, 1, 1), B::ibexPoint(14, sample::kSuffixN))
                                .transfer(60, B::ibexPoint(15), B::tuxPoint(2, 1, 0, 1))
                                .transfer(70, B::ibexPoint(1), B::ibexPoint(2))
                                .transfer(80, B::tuxPoint(1, 3, 6, 1), B::ibexPoint(16, sample::kSuffixR))
                                .bytes();
    EXPECT_EQ(lines(parseDdcFile(file, 3, true, base)),
              (QStringList{u"Seq:40\tApex: 3\tIB-12\t1203:AI-5"_qs, u"Seq:50\tApex: 3\tIB-14-N\t1203:BO-1"_qs,
                           u"Seq:60\tApex: 3\tIB-15\terr"_qs, u"Seq:80\tApex: 3\tIB-16-R\terr"_qs}));
    // Table mode collects no lines.
    EXPECT_TRUE(parseDdcFile(file, 3, false).transfers.empty());
}

TEST(ApexParse, TuxRefText)
{
    EXPECT_EQ(tuxRefText(1200, 3, 2, 5), u"1203:AI-5");
    EXPECT_EQ(tuxRefText(0, 7, 3, 1), u"7:AO-1");
    EXPECT_EQ(tuxRefText(NotMapped, 3, 2, 5), u"err");
    EXPECT_EQ(tuxRefText(1200, 3, 5, 5), u"err");
}
