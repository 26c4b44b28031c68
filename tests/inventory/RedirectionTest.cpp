// Step 6 and the explorer trees: the redirect dialog's OK, Skip and Remove
// on a new and an existing grid row, its refusals, a full grid, the grid
// rebuild, "Clear all flags", and the two trees over the master list.
#include "support/TestProject.h"

#include "commands/InventoryCommands.h"
#include "inventory/InventoryTree.h"
#include "inventory/RedirectGrid.h"
#include "sample/IbexDisplayBuilder.h"

#include <QDir>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace vorlix;

namespace {

QByteArray displayWithButtons(std::initializer_list<std::pair<int, uint8_t>> targets)
{
    sample::IbexDisplayBuilder d;
    for (const auto &[number, options] : targets)
        d.add(ioBtnDisp).rect(0, 0, 10, 10).point(0, uint32_t(number)).options(options);
    return d.bytes();
}

class RedirectionTest : public ::testing::Test {
protected:
    RedirectionTest()
    {
        bt = p.root() + u"/bt/acme/plaza"_qs;
        QDir().mkpath(bt + u"/displays"_qs);
        QDir().mkpath(p.root() + u"/bt/alerton/standard/displays"_qs);
        QFile f(p.root() + u"/bt/alerton/standard/displays/00000012.dsp"_qs);
        f.open(QIODevice::WriteOnly);
        p.vars.bactalkJobPath = QDir::toNativeSeparators(bt);
        p.writeDisplay(u"disp0001.ibw"_qs, displayWithButtons({{7, 0}, {3, 0x40}, {8, 0}}));
        p.writeDisplay(u"disp0007.ibw"_qs, displayWithButtons({}));
        p.writeDisplay(u"disp0003.ibw"_qs, displayWithButtons({}), true);
        buildDisplayListCommand(p.wb, true, {}, 1, 5);
        refreshRedirectGrids(p.wb, job, local);
        p.prompter.informed.clear();
    }
    int ix(const QString &text) const { return p.wb.masterList.indexOf(text); }
    QStringList displayMap()
    {
        QStringList out;
        QSqlQuery q(p.pdb.db());
        q.exec(u"SELECT LocalJob, IbexFilename, EFBFilename FROM DisplayMap ORDER BY rowid"_qs);
        while (q.next())
            out << q.value(0).toString() + u',' + q.value(1).toString() + u',' + q.value(2).toString();
        return out;
    }

