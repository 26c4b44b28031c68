#include "commands/ProjectCommands.h"

#include "ddc/TuxFiles.h"
#include "project/DeviceInstance.h"
#include "project/Schema.h"
#include "project/TableCsv.h"
#include "project/Workbench.h"
#include "util/Error.h"
#include "util/TextUtil.h"

#include <QSqlError>
#include <QSqlQuery>

namespace vorlix {

void setVariableCommand(Workbench &wb, const QString &name, const QString &value)
{
    wb.requireDatabase();
    QString error;
    if (!setVariableFromText(wb.vars, name, value, &error))
        throw Error(error);
    wb.saveProjectVariables();
    wb.log.logMsgStart(QStringLiteral("Project variable %1 set to \"%2\"").arg(name, value));
}

namespace {

struct ApexAssignment {
    QString field; // as the table spells it
    QVariant value;
};

QList<ApexAssignment> apexAssignments(const QList<FieldAssignment> &assignments)
{
    const schema::Table *table = schema::findTable(u"ApexMap"_qs);
    QList<ApexAssignment> out;
    for (const FieldAssignment &a : assignments) {
        const schema::Field *field = nullptr;
        for (const schema::Field &f : table->fields)
            if (a.field.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
                field = &f;
        if (!field || QLatin1String(field->name) == u"Apex")
            throw Error(QStringLiteral("ApexMap has no field \"%1\" that can be set.").arg(a.field));
        QVariant value = a.value;
        if (field->type != schema::FieldType::Text) {
            int32_t v = 0;
            if (!a.value.isEmpty() && !parseInt32(a.value, v))
                throw Error(QStringLiteral("The field %1 takes a whole number, not \"%2\".")
                                .arg(QLatin1String(field->name), a.value));
            if (const QString problem = apexMapInstanceProblem(QLatin1String(field->name), v);
                !a.value.isEmpty() && !problem.isEmpty())
                throw Error(problem);
            value = a.value.isEmpty() ? QVariant() : QVariant(v);
        }
        out.append({QLatin1String(field->name), value});
    }
    return out;
}

} // namespace

void checkApexAssignments(const QList<FieldAssignment> &assignments) { apexAssignments(assignments); }

void mapApexCommand(Workbench &wb, int apex, const QList<FieldAssignment> &assignments)
{
    const QList<ApexAssignment> fields = apexAssignments(assignments);
    wb.requireDatabase();
    QStringList sets, shown;
    for (const ApexAssignment &f : fields)
        sets << u'"' + f.field + u"\" = ?"_qs;
    for (const FieldAssignment &a : assignments)
        shown << a.field + u'=' + a.value;
    QSqlQuery q(wb.pdb.db());
    q.prepare(u"UPDATE ApexMap SET "_qs + sets.join(u", ") + u" WHERE Apex = ?"_qs);
    for (const ApexAssignment &f : fields)
        q.addBindValue(f.value);
    q.addBindValue(apex);
    if (!q.exec())
        throw Error(QStringLiteral("Cannot update ApexMap row %1: %2").arg(apex).arg(q.lastError().text()));
    if (q.numRowsAffected() == 0)
        throw Error(QStringLiteral("ApexMap has no row for Apex %1.").arg(apex));
    wb.log.logMsgStart(QStringLiteral("Apex %1 mapped: %2").arg(apex).arg(shown.join(u' ')));
    wb.refreshDeviceLists();
}

QString dumpTableCommand(Workbench &wb, const QString &table)
{
    const schema::Table *t = schema::findTable(table);
    if (!t)
        throw Error(QStringLiteral("Unknown table \"%1\".").arg(table));
    wb.requireDatabase();
    if (QLatin1String(t->name) == u"TdcFiles") {
        // Whether each file is in the BACtalk job, checked now.
        const QString job = wb.bactalkJobPath();
        const CalculatedColumn fileExists{u"FileExists"_qs, u"BACtalkFilename"_qs, [&job](const QSqlRecord &row) {
            return tdcFileExistsText(job, row.value(u"BACtalkFilename"_qs).toString());
        }};
        return dumpTableCsv(wb.pdb, *t, &fileExists);
    }
    return dumpTableCsv(wb.pdb, *t);
}

} // namespace vorlix
