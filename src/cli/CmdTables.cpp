// set, map and dump: project variables, the controller map and table dumps.
#include "CliCommand.h"
#include "TableDump.h"

#include "util/Error.h"
#include "project/Schema.h"
#include "util/TextUtil.h"

#include <QSqlError>
#include <QSqlQuery>

namespace vorlix::cli {
namespace {

int runSet(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    parseArgs(p, u"set"_qs, args, 3, 3);
    const QStringList pos = p.positionalArguments();
    Workbench &wb = ctx.openJob(pos[0]);
    wb.requireDatabase();
    QString error;
    if (!setVariableFromText(wb.vars, pos[1], pos[2], &error))
        throw Error(error);
    wb.saveProjectVariables();
    wb.log.logMsgStart(QStringLiteral("Project variable %1 set to \"%2\"").arg(pos[1], pos[2]));
    return ExitOk;
}

int runMap(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    parseArgs(p, u"map"_qs, args, 3, -1);
    QStringList pos = p.positionalArguments();
    const QString job = pos.takeFirst();
    const int apex = intArg(pos.takeFirst(), u"APEX"_qs);
    const schema::Table *table = schema::findTable(u"ApexMap"_qs);

    QStringList sets;
    QVariantList values;
    for (const QString &assignment : pos) {
        const qsizetype eq = assignment.indexOf(u'=');
        if (eq <= 0)
            throw UsageError{QStringLiteral("expected FIELD=VALUE, not \"%1\"").arg(assignment)};
        const QString name = assignment.left(eq);
        const QString value = assignment.mid(eq + 1);
        const schema::Field *field = nullptr;
        for (const schema::Field &f : table->fields)
            if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
                field = &f;
        if (!field || QLatin1String(field->name) == u"Apex")
            throw Error(QStringLiteral("ApexMap has no field \"%1\" that can be set.").arg(name));
        sets << u'"' + QLatin1String(field->name) + u"\" = ?"_qs;
        if (field->type == schema::FieldType::Text) {
            values << value;
        } else {
            int32_t v = 0;
            if (!value.isEmpty() && !parseInt32(value, v))
                throw Error(QStringLiteral("The field %1 takes a whole number, not \"%2\".")
                                .arg(QLatin1String(field->name), value));
            values << (value.isEmpty() ? QVariant() : QVariant(v));
        }
    }

    Workbench &wb = ctx.openJob(job);
    wb.requireDatabase();
    QSqlQuery q(wb.pdb.db());
    q.prepare(u"UPDATE ApexMap SET "_qs + sets.join(u", ") + u" WHERE Apex = ?"_qs);
    for (const QVariant &v : values)
        q.addBindValue(v);
    q.addBindValue(apex);
    if (!q.exec())
        throw Error(QStringLiteral("Cannot update ApexMap row %1: %2").arg(apex).arg(q.lastError().text()));
    if (q.numRowsAffected() == 0)
        throw Error(QStringLiteral("ApexMap has no row for Apex %1.").arg(apex));
    wb.log.logMsgStart(QStringLiteral("Apex %1 mapped: %2").arg(apex).arg(pos.join(u' ')));
    return ExitOk;
}

int runDump(Context &ctx, const QStringList &args)
{
    QCommandLineParser p;
    parseArgs(p, u"dump"_qs, args, 2, 2);
    const QStringList pos = p.positionalArguments();
    const schema::Table *table = schema::findTable(pos[1]);
    if (!table)
        throw Error(QStringLiteral("Unknown table \"%1\".").arg(pos[1]));
    Workbench &wb = ctx.openJob(pos[0]);
    wb.requireDatabase();
    ctx.out << dumpTableCsv(wb.pdb, *table);
    ctx.out.flush();
    return ExitOk;
}

RegisterCommand regSet("set", "JOB NAME VALUE", "set one project variable", runSet);
RegisterCommand regMap("map", "JOB APEX FIELD=VALUE...", "step 1: edit an ApexMap row", runMap);
RegisterCommand regDump("dump", "JOB TABLE", "print a project table as CSV", runDump);

} // namespace
} // namespace vorlix::cli
