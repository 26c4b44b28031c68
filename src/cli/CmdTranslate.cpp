// grid, override and global-override: the translation grid of one display
// with its overrides, and project-wide point overrides.
#include "CliCommand.h"

#include "commands/TranslateCommands.h"
#include "util/FileUtil.h"

namespace vorlix::cli {
namespace {

const QCommandLineOption kLocal(u"local"_qs, u"the display lies in the local job"_qs);

// FILE of the job (or the local job) once the job is open: a name that is
// not a plain file name is a usage error.
DisplayFile displayArg(Workbench &wb, const QString &file, bool localJob)
{
    if (!isPlainFileName(file))
        throw UsageError{QStringLiteral("FILE must be a display file name, not \"%1\"").arg(file)};
    return findDisplayFile(wb, file, localJob);
}

// Opens the job and loads the display into its translation grid.
Translation &loadGrid(Context &ctx, const QString &job, const QString &fileName, bool localJob)
{
    Workbench &wb = ctx.openJob(job);
    wb.requireDatabase();
    loadDisplayCommand(wb, displayArg(wb, fileName, localJob));
    return *loadedTranslation(wb);
}

QString rowLine(const Translation &t, int index)
{
    QStringList cells;
    for (int c = 0; c < Translation::ColCount; ++c)
        cells << t.cellText(index, c);
    return cells.join(u'\t');
}

int runGrid(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    p.addOption(kLocal);
    parseArgs(p, u"grid"_qs, args, 2, 2);
    const QStringList pos = p.positionalArguments();
    const Translation &t = loadGrid(ctx, pos[0], pos[1], p.isSet(kLocal));
    ctx.out << t.clipboardText() << '\n';
    ctx.out.flush();
    return ExitOk;
}

int runOverride(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    const QCommandLineOption text(u"text"_qs, u"override the EFB text"_qs, u"T"_qs);
    const QCommandLineOption point(u"point"_qs, u"override the EFB point"_qs, u"P"_qs);
    const QCommandLineOption skip(u"skip"_qs, u"leave the object out"_qs);
    const QCommandLineOption reset(u"reset"_qs, u"remove the object's overrides"_qs);
    p.addOptions({kLocal, text, point, skip, reset});
    parseArgs(p, u"override"_qs, args, 3, 3);
    const int actions = int(p.isSet(text)) + int(p.isSet(point)) + int(p.isSet(skip)) + int(p.isSet(reset));
    if (actions != 1)
        throw UsageError{u"give exactly one of --text, --point, --skip and --reset"_qs};
    const QStringList pos = p.positionalArguments();
    const int object = intArg(pos[2], u"OBJ"_qs);
    OverrideAction action = OverrideAction::Reset;
    QString value;
    if (p.isSet(text)) {
        action = OverrideAction::Text;
        value = p.value(text);
    } else if (p.isSet(point)) {
        action = OverrideAction::Point;
        value = p.value(point);
    } else if (p.isSet(skip)) {
        action = OverrideAction::Skip;
    }
    checkOverride(action, value);

    Translation &t = loadGrid(ctx, pos[0], pos[1], p.isSet(kLocal));
    const int index = overrideCommand(*ctx.workbench(), {object, action, value});
    ctx.out << rowLine(t, index) << '\n';
    ctx.out.flush();
    return ExitOk;
}

int runGlobalOverride(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    parseArgs(p, u"global-override"_qs, args, 4, 4);
    const QStringList pos = p.positionalArguments();
    const int apex = intArg(pos[1], u"APEX"_qs);
    if (apex < 0)
        throw UsageError{u"APEX must not be negative"_qs};
    const QString ibexPoint = pos[2].trimmed();
    const QString btPoint = pos[3].trimmed();
    if (ibexPoint.isEmpty())
        throw UsageError{u"IBEXPOINT must not be empty"_qs};
    checkGlobalOverride(btPoint);
    globalOverrideCommand(ctx.openJob(pos[0]), apex, ibexPoint, btPoint);
    return ExitOk;
}

RegisterCommand regGrid("grid", "JOB FILE [--local]", "step 7: print the translation grid as its clipboard text",
                        runGrid);
RegisterCommand regOverride("override", "JOB FILE [--local] OBJ (--text T | --point P | --skip | --reset)",
                            "step 7: override object OBJ's text or point, skip it, or reset it", runOverride);
RegisterCommand regGlobal("global-override", "JOB APEX IBEXPOINT BTPOINT", "project-wide point override",
                          runGlobalOverride);

} // namespace
} // namespace vorlix::cli
