// The device lists of steps 3 and 8: built from ApexMap, shown as texts, and
// refreshed when a project opens and after the step 2 reader.
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
    EXPECT_EQ(lists.scripts, (QList<ScriptDevice>{{0, 1, 501}, {3, 1, 12001}, {3, 3, 12003}}));
    EXPECT_EQ(lists.exports, (QList<ExportDevice>{{0, 500}, {3, 3000}}));
    // The texts the list boxes show.
    EXPECT_EQ(deviceTexts(lists.scripts), (QStringList{u"Dev-ID: 501, Apex: 0, Com: 1"_qs,
                                                       u"Dev-ID: 12001, Apex: 3, Com: 1"_qs,
                                                       u"Dev-ID: 12003, Apex: 3, Com: 3"_qs}));
    EXPECT_EQ(deviceTexts(lists.exports), (QStringList{u"Dev-ID: 500, Apex: 0"_qs, u"Dev-ID: 3000, Apex: 3"_qs}));

    EXPECT_EQ(findScriptDevice(lists, 3, 3), (ScriptDevice{3, 3, 12003}));
    EXPECT_FALSE(findScriptDevice(lists, 3, 2));
    EXPECT_EQ(findExportDevice(lists, 0), (ExportDevice{0, 500}));
    EXPECT_FALSE(findExportDevice(lists, 7));
}

TEST(DeviceLists, RefreshedOnOpenAndAfterMappingKeptAfterClose)
{
    TestProject tp;
    EXPECT_TRUE(tp.wb.deviceLists.scripts.isEmpty());
    int told = 0;
    QObject::connect(&tp.wb, &Workbench::deviceListsChanged, [&told] { ++told; });
    mapApexCommand(tp.wb, 4, {{u"ComList"_qs, u"2"_qs}, {u"DevID2"_qs, u"4002"_qs}, {u"GlobalPts"_qs, u"4000"_qs}});
    EXPECT_EQ(told, 1);
    EXPECT_EQ(tp.wb.deviceLists.scripts, (QList<ScriptDevice>{{4, 2, 4002}}));
    const QString job = tp.jobFolder();
    tp.wb.closeProject();
    // Still the closed project's devices.
    EXPECT_EQ(tp.wb.deviceLists.exports, (QList<ExportDevice>{{4, 4000}}));
    tp.wb.openProject(job);
    EXPECT_EQ(tp.wb.deviceLists.exports, (QList<ExportDevice>{{4, 4000}}));
    EXPECT_EQ(told, 2);
}
