#pragma once
// The Apex DDC program reader: decodes APEXnn.adc statement records, finds
// which subroutine call serves which control panel on which Tux, and fills
// CpanelMap; in listing mode it collects the statements that transfer a
// point between an Ibex point and a Tux point.
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace vorlix {

class ControllerMap;

// Layout of APEXnn.adc: a 128-byte header, then statement records.
namespace apexfile {
inline constexpr qsizetype kHeaderSize = 128;
inline constexpr qsizetype kMinParsedSize = 6;   // 5 bytes or less: not parsed
inline constexpr qsizetype kSeq = 0;             // u16 LE; 0xFFFF ends the list
inline constexpr qsizetype kLength = 2;          // u8: bytes to the next record
inline constexpr qsizetype kOpcode = 3;          // u8
inline constexpr qsizetype kCallTarget = 4;      // u16 LE in 'B' and 'C' records
inline constexpr qsizetype kOperands = 4;        // operand k at 4 + 3(k-1)
inline constexpr qsizetype kOperandSize = 3;     // type byte, u16 BE value
inline constexpr uint16_t kTerminator = 0xFFFF;
inline constexpr int kMaxRecords = 10000;
inline constexpr int kMaxOperands = 33;
inline constexpr int kMaxPointText = 20;
// The reader never looks further than this into a file.
inline constexpr qsizetype kMaxReachedBytes =
    kHeaderSize + qsizetype(kMaxRecords) * 255 + kOperands + kMaxOperands * kOperandSize;

inline constexpr qsizetype operandOffset(int k) { return kOperands + kOperandSize * (k - 1); }

// Opcodes this reader gives a meaning to.
inline constexpr uint8_t kOpCallVar = 'B';
inline constexpr uint8_t kOpCallFixed = 'C';
inline constexpr uint8_t kOpPanel = 'P';
inline constexpr uint8_t kOpTux = 'O';
inline constexpr uint8_t kOpTransfer = ' ';
inline constexpr bool isSubroutineEnd(uint8_t op) { return op <= 0x02; }
inline constexpr bool isCall(uint8_t op) { return op == kOpCallVar || op == kOpCallFixed; }
} // namespace apexfile

// Operand classes (by the high nibble of the type byte, then refined).
// (Indexes into the class tables, so plain numbers.)
inline constexpr int ocBR = 0, ocTux = 1, ocIbex = 2, ocConst = 3, ocG = 4, ocParam = 5, ocTP = 6, ocFail = 7,
                     ocInit = 8, ocZoneCustom = 9, ocZoneGeneric = 10, ocZoneTux = 11, ocMinMid = 12, ocPulse = 13,
                     ocNone = 14;

// Operands of an opcode; `length` matters for 'B' only (may be negative or
// above 33: the caller bounds it).
int operandCount(uint8_t opcode, uint8_t length);
// Class of the type byte's high nibble by the class table alone.
int operandTableClass(uint8_t typeByte);
// Class with the refinements by the low nibble (and the value for TP).
int operandClass(uint8_t typeByte, uint16_t value);

// BACtalk text of a Tux point from the trunk's base address ("err" when the
// base is NotMapped): (base + address) ":" object "-" point.
QString tuxRefText(int32_t baseAddr, int address, int pointType, int point);
QString tuxRefText(ControllerMap &map, int apex, int trunk, int address, int pointType, int point);

// One decoded statement.
struct DdcRecord {
    uint16_t seq = 0;
    uint16_t dev = 0; // opcode
    uint16_t ptCnt = 0;
    uint16_t callTo = 0;
    uint16_t pointCount = 0;
    // Texts of operands 1..ptCnt (index k-1); every slot up to 33 that is
    // not held reads as empty. Shared between copies: a record of length 0
    // repeats up to the record cap, and each repeat costs one reference.
    QList<QString> points;
    uint64_t tuxOperands = 0; // bit k-1 for operand k

    // Operands 1..33 as the file numbers them.
    const QString &point(int k) const
    {
        static const QString none;
        return k >= 1 && k <= points.size() ? points.at(k - 1) : none;
    }
    bool isTux(int k) const { return k >= 1 && k <= apexfile::kMaxOperands && ((tuxOperands >> (k - 1)) & 1); }
};

struct CallTarget {
    uint16_t target = 0;
    QString cpText; // "Points[1],Points[2]" of the subroutine's 'P' record
    bool tux = false; // the subroutine holds an 'O' record
};

// A statement that transfers between an Ibex point and a Tux point, as the
// project point override list offers it.
struct PointTransfer {
    int seq = 0;  // the statement's number
    int apex = 0;
    QString ibexPoint; // e.g. IB-12, with "-N" or "-R" when the statement has one
    QString btPoint;   // the Tux point's BACtalk text, e.g. 1203:AI-5; "err" without a base address
    // As the list shows it: "Seq:<seq>\tApex: <apex>\t<Ibex point>\t<BACtalk point>".
    QString text() const;
    bool operator==(const PointTransfer &) const = default;
};

// Everything decoded from one file.
struct DdcProgram {
    std::vector<DdcRecord> records;
    std::vector<CallTarget> targets;
    QHash<uint16_t, int> targetIndex; // callTo -> index in targets
    std::vector<PointTransfer> transfers;
};

// Decodes one file's bytes. `baseAddr` gives a trunk's base address for the
// point transfers (only asked when `collectTransfers`). Never reads outside
// `data`, whatever its length bytes say.
DdcProgram parseDdcFile(QByteArrayView data, int apex, bool collectTransfers,
                        const std::function<int32_t(int trunk)> &baseAddr = {});

// Pass 1: the control-panel text and Tux mark of every call target.
void resolveCallTargets(DdcProgram &program);

// S-n: the text of call parameter n (operand n+1); n outside 1..32 gives an
// empty text. A text without "S-" comes back unchanged.
QString resolveParam(const QString &text, const DdcRecord &call);

// The CpanelMap row a call statement gives (pass 2). Numbers as the upsert
// takes them: 9999 and a trunk of 9 or more mean "leave as it is".
struct CallRow {
    int sequence = 0;
    int callTo = 0;
    int cpNumber = 9999;
    int trunk = 9;
    int address = 1;
    bool expanded = false;
};
CallRow callRowOf(const DdcProgram &program, const DdcRecord &call);

// Passes 1 to 3 against the project database.
void buildCpanelMap(ControllerMap &map, int apex, DdcProgram &program, bool lostTux);

// Reads APEXnn.adc files of mapped Apexes (apex -1: 0 to 31).
class ApexReader {
public:
    explicit ApexReader(ControllerMap &map) : m_map(map) {}

    bool lostTux = false;
    // Called once per Apex, before its file is looked at.
    std::function<void(int apex)> onApex;
    // Files read so far.
    int filesRead = 0;

    // Table mode: CpanelMap rows. Missing files of mapped Apexes go to
    // `missing` (bare names). Throws Error naming a file that cannot be read.
    void scanTable(const QString &jobFolder, int apex, QStringList &missing);
    // Listing mode: the point transfers, each once, in file order.
    std::vector<PointTransfer> scanListing(const QString &jobFolder, int apex, QStringList &missing);

    static QString fileName(int apex); // apexNN.adc

private:
    ControllerMap &m_map;
};

} // namespace vorlix
