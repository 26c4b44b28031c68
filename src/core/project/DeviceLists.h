#pragma once
// The two device lists that steps 3 and 8 offer, built from ApexMap: one
// device per (Apex, com) in use for the DDC scripts, one per mapped Apex for
// the point export. The lists hold the values; the texts the list boxes show
// ("Dev-ID: 12001, Apex: 3, Com: 2", "Dev-ID: 3000, Apex: 3") are made only
// to show them.
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace vorlix {

class ControllerMap;

// A device of the script list: an Apex's com in use and its device instance.
struct ScriptDevice {
    int apex = 0;
    int com = 0;
    int32_t devId = 0;
    QString text() const;
    bool operator==(const ScriptDevice &) const = default;
};

// A device of the export list: a mapped Apex and the device of its points.
struct ExportDevice {
    int apex = 0;
    int32_t devId = 0;
    QString text() const;
    bool operator==(const ExportDevice &) const = default;
};

struct DeviceLists {
    QList<ScriptDevice> scripts; // step 8 list box
    QList<ExportDevice> exports; // step 3 export drop-down
};

// Both lists, Apex 0 to 31 in ascending order, com 1 to 4 within an Apex.
DeviceLists buildDeviceLists(ControllerMap &map);

// The device of each list for an Apex (and com); nothing when the list has none.
std::optional<ScriptDevice> findScriptDevice(const DeviceLists &lists, int apex, int com);
std::optional<ExportDevice> findExportDevice(const DeviceLists &lists, int apex);

// The texts a list box shows for `devices`.
template <typename Device>
QStringList deviceTexts(const QList<Device> &devices)
{
    QStringList texts;
    texts.reserve(devices.size());
    for (const Device &d : devices)
        texts << d.text();
    return texts;
}

} // namespace vorlix
