#pragma once
// The device records of step 10: the project's copies of the BACtalk device
// tables tblRepJob and tblDevCapabilities, filled for an operator
// workstation, one BCM-TUX gateway per trunk in use and one Tux controller
// per control panel found on such a trunk. Every write is an insert or an
// update by devinst: a builder run again rewrites the columns it owns and
// leaves every other column and row alone.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace vorlix {

class ControllerMap;
class ProjectDatabase;

// The capability switches each kind of device gets, as held in one text.
QString gatewayCapabilities();
QString workstationCapabilities();

// The Device-ID typed for a workstation: the text before the first comma,
// trimmed, as a decimal integer. Nothing when it is not a number.
std::optional<int32_t> parseDeviceId(const QString &typed);

// Writes the workstation `devinst` with its capability row.
void writeWorkstation(ProjectDatabase &pdb, int32_t devinst);
// One gateway per digit 1..4 of every ApexMap row's ComList, in Apex order.
// Returns the number of gateways written.
int addGatewayRecords(ProjectDatabase &pdb, ControllerMap &map);
// One Tux per control panel on a trunk in use; several panels of one Tux
// make one row, named and modelled after the last of them (CpanelMap in
// Apex, CPanelNumber order), as writing each panel in turn over the last
// would leave it. Each device is written once.
struct TuxBuild {
    int panels = 0;  // control panels on trunks in use
    int devices = 0; // Tux devices written (one row each)
};
TuxBuild addTuxRecords(ProjectDatabase &pdb, ControllerMap &map);

// The BACtalk MAC address text of a Tux at `address` ("0x03e9" for 1).
QString tuxMacAddress(int address);

} // namespace vorlix
