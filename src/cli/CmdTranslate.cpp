// grid, override, global-override and redirect: the translation grid of one
// display with its overrides, project-wide point overrides and the redirect
// and skip decisions.
#include "CliCommand.h"

#include "util/Error.h"
#include "util/FileUtil.h"
#include "util/TextUtil.h"
#include "translate/DisplayNaming.h"
#include "translate/TranslationGrid.h"
#include "inventory/RedirectTable.h"

#include <QDir>
#include <QFileInfo>

namespace vorlix::cli {
namespace {

const QCommandLineOption kLocal(u"local"_qs, u"the display lies in the local job"_qs);

struct DisplayFile {
    QString path;
    QString name; // as found on disk
    bool localJob = false;
    bool exists = false;
};

// FILE in the ldisplay folder of the job or of the local job, whatever its
// letter case.
DisplayFile findDisplay(Workbench &wb, const QString &file, bool localJob)
{
    if (!isPlainFileName(file))
        throw UsageError{QStringLiteral("FILE must be a display file name, not \"%1\"").arg(file)};
    DisplayFile d;
    d.localJob = localJob;
    const QString folder = localJob ? wb.localJobFolder : wb.projectFolder;
    d.path = findPathCaseInsensitive(folder, u"ldisplay/"_qs + file);
    const QFileInfo info(d.path);
    d.exists = info.isFile();
    d.name = d.exists ? info.fileName() : file;
    return d;
}

QString missingDisplay(const DisplayFile &d)
{
    return missingDisplayMessage(QDir::toNativeSeparators(d.path));
}

// Opens the job and lists the display in a grid.
struct LoadedGrid {
    Workbench &wb;
    DisplayFile file;
    TranslationGrid grid;
};

std::unique_ptr<LoadedGrid> loadGrid(Context &ctx, const QString &job, const QString &fileName, bool localJob)
{
    Workbench &wb = ctx.openJob(job);
    wb.requireDatabase();
    DisplayFile file = findDisplay(wb, fileName, localJob);
    if (!file.exists)
        throw Error(missingDisplay(file));
    auto g = std::unique_ptr<LoadedGrid>(new LoadedGrid{wb, file, TranslationGrid(wb.vars, wb.pdb, wb.map)});
    g->grid.loadDisplay(file.path, file.name, localJob);
    return g;
}

QString rowLine(const TranslationGrid &grid, int row)
{
    QStringList cells;
    for (int c = 0; c < TranslationGrid::ColCount; ++c)
        cells << grid.cell(c, row);
    return cells.join(u'\t');
}

int runGrid(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    p.addOption(kLocal);
    parseArgs(p, u"grid"_qs, args, 2, 2);
    const QStringList pos = p.positionalArguments();
    auto g = loadGrid(ctx, pos[0], pos[1], p.isSet(kLocal));
    ctx.out << g->grid.clipboardText() << '\n';
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
    if (p.isSet(point)) {
        const QString value = p.value(point);
        if (!value.isEmpty() && !validPointText(value))
            throw Error(QStringLiteral("\"%1\" is not a valid BACtalk point text.").arg(value));
    }

    auto g = loadGrid(ctx, pos[0], pos[1], p.isSet(kLocal));
    TranslationGrid &grid = g->grid;
    if (!grid.overrides().available())
        throw Error(u"The project database has no Overrides table: overrides cannot be stored."_qs);
    const int row = object == 0 ? TranslationGrid::HeaderRow : grid.rowOfObject(object);
    if (object < 0 || row < 0)
        throw Error(QStringLiteral("%1 has no object %2 in its grid (objects 1 to %3).")
                        .arg(g->file.name)
                        .arg(object)
                        .arg(qMin<int>(grid.totalObj, TranslationGrid::MaxObjects)));
    const QString kind = grid.cell(TranslationGrid::colType, row);
    const bool textCol = grid.canOverride(TranslationGrid::colBtText, row);
    const bool pointCol = grid.canOverride(TranslationGrid::colBtPoint, row);
    QString done;
    if (p.isSet(text)) {
        if (!grid.editOverride(TranslationGrid::colBtText, row, orOK, p.value(text)))
            throw Error(QStringLiteral("Object %1 (%2) has no text that can be overridden.").arg(object).arg(kind));
        done = u"text overridden: "_qs + p.value(text);
    } else if (p.isSet(point)) {
        if (!grid.editOverride(TranslationGrid::colBtPoint, row, orOK, p.value(point)))
            throw Error(QStringLiteral("Object %1 (%2) has no point that can be overridden.").arg(object).arg(kind));
        done = u"point overridden: "_qs + p.value(point);
    } else if (p.isSet(skip)) {
        if (!grid.editOverride(pointCol ? TranslationGrid::colBtPoint : TranslationGrid::colBtText, row, orSkip))
            throw Error(QStringLiteral("Object %1 (%2) cannot be overridden.").arg(object).arg(kind));
        done = u"skipped"_qs;
    } else {
        if (!textCol && !pointCol)
            throw Error(QStringLiteral("Object %1 (%2) cannot be overridden.").arg(object).arg(kind));
        // Resetting the text column first leaves at most the point override,
        // which the point column's reset then removes.
        if (textCol)
            grid.editOverride(TranslationGrid::colBtText, row, orReset);
        if (pointCol)
            grid.editOverride(TranslationGrid::colBtPoint, row, orReset);
        done = u"overrides reset"_qs;
    }
    g->wb.log.logMsgStart(QStringLiteral("Override of %1 object %2: %3").arg(g->file.name).arg(object).arg(done));
    ctx.out << rowLine(grid, row) << '\n';
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
    if (btPoint != SkipMark && !validPointText(btPoint))
        throw Error(QStringLiteral("\"%1\" is not a valid BACtalk point text.").arg(btPoint));
    Workbench &wb = ctx.openJob(pos[0]);
    wb.requireDatabase();
    OverrideStore store(wb.pdb);
    if (!store.globalAvailable())
        throw Error(u"The project database has no GlobalOVR table: project point overrides cannot be stored."_qs);
    if (!store.globalOvrPut(apex, ibexPoint, btPoint))
        throw Error(u"Could not set value in database!"_qs);
    wb.log.logMsgStart(QStringLiteral("Project point override: Apex %1, %2 -> %3").arg(apex).arg(ibexPoint, btPoint));
    return ExitOk;
}

int runRedirect(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    const QCommandLineOption to(u"to"_qs, u"redirect to the BACtalk display rep-job-file"_qs, u"REP-JOB-FILE"_qs);
    const QCommandLineOption skip(u"skip"_qs, u"make no BACtalk display for it"_qs);
    const QCommandLineOption remove(u"remove"_qs, u"remove the redirect or skip"_qs);
    p.addOptions({kLocal, to, skip, remove});
    parseArgs(p, u"redirect"_qs, args, 2, 2);
    if (int(p.isSet(to)) + int(p.isSet(skip)) + int(p.isSet(remove)) != 1)
        throw UsageError{u"give exactly one of --to, --skip and --remove"_qs};
    const QStringList pos = p.positionalArguments();
    const bool localJob = p.isSet(kLocal);
    QString target;
    if (p.isSet(to)) {
        target = p.value(to).trimmed().toLower();
        const QStringList parts = target.split(u'-');
        if (parts.size() < 3 || parts[0].isEmpty() || parts[1].isEmpty() || parts.mid(2).join(u'-').isEmpty())
            throw UsageError{QStringLiteral("--to takes rep-job-file, not \"%1\"").arg(p.value(to))};
        for (const QString &part : {parts[0], parts[1], parts.mid(2).join(u'-')})
            if (!isPlainFileName(part))
                throw UsageError{QStringLiteral("\"%1\" is not a plain folder or file name").arg(part)};
    }

    Workbench &wb = ctx.openJob(pos[0]);
    wb.requireDatabase();
    const DisplayFile file = findDisplay(wb, pos[1], localJob);
    const QString key = file.name.toLower();
    RedirectTable table(wb.pdb);
    if (p.isSet(remove)) {
        if (!table.deleteRedirect(key, localJob)) {
            RedirectTable::reportRedirectNotFound(ctx.prompter);
            return ExitFailed;
        }
        wb.log.logMsgStart(u"Removed button/display redirection entry: "_qs + key);
        return ExitOk;
    }
    if (!file.exists)
        throw Error(missingDisplay(file));
    if (p.isSet(to)) {
        const QString path = redirectPath(wb.vars.bactalkJobPath, target);
        if (!QFileInfo(path).isFile())
            ctx.prompter.inform(u"The BACtalk file does not exists! Make sure to add it to the project at some "
                                "point.\nFile: "_qs +
                                target.section(u'-', 2) + u"\nEFB Job path: "_qs + wb.vars.bactalkJobPath);
    }
    if (!table.setRedirect(key, target, localJob))
        throw Error(u"Could not set value in database!"_qs);
    wb.log.logMsgStart(u"Add/edit button/display redirection entry: "_qs + key);
    return ExitOk;
}

RegisterCommand regGrid("grid", "JOB FILE [--local]", "step 7: print the translation grid as its clipboard text",
                        runGrid);
RegisterCommand regOverride("override", "JOB FILE [--local] OBJ (--text T | --point P | --skip | --reset)",
                            "step 7: override object OBJ's text or point, skip it, or reset it", runOverride);
RegisterCommand regGlobal("global-override", "JOB APEX IBEXPOINT BTPOINT", "project-wide point override",
                          runGlobalOverride);
RegisterCommand regRedirect("redirect", "JOB FILE [--local] (--to REP-JOB-FILE | --skip | --remove)",
                            "step 6: redirect or skip a display, or remove that decision", runRedirect);

} // namespace
} // namespace vorlix::cli
