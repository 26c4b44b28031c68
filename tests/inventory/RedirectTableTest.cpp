// The redirection table: case-insensitive keys, local and job rows apart,
// skips, replacing targets and reporting a missing row.
#include "support/TestProject.h"

#include "inventory/RedirectTable.h"
#include "project/ControllerMap.h"

#include <optional>

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace vorlix;

namespace {

// What the table itself answers for a name: its first row, letter case ignored.
std::optional<QString> tableAnswer(ProjectDatabase &pdb, const QString &name, bool localJob)
{
    QSqlQuery q(pdb.db());
    q.prepare(u"SELECT EFBFilename FROM DisplayMap WHERE IbexFilename = ? COLLATE NOCASE AND LocalJob = ? "
               "ORDER BY rowid LIMIT 1"_qs);
    q.addBindValue(name);
    q.addBindValue(localJob ? 1 : 0);
    if (!q.exec() || !q.next())
        return std::nullopt;
    return q.value(0).toString();
}

} // namespace

TEST(RedirectTable, FindSetAndDelete)
{
    test::TestProject p;
    RedirectTable t(p.pdb);
    EXPECT_FALSE(p.map.findRedirect(u"disp0007.ibw"_qs, false));

    ASSERT_TRUE(t.setRedirect(u"disp0007.ibw"_qs, u"alerton-standard-00000012.dsp"_qs, false));
    EXPECT_EQ(p.map.findRedirect(u"DISP0007.IBW"_qs, false), u"alerton-standard-00000012.dsp"_qs);
    EXPECT_FALSE(p.map.findRedirect(u"disp0007.ibw"_qs, true)); // the local job's row is another one

    // Replacing the target adds no row; a skip empties the name.
    ASSERT_TRUE(t.setRedirect(u"Disp0007.ibw"_qs, QString(), false));
    EXPECT_EQ(p.rowCount(u"DisplayMap"_qs), 1);
    EXPECT_EQ(p.map.findRedirect(u"disp0007.ibw"_qs, false), QString());

    ASSERT_TRUE(t.setRedirect(u"disp0007.ibw"_qs, u"a-b-00000001.dsp"_qs, true));
    EXPECT_EQ(p.rowCount(u"DisplayMap"_qs), 2);
    EXPECT_EQ(t.deleteRedirect(u"DISP0007.ibw"_qs, true), ProjectDatabase::Removal::Removed);
    EXPECT_EQ(t.deleteRedirect(u"disp0007.ibw"_qs, true), ProjectDatabase::Removal::Missing);
    EXPECT_EQ(p.rowCount(u"DisplayMap"_qs), 1);
}

TEST(RedirectTable, NullTargetReadsAsSkip)
{
    test::TestProject p;
    p.exec(u"INSERT INTO DisplayMap (LocalJob, IbexFilename, EFBFilename) VALUES (0, 'disp0001.ibw', NULL)"_qs);
    EXPECT_EQ(p.map.findRedirect(u"disp0001.ibw"_qs, false), QString());
}

TEST(RedirectTable, ReportsAMissingRowThroughThePrompter)
{
    ScriptedPrompter prompter;
    RedirectTable::reportRedirectNotFound(prompter);
    ASSERT_EQ(prompter.informed.size(), 1);
    EXPECT_EQ(prompter.informed[0], u"Error in locating the redirect entry. You may need to manually delete it "
                                     "from the \"displaymap\" database table!"_qs);
}

TEST(RedirectTable, RememberedLookupsAnswerAsTheTableDoes)
{
    test::TestProject p;
    RedirectTable t(p.pdb);
    p.exec(u"INSERT INTO DisplayMap (LocalJob, IbexFilename, EFBFilename) VALUES "
           "(0, 'Disp0001.IBW', 'a-b-00000001.dsp'), (0, 'disp0001.ibw', 'second-row.dsp'), "
           "(1, 'disp0001.ibw', 'c-d-00000002.dsp'), (0, 'disp0002.ibw', NULL), (2, 'disp0003.ibw', 'x.dsp'), "
           "(0, NULL, 'y.dsp'), (0, 'däsp0004.ibw', 'z.dsp')"_qs);
    const QString names[] = {u"disp0001.ibw"_qs, u"DISP0001.ibw"_qs, u"disp0002.ibw"_qs, u"disp0003.ibw"_qs,
                             u"däsp0004.ibw"_qs, u"DÄSP0004.IBW"_qs, u"disp0005.ibw"_qs, QString()};
    const auto sameAnswers = [&] {
        for (const bool local : {false, true})
            for (const QString &n : names) {
                SCOPED_TRACE(qPrintable(n + (local ? u" local"_qs : u" job"_qs)));
                EXPECT_EQ(p.map.findRedirect(n, local), tableAnswer(p.pdb, n, local));
            }
    };
    sameAnswers();
    EXPECT_EQ(p.map.findRedirect(u"DISP0001.IBW"_qs, false), u"a-b-00000001.dsp"_qs); // the first row of a name

    // A change counts at the next lookup.
    ASSERT_TRUE(t.setRedirect(u"disp0005.ibw"_qs, u"e-f-00000005.dsp"_qs, false));
    ASSERT_EQ(t.deleteRedirect(u"disp0002.ibw"_qs, false), ProjectDatabase::Removal::Removed);
    sameAnswers();
    EXPECT_TRUE(p.map.findRedirect(u"disp0005.ibw"_qs, false));
    // Also one made in the table directly.
    p.exec(u"UPDATE DisplayMap SET EFBFilename = 'g-h-00000007.dsp' WHERE IbexFilename = 'disp0005.ibw'"_qs);
    EXPECT_EQ(p.map.findRedirect(u"disp0005.ibw"_qs, false), u"g-h-00000007.dsp"_qs);
}
