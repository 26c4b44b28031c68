// Device instances within BACnet's range 0..4194302: the step 1 mapping
// (map command and grid) and the step 10 grid's devinst, which is also one
// per device.
#include "commands/ProjectCommands.h"
#include "project/DeviceInstance.h"
#include "project/GridEdits.h"
#include "util/Error.h"

#include "support/TestProject.h"

#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

namespace {
QString mapError(TestProject &tp, const QString &field, const QString &value)
{
    try {
        mapApexCommand(tp.wb, 3, {{field, value}});
    } catch (const Error &e) {
        return e.message();
    }
    return {};
}
} // namespace

TEST(DeviceInstance, MapRefusesInstancesOutsideTheRange)
{
    TestProject tp;
    for (const char *ok : {"GlobalPts=0", "DevID1=4194302", "DevID4=17", "BaseAddr1=4194203", "BaseAddr2=0",
                           "Net1=70000", "BaseAddr3="}) {
        const QStringList parts = QString::fromLatin1(ok).split(u'=');
        EXPECT_EQ(mapError(tp, parts[0], parts[1]), QString()) << ok;
    }
    EXPECT_EQ(mapError(tp, u"DevID1"_qs, u"4194303"_qs),
              u"DevID1 must be a BACnet device instance from 0 to 4194302, not 4194303."_qs);
    EXPECT_EQ(mapError(tp, u"globalpts"_qs, u"-1"_qs),
              u"GlobalPts must be a BACnet device instance from 0 to 4194302, not -1."_qs);
    const QString base = u"BaseAddr1 must be from 0 to 4194203, so that its Tux devices (BaseAddr1 + address 0 to 99) "
                         "stay within the BACnet device instances 0 to 4194302; 2147483647 does not."_qs;
    EXPECT_EQ(mapError(tp, u"BaseAddr1"_qs, u"2147483647"_qs), base);
    EXPECT_FALSE(mapError(tp, u"BaseAddr2"_qs, u"4194204"_qs).isEmpty());
    EXPECT_FALSE(mapError(tp, u"BaseAddr4"_qs, u"-5"_qs).isEmpty());
    // Nothing refused was stored.
    EXPECT_EQ(tp.map.apexDevId(3, 1), 4194302);
    EXPECT_EQ(tp.map.apexBaseAddr(3, 1), 4194203);
    EXPECT_EQ(tp.map.apexGlobalPts(3), 0);
}

TEST(DeviceInstance, GridEditsAreCheckedBeforeTheyAreStored)
{
    TestProject tp;
    const auto problem = [&](GridTable t, const char *field, const QVariant &value, const QVariant &current = {}) {
        return gridEditProblem(tp.pdb.db(), t, QLatin1String(field), value, current);
    };
    EXPECT_EQ(problem(GridTable::ApexMap, "DevID2", u"4194303"_qs),
              u"DevID2 must be a BACnet device instance from 0 to 4194302, not 4194303."_qs);
    EXPECT_FALSE(problem(GridTable::ApexMap, "BaseAddr3", u" 4194300 "_qs).isEmpty());
    EXPECT_EQ(problem(GridTable::ApexMap, "DevID1", u"12a"_qs), u"DevID1 takes a whole number, not \"12a\"."_qs);
    EXPECT_TRUE(problem(GridTable::ApexMap, "BaseAddr3", u"4194203"_qs).isEmpty());
    EXPECT_TRUE(problem(GridTable::ApexMap, "DevID1", QString()).isEmpty());
    EXPECT_TRUE(problem(GridTable::ApexMap, "ComList", u"1234"_qs).isEmpty());

    tp.exec(u"INSERT INTO tblRepJob (devinst) VALUES (1104), (1105)"_qs);
    EXPECT_EQ(problem(GridTable::RepJob, "devinst", u"1105"_qs, 1104),
              u"Another device already has devinst 1105: each device needs an instance of its own."_qs);
    EXPECT_TRUE(problem(GridTable::RepJob, "devinst", u"1104"_qs, 1104).isEmpty());
    EXPECT_TRUE(problem(GridTable::RepJob, "devinst", u"1106"_qs, 1104).isEmpty());
    EXPECT_FALSE(problem(GridTable::RepJob, "devinst", 4194303, 1104).isEmpty());
    EXPECT_TRUE(problem(GridTable::RepJob, "objname", u"1105"_qs, u"x"_qs).isEmpty());
}
