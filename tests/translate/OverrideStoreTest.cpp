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
    const DisplayRef d{u"disp0001.ibw"_qs, false};
    EXPECT_FALSE(s.displayOvrGet(d, 3, true));
    ASSERT_TRUE(s.displayOvrPut(d, 3, true, u"IB-12"_qs, u"1100:AV-1"_qs));
    ASSERT_TRUE(s.displayOvrPut(d, 3, true, u"IB-12"_qs, u"1100:AV-2"_qs)); // same key: one row
    ASSERT_TRUE(s.displayOvrPut(d, 3, false, u"Fan"_qs, u"Supply fan"_qs));
    EXPECT_EQ(p.rowCount(u"Overrides"_qs), 2);
    EXPECT_EQ(s.displayOvrGet(d, 3, true).value_or(u"-"_qs), u"1100:AV-2"_qs);
    EXPECT_EQ(s.displayOvrGet(d, 3, false).value_or(u"-"_qs), u"Supply fan"_qs);
    EXPECT_FALSE(s.displayOvrGet(d, 4, true));

    EXPECT_TRUE(s.displayOvrGet(DisplayRef{u"DISP0001.IBW"_qs, false}, 3, true));
    EXPECT_FALSE(s.displayOvrGet(DisplayRef{u"disp0001.ibw"_qs, true}, 3, true));
    // Another display's overrides are their own.
    EXPECT_FALSE(s.displayOvrGet(DisplayRef{u"disp0002.ibw"_qs, false}, 3, true));
    EXPECT_TRUE(s.displayOvrDelete(d, 3, true));
    EXPECT_TRUE(s.displayOvrDelete(d, 3, true)); // nothing left to delete is no refusal
    EXPECT_FALSE(s.displayOvrGet(d, 3, true));
    EXPECT_TRUE(s.displayOvrGet(d, 3, false));
    // A row another part of the program adds is seen at the next lookup.
    p.exec(u"INSERT INTO Overrides (Display, LocalJob, Object, IsPoint, Override) "
           "VALUES ('Disp0001.ibw', 0, 5, 1, '$SKIP')"_qs);
    EXPECT_EQ(s.displayOvrGet(d, 5, true).value_or(u"-"_qs), SkipMark);
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
    // The whole list is read at once: rows no lookup can find are passed
    // over, and the first row of a key counts.
    p.exec(u"INSERT INTO GlobalOVR (Apex, IbexPoint, BTPoint) VALUES (NULL, 'IB-13', 'x'), "
           "(3.5, 'IB-13', 'x'), ('abc', 'IB-13', 'x'), (3, 'ib-12', 'second'), (3, 'IB-13', '1100:AV-13')"_qs);
    EXPECT_EQ(s.globalOvrGet(u"3"_qs, u"IB-12"_qs).value_or(u"-"_qs), u"1100:BV-12"_qs);
    EXPECT_EQ(s.globalOvrGet(u"3"_qs, u"IB-13"_qs).value_or(u"-"_qs), u"1100:AV-13"_qs);
    EXPECT_FALSE(s.globalOvrGet(u"0"_qs, u"IB-13"_qs)); // 'abc' is no Apex 0
}

TEST(OverrideStore, MissingTablesMakeEveryOperationANoOp)
{
    test::TestProject p;
    p.exec(u"DROP TABLE Overrides"_qs);
    p.exec(u"DROP TABLE GlobalOVR"_qs);
    p.pdb.linkDatabase(p.jobFolder(), QStringLiteral(VORLIX_BIN_DIR), p.vars);
    OverrideStore s(p.pdb);
    const DisplayRef d{u"disp0001.ibw"_qs, false};
    EXPECT_FALSE(s.available());
    EXPECT_FALSE(s.globalAvailable());
    EXPECT_FALSE(s.displayOvrPut(d, 1, true, QString(), u"x"_qs));
    EXPECT_FALSE(s.displayOvrGet(d, 1, true));
    EXPECT_FALSE(s.displayOvrDelete(d, 1, true));
    EXPECT_FALSE(s.globalOvrPut(1, u"IB-1"_qs, u"x"_qs));
    EXPECT_FALSE(s.globalOvrGet(u"1"_qs, u"IB-1"_qs));
}
