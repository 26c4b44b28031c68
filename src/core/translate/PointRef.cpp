#include "translate/PointRef.h"

#include <array>

namespace vorlix {

SplitRef splitPointRef(uint32_t ref)
{
    return {static_cast<uint8_t>((ref & 0xFE0000u) >> 16), ref & 0x1FFFFu};
}

TuxAddress decodeTuxButtonRef(uint32_t ref)
{
    return {int((ref >> 15) & 0x3) + 1, int((ref >> 9) & 0x3F)};
}

TuxRef decodeTuxRef(uint32_t v)
{
    return {int((v >> 15) & 0x3) + 1, int((v >> 9) & 0x3F), int((v >> 6) & 0x3), int(v & 0x3F) + 1};
}

PTuxRef decodePTuxRef(uint32_t v)
{
    return {int((v >> 15) & 0x3) + 1, int((v >> 9) & 0x3F), int((v >> 8) & 0x1), int(v & 0x3F) + 1};
}

ZoneRef decodeZoneRef(uint32_t v)
{
    ZoneRef z;
    z.custom = ((v >> 16) & 1) != 0;
    z.tuxOffset = int((v >> 9) & 0x7);
    z.type = int((v >> 6) & 0x3);
    z.number = z.custom ? int(v & 0xFFFF) + 1 : int(v & 0x3F) + 1;
    return z;
}

namespace {
template <size_t N>
QString pick(const std::array<const char *, N> &table, int i)
{
    return i >= 0 && i < int(N) ? QLatin1String(table[i]) : QString();
}

constexpr std::array<const char *, 4> kIbexType{"DI", "DO", "AI", "AO"};
constexpr std::array<const char *, 4> kBtObject{"BI", "BO", "AI", "AO"};
constexpr std::array<const char *, 2> kPulseKind{"Rate", "Cnt"};
constexpr std::array<const char *, 5> kPtTypeObject{"", "BV", "AV", "BV", "AV"};
constexpr std::array<const char *, 32> kZoneGeneric{
    "Day",       "Warmup",    "Cooldn,ZG Cooldown", "Shed Bias",  "Shed Bias",   "Space",        "Day Htg SP",
    "Day Clg SP", "Runtime 1", "Runtime 2",          "Runtime 3",  "Low Alarm",   "Hi Alarm",     "Unit Alarm",
    "Alarm 1",   "Alarm 2",   "Alarm 3",            "Alarm 4",    "Alarm 5",     "Alarm 6",      "Alarm 7",
    "Alarm 8",   nullptr,     "Run 1 hrs",          "Run 2 hrs",  "Run 3 hrs",   "SA Hi Alm",    "SA Low Alm",
    "SA Unit Alm", "SA Extern Alm", "SA Lo Supply", "SA Sensor Alm"};
} // namespace

QString ibexTypeName(int type) { return pick(kIbexType, type); }
QString btObjectName(int type) { return pick(kBtObject, type); }
QString pulseKindName(int kind) { return pick(kPulseKind, kind); }
int pulseInstanceOffset(int kind) { return kind == 1 ? 20 : 10; }
QString ibexPtObjectName(int ptType) { return pick(kPtTypeObject, ptType); }

QString zoneGenericName(int index)
{
    if (index >= 0 && index < int(kZoneGeneric.size()) && kZoneGeneric[index])
        return QLatin1String(kZoneGeneric[index]);
    return QString::number(index + 1);
}

} // namespace vorlix
