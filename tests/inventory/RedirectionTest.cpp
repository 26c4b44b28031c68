// Step 6 and the explorer trees: the redirect command's Redirect, Skip and
// Remove on a new and a listed display, its refusals, a full list, the list
// rebuild, "Clear all flags", and the two trees over the master list.
#include "support/TestProject.h"

#include "commands/InventoryCommands.h"
#include "commands/RedirectCommands.h"
#include "inventory/InventoryTree.h"
#include "sample/IbexDisplayBuilder.h"

#include <QDir>
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
        refreshRedirectLists(p.wb, job, local);
        p.prompter.informed.clear();
    }
    int ix(const QString &text) const { return p.wb.masterList.indexOf(text); }
    QStringList displayMap()
    {
        return p.rows(u"SELECT LocalJob, IbexFilename, EFBFilename FROM DisplayMap ORDER BY rowid"_qs);
    }
    // The command as the dialog runs it on `list`.
    RedirectStatus dialog(RedirectList &list, const QString &name, RedirectAction action, RedirectTarget target = {})
    {
        return redirectCommand(p.wb, {name, list.localJob(), action, target, &list});
    }
    // The command as the command line runs it: no list.
    RedirectStatus cli(const QString &name, bool localJob, RedirectAction action, RedirectTarget target = {})
    {
        return redirectCommand(p.wb, {name, localJob, action, target, nullptr});
    }
    int logged(const QString &line) const { return int(p.wb.log.lines().filter(line).size()); }

    test::TestProject p{true};
    QString bt;
    RedirectList job{false};
    RedirectList local{true};
};

TEST_F(RedirectionTest, RedirectOnANewDisplayStoresLowerCaseTargetListsItAndSetsTheFlag)
{
    const std::optional<RedirectEdit> edit = redirectEditFor(p.wb, job, ix(u"disp0007.ibw"_qs));
    ASSERT_TRUE(edit);
    EXPECT_TRUE(edit->newDisplay);
    EXPECT_EQ(edit->ibexName, u"disp0007.ibw"_qs);
    const RedirectTarget mixedCase{u"Alerton"_qs, u"STANDARD"_qs, u"00000012.dsp"_qs};
    EXPECT_EQ(dialog(job, edit->ibexName, RedirectAction::Redirect, mixedCase), RedirectStatus::Done);
    EXPECT_EQ(displayMap(), QStringList{u"0,disp0007.ibw,alerton-standard-00000012.dsp"_qs});
    ASSERT_EQ(job.size(), 1);
    EXPECT_EQ(job.at(0).ibexName, u"disp0007.ibw"_qs);
    EXPECT_EQ(job.at(0).target, u"alerton-standard-00000012.dsp"_qs);
    EXPECT_EQ(job.at(0).fileExists, std::optional<bool>(true));
    EXPECT_EQ(job.at(0).index, ix(u"disp0007.ibw"_qs));
    EXPECT_TRUE(p.wb.masterList.isRedirected(ix(u"disp0007.ibw"_qs)));
    EXPECT_TRUE(InventoryTree::drawnRedirected(p.wb.masterList, ix(u"disp0007.ibw"_qs)));
    EXPECT_TRUE(p.prompter.informed.isEmpty());
    EXPECT_EQ(logged(u"Add/edit button/display redirection entry: disp0007.ibw"_qs), 1);

    // Opened again from the tree, the display edits its row with the boxes filled.
    const std::optional<RedirectEdit> again = redirectEditFor(p.wb, job, ix(u"disp0007.ibw"_qs));
    ASSERT_TRUE(again);
    EXPECT_FALSE(again->newDisplay);
    EXPECT_EQ(again->target.rep, u"alerton"_qs);
    EXPECT_EQ(again->target.job, u"standard"_qs);
    EXPECT_EQ(again->target.file, u"00000012.dsp"_qs);
    // The rebuild finds the same entry.
    refreshRedirectLists(p.wb, job, local);
    ASSERT_EQ(job.size(), 1);
    EXPECT_EQ(job.at(0).target, u"alerton-standard-00000012.dsp"_qs);
}

