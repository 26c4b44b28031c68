// scripts, tdc-list and tdc-copy: steps 8 and 9.
#include "CliCommand.h"
#include "commands/CommandSummary.h"

#include "commands/DdcCommands.h"
#include "util/Error.h"

#include <QDir>

namespace vorlix::cli {
namespace {

int runScripts(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    const QCommandLineOption apexOpt(u"apex"_qs, u"Apex of the device."_qs, u"A"_qs);
    const QCommandLineOption comOpt(u"com"_qs, u"Com (trunk) of the device."_qs, u"C"_qs);
    const QCommandLineOption outOpt(u"out"_qs, u"File to write the script to."_qs, u"FILE"_qs);
    const QCommandLineOption allOpt(u"all"_qs, u"Every device into the BACtalk job's ddc folder."_qs);
    p.addOptions({apexOpt, comOpt, outOpt, allOpt});
    parseArgs(p, u"scripts"_qs, args, 1, 1);
    const bool one = p.isSet(apexOpt) || p.isSet(comOpt) || p.isSet(outOpt);
    if (p.isSet(allOpt) == one || (one && !(p.isSet(apexOpt) && p.isSet(comOpt) && p.isSet(outOpt))))
        throw UsageError{u"give either --apex A --com C --out FILE, or --all"_qs};
    int apex = 0, com = 0;
    if (one) {
        apex = intArg(p.value(apexOpt), u"A"_qs);
        com = intArg(p.value(comOpt), u"C"_qs);
    }
    Workbench &wb = ctx.openJob(p.positionalArguments().at(0));
    if (p.isSet(allOpt)) {
        const QStringList written = autoGenerateScriptsCommand(wb, progressFrame(ctx));
        ctx.out << "scripts: " << scriptsWrittenText(int(written.size())) << '\n';
        ctx.out.flush();
        return ExitOk;
    }
    const auto device = findScriptDevice(wb.deviceLists, apex, com);
    if (!device)
        throw Error(QStringLiteral("Apex %1, com %2 is not in the script device list (the Apex is not mapped or "
                                   "does not use that com). Nothing was written.").arg(apex).arg(com));
    const QString out = QDir::fromNativeSeparators(p.value(outOpt));
    saveScriptCommand(wb, *device, out);
    ctx.out << "scripts: " << scriptWrittenText(out) << '\n';
    ctx.out.flush();
    return ExitOk;
}

int runTdcList(Context &ctx, const QStringList &args)
{
    Workbench &wb = openOnlyJob(ctx, "tdc-list", args);
    const int rows = createDdcFileListCommand(wb, progressFrame(ctx));
    ctx.out << "tdc-list: " << tdcListText(rows) << '\n';
    reportRefused(ctx, wb.pdb.refusedPosts());
    return ExitOk;
}

int runTdcCopy(Context &ctx, const QStringList &args)
{
    Workbench &wb = openOnlyJob(ctx, "tdc-copy", args);
    const TdcCopyOutcome r = copyTdcFilesCommand(wb, progressFrame(ctx));
    ctx.out << "tdc-copy: " << tdcCopyText(r) << '\n';
    ctx.out.flush();
    if (r.failed > 0)
        throw Error(tdcCopyFailedText(r.failed));
    return ExitOk;
}

RegisterCommand regScripts("scripts", "JOB (--apex A --com C --out FILE | --all)",
                           "step 8: write DDC framework scripts", runScripts);
RegisterCommand regTdcList("tdc-list", "JOB", "step 9: list the Tux DDC files in TdcFiles", runTdcList);
RegisterCommand regTdcCopy("tdc-copy", "JOB", "step 9: copy the listed Tux DDC files into the BACtalk job",
                           runTdcCopy);

} // namespace
} // namespace vorlix::cli
