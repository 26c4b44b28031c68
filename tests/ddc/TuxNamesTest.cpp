// The Tux DDC file names: recognising Ibex names and the BACtalk name rule.
#include "ddc/TuxNames.h"
#include "project/ControllerMap.h"

#include "support/TestProject.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

TEST(TuxNames, RecognisesTuxFileNamesWhateverTheirCase)
{
    const auto upper = parseTuxName(u"TUX205.TDC"_qs);
    ASSERT_TRUE(upper.has_value());
    EXPECT_EQ(upper->trunk, 2);
    EXPECT_EQ(upper->address, 5);
    const auto lower = parseTuxName(u"tux399.tdc"_qs);
    ASSERT_TRUE(lower.has_value());
    EXPECT_EQ(lower->trunk, 3);
    EXPECT_EQ(lower->address, 99);

    // Nine or eleven characters, letters where digits belong, another prefix.
    for (const QString &name : {u"tux31.tdc"_qs, u"tux3100.tdc"_qs, u"tux3ab.tdc"_qs, u"tuxa05.tdc"_qs,
                                u"box205.tdc"_qs, u""_qs})
        EXPECT_FALSE(parseTuxName(name).has_value()) << name.toStdString();
}

TEST(TuxNames, BuildsTheBacTalkNameFromTheTrunkBase)
{
    TestProject tp;
    tp.mapApex(4, u"123"_qs, 0, 12000, 1200000, 40000);
    tp.mapApex(7, u"1"_qs, 0, 99999999);

    // A file TUX312.TDC of an Apex whose base for com 3 is 40000.
    EXPECT_EQ(bacTalkTdcName(tp.map, 4, u"TUX312.TDC"_qs), u"dev40012.tdc"_qs);
    EXPECT_EQ(bacTalkTdcName(tp.map, 4, u"tux105.tdc"_qs), u"dev12005.tdc"_qs);
    // "dev" gives way to the device instance: 7 digits leave room for "d".
    EXPECT_EQ(bacTalkTdcName(tp.map, 4, u"tux201.tdc"_qs), u"d1200001.tdc"_qs);
    // 8 digits leave no room at all.
    EXPECT_EQ(bacTalkTdcName(tp.map, 7, u"tux100.tdc"_qs), u"99999999.tdc"_qs);
    // A com base that is empty reads as 0: the address alone.
    EXPECT_EQ(bacTalkTdcName(tp.map, 4, u"tux407.tdc"_qs), u"dev7.tdc"_qs);

    // Not a Tux name, or a trunk outside 1 to 4: "A<apex>-" and the name as found.
    EXPECT_EQ(bacTalkTdcName(tp.map, 4, u"tux31.tdc"_qs), u"A4-tux31.tdc"_qs);
    EXPECT_EQ(bacTalkTdcName(tp.map, 4, u"tux3ab.tdc"_qs), u"A4-tux3ab.tdc"_qs);
    EXPECT_EQ(bacTalkTdcName(tp.map, 3, u"control.tdc"_qs), u"A3-control.tdc"_qs);
    EXPECT_EQ(bacTalkTdcName(tp.map, 4, u"TUX512.TDC"_qs), u"A4-TUX512.TDC"_qs);
    EXPECT_EQ(bacTalkTdcName(tp.map, 4, u"tux012.tdc"_qs), u"A4-tux012.tdc"_qs);
}

TEST(TuxNames, FindsTheTddcFolderWhateverItsCase)
{
    TestProject tp;
    ASSERT_TRUE(QDir(tp.jobFolder()).mkpath(u"TDDC05"_qs));
    // The folder itself: on Linux only "TDDC05" names it; on Windows, whose
    // names ignore letter case, "tddc05" names it too.
    const QString found = ibexTddcFolder(tp.jobFolder(), 5);
    EXPECT_TRUE(QFileInfo(found).isDir()) << found.toStdString();
    EXPECT_EQ(QFileInfo(found).path(), tp.jobFolder());
    EXPECT_EQ(QFileInfo(found).fileName().compare(u"TDDC05"_qs, Qt::CaseInsensitive), 0) << found.toStdString();
    // Missing: the documented name, so that a listing finds nothing there.
    EXPECT_EQ(ibexTddcFolder(tp.jobFolder(), 12), tp.jobFolder() + u"/tddc12"_qs);
    EXPECT_EQ(btDdcPath(u"/bt/acme/plaza"_qs, u"dev40012.tdc"_qs), u"/bt/acme/plaza/ddc/dev40012.tdc"_qs);
}
