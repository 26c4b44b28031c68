// The controller map lookups and upserts on the project tables.
#include "project/ControllerMap.h"
#include "support/JobFixture.h"

#include <gtest/gtest.h>

using namespace vorlix;
using vorlix::test::JobFixture;

TEST(ControllerMap, ApexMapLookups)
{
    JobFixture f;
    ControllerMap &m = f.wb().map;
    f.mapApex(1, u"12"_qs, {1200, 1300, 0, 0});
    f.mapApex(2, u"1,2"_qs);
    f.mapApex(3, QString());
    f.rows(u"UPDATE ApexMap SET GlobalPts = 1100, DevID2 = 1102, Net1 = 11, BaseAddr3 = NULL WHERE Apex = 1"_qs);
    EXPECT_TRUE(m.apexIsMapped(1));
    EXPECT_FALSE(m.apexIsMapped(3)); // empty ComList
    EXPECT_FALSE(m.apexIsMapped(40)); // no row
    for (int apex : {1, 2}) {
        EXPECT_TRUE(m.apexHasCom(apex, 1));
        EXPECT_TRUE(m.apexHasCom(apex, 2));
        EXPECT_FALSE(m.apexHasCom(apex, 3));
    }
    EXPECT_EQ(m.apexBaseAddr(1, 2), 1300);
    EXPECT_EQ(m.apexBaseAddr(1, 3), 0); // null reads as 0, not NotMapped
    EXPECT_EQ(m.apexBaseAddr(1, 5), NotMapped);
    EXPECT_EQ(m.apexBaseAddr(40, 1), NotMapped);
    EXPECT_EQ(m.apexDevId(1, 2), 1102);
    EXPECT_EQ(m.apexDevId(1, 0), NotMapped);
    EXPECT_EQ(m.apexGlobalPts(1), 1100);
    EXPECT_EQ(m.apexGlobalPts(40), NotMapped);
    EXPECT_EQ(m.apexNet(1, 1), 11);
    EXPECT_EQ(m.apexNet(40, 1), 0);
    EXPECT_EQ(m.apexNet(1, 7), 0);
}

TEST(ControllerMap, PutCpanelMapLeavesFieldsItIsNotGiven)
{
    JobFixture f;
    ControllerMap &m = f.wb().map;
    m.putCpanelMap(1, 10, 500, 12, 3, 12, true);
    m.putCpanelMap(1, 10, 9999, 9999, 9, 1, false);
    EXPECT_EQ(f.cpanelMap(), QStringList{u"1,10,500,3,12,12,0"_qs});
    m.putCpanelMap(1, 10, 0, 0, 0, 0, false);
    EXPECT_EQ(f.cpanelMap(), QStringList{u"1,10,0,0,0,0,0"_qs});
    // A new row with the defaults has only its key (and ExpandedMode).
    m.putCpanelMap(1, 11, 9999, 9999, 9, 1, true);
    EXPECT_EQ(f.cpanelMap().last(), u"1,11,,,,,1");
    EXPECT_FALSE(m.cpanelTux(1, 55));
    EXPECT_TRUE(m.cpanelTuxExists(1, 0, 0));
    EXPECT_FALSE(m.cpanelTuxExists(2, 0, 0));
}

TEST(ControllerMap, CpanelCallRangeEndsBeforeTheNextCallTarget)
{
    JobFixture f;
    ControllerMap &m = f.wb().map;
    m.putCpanelMap(1, 10, 100, 1, 1, 1, false);
    m.putCpanelMap(2, 10, 180, 2, 1, 2, false);
    m.putCpanelMap(3, 10, 250, 3, 1, 3, false);
    m.putCpanelMap(3, 11, 9999, 4, 1, 4, false); // no CallTo
    m.putCpanelMap(3, 12, 0, 5, 1, 5, false);
    const CallRange r180 = m.cpanelCallRange(2, 2);
    EXPECT_TRUE(r180.ok);
    EXPECT_EQ(r180.callTo, 180);
    EXPECT_EQ(r180.lastSeq, 249);
    EXPECT_EQ(m.cpanelCallRange(3, 3).lastSeq, 9999);
    EXPECT_FALSE(m.cpanelCallRange(3, 4).ok);
    EXPECT_FALSE(m.cpanelCallRange(3, 5).ok);
    EXPECT_FALSE(m.cpanelCallRange(9, 9).ok);
}

TEST(ControllerMap, PointAndPanelUpserts)
{
    JobFixture f;
    ControllerMap &m = f.wb().map;
    m.putIbexPointValue(1, 5, 2.5); // no row: dropped
    EXPECT_TRUE(f.ibexPtMap().isEmpty());
    m.putIbexPoint(1, 5, 2, u"Temp"_qs);
    m.putIbexPointValue(1, 5, 2.5);
    m.putIbexPoint(1, 5, 4, u"Setpoint"_qs);
    EXPECT_EQ(f.ibexPtMap(), QStringList{u"1,5,4,Setpoint,2.5"_qs});
    EXPECT_EQ(m.ibexPointType(1, 5), 4);
    EXPECT_EQ(m.ibexPointType(1, 6), 0);
    m.putCpanelName(1, 12, u"AHU"_qs);
    m.putCpanelName(1, 12, u"AHU-1"_qs);
    EXPECT_EQ(f.cpanelNames(), QStringList{u"1,12,AHU-1"_qs});
    EXPECT_EQ(m.cpanelName(1, 13), u"");
}
