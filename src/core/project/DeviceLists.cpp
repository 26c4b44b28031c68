#include "project/DeviceLists.h"

#include "project/ControllerMap.h"
#include "util/TextUtil.h"

namespace vorlix {

namespace {
constexpr int kApexCount = 32;
constexpr int kComCount = 4;
} // namespace

DeviceLists buildDeviceLists(ControllerMap &map)
{
    DeviceLists lists;
    // Every reader walks Apex 0 to 31; so do the lists (Apex 0 may be mapped).
    for (int apex = 0; apex < kApexCount; ++apex) {
        if (!map.apexIsMapped(apex))
            continue;
        lists.exports << QStringLiteral("Dev-ID: %1, Apex: %2").arg(map.apexGlobalPts(apex)).arg(apex);
        for (int com = 1; com <= kComCount; ++com)
            if (map.apexHasCom(apex, com))
                lists.scripts << QStringLiteral("Dev-ID: %1, Apex: %2, Com: %3")
                                     .arg(map.apexDevId(apex, com))
                                     .arg(apex)
                                     .arg(com);
    }
    return lists;
}

std::optional<ApexCom> listBoxToApexCom(const QString &item)
{
    QString text = item;
    nextToken(text, u',');
    nextToken(text, u':');
    ApexCom ac;
    ac.apex = nextTokenInt(text, u',');
    nextToken(text, u':');
    ac.com = nextTokenInt(text, u',');
    if (ac.apex > kApexCount || ac.com < 1 || ac.com > kComCount)
        return std::nullopt;
    return ac;
}

QString scriptItemFormatError() { return QStringLiteral("List box has formating error."); }

int exportItemApex(const QString &item)
{
    QString text = item;
    nextToken(text, u':');
    nextTokenInt(text, u','); // the point device, not needed here
    nextToken(text, u':');
    return nextTokenInt(text, u',');
}

int findScriptItem(const QStringList &items, int apex, int com)
{
    for (int i = 0; i < items.size(); ++i) {
        const auto ac = listBoxToApexCom(items[i]);
        if (ac && ac->apex == apex && ac->com == com)
            return i;
    }
    return -1;
}

int findExportItem(const QStringList &items, int apex)
{
    for (int i = 0; i < items.size(); ++i)
        if (exportItemApex(items[i]) == apex)
            return i;
    return -1;
}

} // namespace vorlix
