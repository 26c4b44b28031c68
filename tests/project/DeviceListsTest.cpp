// The device lists of steps 3 and 8: built from ApexMap, read back by the
// commands, and refreshed when a project opens and after the step 2 reader.
#include "commands/ProjectCommands.h"
#include "project/DeviceLists.h"

#include "support/TestProject.h"

#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

TEST(DeviceLists, OneItemPerComInUseAndOnePerMappedApexFromApexZero)
{
    TestProject tp;
    tp.mapApex(0, u"1"_qs, 500, 0);
    tp.mapApex(3, u"1,3"_qs, 3000, 0);
    tp.mapApex(7, QString(), 7000, 0); // not mapped
    tp.exec(u"UPDATE ApexMap SET DevID1 = 501 WHERE Apex = 0"_qs);
    tp.exec(u"UPDATE ApexMap SET DevID1 = 12001, DevID3 = 12003 WHERE Apex = 3"_qs);
    const DeviceLists lists = buildDeviceLists(tp.map);
    EXPECT_EQ(lists.scripts, (QStringList{u"Dev-ID: 501, Apex: 0, Com: 1"_qs, u"Dev-ID: 12001, Apex: 3, Com: 1"_qs,
                                          u"Dev-ID: 12003, Apex: 3, Com: 3"_qs}));
    EXPECT_EQ(lists.exports, (QStringList{u"Dev-ID: 500, Apex: 0"_qs, u"Dev-ID: 3000, Apex: 3"_qs}));

    EXPECT_EQ(findScriptItem(lists.scripts, 3, 3), 2);
    EXPECT_EQ(findScriptItem(lists.scripts, 3, 2), -1);
    EXPECT_EQ(findExportItem(lists.exports, 0), 0);
    EXPECT_EQ(findExportItem(lists.exports, 7), -1);
}

TEST(DeviceLists, ItemsReadBackToApexAndCom)
{
    const auto ok = listBoxToApexCom(u"Dev-ID: 12001, Apex: 3, Com: 2"_qs);
    ASSERT_TRUE(ok.has_value());
    EXPECT_EQ(ok->apex, 3);
    EXPECT_EQ(ok->com, 2);
    const auto edge = listBoxToApexCom(u"Dev-ID: 1, Apex: 32, Com: 4"_qs);
    ASSERT_TRUE(edge.has_value());
    // An Apex above 32, a com outside 1 to 4, or no numbers at all.
    for (const QString &bad : {u"Dev-ID: 1, Apex: 33, Com: 1"_qs, u"Dev-ID: 1, Apex: 3, Com: 5"_qs,
                               u"Dev-ID: 1, Apex: 3, Com: x"_qs, u"garbage"_qs, QString()})
        EXPECT_FALSE(listBoxToApexCom(bad).has_value()) << bad.toStdString();
    EXPECT_EQ(scriptItemFormatError(), u"List box has formating error."_qs);

    EXPECT_EQ(exportItemApex(u"Dev-ID: 3000, Apex: 12"_qs), 12);
    EXPECT_EQ(exportItemApex(u"Dev-ID: 3000, Apex: x"_qs), 0);
}

TEST(DeviceLists, RefreshedOnOpenAndAfterMappingKeptAfterClose)
{
    TestProject tp;
    EXPECT_TRUE(tp.wb.deviceLists.scripts.isEmpty());
    int told = 0;
    tp.wb.deviceListsChanged = [&told] { ++told; };
    mapApexCommand(tp.wb, 4, {{u"ComList"_qs, u"2"_qs}, {u"DevID2"_qs, u"4002"_qs}, {u"GlobalPts"_qs, u"4000"_qs}});
    EXPECT_EQ(told, 1);
    EXPECT_EQ(tp.wb.deviceLists.scripts, QStringList{u"Dev-ID: 4002, Apex: 4, Com: 2"_qs});
    const QString job = tp.jobFolder();
    tp.wb.closeProject();
    // Still the closed project's devices.
    EXPECT_EQ(tp.wb.deviceLists.exports, QStringList{u"Dev-ID: 4000, Apex: 4"_qs});
    tp.wb.openProject(job);
    EXPECT_EQ(tp.wb.deviceLists.exports, QStringList{u"Dev-ID: 4000, Apex: 4"_qs});
    EXPECT_EQ(told, 2);
}
