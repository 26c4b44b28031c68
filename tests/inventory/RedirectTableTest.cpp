// The redirection table: case-insensitive keys, local and job rows apart,
// skips, replacing targets and reporting a missing row.
#include "support/TestProject.h"

#include "inventory/RedirectTable.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace vorlix;

TEST(RedirectTable, FindSetAndDelete)
{
    test::TestProject p;
    RedirectTable t(p.pdb);
    QString name = u"disp0007.ibw"_qs;
    EXPECT_FALSE(t.FindRedirect(name, false));
    EXPECT_EQ(name, u"disp0007.ibw"_qs);

    ASSERT_TRUE(t.SetRedirect(u"disp0007.ibw"_qs, u"alerton-standard-00000012.dsp"_qs, false));
    name = u"DISP0007.IBW"_qs;
    EXPECT_TRUE(t.FindRedirect(name, false));
    EXPECT_EQ(name, u"alerton-standard-00000012.dsp"_qs);
    name = u"disp0007.ibw"_qs;
    EXPECT_FALSE(t.FindRedirect(name, true)); // the local job's row is another one

    // Replacing the target adds no row; a skip empties the name.
    ASSERT_TRUE(t.SetRedirect(u"Disp0007.ibw"_qs, QString(), false));
    EXPECT_EQ(p.rowCount(u"DisplayMap"_qs), 1);
    name = u"disp0007.ibw"_qs;
    EXPECT_TRUE(t.FindRedirect(name, false));
    EXPECT_EQ(name, QString());

    ASSERT_TRUE(t.SetRedirect(u"disp0007.ibw"_qs, u"a-b-00000001.dsp"_qs, true));
    EXPECT_EQ(p.rowCount(u"DisplayMap"_qs), 2);
    EXPECT_TRUE(t.DeleteRedirect(u"DISP0007.ibw"_qs, true));
    EXPECT_FALSE(t.DeleteRedirect(u"disp0007.ibw"_qs, true));
    EXPECT_EQ(p.rowCount(u"DisplayMap"_qs), 1);
}

TEST(RedirectTable, NullTargetReadsAsSkip)
{
    test::TestProject p;
    p.exec(u"INSERT INTO DisplayMap (LocalJob, IbexFilename, EFBFilename) VALUES (0, 'disp0001.ibw', NULL)"_qs);
    RedirectTable t(p.pdb);
    QString name = u"disp0001.ibw"_qs;
    EXPECT_TRUE(t.FindRedirect(name, false));
    EXPECT_EQ(name, QString());
}

TEST(RedirectTable, ReportsAMissingRowThroughThePrompter)
{
    ScriptedPrompter prompter;
    RedirectTable::ReportRedirectNotFound(prompter);
    ASSERT_EQ(prompter.informed.size(), 1);
    EXPECT_EQ(prompter.informed[0], u"Error in locating the redirect entry. You may need to manually delete it "
                                     "from the \"displaymap\" database table!"_qs);
}
