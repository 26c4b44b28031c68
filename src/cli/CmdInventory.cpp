// scan and redirect: step 5, the display file list built by a full scan, and
// step 6, the redirect and skip decisions.
#include "CliCommand.h"
#include "commands/CommandSummary.h"

#include "commands/InventoryCommands.h"
#include "commands/RedirectCommands.h"
#include "project/Workbench.h"
#include "util/FileUtil.h"

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
    if (!r.scan.started)
        ctx.out << "scan: the starting display is not in the job folder; nothing was scanned.\n";
    ctx.out << "scan: " << scanCountsText(wb.masterList, r.scan) << '\n';
    if (r.scan.unreadableFiles > 0)
        ctx.out << unreadableDisplaysText(r.scan.unreadableFiles, LogPlace::SessionLog) << '\n';
    reportRefused(ctx, wb.pdb.refusedPosts());
    return ExitOk;
}

// --to's REP-JOB-FILE, lower-cased; a usage error unless it names a rep, a
// job and a file that are plain names.
RedirectTarget targetArg(const QString &given)
{
    const QString target = given.trimmed().toLower();
    const QStringList parts = target.split(u'-');
    if (parts.size() < 3 || parts[0].isEmpty() || parts[1].isEmpty() || parts.mid(2).join(u'-').isEmpty())
        throw UsageError{QStringLiteral("--to takes rep-job-file, not \"%1\"").arg(given)};
    for (const QString &part : {parts[0], parts[1], parts.mid(2).join(u'-')})
        if (!isPlainFileName(part))
            throw UsageError{QStringLiteral("\"%1\" is not a plain folder or file name").arg(part)};
    return RedirectTarget::fromValue(target);
}

int runRedirect(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    const QCommandLineOption local(u"local"_qs, u"the display lies in the local job"_qs);
    const QCommandLineOption to(u"to"_qs, u"redirect to the BACtalk display rep-job-file"_qs, u"REP-JOB-FILE"_qs);
    const QCommandLineOption skip(u"skip"_qs, u"make no BACtalk display for it"_qs);
    const QCommandLineOption remove(u"remove"_qs, u"remove the redirect or skip"_qs);
    p.addOptions({local, to, skip, remove});
    parseArgs(p, u"redirect"_qs, args, 2, 2);
    if (int(p.isSet(to)) + int(p.isSet(skip)) + int(p.isSet(remove)) != 1)
        throw UsageError{u"give exactly one of --to, --skip and --remove"_qs};
    const QStringList pos = p.positionalArguments();
    RedirectRequest request{pos[1], p.isSet(local), RedirectAction::Remove, {}, nullptr};
    if (p.isSet(to)) {
        request.action = RedirectAction::Redirect;
        request.target = targetArg(p.value(to));
    } else if (p.isSet(skip)) {
        request.action = RedirectAction::Skip;
    }
    if (!isPlainFileName(pos[1]))
        throw UsageError{QStringLiteral("FILE must be a display file name, not \"%1\"").arg(pos[1])};
    return redirectCommand(ctx.openJob(pos[0]), request) == RedirectStatus::Done ? ExitOk : ExitFailed;
}

RegisterCommand reg("scan", "JOB [--start N] [--depth N]",
                    "step 5: scan the display files along their pushbuttons into FileList, Buttons and "
                    "ButtonReport.txt",
                    runScan);
RegisterCommand regRedirect("redirect", "JOB FILE [--local] (--to REP-JOB-FILE | --skip | --remove)",
                            "step 6: redirect or skip a display, or remove that decision", runRedirect);

} // namespace
} // namespace vorlix::cli
