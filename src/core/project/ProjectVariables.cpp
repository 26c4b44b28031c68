#include "project/ProjectVariables.h"

#include "util/Error.h"
#include "util/NullChecks.h"
#include "util/TextUtil.h"
#include "project/DatabaseFailure.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace vorlix {

namespace {

using PV = ProjectVariables;

std::vector<VariableInfo> buildTable()
{
    auto b = [](const char *n, bool PV::*m) { return VariableInfo{VariableInfo::Kind::Bool, n, m, nullptr, nullptr}; };
    auto i = [](const char *n, uint16_t PV::*m) { return VariableInfo{VariableInfo::Kind::Int, n, nullptr, m, nullptr}; };
    auto s = [](const char *n, QString PV::*m) { return VariableInfo{VariableInfo::Kind::Str, n, nullptr, nullptr, m}; };
    return {
        b("ConvertCpName", &PV::convertCpName), b("ConvertZonePts", &PV::convertZonePts),
        b("AddRelDefToBO", &PV::addRelDefToBO), b("ConvertCpStatus", &PV::convertCpStatus),
        b("ShowZoneObjAsText", &PV::showZoneObjAsText), b("PadUnits", &PV::padUnits),
        b("LockSubcallerMap", &PV::lockSubcallerMap), b("CopyUnits", &PV::copyUnits),
        b("SetReadonly", &PV::setReadonly), b("MapStateText", &PV::mapStateText),
        b("MapMSetGraphicToBtn", &PV::mapMSetGraphicToBtn),
        i("LocalJobDispNum", &PV::localJobDispNum), i("LocalJobCCPDNum", &PV::localJobCCPDNum),
        i("LocalJobCTXDNum", &PV::localJobCTXDNum), i("JobDispNum", &PV::jobDispNum),
        i("JobCCPDNum", &PV::jobCCPDNum), i("JobCTXDNum", &PV::jobCTXDNum),
        i("ScanDepth", &PV::scanDepth), i("StartingDisplay", &PV::startingDisplay),
        i("CopyColors", &PV::copyColors), i("CopyFont", &PV::copyFont),
        s("CpanelStatusBV", &PV::cpanelStatusBV), s("CpanelPlaceHolder", &PV::cpanelPlaceHolder),
        s("BactalkJobPath", &PV::bactalkJobPath),
    };
}

void run(QSqlQuery &q)
{
    if (!q.exec()) {
        throwIfDatabaseFailure(q.driver() ? q.driver()->property("vorlixPath").toString() : QString(), q.lastError());
        throw Error(QStringLiteral("Project database error on table Vorlix: %1").arg(q.lastError().text()));
    }
}

// Locates the row of `name`; appends it with `field` at its default when absent.
QVariant locateOrAppend(QSqlDatabase db, const QString &name, const char *field, const QVariant &def)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT %1 FROM Vorlix WHERE VarName = ? ORDER BY rowid LIMIT 1").arg(QLatin1String(field)));
    q.addBindValue(name);
    run(q);
    if (q.next())
        return q.value(0);
    QSqlQuery ins(db);
    ins.prepare(QStringLiteral("INSERT INTO Vorlix (VarName, %1) VALUES (?, ?)").arg(QLatin1String(field)));
    ins.addBindValue(name);
    ins.addBindValue(def);
    run(ins);
    return def;
}

void write(QSqlDatabase db, const QString &name, const char *field, const QVariant &value)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE Vorlix SET %1 = ? WHERE rowid = (SELECT rowid FROM Vorlix "
                             "WHERE VarName = ? ORDER BY rowid LIMIT 1)").arg(QLatin1String(field)));
    q.addBindValue(value);
    q.addBindValue(name);
    run(q);
}

} // namespace

const std::vector<VariableInfo> &variableTable()
{
    static const std::vector<VariableInfo> table = buildTable();
    return table;
}

