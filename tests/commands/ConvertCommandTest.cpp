// convertJobCommand cancelled in the middle of the displays: the stages not
// begun are skipped, what was written is whole, the report is still written.
#include "commands/ConvertCommand.h"

#include "sample/SampleJob.h"
#include "support/WorkbenchProject.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

using namespace vorlix;
using namespace vorlix::test;

TEST(ConvertCommand, CancelStopsAfterTheCurrentDisplayAndSkipsTheRest)
{
    WorkbenchProject project;
    const sample::SampleJobPaths paths = sample::writeSampleJob(project.root() + u"/site"_qs);
    Workbench &wb = project.openJob();
    sample::configureSampleProject(wb, paths);
    project.prompter.pushYesNo(true); // for any question about replacing

    const QString bt = project.root() + u"/out/acme/plaza"_qs;
    ConvertOptions options;
    options.bactalk = bt;
    bool inDisplays = false;
    int displaysStarted = 0;
    options.stageStarted = [&](const QString &stage) { inDisplays = stage == u"create displays"_qs; };
    CommandFrame frame;
    frame.progress.report = [&](int, int, const QString &) { displaysStarted += inDisplays ? 1 : 0; };
    frame.progress.cancelled = [&] { return displaysStarted >= 2; };

    const ConversionReport r = convertJobCommand(wb, options, frame);
    EXPECT_TRUE(r.cancelled);
    int written = 0, cancelled = 0;
    for (const DisplayResult &d : r.displays) {
        if (d.status == DisplayResult::Status::Written) {
            ++written;
            EXPECT_GT(QFileInfo(bt + u"/displays/"_qs + d.bactalk).size(), 0);
        }
        if (d.reason == u"the conversion was cancelled"_qs)
            ++cancelled;
    }
    EXPECT_EQ(written, 2);
    EXPECT_GT(cancelled, 0);
    // Only whole files in the displays folder: the written ones.
    EXPECT_EQ(QDir(bt + u"/displays"_qs).entryList(QDir::Files).size(), written);
    for (const StageResult &s : r.stages) {
        if (s.name == u"write report"_qs || s.name == u"create displays"_qs || s.name.startsWith(u"read"_qs)
            || s.name == u"scan displays"_qs)
            EXPECT_EQ(s.status, StageResult::Status::Ok) << s.name.toStdString();
        else
            EXPECT_EQ(s.status, StageResult::Status::Skipped) << s.name.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(bt + u"/ddc"_qs));
    EXPECT_TRUE(QFileInfo(bt + u"/conversion-report.json"_qs).isFile());
    EXPECT_TRUE(r.needsAHand().first().contains(u"cancelled"_qs));
    EXPECT_FALSE(r.failed());
    // No GUI application here: no thumbnails, and the report says why.
    EXPECT_FALSE(QFileInfo::exists(bt + u"/report"_qs));
    for (const DisplayResult &d : r.displays)
        EXPECT_TRUE(d.thumbnailIbex.isEmpty() && d.thumbnailBactalk.isEmpty());
    EXPECT_TRUE(r.notes.contains(u"The display thumbnails were not drawn: no GUI application could be made for their fonts."_qs));
    EXPECT_FALSE(r.toJson().contains("\"thumbnails\""));
}
