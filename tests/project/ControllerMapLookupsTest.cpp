#include "project/ControllerMap.h"
#include "support/WorkbenchProject.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

namespace {
struct MapFixture : ::testing::Test {
    WorkbenchProject tp;
    Workbench *wb = nullptr;
    void SetUp() override { wb = &tp.openJob(); }
    ControllerMap &map() { return wb->map; }
    void sql(const QString &s)
    {
        QSqlQuery q(wb->pdb.db());
        ASSERT_TRUE(q.exec(s)) << s.toStdString();
    }
    int count(const QString &s)
    {
        QSqlQuery q(wb->pdb.db());
        q.exec(s);
        return q.next() ? q.value(0).toInt() : -1;
    }
};
} // namespace

TEST_F(MapFixture, ApexLookups)
{
    sql(u"UPDATE ApexMap SET ComList = '12', GlobalPts = 1100, DevID1 = 1101, Net1 = 11, BaseAddr1 = 1200, "
         "DevID2 = 1102, Net2 = 12, BaseAddr2 = 1300 WHERE Apex = 1"_qs);
    sql(u"UPDATE ApexMap SET ComList = '1,2' WHERE Apex = 2"_qs);
    EXPECT_TRUE(map().apexIsMapped(1));
    EXPECT_FALSE(map().apexIsMapped(3)); // empty ComList
    EXPECT_FALSE(map().apexIsMapped(40)); // no row
    EXPECT_TRUE(map().apexHasCom(1, 1));
    EXPECT_TRUE(map().apexHasCom(1, 2));
    EXPECT_FALSE(map().apexHasCom(1, 3));
    EXPECT_TRUE(map().apexHasCom(2, 2));
    EXPECT_FALSE(map().apexHasCom(2, 3));
    EXPECT_EQ(map().apexDevId(1, 2), 1102);
    EXPECT_EQ(map().apexBaseAddr(1, 1), 1200);
    EXPECT_EQ(map().apexBaseAddr(1, 5), NotMapped);
    EXPECT_EQ(map().apexBaseAddr(40, 1), NotMapped);
    EXPECT_EQ(map().apexDevId(1, 0), NotMapped);
    EXPECT_EQ(map().apexGlobalPts(1), 1100);
    EXPECT_EQ(map().apexGlobalPts(40), NotMapped);
    EXPECT_EQ(map().apexGlobalPts(3), 0); // null field reads 0
    EXPECT_EQ(map().apexNet(1, 2), 12);
    EXPECT_EQ(map().apexNet(40, 1), 0);
    EXPECT_EQ(map().apexNet(1, 7), 0);
}

TEST_F(MapFixture, CpanelMapUpsertKeepsFieldsMarkedToStay)
{
    map().putCpanelMap(1, 10, 180, 12, 3, 12, true);
    std::optional<TuxLocation> tux = map().cpanelTux(1, 12);
    ASSERT_TRUE(tux);
    EXPECT_EQ(tux->trunk, 3);
    EXPECT_EQ(tux->address, 12);

    map().putCpanelMap(1, 10, 9999, 9999, 9, 1, false);
    tux = map().cpanelTux(1, 12);
    ASSERT_TRUE(tux);
    EXPECT_EQ(tux->trunk, 3);
    EXPECT_EQ(tux->address, 12);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM CpanelMap"_qs), 1);
    EXPECT_EQ(count(u"SELECT ExpandedMode FROM CpanelMap"_qs), 0);

    map().putCpanelMap(1, 10, 9999, 9999, 0, 4, false);
    tux = map().cpanelTux(1, 12);
    ASSERT_TRUE(tux);
    EXPECT_EQ(tux->trunk, 0);
    EXPECT_EQ(tux->address, 4);

    EXPECT_FALSE(map().cpanelTux(1, 13));
    EXPECT_TRUE(map().cpanelTuxExists(1, 0, 4));
    EXPECT_FALSE(map().cpanelTuxExists(2, 0, 4));
}

TEST_F(MapFixture, CallRangeEndsBeforeTheNextCallTargetOfTheWholeTable)
{
    map().putCpanelMap(1, 1, 100, 4, 9, 0, false);
    map().putCpanelMap(2, 2, 180, 5, 9, 0, false);
    map().putCpanelMap(3, 3, 250, 6, 9, 0, false);
    map().putCpanelMap(3, 4, 0, 7, 9, 0, false);
    CallRange r = map().cpanelCallRange(2, 5);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.callTo, 180);
    EXPECT_EQ(r.lastSeq, 249);
    r = map().cpanelCallRange(3, 6);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.lastSeq, 9999);
    EXPECT_FALSE(map().cpanelCallRange(3, 7).ok); // CallTo 0
    EXPECT_FALSE(map().cpanelCallRange(3, 8).ok); // no row
}

TEST_F(MapFixture, PointAndNameUpserts)
{
    map().putIbexPointValue(1, 5, 3.5); // no row yet: nothing happens
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM IbexPtMap"_qs), 0);
    map().putIbexPoint(1, 5, 2, u"Supply temp"_qs);
    map().putIbexPoint(1, 5, 4, u"Supply setpoint"_qs);
    map().putIbexPointValue(1, 5, 72.5);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM IbexPtMap"_qs), 1);
    EXPECT_EQ(map().ibexPointType(1, 5), 4);
    EXPECT_EQ(map().ibexPointType(1, 6), 0);
    QSqlQuery q(wb->pdb.db());
    q.exec(u"SELECT Description, Value FROM IbexPtMap"_qs);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), u"Supply setpoint"_qs);
    EXPECT_DOUBLE_EQ(q.value(1).toDouble(), 72.5);

    map().putCpanelName(1, 12, u"AHU-1"_qs);
    map().putCpanelName(1, 12, u"AHU-1 North"_qs);
    EXPECT_EQ(map().cpanelName(1, 12), u"AHU-1 North"_qs);
    EXPECT_EQ(map().cpanelName(1, 13), QString());
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM CpanelNames"_qs), 1);
}

TEST_F(MapFixture, LookupsFollowTheCurrentDatabase)
{
    map().putCpanelName(1, 12, u"in the project"_qs);
    EXPECT_EQ(map().cpanelName(1, 12), u"in the project"_qs);
    wb->closeProject(); // back to the default project
    EXPECT_EQ(map().cpanelName(1, 12), QString());
}
