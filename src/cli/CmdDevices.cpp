// Step 10: add-workstation, add-gateways, add-tux, update-tdc, empty-devices
// and merge.
#include "CliCommand.h"
#include "commands/CommandSummary.h"

#include "commands/DeviceCommands.h"

namespace vorlix::cli {
namespace {

int runAddWorkstation(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    parseArgs(p, u"add-workstation"_qs, args, 2, 2);
    const QStringList pos = p.positionalArguments();
    ctx.prompter.textAnswers.push_back(pos[1]);
    addWorkstationCommand(ctx.openJob(pos[0]));
    return ExitOk;
}

int runAddGateways(Context &ctx, const QStringList &args)
{
    Workbench &wb = openOnlyJob(ctx, "add-gateways", args);
    const int n = addGatewaysCommand(wb);
    ctx.out << "add-gateways: " << gatewaysText(n) << '\n';
    reportRefused(ctx, wb.pdb.refusedPosts());
    return ExitOk;
}

int runAddTux(Context &ctx, const QStringList &args)
{
    Workbench &wb = openOnlyJob(ctx, "add-tux", args);
    const TuxBuild n = addTuxCommand(wb);
    ctx.out << "add-tux: " << tuxText(n) << '\n';
    reportRefused(ctx, wb.pdb.refusedPosts());
    return ExitOk;
}

int runUpdateTdc(Context &ctx, const QStringList &args)
{
    updateTdcCommand(openOnlyJob(ctx, "update-tdc", args));
    return ExitOk;
}

int runEmptyDevices(Context &ctx, const QStringList &args)
{
    if (!emptyDevicesCommand(openOnlyJob(ctx, "empty-devices", args)))
        ctx.out << "empty-devices: nothing was done; the device tables are unchanged (the confirmation was "
                   "answered No, use --yes).\n";
    ctx.out.flush();
    return ExitOk;
}

int runMerge(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    const QCommandLineOption devinstOpt(u"devinst"_qs, u"Merge only the rows with these devinst values."_qs,
                                        u"N,N,..."_qs);
    p.addOption(devinstOpt);
    parseArgs(p, u"merge"_qs, args, 2, 2);
    std::optional<QList<int32_t>> selection;
    if (p.isSet(devinstOpt)) {
        selection.emplace();
        for (const QString &value : p.values(devinstOpt))
            for (const QString &n : value.split(u','))
                if (!n.trimmed().isEmpty())
                    selection->append(intArg(n.trimmed(), u"--devinst"_qs));
        // Merging no rows at all is never what was asked for.
        if (selection->isEmpty())
            throw UsageError{u"--devinst takes one or more device instances, as in --devinst 1101,1102"_qs};
    }
    const QStringList pos = p.positionalArguments();
    mergeCommand(ctx.openJob(pos[0]), pos[1], selection);
    return ExitOk;
}

RegisterCommand regAddWorkstation("add-workstation", "JOB DEVID", "step 10: add the operator workstation",
                                  runAddWorkstation);
RegisterCommand regAddGateways("add-gateways", "JOB", "step 10: add a BCM-TUX gateway per trunk", runAddGateways);
RegisterCommand regAddTux("add-tux", "JOB", "step 10: add the Tux controllers", runAddTux);
RegisterCommand regUpdateTdc("update-tdc", "JOB", "step 10: write the Tux DDC program names", runUpdateTdc);
RegisterCommand regEmptyDevices("empty-devices", "JOB", "step 10: empty the device tables", runEmptyDevices);
RegisterCommand regMerge("merge", "JOB DEST [--devinst N,N,...]",
                         "step 10: merge the devices into a BACtalk device database", runMerge);

} // namespace
} // namespace vorlix::cli
