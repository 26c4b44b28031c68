// The step 5 scan: the listing and its filters, the depth rule, cycles,
// local-job targets, missing files, Buttons and ButtonReport.txt, the
// redirect flags, FileList across closing and opening, and bad input.
#include "support/TestPlatform.h"
#include "support/TestProject.h"

#include "commands/InventoryCommands.h"
#include "commands/OpenCommands.h"
#include "inventory/DisplayScan.h"
#include "sample/IbexDisplayBuilder.h"
#include "util/Error.h"
#include "util/FileUtil.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace vorlix;
using sample::IbexDisplayBuilder;

namespace {

constexpr uint8_t kLocal = 0x40;

struct Btn {
    IbexObject kind;
    int number;     // display number (display buttons) or template number
    int apex = 0;
    int cp = 0;
    uint8_t options = 0;
    uint8_t function = 0;
};

QByteArray display(std::initializer_list<Btn> buttons, int padTo = 0)
{
    IbexDisplayBuilder d;
    d.description(u"test"_qs);
    d.add(ioText).rect(0, 0, 10, 10).caption(u"x"_qs);
    for (const Btn &b : buttons) {
        auto &r = d.add(b.kind).rect(0, 0, 10, 10).options(b.options).kindFlag(b.function);
        if (b.kind == ioBtnDisp)
            r.point(uint8_t(b.apex), uint32_t(b.number));
        else
            r.point(uint8_t(b.apex), uint32_t(b.cp)).u16(ibw::obj::TemplateNumber, uint16_t(b.number));
    }
    QByteArray bytes = d.bytes();
    if (padTo > bytes.size())
        bytes.append(QByteArray(padTo - bytes.size(), '\0'));
    return bytes;
}

class ScanTest : public ::testing::Test {
protected:
    test::TestProject p{true};