    test::TestProject p{true};
    QString bt;
    RedirectGrid job{false};
    RedirectGrid local{true};
};

TEST_F(RedirectionTest, OkOnANewDisplayStoresLowerCaseTargetWritesTheRowAndSetsTheFlag)
{
    RedirectEditor e(p.wb);
    ASSERT_EQ(e.setup(job, ix(u"disp0007.ibw"_qs)), 0);
    EXPECT_TRUE(e.newDisplay());
    ASSERT_TRUE(e.okay({u"Alerton"_qs, u"STANDARD"_qs, u"00000012.dsp"_qs}));
    EXPECT_TRUE(finishRedirectEdit(p.wb, job, rrOk, job, local));
    EXPECT_EQ(displayMap(), QStringList{u"0,disp0007.ibw,alerton-standard-00000012.dsp"_qs});
    EXPECT_EQ(job.cell(1, 0), u"File.1"_qs);
    EXPECT_EQ(job.cell(1, 1), u"disp0007.ibw"_qs);
    EXPECT_EQ(job.cell(1, 2), u"alerton-standard-00000012.dsp"_qs);
    EXPECT_EQ(job.cell(1, 4), u"yes"_qs);
    EXPECT_EQ(job.object(1), ix(u"disp0007.ibw"_qs));
    EXPECT_TRUE(p.wb.masterList.isRedirected(ix(u"disp0007.ibw"_qs)));
    EXPECT_TRUE(InventoryTree::drawnRedirected(p.wb.masterList, ix(u"disp0007.ibw"_qs)));
    EXPECT_TRUE(p.prompter.informed.isEmpty());
    EXPECT_EQ(p.wb.log.lines().filter(u"Add/edit button/display redirection entry: disp0007.ibw"_qs).size(), 1);

    // Opened again from the tree, the display edits its row with the boxes filled.
    RedirectEditor again(p.wb);
    ASSERT_TRUE(job.findGridRow(u"disp0007.ibw"_qs));
    ASSERT_EQ(again.setup(job, -1), 0);
    EXPECT_FALSE(again.newDisplay());
    EXPECT_EQ(again.target().rep, u"alerton"_qs);
    EXPECT_EQ(again.target().job, u"standard"_qs);
    EXPECT_EQ(again.target().file, u"00000012.dsp"_qs);
}

TEST_F(RedirectionTest, OkWithAFailedCheckKeepsTheDialogOpenAndStoresNothing)
{
    RedirectEditor e(p.wb);
    ASSERT_EQ(e.setup(job, ix(u"disp0007.ibw"_qs)), 0);
    EXPECT_FALSE(e.okay({u"alerton"_qs, QString(), u"x.dsp"_qs}));
    EXPECT_FALSE(e.okay({u"nosuch"_qs, u"job"_qs, u"x.dsp"_qs}));
    ASSERT_EQ(p.prompter.informed.size(), 2);
    EXPECT_EQ(p.prompter.informed[0], u"Specify both a rep and a job!"_qs);
    EXPECT_EQ(p.prompter.informed[1], u"The rep\\job folder does not exists!\nRep-Job: nosuch\\job\nEFB root path: "_qs
                                          + QDir::toNativeSeparators(p.root() + u"/bt"_qs));
    EXPECT_TRUE(displayMap().isEmpty());
    EXPECT_FALSE(p.wb.masterList.isRedirected(ix(u"disp0007.ibw"_qs)));
    EXPECT_EQ(job.entryCount(), 0);
    // A target file that does not exist yet is stored after a message; the row says "no".
    EXPECT_TRUE(e.okay({u"acme"_qs, u"plaza"_qs, u"00000099.dsp"_qs}));
    EXPECT_EQ(job.cell(1, 4), u"no"_qs);
    EXPECT_EQ(p.prompter.informed.size(), 3);
}

TEST_F(RedirectionTest, SkipThenRemoveOnTheLocalJobGrid)
{
    RedirectEditor e(p.wb);
    ASSERT_EQ(e.setup(local, ix(u">disp0003.ibw"_qs)), 0);
    ASSERT_TRUE(e.skip());
    finishRedirectEdit(p.wb, local, rrSkip, job, local);
    EXPECT_EQ(displayMap(), QStringList{u"1,disp0003.ibw,"_qs});
    EXPECT_EQ(local.cell(1, 2), QString());
    EXPECT_EQ(local.cell(1, 3), u"yes"_qs);
    EXPECT_EQ(p.wb.log.lines().filter(u"Set Skip flag on project display: disp0003.ibw"_qs).size(), 1);

    RedirectEditor edit(p.wb);
    local.selectRow(1);
    ASSERT_EQ(edit.setup(local, -1), 0);
    EXPECT_EQ(edit.target().rep, QString()); // a skip fills no box
    EXPECT_EQ(edit.remove(), rrRemove);
    finishRedirectEdit(p.wb, local, rrRemove, job, local);
    EXPECT_TRUE(displayMap().isEmpty());
    EXPECT_EQ(local.entryCount(), 0);
    EXPECT_EQ(p.wb.masterList.flags(ix(u">disp0003.ibw"_qs)), flLocalJob | flScanned);
}

TEST_F(RedirectionTest, RemoveOfARowDeletedByHandReportsItClearsTheFlagAndEndsAsCancel)
{
    RedirectEditor e(p.wb);
    e.setup(job, ix(u"disp0007.ibw"_qs));
    ASSERT_TRUE(e.skip());
    p.exec(u"DELETE FROM DisplayMap"_qs);
    job.findGridRow(u"disp0007.ibw"_qs);
    RedirectEditor edit(p.wb);
    edit.setup(job, -1);
    EXPECT_EQ(edit.remove(), rrCancel);
    EXPECT_FALSE(finishRedirectEdit(p.wb, job, rrCancel, job, local));
    EXPECT_EQ(p.prompter.informed.last(),
              u"Error in locating the redirect entry. You may need to manually delete it from the "
              "\"displaymap\" database table!"_qs);
    EXPECT_FALSE(p.wb.masterList.isRedirected(ix(u"disp0007.ibw"_qs)));
    EXPECT_EQ(job.entryCount(), 1); // stays until the next rebuild
}

TEST_F(RedirectionTest, FullGridRefusesANewDisplay)
{
    for (int r = 1; r < RedirectGrid::RowCount; ++r)
        job.setEntry(r, 0, QStringLiteral("x%1.ibw").arg(r));
    RedirectEditor e(p.wb);
    EXPECT_EQ(e.setup(job, ix(u"disp0007.ibw"_qs)), rrFull);
    finishRedirectEdit(p.wb, job, rrFull, job, local);
    EXPECT_EQ(p.prompter.informed, QStringList{u"Redirect grid is full!"_qs});
    EXPECT_TRUE(displayMap().isEmpty());
}

TEST_F(RedirectionTest, ClearAllFlagsDeletesTheRowAndRebuildsTheGrids)
{
    ASSERT_TRUE(redirectCommand(p.wb, u"DISP0007.IBW"_qs, false, RedirectAction::Skip));
    refreshRedirectGrids(p.wb, job, local);
    EXPECT_EQ(job.entryCount(), 1);
    clearRedirectFlagsCommand(p.wb, ix(u"disp0007.ibw"_qs), job, local);
    EXPECT_TRUE(displayMap().isEmpty());
    EXPECT_EQ(job.entryCount(), 0);
    EXPECT_FALSE(p.wb.masterList.isRedirected(ix(u"disp0007.ibw"_qs)));
}

TEST_F(RedirectionTest, CommandLineRedirectActsOnTheEntryAndNeverAddsOne)
{
    const int size = p.wb.masterList.size();
    // disp0008 is a missing target the scan listed.
    EXPECT_TRUE(redirectCommand(p.wb, u"disp0008.ibw"_qs, false, RedirectAction::To,
                                RedirectTarget::fromValue(u"alerton-standard-00000012.dsp"_qs)));
    EXPECT_TRUE(p.wb.masterList.isRedirected(ix(u"disp0008.ibw"_qs)));
    EXPECT_TRUE(redirectCommand(p.wb, u"disp0999.ibw"_qs, false, RedirectAction::Skip));
    EXPECT_EQ(p.wb.masterList.size(), size);
    EXPECT_FALSE(redirectCommand(p.wb, u"disp0999.ibw"_qs, true, RedirectAction::Remove));
    EXPECT_TRUE(redirectCommand(p.wb, u"disp0008.ibw"_qs, false, RedirectAction::Remove));
    EXPECT_FALSE(p.wb.masterList.isRedirected(ix(u"disp0008.ibw"_qs)));
    EXPECT_EQ(displayMap(), QStringList{u"0,disp0999.ibw,"_qs});
}

TEST_F(RedirectionTest, TreesShareTheSkeletonAndShowButtonsStatesAndColours)
{
    const InventoryTree rd = InventoryTree::build(InventoryTree::Kind::Redirection, p.wb);
    const InventoryNode &root = rd.node(InventoryTree::rootId);
    EXPECT_EQ(root.text, u"Ibex Project"_qs);
    ASSERT_EQ(root.children.size(), 2u);
    const InventoryNode &jobFolder = rd.node(root.children[0]);
    EXPECT_EQ(jobFolder.text, u"Job Folder"_qs);
    EXPECT_EQ(rd.node(root.children[1]).text, u"LocalJob Folder"_qs);
    const InventoryNode &displays = rd.node(jobFolder.children[0]);
    EXPECT_EQ(displays.text, u"Displays"_qs);
    EXPECT_EQ(displays.data, ndJobGroup);
    EXPECT_EQ(rd.node(jobFolder.children[1]).text, u"Templates"_qs);
    EXPECT_EQ(rd.node(rd.node(root.children[1]).children[0]).data, ndLocalGroup);
    QStringList names;
    for (int id : displays.children)
        names << rd.node(id).text;
    EXPECT_EQ(names, (QStringList{u"disp0001.ibw"_qs, u"disp0007.ibw"_qs, u"disp0008.ibw"_qs}));
    const InventoryNode &first = rd.node(displays.children[0]);
    QStringList buttons;
    for (int id : first.children) {
        buttons << rd.node(id).text;
        EXPECT_EQ(rd.node(id).state, stLink);
        EXPECT_EQ(rd.node(id).level, 4);
    }
    // The missing disp0008 is in the list, so it shows without " <missing>".
    EXPECT_EQ(buttons, (QStringList{u"disp0007.ibw"_qs, u"disp0008.ibw"_qs, u"localjob:disp0003.ibw"_qs}));
    EXPECT_TRUE(InventoryTree::drawnUnscanned(p.wb.masterList, ndHeading));
    EXPECT_FALSE(InventoryTree::drawnUnscanned(p.wb.masterList, -1));

    // The display tree: state 2 where the BACtalk display exists.
    QFile made(bt + u"/displays/00000007.dsp"_qs);
    ASSERT_TRUE(made.open(QIODevice::WriteOnly));
    made.close();
    InventoryTree jt = InventoryTree::build(InventoryTree::Kind::Display, p.wb);
    EXPECT_EQ(jt.node(jt.fileNodeOf(ix(u"disp0007.ibw"_qs))).state, stMade);
    EXPECT_EQ(jt.node(jt.fileNodeOf(ix(u"disp0001.ibw"_qs))).state, stNotMade);
    EXPECT_TRUE(jt.node(jt.fileNodeOf(ix(u"disp0001.ibw"_qs))).children.empty());
    jt.setFileNodeStates(InventoryTree::StateMode::SetAll, p.wb);
    EXPECT_EQ(jt.node(jt.fileNodeOf(ix(u"disp0001.ibw"_qs))).state, stMade);
    jt.setFileNodeStates(InventoryTree::StateMode::FlagExisting, p.wb);
    EXPECT_EQ(jt.node(jt.fileNodeOf(ix(u"disp0001.ibw"_qs))).state, stNotMade);
}

TEST_F(RedirectionTest, ButtonToATargetOutsideTheListShowsMissing)
{
    // A display that was never scanned opens one that is in no folder.
    p.writeDisplay(u"disp0050.ibw"_qs, displayWithButtons({{51, 0}}));
    buildDisplayListCommand(p.wb, true, {}, 1, 5);
    const InventoryTree rd = InventoryTree::build(InventoryTree::Kind::Redirection, p.wb);
    const int node = rd.fileNodeOf(ix(u"disp0050.ibw"_qs));
    ASSERT_GE(node, 0);
    ASSERT_EQ(rd.node(node).children.size(), 1u);
    EXPECT_EQ(rd.node(rd.node(node).children[0]).text, u"disp0051.ibw <missing>"_qs);
    EXPECT_EQ(rd.node(rd.node(node).children[0]).data, -1);
    EXPECT_TRUE(InventoryTree::drawnUnscanned(p.wb.masterList, ix(u"disp0050.ibw"_qs)));
}

} // namespace