const VariableInfo *findVariable(const QString &name)
{
    for (const VariableInfo &v : variableTable())
        if (name.compare(QLatin1String(v.name), Qt::CaseInsensitive) == 0)
            return &v;
    return nullptr;
}

void varBool(QSqlDatabase db, const QString &name, bool &value, VarDirection dir)
{
    const QVariant stored = locateOrAppend(db, name, "BoolVal", false);
    if (dir == VarDirection::Write)
        write(db, name, "BoolVal", value);
    else
        value = nullToBool(stored);
}

void varInt(QSqlDatabase db, const QString &name, uint16_t &value, VarDirection dir)
{
    const QVariant stored = locateOrAppend(db, name, "IntVal", 0);
    if (dir == VarDirection::Write)
        write(db, name, "IntVal", static_cast<int>(value));
    else
        value = nullToWord(stored);
}

void varIntWrite(QSqlDatabase db, const QString &name, int32_t value)
{
    locateOrAppend(db, name, "IntVal", 0);
    write(db, name, "IntVal", value);
}

void varStr(QSqlDatabase db, const QString &name, QString &value, VarDirection dir)
{
    const QVariant stored = locateOrAppend(db, name, "StrVal", QString(u""_qs));
    if (dir == VarDirection::Write)
        write(db, name, "StrVal", value);
    else
        value = nullToStr(stored);
}

double varVersion(QSqlDatabase db)
{
    QSqlQuery q(db);
    q.prepare(u"SELECT FloatVal FROM Vorlix WHERE VarName = 'DatabaseVersion' ORDER BY rowid LIMIT 1"_qs);
    run(q);
    if (q.next())
        return nullToFloat(q.value(0));
    return 12.6;
}

void setVarInt(QSqlDatabase db, const QString &name, int32_t value)
{
    write(db, name, "IntVal", value); // updates nothing when the row is absent
}

void projectVars(QSqlDatabase db, ProjectVariables &vars, VarDirection dir)
{
    if (dir == VarDirection::Read)
        vars.databaseVersion = varVersion(db);
    for (const VariableInfo &v : variableTable()) {
        const QString name = QLatin1String(v.name);
        switch (v.kind) {
        case VariableInfo::Kind::Bool: varBool(db, name, vars.*(v.boolMember), dir); break;
        case VariableInfo::Kind::Int: varInt(db, name, vars.*(v.intMember), dir); break;
        case VariableInfo::Kind::Str: varStr(db, name, vars.*(v.strMember), dir); break;
        }
    }
}

bool setVariableFromText(ProjectVariables &vars, const QString &name, const QString &value, QString *error)
{
    const VariableInfo *v = findVariable(name);
    if (!v) {
        if (error)
            *error = QStringLiteral("Unknown project variable \"%1\".").arg(name);
        return false;
    }
    switch (v->kind) {
    case VariableInfo::Kind::Bool: {
        const QString t = value.trimmed().toLower();
        if (t == u"1" || t == u"true" || t == u"yes")
            vars.*(v->boolMember) = true;
        else if (t == u"0" || t == u"false" || t == u"no")
            vars.*(v->boolMember) = false;
        else {
            if (error)
                *error = QStringLiteral("The variable %1 takes 1 or 0 (true or false), not \"%2\".")
                             .arg(QLatin1String(v->name), value);
            return false;
        }
        return true;
    }
    case VariableInfo::Kind::Int: {
        int32_t i = 0;
        if (!parseInt32(value, i)) {
            if (error)
                *error = QStringLiteral("The variable %1 takes a whole number, not \"%2\".")
                             .arg(QLatin1String(v->name), value);
            return false;
        }
        vars.*(v->intMember) = static_cast<uint16_t>(static_cast<uint32_t>(i) & 0xFFFFu);
        return true;
    }
    case VariableInfo::Kind::Str:
        vars.*(v->strMember) = value;
        return true;
    }
    return false;
}

} // namespace vorlix
