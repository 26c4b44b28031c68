// scan: step 5, the display file list built by a full scan.
#include "CliCommand.h"

#include "commands/InventoryCommands.h"
#include "project/Workbench.h"

namespace vorlix::cli {
namespace {

int runScan(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    const QCommandLineOption start(u"start"_qs, u"the starting display number (0 to 9999)"_qs, u"N"_qs);
    const QCommandLineOption depth(u"depth"_qs, u"the scan depth (5 to 20)"_qs, u"N"_qs);
    p.addOptions({start, depth});
    parseArgs(p, u"scan"_qs, args, 1, 1);
    std::optional<int> startNumber, depthLevels;
    if (p.isSet(start)) {
        startNumber = intArg(p.value(start), u"--start"_qs);
        if (*startNumber < 0 || *startNumber > 9999)
            throw UsageError{QStringLiteral("--start must be 0 to 9999, not %1").arg(*startNumber)};
    }
    if (p.isSet(depth)) {
        depthLevels = intArg(p.value(depth), u"--depth"_qs);
        if (*depthLevels < 5 || *depthLevels > 20)
            throw UsageError{QStringLiteral("--depth must be 5 to 20, not %1").arg(*depthLevels)};
    }
    Workbench &wb = ctx.openJob(p.positionalArguments().at(0));
    const BuildOutcome r = buildDisplayListCommand(wb, true, progressFrame(ctx), startNumber, depthLevels);
    const MasterList &list = wb.masterList;
    int scanned = 0;
    for (int i = 0; i < list.size(); ++i)
        scanned += list.isScanned(i) ? 1 : 0;
    if (!r.scan.started)
        ctx.out << "scan: the starting display is not in the job folder; nothing was scanned.\n";
    ctx.out << "scan: " << list.size() << " display(s) in the list, " << scanned << " scanned, "
            << r.scan.missingFiles << " missing.\n";
    if (r.scan.unreadableFiles > 0)
        ctx.out << r.scan.unreadableFiles << " display(s) could not be read; see the session log.\n";
    reportRefused(ctx, wb.pdb.refusedPosts());
    return ExitOk;
}

RegisterCommand reg("scan", "JOB [--start N] [--depth N]",
                    "step 5: scan the display files along their pushbuttons into FileList, Buttons and "
                    "ButtonReport.txt",
                    runScan);

} // namespace
} // namespace vorlix::cli