    BuildOutcome scan(int start = 1, int depth = 5) { return buildDisplayListCommand(p.wb, true, {}, start, depth); }
    const MasterList &list() const { return p.wb.masterList; }
    uint32_t flagsOf(const QString &text) const { return list().flags(list().indexOf(text)); }
    QByteArray report() const
    {
        QFile f(p.jobFolder() + u"/ButtonReport.txt"_qs);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    QStringList rows(const QString &sql) { return p.rows(sql); }
};

TEST_F(ScanTest, ListingKeepsShortIbwNamesAndTheStartingDisplayAloneHasTheHeaderReport)
{
    p.writeDisplay(u"disp0001.ibw"_qs, display({}));
    p.writeDisplay(u"longname01.ibw"_qs, display({}));
    p.writeDisplay(u"disp0002.bak"_qs, display({}));
    p.writeDisplay(u"CCPD0003.IBW"_qs, display({}));
    const BuildOutcome r = scan();
    EXPECT_TRUE(r.scanned);
    EXPECT_TRUE(r.scan.started);
    ASSERT_EQ(list().size(), 2);
    EXPECT_EQ(list().text(0), u"ccpd0003.ibw"_qs);
    EXPECT_EQ(list().text(1), u"disp0001.ibw"_qs);
    EXPECT_EQ(list().flags(1), flScanned);
    EXPECT_EQ(list().flags(0), 0u);
    EXPECT_EQ(report(), QByteArray("dev-id,tux-addr,disp-file,apex,cp#,localjob,ccpd-file\r\n"
                                   "-----------------------------------------------------\r\n"));
    EXPECT_TRUE(p.prompter.informed.isEmpty());
}

TEST_F(ScanTest, AbsentStartingDisplayScansNothingAndWritesNoReport)
{
    p.writeDisplay(u"disp0001.ibw"_qs, display({{ioBtnDisp, 2}}));
    p.exec(u"INSERT INTO DisplayMap (LocalJob, IbexFilename, EFBFilename) VALUES (0, 'disp0001.ibw', '')"_qs);
    const BuildOutcome r = scan(5);
    EXPECT_FALSE(r.scan.started);
    EXPECT_EQ(list().size(), 1);
    EXPECT_EQ(list().flags(0), 0u); // no scanned flag, no redirect flag
    EXPECT_EQ(report(), QByteArray("<none>"));
    EXPECT_TRUE(p.prompter.informed.isEmpty());
}

TEST_F(ScanTest, DepthLimitMarksTheLastLevelsTargetsWithoutFollowingThem)
{
    // disp0001 -> disp0002 -> ... -> disp0008, one level each.
    for (int n = 1; n <= 8; ++n)
        p.writeDisplay(QString::asprintf("disp%04d.ibw", n), display({{ioBtnDisp, n + 1}}));
    const BuildOutcome r = scan(1, 5);
    EXPECT_EQ(r.scan.parsedDisplays, 5); // levels 1 to 5
    for (int n = 1; n <= 6; ++n)
        EXPECT_TRUE(list().isScanned(list().indexOf(QString::asprintf("disp%04d.ibw", n)))) << n;
    EXPECT_FALSE(list().isScanned(list().indexOf(u"disp0007.ibw"_qs)));
    EXPECT_EQ(r.scan.missingFiles, 0);
    // Depth 6 reaches one level more.
    EXPECT_EQ(scan(1, 6).scan.parsedDisplays, 6);
    EXPECT_TRUE(list().isScanned(list().indexOf(u"disp0007.ibw"_qs)));
}

TEST_F(ScanTest, CycleIsParsedOnceAndNewTargetsAreAppendedInDiscoveryOrder)
{
    p.writeDisplay(u"disp0001.ibw"_qs, display({{ioBtnDisp, 2}, {ioBtnDisp, 9}, {ioBtnDisp, 1}}));
    p.writeDisplay(u"disp0002.ibw"_qs, display({{ioBtnDisp, 1}, {ioBtnDisp, 8}, {ioBtnDisp, 2}}));
    const BuildOutcome r = scan();
    EXPECT_EQ(r.scan.parsedDisplays, 2);
    ASSERT_EQ(list().size(), 4);
    EXPECT_EQ(list().text(2), u"disp0009.ibw"_qs); // found on disp0001 first
    EXPECT_EQ(list().text(3), u"disp0008.ibw"_qs);
    EXPECT_EQ(r.scan.missingFiles, 2);
    EXPECT_EQ(p.prompter.informed, QStringList{missingDisplaysMessage()});
}

TEST_F(ScanTest, TemplateButtonsOpenTemplatesAndFunctionButtonsAreNotFollowed)
{
    p.writeDisplay(u"disp0001.ibw"_qs, display({{ioBtnCP, 3, 1, 12}, {ioBtnDisp, 4, 0, 0, 0, 7}}));
    p.writeDisplay(u"ccpd0003.ibw"_qs, display({{ioBtnDisp, 7}, {ioGrMicroset, 6, 1, 2}}));
    scan();
    EXPECT_EQ(list().indexOf(u"disp0004.ibw"_qs), -1);
    EXPECT_EQ(flagsOf(u"ccpd0007.ibw"_qs), flScanned);
    EXPECT_EQ(flagsOf(u"ccpd0006.ibw"_qs), flScanned);
    EXPECT_EQ(list().indexOf(u"disp0007.ibw"_qs), -1);
}

TEST_F(ScanTest, LocalJobTargetIsLookedForInTheLocalJobAndAMissCountsOnce)
{
    p.writeDisplay(u"disp0001.ibw"_qs, display({{ioBtnCP, 12, 1, 4, kLocal}, {ioBtnDisp, 2}}));
    p.writeDisplay(u"disp0002.ibw"_qs, display({{ioBtnCP, 12, 1, 4, kLocal}, {ioBtnDisp, 10, 0, 0, kLocal}}));
    p.writeDisplay(u"disp0010.ibw"_qs, display({}), true);
    const BuildOutcome r = scan();
    EXPECT_EQ(flagsOf(u">ccpd0012.ibw"_qs), flLocalJob | flScanned);
    EXPECT_EQ(flagsOf(u">disp0010.ibw"_qs), flLocalJob | flScanned);
    EXPECT_EQ(list().indexOf(u"ccpd0012.ibw"_qs), -1);
    EXPECT_EQ(r.scan.missingFiles, 1);
    EXPECT_EQ(r.scan.parsedDisplays, 3);
    const QString expected = QStringLiteral("Missing file %1 [Source: %2]")
                                 .arg(QDir::toNativeSeparators(p.localJobFolder() + u"/ldisplay/ccpd0012.ibw"_qs),
                                      QDir::toNativeSeparators(p.jobFolder() + u"/ldisplay/disp0001.ibw"_qs));
    EXPECT_EQ(p.wb.log.lines().filter(u"Missing file"_qs), QStringList{u"\t"_qs + expected});
}

TEST_F(ScanTest, ButtonsAndReportHoldOneRowPerPanelAndOneLinePerSource)
{
    p.mapApex(1, u"1"_qs, 0, 1200);
    p.addCpanel(1, 1, 12, 1, 3, 500);
    p.addCpanel(1, 2, 13, 1, 4, 600);
    p.addCpanel(1, 3, 14, 1, 5, 0); // called nowhere: no row, no line
    p.writeDisplay(u"disp0001.ibw"_qs, display({{ioBtnCP, 1, 1, 12}, {ioBtnCP, 1, 1, 12}, {ioBtnDisp, 2},
                                                {ioBtnCP, 2, 1, 14}, {ioBtnCP, 5, 2, 12, kLocal}}));
    p.writeDisplay(u"disp0002.ibw"_qs, display({{ioBtnCP, 1, 1, 12}}));
    p.exec(u"INSERT INTO Buttons (Display, LocalJob, Apex, SubStart, SubEnd) VALUES ('old.ibw', 0, 9, 1, 2)"_qs);
    scan();
    EXPECT_EQ(rows(u"SELECT Display, LocalJob, Apex, SubStart, SubEnd FROM Buttons ORDER BY rowid"_qs),
              QStringList{u"ccpd0001.ibw,0,1,500,599"_qs});
    EXPECT_EQ(report(), QByteArray("dev-id,tux-addr,disp-file,apex,cp#,localjob,ccpd-file\r\n"
                                   "-----------------------------------------------------\r\n"
                                   "1203,Tx-1-3,disp0001.ibw,1,12,N,ccpd0001.ibw\r\n"
                                   "1203,Tx-1-3,disp0002.ibw,1,12,N,ccpd0001.ibw\r\n"));
    // Every button still joins the list.
    EXPECT_EQ(flagsOf(u"ccpd0002.ibw"_qs), flScanned);
    EXPECT_EQ(flagsOf(u">ccpd0005.ibw"_qs), flLocalJob | flScanned);
}

TEST_F(ScanTest, UnmappedControllerGivesNotMappedPlusTheAddress)
{
    // A trunk that no ApexMap column holds.
    p.addCpanel(3, 1, 7, 0, 9, 100);
    p.writeDisplay(u"disp0001.ibw"_qs, display({{ioBtnCP, 1, 3, 7}}));
    scan();
    EXPECT_TRUE(report().endsWith("4194313,Tx-0-9,disp0001.ibw,3,7,N,ccpd0001.ibw\r\n")) << report().constData();
}

TEST_F(ScanTest, LockedSubcallerMapKeepsButtonsAndTheReportHasItsHeaderOnly)
{
    p.mapApex(1, u"1"_qs, 0, 1200);
    p.addCpanel(1, 1, 12, 1, 3, 500);
    p.exec(u"INSERT INTO Buttons (Display, LocalJob, Apex, SubStart, SubEnd) VALUES ('old.ibw', 0, 9, 1, 2)"_qs);
    p.vars.lockSubcallerMap = true;
    p.writeDisplay(u"disp0001.ibw"_qs, display({{ioBtnCP, 1, 1, 12}}));
    scan();
    EXPECT_EQ(rows(u"SELECT Display, Apex FROM Buttons"_qs), QStringList{u"old.ibw,9"_qs});
    EXPECT_EQ(report().count('\n'), 2);
}

TEST_F(ScanTest, RedirectFlagsFollowDisplayMapAtTheEndOfAScan)
{
    p.writeDisplay(u"disp0001.ibw"_qs, display({{ioBtnDisp, 2}, {ioBtnDisp, 3, 0, 0, kLocal}}));
    p.writeDisplay(u"disp0002.ibw"_qs, display({}));
    p.exec(u"INSERT INTO DisplayMap (LocalJob, IbexFilename, EFBFilename) VALUES (0, 'DISP0002.IBW', 'a-b-1.dsp')"_qs);
    p.exec(u"INSERT INTO DisplayMap (LocalJob, IbexFilename, EFBFilename) VALUES (1, 'disp0003.ibw', '')"_qs);
    p.exec(u"INSERT INTO DisplayMap (LocalJob, IbexFilename, EFBFilename) VALUES (1, 'disp0001.ibw', '')"_qs);
    scan();
    EXPECT_EQ(flagsOf(u"disp0002.ibw"_qs), flScanned | flRedirected);
    EXPECT_EQ(flagsOf(u">disp0003.ibw"_qs), flLocalJob | flScanned | flRedirected);
    EXPECT_EQ(flagsOf(u"disp0001.ibw"_qs), flScanned); // the local row is another display
}

TEST_F(ScanTest, LargeDisplayIsReadWholeAndFoldersOrFifosNamedIbwAreNeverOpened)
{
    p.writeDisplay(u"disp0001.ibw"_qs, display({{ioBtnDisp, 2}, {ioBtnDisp, 3}, {ioBtnDisp, 4}}, 70000));
    QDir().mkpath(p.jobFolder() + u"/ldisplay/disp0002.ibw"_qs);
    // Where folders hold no FIFOs (Windows) disp0003 is simply missing.
    test::makeFifo(p.jobFolder() + u"/ldisplay/disp0003.ibw"_qs);
    p.writeDisplay(u"disp0004.ibw"_qs, display({{ioBtnDisp, 5}}));
    const BuildOutcome r = scan(); // would hang on the FIFO if it were opened
    EXPECT_EQ(r.scan.parsedDisplays, 2);
    EXPECT_EQ(r.scan.missingFiles, 3); // the folder, the FIFO and disp0005
    EXPECT_EQ(flagsOf(u"disp0005.ibw"_qs), flScanned);
}

TEST_F(ScanTest, UnreadableDisplayIsLoggedAndTheScanGoesOn)
{
    p.writeDisplay(u"disp0001.ibw"_qs, display({{ioBtnDisp, 2}, {ioBtnDisp, 3}}));
    const QString locked = p.writeDisplay(u"disp0002.ibw"_qs, display({}));
    p.writeDisplay(u"disp0003.ibw"_qs, display({}));
    QFile::setPermissions(locked, QFileDevice::Permissions());
    if (QFile(locked).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that read any file";
    const BuildOutcome r = scan();
    EXPECT_EQ(r.scan.unreadableFiles, 1);
    EXPECT_EQ(r.scan.parsedDisplays, 2);
    EXPECT_EQ(p.wb.log.lines().filter(u"disp0002.ibw"_qs).size(), 1);
}

TEST_F(ScanTest, FileListKeepsEntriesAndFlagsAcrossClosingAndOpening)
{
    p.writeDisplay(u"disp0001.ibw"_qs, display({{ioBtnDisp, 2, 0, 0, kLocal}, {ioBtnDisp, 9}}));
    scan();
    p.wb.masterList.setFlag(0, flRedirected); // as the redirect dialog does
    const auto before = list().entries();
    EXPECT_EQ(rows(u"SELECT LocalJob, Filename, Flags FROM FileList ORDER BY rowid"_qs),
              (QStringList{u"0,disp0001.ibw,8"_qs, u"1,disp0002.ibw,12"_qs, u"0,disp0009.ibw,8"_qs}));
    p.wb.closeProject();
    EXPECT_TRUE(list().isEmpty());
    // Reopened: the list comes from FileList, not from the folder.
    p.writeDisplay(u"disp0005.ibw"_qs, display({}));
    openProjectCommand(p.wb, p.jobFolder());
    ASSERT_EQ(list().size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list().text(i), before[size_t(i)].text);
        EXPECT_EQ(list().flags(i), before[size_t(i)].flags);
    }
    EXPECT_EQ(list().flags(0), flScanned | flRedirected);
}

TEST_F(ScanTest, ListIsLeftToBeSavedWhenItsTransactionFailsToCommit)
{
    p.writeDisplay(u"disp0001.ibw"_qs, display({{ioBtnDisp, 2}}));
    // A commit the database refuses: every new FileList row breaks a deferred constraint.
    p.exec(u"PRAGMA foreign_keys = ON"_qs);
    p.exec(u"CREATE TABLE Parent (Id INTEGER PRIMARY KEY)"_qs);
    p.exec(u"CREATE TABLE Child (ParentId INTEGER REFERENCES Parent (Id) DEFERRABLE INITIALLY DEFERRED)"_qs);
    p.exec(u"CREATE TRIGGER BreakCommit AFTER INSERT ON FileList BEGIN INSERT INTO Child VALUES (1); END"_qs);
    EXPECT_THROW(scan(), Error);
    ASSERT_EQ(list().size(), 2);
    EXPECT_EQ(rows(u"SELECT COUNT(*) FROM FileList"_qs), QStringList{u"0"_qs});
    p.exec(u"DROP TRIGGER BreakCommit"_qs);
    // Closing the project saves the list: it is written now.
    p.wb.masterList.save(p.pdb);
    EXPECT_EQ(rows(u"SELECT COUNT(*) FROM FileList"_qs), QStringList{u"2"_qs});
}

TEST_F(ScanTest, CancelledScanKeepsWhatItFoundAndStillWritesTheReport)
{
    p.writeDisplay(u"disp0001.ibw"_qs, display({{ioBtnDisp, 2}, {ioBtnDisp, 3}}));
    p.writeDisplay(u"disp0002.ibw"_qs, display({{ioBtnDisp, 4}}));
    int polls = 0;
    CommandFrame frame;
    // Cancelled as disp0002 is about to be read.
    frame.progress.cancelled = [&] { return ++polls > 4; };
    const BuildOutcome r = buildDisplayListCommand(p.wb, true, frame, 1, 5);
    EXPECT_TRUE(r.scan.cancelled);
    EXPECT_EQ(list().indexOf(u"disp0004.ibw"_qs), -1); // disp0002 was never parsed
    EXPECT_TRUE(list().isScanned(list().indexOf(u"disp0003.ibw"_qs)));
    EXPECT_NE(report(), QByteArray("<none>"));
    EXPECT_EQ(rows(u"SELECT COUNT(*) FROM FileList"_qs), QStringList{QString::number(list().size())});
}

TEST_F(ScanTest, MasterListLookupsIgnoreCaseAndFlagsOutsideTheListAreUnset)
{
    MasterList l;
    EXPECT_EQ(l.append(u"DISP0001.IBW"_qs, flScanned), 0);
    EXPECT_EQ(l.append(u">ccpd0002.ibw"_qs, flLocalJob | flRedirected | 2), 1);
    EXPECT_EQ(l.indexOf(u"disp0001.ibw"_qs), 0);
    EXPECT_EQ(l.indexOf(u"CCPD0002.IBW"_qs, true), 1);
    EXPECT_EQ(l.indexOf(u"ccpd0002.ibw"_qs, false), -1);
    EXPECT_EQ(l.entryName(1), u"ccpd0002.ibw"_qs);
    EXPECT_EQ(l.entryName(7), QString());
    EXPECT_FALSE(l.hasFlag(-1, flScanned));
    l.clearRedirect(1);
    EXPECT_EQ(l.flags(1), flLocalJob);
}

} // namespace
