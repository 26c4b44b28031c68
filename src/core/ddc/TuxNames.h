#pragma once
// The names of Tux DDC files: an Ibex job keeps a Tux controller's DDC program
// as "tux" + trunk digit + two address digits + ".tdc" in the Apex's tddc
// folder; the BACtalk job keeps it in its "ddc" folder under a name built from
// the controller's device instance.
#include <QString>
#include <optional>

namespace vorlix {

class ControllerMap;

struct TuxFileName {
    int trunk = 0;
    int address = 0;
};

// Recognises an Ibex Tux DDC file name (letter case does not matter):
// "tux" followed by a trunk digit and two address digits, ".tdc", exactly 10
// characters. Nothing for any other name.
std::optional<TuxFileName> parseTuxName(const QString &name);

// The BACtalk DDC file name for the Ibex `.tdc` file `name` of `apex`:
// "dev" + device instance (the "dev" cut so that the name part stays at 8
// characters) + ".tdc" when the name is a Tux file name on a mapped trunk,
// otherwise "A<apex>-" + the Ibex name as found.
QString bacTalkTdcName(ControllerMap &map, int apex, const QString &name);

// The BACtalk job's DDC folder and a file in it.
QString btDdcFolder(const QString &bactalkJobPath);
QString btDdcPath(const QString &bactalkJobPath, const QString &name);

// The Ibex job's Tux DDC folder of an Apex: "tddc" + two digits, found
// whatever its letter case.
QString ibexTddcFolder(const QString &projectFolder, int apex);

} // namespace vorlix
