// read-ddc, read-points, export-points and read-cpanels: steps 2, 3 and 4.
#include "CliCommand.h"
#include "commands/CommandSummary.h"

#include "commands/ExportCommands.h"
#include "commands/ReaderCommands.h"
#include "util/Error.h"

namespace vorlix::cli {
namespace {

int report(Context &ctx, const QString &command, const QString &table, const ReadOutcome &r)
{
    if (r.declined) {
        ctx.out << command << ": nothing was read; " << table
                << " is unchanged (the confirmation was answered No, use --yes).\n";
        ctx.out.flush();
        return ExitOk;
    }
    ctx.out << command << ": " << filesReadText(r.filesRead, table) << '\n';
    for (const QString &f : r.missingFiles)
        ctx.out << "Possible missing file: " << f << '\n';
    reportRefused(ctx, r.refusedRows);
    return ExitOk;
}

int runReadDdc(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    const QCommandLineOption lostTux(u"lost-tux"_qs, u"Add Tux with no Cpanel Reference."_qs);
    p.addOption(lostTux);
    parseArgs(p, u"read-ddc"_qs, args, 1, 1);
    Workbench &wb = ctx.openJob(p.positionalArguments().at(0));
    return report(ctx, u"read-ddc"_qs, u"CpanelMap"_qs, readDdcCommand(wb, p.isSet(lostTux), progressFrame(ctx)));
}

int runReadPoints(Context &ctx, const QStringList &args)
{
    Workbench &wb = openOnlyJob(ctx, "read-points", args);
    return report(ctx, u"read-points"_qs, u"IbexPtMap"_qs, readPointsCommand(wb, progressFrame(ctx)));
}

int runReadCpanels(Context &ctx, const QStringList &args)
{
    Workbench &wb = openOnlyJob(ctx, "read-cpanels", args);
    return report(ctx, u"read-cpanels"_qs, u"CpanelNames"_qs, readCpanelsCommand(wb, progressFrame(ctx)));
}

int runExportPoints(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    const QCommandLineOption apexOpt(u"apex"_qs, u"Apex whose points are exported."_qs, u"A"_qs);
    const QCommandLineOption toOpt(u"to"_qs, u"The point database."_qs, u"FILE"_qs);
    p.addOptions({apexOpt, toOpt});
    parseArgs(p, u"export-points"_qs, args, 1, 1);
    if (!p.isSet(apexOpt) || !p.isSet(toOpt))
        throw UsageError{u"export-points needs --apex A and --to FILE"_qs};
    const int apex = intArg(p.value(apexOpt), u"A"_qs);
    Workbench &wb = ctx.openJob(p.positionalArguments().at(0));
    const auto device = findExportDevice(wb.deviceLists, apex);
    if (!device)
        throw Error(QStringLiteral("Apex %1 is not in the export list (it is not mapped). Nothing was written.")
                        .arg(apex));
    ctx.prompter.fileAnswers.push_back(p.value(toOpt));
    exportPointsCommand(wb, *device, progressFrame(ctx));
    return ExitOk;
}

RegisterCommand regDdc("read-ddc", "JOB [--lost-tux]",
                       "step 2: read the control-panel calls of the APEXnn.adc files into CpanelMap", runReadDdc);
RegisterCommand regPoints("read-points", "JOB", "step 3: read PNTSnn.DAT and PDATnn.DAT into IbexPtMap",
                          runReadPoints);
RegisterCommand regExport("export-points", "JOB --apex A --to FILE",
                          "step 3: export an Apex's points into a point database", runExportPoints);
RegisterCommand regCpanels("read-cpanels", "JOB", "step 4: read CNTPnn.DAT into CpanelNames", runReadCpanels);

} // namespace
} // namespace vorlix::cli
