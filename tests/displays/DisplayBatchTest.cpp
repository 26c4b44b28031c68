// Many displays in one go: the same files as one at a time, problems named
// while the batch goes on, and a target written twice seen the second time.
#include "commands/CreateDisplayCommands.h"
#include "commands/TranslateCommands.h"
#include "project/SessionLog.h"
#include "sample/IbexDisplayBuilder.h"
#include "support/CreationHarness.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;
using sample::IbexDisplayBuilder;

namespace {

struct BatchSetup {
    BatchSetup()
    {
        h.project.mapApex(1, u"1"_qs, 1100, 1200);
        h.project.addIbexPoint(1, 5, 2);
    }
    BatchOutcome runAll() { return createAllDisplaysCommand(wb(), jobDisplayFiles(wb())); }
    // One display as "Create BACtalk Display" writes it.
    QByteArray single(const QString &name, bool localJob)
    {
        loadDisplayCommand(wb(), findDisplayFile(wb(), name, localJob));
        const CreationOutcome r = createBtDisplayCommand(wb());
        return r.written ? fileBytes(r.path) : QByteArray();
    }
    Workbench &wb() { return h.project.wb; }
    CreationHarness h;
};

QByteArray textDisplay(const QString &caption)
{
    IbexDisplayBuilder d;
    d.add(ioText).colors(0, 0, 0).caption(caption);
    return d.bytes();
}

QByteArray busyDisplay()
{
    IbexDisplayBuilder d;
    d.description(u"Plant"_qs).size(640, 480);
    d.add(ioRoAnalog).point(1, 0xD00005).f64(96, 1.0).text(88, u"degF"_qs);
    d.add(ioGrStatic).point(1, 0xD00009).bitmap(1, u"fan1.bmp"_qs); // a point without type, a missing bitmap
    d.add(ioBtnDisp).point(0, 2).caption(u"Next"_qs);
    return d.bytes();
}

} // namespace

TEST(DisplayBatch, WritesWhatOneAtATimeWrites)
{
    BatchSetup s;
    s.h.project.writeDisplay(u"disp0001.ibw"_qs, textDisplay(u"One"_qs));
    s.h.project.writeDisplay(u"DISP0002.IBW"_qs, busyDisplay());
    s.h.project.writeDisplay(u"ccpd0001.ibw"_qs, busyDisplay());
    s.h.project.writeDisplay(u"notes.txt"_qs, "not a display");
    s.h.project.vars.localJobDispNum = 1;
    s.h.project.writeDisplay(u"disp0005.ibw"_qs, textDisplay(u"Local"_qs), true);

    const std::vector<BatchDisplay> all = jobDisplayFiles(s.wb());
    ASSERT_EQ(all.size(), 4u);
    EXPECT_TRUE(all[0].path.endsWith(u"/ccpd0001.ibw"_qs));
    EXPECT_TRUE(all[1].path.endsWith(u"/disp0001.ibw"_qs));
    EXPECT_TRUE(all[2].path.endsWith(u"/DISP0002.IBW"_qs));
    EXPECT_TRUE(all[3].path.endsWith(u"/disp0005.ibw"_qs) && all[3].localJob);
    EXPECT_FALSE(all[2].localJob);

    const BatchOutcome out = s.runAll();
    EXPECT_EQ(out.written, 4);
    EXPECT_EQ(out.kept, 0);
    EXPECT_TRUE(out.problems.isEmpty()) << out.problems.join(u'\n').toStdString();
    EXPECT_EQ(out.withTranslationErrors, 2); // the two busy displays
    // The batch tells of translation errors once, not display by display.
    EXPECT_TRUE(s.h.prompter.informed.isEmpty());
    const QString displays = s.h.bactalkJob() + u"/displays/"_qs;
    const QByteArray batch[] = {fileBytes(displays + u"00000001.dvt"_qs), fileBytes(displays + u"00000001.dsp"_qs),
                                fileBytes(displays + u"00000002.dsp"_qs), fileBytes(displays + u"00010005.dsp"_qs)};
    for (const QByteArray &b : batch)
        EXPECT_GT(b.size(), 396);

    // The same displays one at a time, into a BACtalk job of the same name.
    const QString other = s.h.project.root() + u"/other/acme/plaza"_qs;
    ASSERT_TRUE(QDir().mkpath(other));
    s.h.project.vars.bactalkJobPath = other;
    EXPECT_EQ(s.single(u"ccpd0001.ibw"_qs, false), batch[0]);
    EXPECT_EQ(s.single(u"disp0001.ibw"_qs, false), batch[1]);
    EXPECT_EQ(s.single(u"DISP0002.IBW"_qs, false), batch[2]);
    EXPECT_EQ(s.single(u"disp0005.ibw"_qs, true), batch[3]);
    // Alone, a run tells of its translation errors itself.
    EXPECT_FALSE(s.h.prompter.informed.isEmpty());
}

