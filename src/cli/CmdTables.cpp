// set, map and dump: project variables, the controller map and table dumps.
#include "CliCommand.h"

#include "commands/ProjectCommands.h"
#include "project/Schema.h"
#include "util/Error.h"

namespace vorlix::cli {
namespace {

int runSet(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    parseArgs(p, u"set"_qs, args, 3, 3);
    const QStringList pos = p.positionalArguments();
    setVariableCommand(ctx.openJob(pos[0]), pos[1], pos[2]);
    return ExitOk;
}

int runMap(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    parseArgs(p, u"map"_qs, args, 3, -1);
    QStringList pos = p.positionalArguments();
    const QString job = pos.takeFirst();
    const int apex = intArg(pos.takeFirst(), u"APEX"_qs);
    QList<FieldAssignment> assignments;
    for (const QString &assignment : pos) {
        const qsizetype eq = assignment.indexOf(u'=');
        if (eq <= 0)
            throw UsageError{QStringLiteral("expected FIELD=VALUE, not \"%1\"").arg(assignment)};
        assignments.append({assignment.left(eq), assignment.mid(eq + 1)});
    }
    checkApexAssignments(assignments);
    mapApexCommand(ctx.openJob(job), apex, assignments);
    return ExitOk;
}

int runDump(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    parseArgs(p, u"dump"_qs, args, 2, 2);
    const QStringList pos = p.positionalArguments();
    if (!schema::findTable(pos[1]))
        throw Error(QStringLiteral("Unknown table \"%1\".").arg(pos[1]));
    ctx.out << dumpTableCommand(ctx.openJob(pos[0]), pos[1]);
    ctx.out.flush();
    return ExitOk;
}

RegisterCommand regSet("set", "JOB NAME VALUE", "set one project variable", runSet);
RegisterCommand regMap("map", "JOB APEX FIELD=VALUE...", "step 1: edit an ApexMap row", runMap);
RegisterCommand regDump("dump", "JOB TABLE", "print a project table as CSV", runDump);

} // namespace
} // namespace vorlix::cli
