// The override store: keys without regard to case, one row per key, the
// project-wide lookup and tables missing from older project databases.
#include "support/TestProject.h"

#include "translate/OverrideStore.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace vorlix;

TEST(OverrideStore, DisplayOverridesAreKeyedByDisplayLocalJobObjectAndKind)
{
    test::TestProject p;
    OverrideStore s(p.pdb);
    ASSERT_TRUE(s.available());
    s.setDisplay(u"disp0001.ibw"_qs, false);
    EXPECT_FALSE(s.displayOvrGet(3, true));
    ASSERT_TRUE(s.displayOvrPut(3, true, u"IB-12"_qs, u"1100:AV-1"_qs));
    ASSERT_TRUE(s.displayOvrPut(3, true, u"IB-12"_qs, u"1100:AV-2"_qs)); // same key: one row
    ASSERT_TRUE(s.displayOvrPut(3, false, u"Fan"_qs, u"Supply fan"_qs));
    EXPECT_EQ(p.rowCount(u"Overrides"_qs), 2);
    EXPECT_EQ(s.displayOvrGet(3, true).value_or(u"-"_qs), u"1100:AV-2"_qs);
    EXPECT_EQ(s.displayOvrGet(3, false).value_or(u"-"_qs), u"Supply fan"_qs);
    EXPECT_FALSE(s.displayOvrGet(4, true));

    s.setDisplay(u"DISP0001.IBW"_qs, false);
    EXPECT_TRUE(s.displayOvrGet(3, true));
    s.setDisplay(u"disp0001.ibw"_qs, true);
    EXPECT_FALSE(s.displayOvrGet(3, true));
    s.setDisplay(u"disp0001.ibw"_qs, false);
    EXPECT_TRUE(s.displayOvrDelete(3, true));
    EXPECT_FALSE(s.displayOvrDelete(3, true));
    EXPECT_FALSE(s.displayOvrGet(3, true));
    EXPECT_TRUE(s.displayOvrGet(3, false));
}

TEST(OverrideStore, GlobalOverrides)
{
    test::TestProject p;
    OverrideStore s(p.pdb);
    ASSERT_TRUE(s.globalOvrPut(3, u"ib-12"_qs, u"1100:AV-12"_qs));
    EXPECT_EQ(s.globalOvrGet(u"3"_qs, u"IB-12"_qs).value_or(u"-"_qs), u"1100:AV-12"_qs);
    EXPECT_FALSE(s.globalOvrGet(u"3a"_qs, u"IB-12"_qs));
    EXPECT_FALSE(s.globalOvrGet(QString(), u"IB-12"_qs));
    EXPECT_FALSE(s.globalOvrGet(u"4"_qs, u"IB-12"_qs));
    ASSERT_TRUE(s.globalOvrPut(3, u"IB-12"_qs, u"1100:BV-12"_qs));
    EXPECT_EQ(p.rowCount(u"GlobalOVR"_qs), 1);
    EXPECT_EQ(s.globalOvrGet(u"3"_qs, u"ib-12"_qs).value_or(u"-"_qs), u"1100:BV-12"_qs);
}

TEST(OverrideStore, MissingTablesMakeEveryOperationANoOp)
{
    test::TestProject p;
    p.exec(u"DROP TABLE Overrides"_qs);
    p.exec(u"DROP TABLE GlobalOVR"_qs);
    p.pdb.linkDatabase(p.jobFolder(), QStringLiteral(VORLIX_BIN_DIR), p.vars);
    OverrideStore s(p.pdb);
    s.setDisplay(u"disp0001.ibw"_qs, false);
    EXPECT_FALSE(s.available());
    EXPECT_FALSE(s.globalAvailable());
    EXPECT_FALSE(s.displayOvrPut(1, true, QString(), u"x"_qs));
    EXPECT_FALSE(s.displayOvrGet(1, true));
    EXPECT_FALSE(s.displayOvrDelete(1, true));
    EXPECT_FALSE(s.globalOvrPut(1, u"IB-1"_qs, u"x"_qs));
    EXPECT_FALSE(s.globalOvrGet(u"1"_qs, u"IB-1"_qs));
}
