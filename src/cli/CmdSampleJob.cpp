// sample-job: writes the bundled synthetic Ibex job and sets it up as a
// project, so every step runs on it with no set-up.
#include "CliCommand.h"

#include "commands/InventoryCommands.h"
#include "sample/SampleJob.h"

#include <QDir>

namespace vorlix::cli {
namespace {

int runSampleJob(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    parseArgs(p, u"sample-job"_qs, args, 1, 1);
    const sample::SampleJobPaths paths = sample::writeSampleJob(p.positionalArguments().at(0));
    Workbench &wb = ctx.openJob(paths.job);
    wb.log.logMsgStart(u"Sample job written: "_qs + QDir::toNativeSeparators(paths.root));
    sample::configureSampleProject(wb, paths);
    // The display list of the sample, scanned from its starting display.
    buildDisplayListCommand(wb, true, progressFrame(ctx));
    ctx.out << "Sample job written to " << QDir::toNativeSeparators(paths.job) << '\n';
    ctx.out << "BACtalk job folder: " << QDir::toNativeSeparators(paths.bactalkJob) << '\n';
    return ExitOk;
}

RegisterCommand reg("sample-job", "DIR", "write the bundled sample Ibex job into DIR/job and DIR/localjob",
                    runSampleJob);

} // namespace
} // namespace vorlix::cli
