// create-display and dump-display: write the BACtalk display of an Ibex
// display, or of every display of the job (step 7), and list a written
// BACtalk display field by field.
#include "CliCommand.h"
#include "commands/CommandSummary.h"

#include "bactalk/BtDisplayDump.h"
#include "commands/CreateDisplayCommands.h"
#include "commands/TranslateCommands.h"
#include "util/Error.h"
#include "util/FileUtil.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix::cli {
namespace {

// Every display of the job and of its local job, one after another.
int createAll(Context &ctx, const QString &job)
{
    Workbench &wb = ctx.openJob(job);
    wb.requireDatabase();
    const std::vector<BatchDisplay> displays = jobDisplayFiles(wb);
    const BatchOutcome r = createAllDisplaysCommand(wb, displays);
    ctx.out << "Displays written: " << r.written << " of " << displays.size();
    if (r.kept > 0)
        ctx.out << " (" << r.kept << " existing files kept: the confirmation was answered No, use --yes)";
    ctx.out << '\n';
    if (r.withTranslationErrors > 0)
        ctx.prompter.inform(translationErrorsMessage() + QStringLiteral(" (%1 displays)").arg(r.withTranslationErrors));
    for (const QString &problem : r.problems)
        ctx.err << problem << '\n';
    return r.problems.isEmpty() ? ExitOk : ExitFailed;
}

int runCreateDisplay(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    p.addOption(QCommandLineOption(u"local"_qs, u"the display lies in the local job"_qs));
    p.addOption(QCommandLineOption(u"row"_qs, u"single-row mode on grid row N"_qs, u"N"_qs));
    p.addOption(QCommandLineOption(u"all"_qs, u"every display of the job and of its local job"_qs));
    parseArgs(p, u"create-display"_qs, args, 1, 2);
    const QStringList pos = p.positionalArguments();
    if (p.isSet(u"all"_qs)) {
        if (pos.size() != 1 || p.isSet(u"local"_qs) || p.isSet(u"row"_qs))
            throw UsageError{u"create-display JOB --all takes no FILE, --local or --row"_qs};
        return createAll(ctx, pos[0]);
    }
    if (pos.size() != 2)
        throw UsageError{u"create-display needs JOB and FILE (or JOB --all)"_qs};
    const bool local = p.isSet(u"local"_qs);
    int row = -1;
    if (p.isSet(u"row"_qs)) {
        row = intArg(p.value(u"row"_qs), u"N"_qs);
        if (row < 1)
            throw UsageError{u"--row takes a grid row from 1 on (row 1 is the header)"_qs};
    }
    if (!isPlainFileName(pos[1]))
        throw UsageError{QStringLiteral("FILE is a display file name, not \"%1\"").arg(pos[1])};

    Workbench &wb = ctx.openJob(pos[0]);
    wb.requireDatabase();
    loadDisplayCommand(wb, findDisplayFile(wb, pos[1], local));
    // Grid row N is row N - 1 of the translation (row 1 is the header).
    const CreationOutcome r = createBtDisplayCommand(wb, row < 0 ? -1 : row - 1);
    if (!r.damage.isEmpty())
        ctx.err << r.damage << Qt::endl;
    if (r.written) {
        ctx.out << "Display written: " << displayWrittenText(r) << '\n';
        // Written without the objects past the damage: not a success.
        return r.damage.isEmpty() ? ExitOk : ExitFailed;
    }
    if (r.kept) {
        if (!r.damage.isEmpty()) {
            ctx.err << "Nothing written: the existing file was kept: " << QDir::toNativeSeparators(r.path) << Qt::endl;
            return ExitFailed;
        }
        ctx.out << "Nothing written: the existing file was kept: " << QDir::toNativeSeparators(r.path) << '\n';
        return ExitOk;
    }
    ctx.err << "No display written." << Qt::endl;
    return ExitFailed;
}

int runDumpDisplay(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    parseArgs(p, u"dump-display"_qs, args, 1, 1);
    const bt::DumpResult d = bt::dumpDisplayFile(p.positionalArguments().at(0));
    for (const QString &line : d.lines)
        ctx.out << line << '\n';
    if (!d.ok)
        throw Error(d.error);
    return ExitOk;
}

RegisterCommand regCreate("create-display", "JOB (FILE [--local] [--row N] | --all)",
                          "step 7: write the BACtalk display of an Ibex display (--row N: grid row N only; "
                          "--all: of every display of the job and its local job)",
                          runCreateDisplay);
RegisterCommand regDump("dump-display", "DSPFILE", "list the header and records of a BACtalk display field by field",
                        runDumpDisplay);

} // namespace
} // namespace vorlix::cli