TEST_F(RedirectionTest, RedirectWithAFailedCheckStoresNothingAndSaysWhy)
{
    const QString name = u"disp0007.ibw"_qs;
    EXPECT_EQ(dialog(job, name, RedirectAction::Redirect, {u"alerton"_qs, QString(), u"x.dsp"_qs}),
              RedirectStatus::Refused);
    EXPECT_EQ(dialog(job, name, RedirectAction::Redirect, {u"nosuch"_qs, u"job"_qs, u"x.dsp"_qs}),
              RedirectStatus::Refused);
    ASSERT_EQ(p.prompter.informed.size(), 2);
    EXPECT_EQ(p.prompter.informed[0], u"Specify both a rep and a job!"_qs);
    EXPECT_EQ(p.prompter.informed[1], u"The rep\\job folder does not exists!\nRep-Job: nosuch\\job\nEFB root path: "_qs
                                          + QDir::toNativeSeparators(p.root() + u"/bt"_qs));
    EXPECT_TRUE(displayMap().isEmpty());
    EXPECT_FALSE(p.wb.masterList.isRedirected(ix(name)));
    EXPECT_EQ(job.size(), 0);
    EXPECT_EQ(logged(u"redirection entry"_qs), 0);
    // A target file that does not exist yet is stored after a message; the row says "no".
    EXPECT_EQ(dialog(job, name, RedirectAction::Redirect, {u"acme"_qs, u"plaza"_qs, u"00000099.dsp"_qs}),
              RedirectStatus::Done);
    ASSERT_EQ(job.size(), 1);
    EXPECT_EQ(job.at(0).fileExists, std::optional<bool>(false));
    EXPECT_EQ(p.prompter.informed.size(), 3);
}

TEST_F(RedirectionTest, SkipThenRemoveOnTheLocalJobList)
{
    ASSERT_EQ(dialog(local, u"disp0003.ibw"_qs, RedirectAction::Skip), RedirectStatus::Done);
    EXPECT_EQ(displayMap(), QStringList{u"1,disp0003.ibw,"_qs});
    ASSERT_EQ(local.size(), 1);
    EXPECT_TRUE(local.at(0).isSkip());
    EXPECT_FALSE(local.at(0).fileExists);
    EXPECT_EQ(job.size(), 0);
    EXPECT_EQ(logged(u"Set Skip flag on project display: disp0003.ibw"_qs), 1);

    const std::optional<RedirectEdit> edit = redirectEditFor(p.wb, local, ix(u">disp0003.ibw"_qs));
    ASSERT_TRUE(edit);
    EXPECT_FALSE(edit->newDisplay);
    EXPECT_EQ(edit->target.rep, QString()); // a skip fills no box
    EXPECT_EQ(dialog(local, edit->ibexName, RedirectAction::Remove), RedirectStatus::Done);
    EXPECT_EQ(logged(u"Removed button/display redirection entry: disp0003.ibw"_qs), 1);
    refreshRedirectLists(p.wb, job, local);
    EXPECT_TRUE(displayMap().isEmpty());
    EXPECT_EQ(local.size(), 0);
    EXPECT_EQ(p.wb.masterList.flags(ix(u">disp0003.ibw"_qs)), flLocalJob | flScanned);
}

TEST_F(RedirectionTest, SameNameInTheJobAndTheLocalJobAreTwoEntries)
{
    p.writeDisplay(u"disp0007.ibw"_qs, displayWithButtons({}), true);
    p.writeDisplay(u"disp0001.ibw"_qs, displayWithButtons({{7, 0}, {7, 0x40}}));
    buildDisplayListCommand(p.wb, true, {}, 1, 5);
    ASSERT_GE(ix(u">disp0007.ibw"_qs), 0);
    ASSERT_EQ(dialog(job, u"disp0007.ibw"_qs, RedirectAction::Skip), RedirectStatus::Done);
    ASSERT_EQ(dialog(local, u"disp0007.ibw"_qs, RedirectAction::Redirect,
                     {u"alerton"_qs, u"standard"_qs, u"00000012.dsp"_qs}),
              RedirectStatus::Done);
    EXPECT_EQ(displayMap(),
              (QStringList{u"0,disp0007.ibw,"_qs, u"1,disp0007.ibw,alerton-standard-00000012.dsp"_qs}));
    refreshRedirectLists(p.wb, job, local);
    ASSERT_EQ(job.size(), 1);
    ASSERT_EQ(local.size(), 1);
    EXPECT_TRUE(job.at(0).isSkip());
    EXPECT_EQ(local.at(0).index, ix(u">disp0007.ibw"_qs));
    // Removing one leaves the other.
    ASSERT_EQ(dialog(job, u"disp0007.ibw"_qs, RedirectAction::Remove), RedirectStatus::Done);
    EXPECT_TRUE(p.wb.masterList.isRedirected(ix(u">disp0007.ibw"_qs)));
    EXPECT_FALSE(p.wb.masterList.isRedirected(ix(u"disp0007.ibw"_qs)));
    EXPECT_EQ(displayMap(), QStringList{u"1,disp0007.ibw,alerton-standard-00000012.dsp"_qs});
}

