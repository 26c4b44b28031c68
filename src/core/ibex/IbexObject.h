#pragma once
// The kinds of Ibex display objects and of Ibex display files.
#include <QString>
#include <cstdint>

namespace vorlix {

// tIbexObject: what an object record is, from its object code word.
enum class IbexObject : uint8_t {
    ioText = 0,
    ioGroupBox,
    ioTimeDate,
    ioBtnDef,
    ioBtnDisp,
    ioBtnCP,
    ioBtnTux,
    ioBtnCPSetup,
    ioBtnCmd,
    ioRoDigital,
    ioRoAnalog,
    ioDigital,
    ioAnalog,
    ioCheckbox,
    ioTuxAddress,
    ioCpStatus,
    ioCpDesc,
    ioCpAlarms,
    ioCpNum,
    ioCpType,
    ioCpTime,
    ioCpHoliday,
    ioCpEvent,
    ioAirflow,
    ioRoAirflow,
    ioGrPilot,
    ioGrStatic,
    ioGrAnalog,
    ioGrAnimated,
    ioGrMicroset,
    ioHdrDesc,
    ioShortDesc,
    ioUnknown,
};
using enum IbexObject;
inline constexpr int IbexObjectCount = 33;

// The object code word at record offset 10 to its kind; ioUnknown for every
// code not in the table.
IbexObject objectKindOf(uint16_t code);
// The code word of a kind (0 for the kinds without one: header, short
// description, unknown). The inverse of objectKindOf, for builders.
uint16_t objectCodeOf(IbexObject kind);
// The type name shown in the grid and the log ("Text", "Button-Display", ...).
QString ibexObjectName(IbexObject kind);

inline bool isPushbutton(IbexObject k) { return k >= ioBtnDef && k <= ioBtnCmd; }
inline bool isDigitalValue(IbexObject k) { return k == ioRoDigital || k == ioDigital; }
inline bool isAnalogValue(IbexObject k)
{
    return k == ioRoAnalog || k == ioAnalog || k == ioAirflow || k == ioRoAirflow;
}
inline bool isGraphic(IbexObject k) { return k >= ioGrPilot && k <= ioGrMicroset; }
inline bool isAirflow(IbexObject k) { return k == ioAirflow || k == ioRoAirflow; }

// tIbexFileType: plain display, control-panel template, Tux template.
enum class IbexFileType : uint8_t { ftDisplay = 0, ftTemplate = 1, ftTuxTemplate = 2 };
using enum IbexFileType;

} // namespace vorlix
