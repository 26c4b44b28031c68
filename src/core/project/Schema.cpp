#include "project/Schema.h"

#include "util/Error.h"
#include "project/ProjectVariables.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace vorlix::schema {

namespace {
using T = FieldType;

std::vector<Field> deviceFields()
{
    std::vector<Field> f = {
        {"devinst", T::Long}, {"unit_type", T::Long}, {"max_trends", T::Long},
        {"DDC_rep", T::Text, 255}, {"DDC_job", T::Text, 255}, {"DDC_app", T::Text, 255},
        {"devdescription", T::Text, 255}, {"objname", T::Text, 255},
        {"trendhostinst", T::Long}, {"schedhostinst", T::Long}, {"alarmhostinst", T::Long},
        {"network", T::Long}, {"macaddr", T::Text, 255}, {"devmodel", T::Text, 255},
        {"devlocation", T::Text, 255}, {"devfirmware", T::Text, 255},
        {"omf_autodown", T::YesNo, 0, "0"}, {"ddc_autodown", T::YesNo, 0, "0"},
        {"utcoffset", T::Long}, {"commalarmenabled", T::YesNo, 0, "0"},
        {"commalarmhostinst", T::Long}, {"commalarmnotclass", T::Long}, {"commalarmfreq", T::Long},
        {"enablemstpproxy", T::YesNo, 0, "0"},
        {"Net1", T::Long}, {"Net2", T::Long}, {"Net3", T::Long}, {"Net4", T::Long},
        {"vendorid", T::Long}, {"virtualdev", T::Long}, {"NetNodes", T::Long},
        {"commissionedby", T::Text, 255}, {"commissioningdate", T::DateTime},
        {"comments", T::Text, 64},
        {"Exp0", T::Long, 0, "0"}, {"Exp1", T::Long, 0, "0"}, {"Exp2", T::Long, 0, "0"},
        {"Exp3", T::Long, 0, "0"}, {"Exp4", T::Long, 0, "0"}, {"Exp5", T::Long, 0, "0"},
        {"Exp6", T::Long, 0, "0"}, {"Exp7", T::Long, 0, "0"},
        {"NodeLevel", T::Long}, {"IndexControllers", T::Long},
        {"WrtObjName", T::YesNo, 0, "0"}, {"devsoftware", T::Text, 255},
        {"readDevMgr", T::YesNo, 0, "0"}};
    return f;
}

std::vector<Field> capabilityFields()
{
    static const char *switches[] = {
        "utctimesync", "sendutcoffset", "supportsched", "supportschedext", "supportcal",
        "supportalarm", "supportalarmext", "supporttlog", "supporttlogext", "supportzone",
        "supportzoneext", "supportdlim", "supportdlimext", "supportviewport",
        "supportalmdialout", "workstation", "primarycntl", "supportmacrenum",
        "supportreadwrite", "supportddc3", "supportddc4", "supportOMFBIN",
        "supportVAVparams", "supportAlarmProcID", "supportBACnettlog",
        "supportalarmpollingrate", "initiatesevenotifs", "supportbackuprestore",
        "supportBACnetEEO", "supportcurrentalarms", "supportschedpartialday",
        "supportcommalarms", "supporttuxddc", "configurabledev", "smokedevice",
        "deviceserver", "supportddc6", "supportcovlogs", "supportgen4functions",
        "supportadvancedmath", "unknown1"};
    std::vector<Field> f = {{"devinst", T::Long}};
    for (const char *s : switches)
        f.push_back({s, T::YesNo, 0, "0"});
    return f;
}

std::vector<Table> buildTables()
{
    std::vector<Table> t;
    Table apexMap{"ApexMap", {{"Apex", T::Short}, {"ComList", T::Text, 8}, {"GlobalPts", T::Long}}};
    for (int i = 1; i <= 4; ++i) {
        static const char *names[4][3] = {{"DevID1", "Net1", "BaseAddr1"},
                                          {"DevID2", "Net2", "BaseAddr2"},
                                          {"DevID3", "Net3", "BaseAddr3"},
                                          {"DevID4", "Net4", "BaseAddr4"}};
        for (const char *n : names[i - 1])
            apexMap.fields.push_back({n, T::Long});
    }
    t.push_back(apexMap);
    t.push_back({"CpanelMap", {{"Apex", T::Short}, {"Sequence", T::Short}, {"CallTo", T::Short},
                               {"Trunk", T::Short}, {"Address", T::Short},
                               {"CPanelNumber", T::Short}, {"ExpandedMode", T::YesNo, 0, "0"}}});
    t.push_back({"IbexPtMap", {{"Apex", T::Long}, {"IbexPt", T::Long}, {"PtType", T::Short},
                               {"Description", T::Text, 50}, {"Value", T::Double}}});
    t.push_back({"CpanelNames", {{"Apex", T::Long}, {"CPanelNumber", T::Long}, {"Name", T::Text, 50}}});
    t.push_back({"Vorlix", {{"VarName", T::Text, 50}, {"BoolVal", T::YesNo}, {"IntVal", T::Long},
                            {"StrVal", T::Text, 100}, {"FloatVal", T::Double}}});
    t.push_back({"DisplayMap", {{"LocalJob", T::YesNo, 0, "0"}, {"IbexFilename", T::Text, 15},
                                {"EFBFilename", T::Text, 50}}});
    t.push_back({"TdcFiles", {{"Apex", T::Short}, {"IbexFilename", T::Text, 50},
                              {"BACtalkFilename", T::Text, 50}}});
    t.push_back({"FileList", {{"LocalJob", T::YesNo, 0, "0"}, {"Filename", T::Text, 50}, {"Flags", T::Long}}});
    t.push_back({"Overrides", {{"Display", T::Text, 50}, {"LocalJob", T::YesNo, 0, "0"},
                               {"Object", T::Long}, {"IsPoint", T::YesNo, 0, "0"},
                               {"Ibex Data", T::Text, 50}, {"Override", T::Text, 50}}});
    t.push_back({"Buttons", {{"Display", T::Text, 50}, {"LocalJob", T::YesNo, 0, "0"},
                             {"Apex", T::Long}, {"SubStart", T::Long}, {"SubEnd", T::Long}}});
    t.push_back({"GlobalOVR", {{"Apex", T::Long}, {"IbexPoint", T::Text, 150}, {"BTPoint", T::Text, 150}}});
    t.push_back({"tblRepJob", deviceFields()});
    t.push_back({"tblDevCapabilities", capabilityFields()});
    return t;
}

QString quoted(const QString &name) { return u'"' + name + u'"'; }

void exec(QSqlQuery &q, const QString &sql)
{
    if (!q.exec(sql))
        throw Error(QStringLiteral("Database error in \"%1\": %2").arg(sql, q.lastError().text()));
}

} // namespace