TEST_F(RedirectionTest, RemoveOfARowDeletedByHandReportsItClearsTheFlagAndLogsNothing)
{
    ASSERT_EQ(dialog(job, u"disp0007.ibw"_qs, RedirectAction::Skip), RedirectStatus::Done);
    p.exec(u"DELETE FROM DisplayMap"_qs);
    const std::optional<RedirectEdit> edit = redirectEditFor(p.wb, job, ix(u"disp0007.ibw"_qs));
    ASSERT_TRUE(edit);
    EXPECT_FALSE(edit->newDisplay); // listed: there is something to remove
    EXPECT_EQ(dialog(job, edit->ibexName, RedirectAction::Remove), RedirectStatus::NotFound);
    EXPECT_EQ(p.prompter.informed.last(),
              u"Error in locating the redirect entry. You may need to manually delete it from the "
              "\"displaymap\" database table!"_qs);
    EXPECT_FALSE(p.wb.masterList.isRedirected(ix(u"disp0007.ibw"_qs)));
    EXPECT_EQ(logged(u"Removed button/display"_qs), 0);
    EXPECT_EQ(job.size(), 1); // stays until the next rebuild
}

TEST_F(RedirectionTest, AFullListRefusesANewDisplayAndStoresNothing)
{
    ASSERT_EQ(dialog(job, u"disp0001.ibw"_qs, RedirectAction::Skip), RedirectStatus::Done);
    for (int i = 2; i <= RedirectList::MaxEntries; ++i)
        ASSERT_TRUE(job.put({-1, QStringLiteral("x%1.ibw").arg(i), false, QString(), std::nullopt}));
    EXPECT_FALSE(job.put({-1, u"one-more.ibw"_qs, false, QString(), std::nullopt}));
    EXPECT_FALSE(redirectEditFor(p.wb, job, ix(u"disp0007.ibw"_qs)));
    EXPECT_EQ(p.prompter.informed, QStringList{u"Redirect grid is full!"_qs});
    // The command refuses it too, before storing anything.
    EXPECT_EQ(dialog(job, u"disp0007.ibw"_qs, RedirectAction::Skip), RedirectStatus::Refused);
    EXPECT_EQ(p.prompter.informed.size(), 2);
    EXPECT_EQ(displayMap(), QStringList{u"0,disp0001.ibw,"_qs});
    EXPECT_FALSE(p.wb.masterList.isRedirected(ix(u"disp0007.ibw"_qs)));
    // A listed display is still edited.
    ASSERT_TRUE(redirectEditFor(p.wb, job, ix(u"disp0001.ibw"_qs)));
    EXPECT_EQ(dialog(job, u"disp0001.ibw"_qs, RedirectAction::Redirect, {u"acme"_qs, u"plaza"_qs, u"1.dsp"_qs}),
              RedirectStatus::Done);
    EXPECT_EQ(job.size(), RedirectList::MaxEntries);
    EXPECT_EQ(job.at(0).target, u"acme-plaza-1.dsp"_qs);

    // A rebuild lists 249 entries at the most.
    p.exec(u"BEGIN"_qs);
    for (int i = 1; i <= 260; ++i) {
        const QString name = QStringLiteral("disp%1.ibw").arg(1000 + i);
        p.wb.masterList.append(name, flScanned);
        p.exec(QStringLiteral("INSERT INTO DisplayMap (LocalJob, IbexFilename, EFBFilename) VALUES (0, '%1', '')")
                   .arg(name));
    }
    p.exec(u"COMMIT"_qs);
    job.rebuild(p.wb);
    EXPECT_EQ(job.size(), RedirectList::MaxEntries);
}

TEST_F(RedirectionTest, RefusedWritesChangeNeitherTheListNorTheFlag)
{
    ASSERT_EQ(dialog(job, u"disp0007.ibw"_qs, RedirectAction::Skip), RedirectStatus::Done);
    p.prompter.informed.clear();
    p.exec(u"CREATE TRIGGER Refuse BEFORE UPDATE ON DisplayMap BEGIN SELECT RAISE(ABORT, 'refused'); END"_qs);
    EXPECT_EQ(dialog(job, u"disp0007.ibw"_qs, RedirectAction::Redirect,
                     {u"alerton"_qs, u"standard"_qs, u"00000012.dsp"_qs}),
              RedirectStatus::Refused);
    p.exec(u"DROP TRIGGER Refuse"_qs);
    p.exec(u"CREATE TRIGGER Refuse BEFORE DELETE ON DisplayMap BEGIN SELECT RAISE(ABORT, 'refused'); END"_qs);
    EXPECT_EQ(dialog(job, u"disp0007.ibw"_qs, RedirectAction::Remove), RedirectStatus::Refused);
    clearRedirectFlagsCommand(p.wb, ix(u"disp0007.ibw"_qs), job, local);
    EXPECT_EQ(p.prompter.informed, QStringList(3, u"Could not set value in database!"_qs));
    EXPECT_EQ(displayMap(), QStringList{u"0,disp0007.ibw,"_qs});
    ASSERT_EQ(job.size(), 1);
    EXPECT_TRUE(job.at(0).isSkip());
    EXPECT_TRUE(p.wb.masterList.isRedirected(ix(u"disp0007.ibw"_qs)));
    EXPECT_EQ(logged(u"redirection entry"_qs), 0);
}