TEST(DisplayBatch, ProblemsAreNamedAndTheOthersAreWritten)
{
    BatchSetup s;
    s.h.project.writeDisplay(u"disp0001.ibw"_qs, textDisplay(u"One"_qs));
    s.h.project.writeDisplay(u"disp0002.ibw"_qs, textDisplay(u"Two"_qs));
    s.h.project.writeDisplay(u"disp0003.ibw"_qs, textDisplay(u"Three"_qs));
    // The second display's file cannot be written: a folder stands in its way.
    ASSERT_TRUE(QDir().mkpath(s.h.bactalkJob() + u"/displays/00000002.dsp"_qs));
    std::vector<BatchDisplay> list = jobDisplayFiles(s.wb());
    list.insert(list.begin() + 1, BatchDisplay{s.h.project.jobFolder() + u"/ldisplay/disp0009.ibw"_qs, false});

    const BatchOutcome out = createAllDisplaysCommand(s.wb(), list);
    EXPECT_EQ(out.written, 2);
    ASSERT_EQ(out.problems.size(), 2);
    EXPECT_TRUE(out.problems[0].contains(u"disp0009.ibw"_qs)) << out.problems[0].toStdString();
    EXPECT_TRUE(out.problems[1].contains(QDir::toNativeSeparators(s.h.bactalkJob() + u"/displays/00000002.dsp"_qs)))
        << out.problems[1].toStdString();
    EXPECT_TRUE(s.h.log.lines().contains(u'\t' + out.problems[1])); // in the log as well
    EXPECT_EQ(fileBytes(s.h.bactalkJob() + u"/displays/00000001.dsp"_qs).mid(394 + 119, 3), QByteArray("One"));
    EXPECT_EQ(fileBytes(s.h.bactalkJob() + u"/displays/00000003.dsp"_qs).mid(394 + 119, 5), QByteArray("Three"));
    // After the batch a creation writes its file before it returns.
    QFile::remove(s.h.bactalkJob() + u"/displays/00000001.dsp"_qs);
    EXPECT_EQ(s.single(u"disp0001.ibw"_qs, false).mid(394 + 119, 3), QByteArray("One"));
}

TEST(DisplayBatch, ATargetWrittenEarlierInTheBatchIsAnExistingFile)
{
    BatchSetup s;
    // Job and local job number their displays alike: both go to 00000001.dsp.
    s.h.project.writeDisplay(u"disp0001.ibw"_qs, textDisplay(u"Job"_qs));
    s.h.project.writeDisplay(u"disp0001.ibw"_qs, textDisplay(u"Local"_qs), true);
    s.h.prompter.pushYesNo(false); // keep the file the batch wrote first

    const BatchOutcome out = s.runAll();
    EXPECT_EQ(out.written, 1);
    EXPECT_EQ(out.kept, 1);
    const QString path = s.h.bactalkJob() + u"/displays/00000001.dsp"_qs;
    ASSERT_EQ(s.h.prompter.asked.size(), 1);
    EXPECT_EQ(s.h.prompter.asked[0], u"File exists! Do you want to overwrite it?\nFile: "_qs + QDir::toNativeSeparators(path));
    EXPECT_EQ(fileBytes(path).mid(394 + 119, 4), QByteArray("Job\0", 4));
}
