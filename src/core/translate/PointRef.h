#pragma once
// The compact Ibex point reference of display objects: a type code in bits
// 17 to 23 and a 17-bit value, and the fields packed into the value.
#include <QString>
#include <cstdint>

namespace vorlix {

namespace ptref {
inline constexpr uint8_t Global = 0x10;
inline constexpr uint8_t Zone = 0x20;
inline constexpr uint8_t ZoneGeneric = 0x22;
inline constexpr uint8_t TuxPulse = 0x50;
inline constexpr uint8_t Tux = 0xC0;
inline constexpr uint8_t IbexPoint = 0xD0;
} // namespace ptref

struct SplitRef {
    uint8_t code = 0;   // always even: bit 16 belongs to the value
    uint32_t value = 0; // 0 .. 0x1FFFF
};
SplitRef splitPointRef(uint32_t ref);

struct TuxAddress {
    int trunk = 0;   // 1..4
    int address = 0; // 0..63
};
// The Tux address of a Tux pushbutton (and of Tux point references).
TuxAddress decodeTuxButtonRef(uint32_t ref);

struct TuxRef {
    int trunk = 0, address = 0;
    int type = 0;  // 0 DI, 1 DO, 2 AI, 3 AO
    int point = 0; // 1..64
};
TuxRef decodeTuxRef(uint32_t value);

struct PTuxRef {
    int trunk = 0, address = 0;
    int kind = 0;  // 0 rate, 1 count
    int point = 0; // 1..64
};
PTuxRef decodePTuxRef(uint32_t value);

struct ZoneRef {
    bool custom = false;
    int tuxOffset = 0; // 0..7
    int type = 0;      // 0..3
    int number = 0;    // custom: 1..65536, else 1..64
};
ZoneRef decodeZoneRef(uint32_t value);

// Name tables, indexed by the codes of a reference; an index outside a table
// gives "".
QString ibexTypeName(int type);     // "DI", "DO", "AI", "AO"
QString btObjectName(int type);     // "BI", "BO", "AI", "AO"
QString pulseKindName(int kind);    // "Rate", "Cnt"
int pulseInstanceOffset(int kind);  // 10, 20
// BACtalk object of an Ibex point by its PtType: 1 BI, 3 BO -> "BV"; 2 AI,
// 4 AO -> "AV"; anything else (0 = unassigned) has no object: "".
QString ibexPtObjectName(int ptType);
// The name of a generic zone point; from index 32 on (and index 22) the
// number index + 1.
QString zoneGenericName(int index);

} // namespace vorlix
