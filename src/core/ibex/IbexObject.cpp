#include "ibex/IbexObject.h"

#include <array>

namespace vorlix {

namespace {

struct KindInfo {
    uint16_t code;
    const char *name;
};

// Indexed by IbexObject.
constexpr std::array<KindInfo, IbexObjectCount> kKinds{{
    {0x0601, "Text"},
    {0x060C, "GroupBox"},
    {0x1301, "DateTime"},
    {0x0004, "Button-Default"},
    {0x0504, "Button-Display"},
    {0x0704, "Button-CPanel"},
    {0x0804, "Button-TuxView"},
    {0x0B04, "Button-Cpanel Setup"},
    {0x1904, "Button-Command"},
    {0x0101, "Digital-Readonly"},
    {0x0201, "Analog-Readonly"},
    {0x0305, "Digital-Prompted"},
    {0x0405, "Analog-Prompted"},
    {0x0303, "Checkbox"},
    {0x1101, "TuxAddress"},
    {0x0D05, "CPanel-Status"},
    {0x1001, "CPanel-Desc"},
    {0x0E01, "CPanel-Alarms"},
    {0x0F01, "CPanel-Number"},
    {0x1201, "CPanel-Type"},
    {0x1401, "CPanel-DailySched"},
    {0x1501, "CPanel-HolidaySched"},
    {0x1601, "CPanel-EventSched"},
    {0x1705, "Airflow"},
    {0x1701, "Airflow-Readonly"},
    {0x0107, "Graphic-Pilot"},
    {0x0108, "Graphic-Static"},
    {0x020A, "Graphic-Analog"},
    {0x0109, "Graphic-Animated"},
    {0x0A0B, "Graphic-Microset"},
    {0, "Display Description"},
    {0, "Short-desc"},
    {0, "Unknown-object"},
}};

} // namespace

IbexObject objectKindOf(uint16_t code)
{
    for (int k = 0; k < int(ioHdrDesc); ++k)
        if (kKinds[k].code == code)
            return static_cast<IbexObject>(k);
    return ioUnknown;
}

uint16_t objectCodeOf(IbexObject kind)
{
    return kind < ioHdrDesc ? kKinds[size_t(kind)].code : 0;
}

QString ibexObjectName(IbexObject kind)
{
    return QLatin1String(kKinds[size_t(kind) < size_t(IbexObjectCount) ? size_t(kind) : size_t(ioUnknown)].name);
}

} // namespace vorlix