TEST_F(RedirectionTest, ClearAllFlagsDeletesTheRowAndRebuildsTheLists)
{
    ASSERT_EQ(cli(u"DISP0007.IBW"_qs, false, RedirectAction::Skip), RedirectStatus::Done);
    refreshRedirectLists(p.wb, job, local);
    EXPECT_EQ(job.size(), 1);
    clearRedirectFlagsCommand(p.wb, ix(u"disp0007.ibw"_qs), job, local);
    EXPECT_TRUE(displayMap().isEmpty());
    EXPECT_EQ(job.size(), 0);
    EXPECT_FALSE(p.wb.masterList.isRedirected(ix(u"disp0007.ibw"_qs)));

    // On a listed display whose row was deleted by hand: told, and rebuilt at once.
    ASSERT_EQ(cli(u"disp0007.ibw"_qs, false, RedirectAction::Skip), RedirectStatus::Done);
    refreshRedirectLists(p.wb, job, local);
    p.exec(u"DELETE FROM DisplayMap"_qs);
    clearRedirectFlagsCommand(p.wb, ix(u"disp0007.ibw"_qs), job, local);
    EXPECT_EQ(p.prompter.informed.size(), 1);
    EXPECT_EQ(job.size(), 0);
    EXPECT_FALSE(p.wb.masterList.isRedirected(ix(u"disp0007.ibw"_qs)));
}

TEST_F(RedirectionTest, CommandLineRedirectActsOnTheEntryAndNeverAddsOne)
{
    const int size = p.wb.masterList.size();
    // disp0008 is a missing target the scan listed.
    EXPECT_EQ(cli(u"disp0008.ibw"_qs, false, RedirectAction::Redirect,
                  RedirectTarget::fromValue(u"alerton-standard-00000012.dsp"_qs)),
              RedirectStatus::Done);
    EXPECT_TRUE(p.wb.masterList.isRedirected(ix(u"disp0008.ibw"_qs)));
    EXPECT_EQ(cli(u"disp0999.ibw"_qs, false, RedirectAction::Skip), RedirectStatus::Done);
    EXPECT_EQ(p.wb.masterList.size(), size);
    EXPECT_EQ(cli(u"disp0999.ibw"_qs, true, RedirectAction::Remove), RedirectStatus::NotFound);
    EXPECT_EQ(cli(u"disp0008.ibw"_qs, false, RedirectAction::Remove), RedirectStatus::Done);
    EXPECT_FALSE(p.wb.masterList.isRedirected(ix(u"disp0008.ibw"_qs)));
    EXPECT_EQ(displayMap(), QStringList{u"0,disp0999.ibw,"_qs});
}

TEST_F(RedirectionTest, BrowseCutsRepJobAndFileFromTheChosenPath)
{
    const RedirectTarget t =
        RedirectTarget::fromPath(p.root() + u"/bt/alerton/standard/displays/00000012.dsp"_qs);
    EXPECT_EQ(t.rep, u"alerton"_qs);
    EXPECT_EQ(t.job, u"standard"_qs);
    EXPECT_EQ(t.file, u"00000012.dsp"_qs);
    // The file dialog starts at the target file when it exists, else at the BACtalk job folder.
    EXPECT_EQ(QDir::fromNativeSeparators(t.browseStart(p.vars.bactalkJobPath)),
              p.root() + u"/bt/alerton/standard/displays/00000012.dsp"_qs);
    const RedirectTarget none{u"alerton"_qs, u"standard"_qs, u"none.dsp"_qs};
    EXPECT_EQ(none.browseStart(p.vars.bactalkJobPath), p.vars.bactalkJobPath);
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
    // ...but it is marked missing, as a display and as a pushbutton's target;
    // the displays whose files exist are not.
    std::vector<bool> linkMissing;
    for (int id : first.children)
        linkMissing.push_back(rd.node(id).missing);
    EXPECT_EQ(linkMissing, (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(first.missing);
    EXPECT_TRUE(rd.node(rd.fileNodeOf(ix(u"disp0008.ibw"_qs))).missing);
    EXPECT_FALSE(rd.node(rd.fileNodeOf(ix(u"disp0007.ibw"_qs))).missing);
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
    EXPECT_TRUE(jt.node(jt.fileNodeOf(ix(u"disp0008.ibw"_qs))).missing);
    EXPECT_FALSE(jt.node(jt.fileNodeOf(ix(u"disp0001.ibw"_qs))).missing);
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
    EXPECT_TRUE(rd.node(rd.node(node).children[0]).missing);
    EXPECT_TRUE(InventoryTree::drawnUnscanned(p.wb.masterList, ix(u"disp0050.ibw"_qs)));
}

} // namespace