const std::vector<Table> &projectTables()
{
    static const std::vector<Table> tables = buildTables();
    return tables;
}

const Table *findTable(const QString &name)
{
    for (const Table &t : projectTables())
        if (name.compare(QLatin1String(t.name), Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QStringList deviceColumns()
{
    QStringList out;
    for (const Field &f : findTable(u"tblRepJob"_qs)->fields)
        out << QLatin1String(f.name);
    return out;
}

QString sqlType(const Field &field)
{
    switch (field.type) {
    case T::Short: return u"SMALLINT"_qs;
    case T::Long: return u"INTEGER"_qs;
    case T::Text: return QStringLiteral("VARCHAR(%1)").arg(field.size);
    case T::YesNo: return u"BOOLEAN"_qs;
    case T::Double: return u"DOUBLE"_qs;
    case T::DateTime: return u"DATETIME"_qs;
    }
    return {};
}

QString createTableSql(const Table &table)
{
    QStringList cols;
    for (const Field &f : table.fields) {
        QString c = quoted(QLatin1String(f.name)) + u' ' + sqlType(f);
        if (f.defaultValue)
            c += u" DEFAULT "_qs + QLatin1String(f.defaultValue);
        cols << c;
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(QLatin1String(table.name)), cols.join(u", "));
}

void ensureIndexesAndGuards(QSqlDatabase db)
{
    const QStringList tables = db.tables();
    auto has = [&](const char *t) {
        for (const QString &n : tables)
            if (n.compare(QLatin1String(t), Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    struct Idx { const char *table; const char *name; const char *cols; };
    static const Idx indexes[] = {
        {"ApexMap", "ix_ApexMap_Apex", "Apex"},
        {"CpanelMap", "ix_CpanelMap_Seq", "Apex, Sequence"},
        {"CpanelMap", "ix_CpanelMap_Cp", "Apex, CPanelNumber"},
        {"CpanelMap", "ix_CpanelMap_Tux", "Apex, Trunk, Address"},
        {"CpanelMap", "ix_CpanelMap_CallTo", "CallTo"},
        {"IbexPtMap", "ix_IbexPtMap_Pt", "Apex, IbexPt"},
        {"CpanelNames", "ix_CpanelNames_Cp", "Apex, CPanelNumber"},
        {"Vorlix", "ix_Vorlix_Name", "VarName"},
        {"DisplayMap", "ix_DisplayMap_File", "IbexFilename COLLATE NOCASE"},
        {"TdcFiles", "ix_TdcFiles_File", "Apex, IbexFilename"},
        {"FileList", "ix_FileList_File", "Filename COLLATE NOCASE"},
        {"Overrides", "ix_Overrides_Obj", "Display COLLATE NOCASE, Object"},
        {"Buttons", "ix_Buttons_Display", "Display COLLATE NOCASE"},
        {"GlobalOVR", "ix_GlobalOVR_Pt", "Apex, IbexPoint COLLATE NOCASE"},
        {"tblDevCapabilities", "ix_Cap_devinst", "devinst"},
    };
    QSqlQuery q(db);
    for (const Idx &i : indexes) {
        if (!has(i.table))
            continue;
        exec(q, QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                    .arg(quoted(QLatin1String(i.name)), quoted(QLatin1String(i.table)),
                         QLatin1String(i.cols)));
    }
    if (has("ApexMap")) {
        exec(q, u"CREATE TRIGGER IF NOT EXISTS ApexMapNoInsert BEFORE INSERT ON ApexMap "
                 "BEGIN SELECT RAISE(IGNORE); END"_qs);
        exec(q, u"CREATE TRIGGER IF NOT EXISTS ApexMapNoDelete BEFORE DELETE ON ApexMap "
                 "BEGIN SELECT RAISE(IGNORE); END"_qs);
    }
    if (has("tblRepJob") && has("tblDevCapabilities")) {
        exec(q, u"CREATE TRIGGER IF NOT EXISTS tblRepJobDeleteCaps BEFORE DELETE ON tblRepJob "
                 "BEGIN DELETE FROM tblDevCapabilities WHERE devinst = OLD.devinst; END"_qs);
        // Left behind, the capabilities would describe no device, and the
        // device would merge without them.
        exec(q, u"CREATE TRIGGER IF NOT EXISTS tblRepJobMoveCaps AFTER UPDATE OF devinst ON tblRepJob "
                 "WHEN NEW.devinst IS NOT OLD.devinst "
                 "BEGIN UPDATE tblDevCapabilities SET devinst = NEW.devinst WHERE devinst = OLD.devinst "
                 "AND NOT EXISTS (SELECT 1 FROM tblRepJob WHERE devinst = OLD.devinst); END"_qs);
    }
}

QList<qint64> ensureUniqueDevinst(QSqlDatabase db)
{
    QList<qint64> doubled;
    QSqlQuery q(db);
    if (!q.exec(u"SELECT devinst FROM tblRepJob WHERE devinst IS NOT NULL GROUP BY devinst "
                 "HAVING COUNT(*) > 1 ORDER BY devinst"_qs))
        return doubled; // no such table
    while (q.next())
        doubled << q.value(0).toLongLong();
    bool unique = false, present = false;
    if (q.exec(u"SELECT \"unique\" FROM pragma_index_list('tblRepJob') WHERE name = 'devID'"_qs) && q.next()) {
        present = true;
        unique = q.value(0).toInt() != 0;
    }
    if (!doubled.isEmpty()) {
        if (!present)
            q.exec(u"CREATE INDEX IF NOT EXISTS devID ON tblRepJob (devinst)"_qs);
        return doubled;
    }
    if (unique)
        return doubled;
    // Made unique in one step: a database that refuses keeps its index.
    // (Inside a transaction already, as when the template is made, the
    // statements are part of it.)
    const bool own = db.transaction();
    const bool ok = (!present || q.exec(u"DROP INDEX devID"_qs)) &&
                    q.exec(u"CREATE UNIQUE INDEX devID ON tblRepJob (devinst)"_qs);
    if (own && (!ok || !db.commit()))
        db.rollback();
    return doubled;
}

namespace {

template <typename Fn>
void withFreshDatabase(const QString &path, Fn fill)
{
    QFile::remove(path);
    const QString conn = u"vorlix_template_"_qs + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, conn);
        db.setDatabaseName(path);
        if (!db.open())
            throw Error(QStringLiteral("Cannot create the database \"%1\": %2").arg(path, db.lastError().text()));
        db.transaction();
        fill(db);
        if (!db.commit())
            throw Error(QStringLiteral("Cannot write the database \"%1\": %2").arg(path, db.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase(conn);
}

} // namespace

void createProjectTemplate(const QString &path)
{
    withFreshDatabase(path, [](QSqlDatabase db) {
        QSqlQuery q(db);
        for (const Table &t : projectTables())
            exec(q, createTableSql(t));
        for (int apex = 0; apex < 32; ++apex)
            exec(q, QStringLiteral("INSERT INTO ApexMap (Apex, ComList) VALUES (%1, '')").arg(apex));
        exec(q, u"INSERT INTO Vorlix (VarName, FloatVal) VALUES ('DatabaseVersion', 14)"_qs);
        ProjectVariables defaults;
        defaults.scanDepth = 5;
        defaults.startingDisplay = 0;
        // Valid point texts, so that the options dialog of a new project
        // can be confirmed as it opens.
        defaults.cpanelPlaceHolder = u"AV-32"_qs;
        defaults.cpanelStatusBV = u"BV-13"_qs;
        projectVars(db, defaults, VarDirection::Write);
        ensureIndexesAndGuards(db);
        ensureUniqueDevinst(db);
    });
}

void createPointTemplate(const QString &path)
{
    withFreshDatabase(path, [](QSqlDatabase db) {
        QSqlQuery q(db);
        exec(q, u"CREATE TABLE \"Analog Values\" (\"Instance\" INTEGER, \"Description\" VARCHAR(255), "
                 "\"Value\" DOUBLE)"_qs);
        exec(q, u"CREATE TABLE \"Binary Values\" (\"Instance\" INTEGER, \"Description\" VARCHAR(255), "
                 "\"Value\" VARCHAR(50), \"prio08\" DOUBLE)"_qs);
    });
}

} // namespace vorlix::schema
