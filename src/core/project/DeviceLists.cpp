#include "project/DeviceLists.h"

#include "project/ControllerMap.h"

#include <algorithm>

namespace vorlix {

namespace {
constexpr int kApexCount = 32;
constexpr int kComCount = 4;
} // namespace

QString ScriptDevice::text() const
{
    return QStringLiteral("Dev-ID: %1, Apex: %2, Com: %3").arg(devId).arg(apex).arg(com);
}

QString ExportDevice::text() const { return QStringLiteral("Dev-ID: %1, Apex: %2").arg(devId).arg(apex); }

DeviceLists buildDeviceLists(ControllerMap &map)
{
    DeviceLists lists;
    // Every reader walks Apex 0 to 31; so do the lists (Apex 0 may be mapped).
    for (int apex = 0; apex < kApexCount; ++apex) {
        if (!map.apexIsMapped(apex))
            continue;
        lists.exports << ExportDevice{apex, map.apexGlobalPts(apex)};
        for (int com = 1; com <= kComCount; ++com)
            if (map.apexHasCom(apex, com))
                lists.scripts << ScriptDevice{apex, com, map.apexDevId(apex, com)};
    }
    return lists;
}

std::optional<ScriptDevice> findScriptDevice(const DeviceLists &lists, int apex, int com)
{
    const auto it = std::find_if(lists.scripts.begin(), lists.scripts.end(),
                                 [&](const ScriptDevice &d) { return d.apex == apex && d.com == com; });
    return it == lists.scripts.end() ? std::nullopt : std::optional<ScriptDevice>(*it);
}

std::optional<ExportDevice> findExportDevice(const DeviceLists &lists, int apex)
{
    const auto it = std::find_if(lists.exports.begin(), lists.exports.end(),
                                 [&](const ExportDevice &d) { return d.apex == apex; });
    return it == lists.exports.end() ? std::nullopt : std::optional<ExportDevice>(*it);
}

} // namespace vorlix
