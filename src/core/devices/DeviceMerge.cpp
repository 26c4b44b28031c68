#include "devices/DeviceMerge.h"

#include "devices/DeviceMessages.h"
#include "project/ProjectDatabase.h"
#include "project/Schema.h"
#include "util/Ansi.h"
#include "util/Error.h"
#include "util/NullChecks.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace vorlix {

namespace {

using schema::FieldType;

enum class Kind { Number, Text, Date, Unknown };

Kind projectKind(FieldType t)
{
    switch (t) {
    case FieldType::Text: return Kind::Text;
    case FieldType::DateTime: return Kind::Date;
    default: return Kind::Number;
    }
}

Kind destinationKind(const QSqlField &f)
{
    switch (f.metaType().id()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Double: case QMetaType::Float:
    case QMetaType::Bool: case QMetaType::Char: case QMetaType::UChar: case QMetaType::SChar:
        return Kind::Number;
    case QMetaType::QString: return Kind::Text;
    case QMetaType::QDate: case QMetaType::QDateTime: case QMetaType::QTime: return Kind::Date;
    default: return Kind::Unknown;
    }
}

// A text column takes text and dates (a date is stored as its text where the
// driver reports it so); a number column takes numbers; a date column dates.
bool fits(Kind project, Kind dest)
{
    if (dest == Kind::Unknown)
        return true;
    if (dest == Kind::Text)
        return project == Kind::Text || project == Kind::Date;
    return project == dest;
}

QString kindName(Kind k)
{
    switch (k) {
    case Kind::Number: return u"number"_qs;
    case Kind::Text: return u"text"_qs;
    case Kind::Date: return u"date"_qs;
    default: return u"unknown"_qs;
    }
}

// One column copied: the project's name, the destination's spelling.
struct Column {
    QString name;
    QString destName;
    Kind kind = Kind::Number;
    bool limit8 = false;
};

// The table of one destination, with its statements.
struct Target {
    QString table;          // as the file spells it
    QList<Column> columns;  // devinst among them
    QSet<qint64> existing;  // devinst values already there
    QSqlQuery update;
    QSqlQuery insert;
};

// Errors that mean the database cannot be written at all, as opposed to one
// row the database refuses.
bool isWholeDatabaseFailure(const QSqlError &error)
{
    const QString t = error.text().toLower();
    for (const char *word : {"locked", "busy", "readonly", "read-only", "read only", "disk", "i/o", "full",
                             "corrupt", "not a database", "no such table", "no such column"})
        if (t.contains(QLatin1String(word)))
            return true;
    return false;
}

QString shown(const OutsideDatabase &dest) { return dest.shownPath(); }

[[noreturn]] void refuseDestination(const OutsideDatabase &dest, const QString &why)
{
    throw Error(QStringLiteral("Cannot merge into the database \"%1\": %2. Nothing was changed.")
                    .arg(shown(dest), why));
}

QString requireTable(OutsideDatabase &dest, const QString &wanted)
{
    const QString t = dest.tableName(wanted);
    if (t.isEmpty()) {
        // The table list comes back empty when the file cannot be read at
        // all (another program holds it): say that, not "no table".
        QSqlQuery probe(dest.db());
        if (!probe.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(dest.quoted(wanted))) &&
            isWholeDatabaseFailure(probe.lastError()) &&
            !probe.lastError().text().contains(u"no such table"_qs, Qt::CaseInsensitive))
            dest.fail(u"read"_qs, probe.lastError());
        refuseDestination(dest, QStringLiteral("it has no table %1").arg(wanted));
    }
    return t;
}

// The project's physical columns of `table` in their defined order.
QList<const schema::Field *> projectColumns(ProjectDatabase &pdb, const QString &table)
{
    const QSqlRecord physical = pdb.db().record(table);
    QList<const schema::Field *> out;
    for (const schema::Field &f : schema::findTable(table)->fields)
        if (physical.indexOf(QLatin1String(f.name)) >= 0)
            out << &f;
    return out;
}

void prepare(OutsideDatabase &dest, Target &t)
{
    QStringList sets, names, marks;
    for (const Column &c : t.columns) {
        sets << dest.quoted(c.destName) + u" = ?"_qs;
        names << dest.quoted(c.destName);
        marks << u"?"_qs;
    }
    const QString devinst = dest.quoted(dest.fieldName(t.table, u"devinst"_qs));
    t.update = QSqlQuery(dest.db());
    t.insert = QSqlQuery(dest.db());
    if (!t.update.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                              .arg(dest.quoted(t.table), sets.join(u", "_qs), devinst)))
        dest.fail(u"prepare the merge into"_qs, t.update.lastError());
    if (!t.insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(dest.quoted(t.table), names.join(u", "_qs), marks.join(u", "_qs))))
        dest.fail(u"prepare the merge into"_qs, t.insert.lastError());
}

Target openTarget(OutsideDatabase &dest, ProjectDatabase &pdb, const QString &projectTable,
                  const QString &destTable, bool limitNames)
{
    Target t;
    t.table = requireTable(dest, destTable);
    const QSqlRecord destFields = dest.fields(t.table);
    if (dest.fieldName(t.table, u"devinst"_qs).isEmpty())
        refuseDestination(dest, QStringLiteral("its table %1 has no devinst column").arg(t.table));
    for (const schema::Field *f : projectColumns(pdb, projectTable)) {
        const QString name = QLatin1String(f->name);
        const QString destName = dest.fieldName(t.table, name);
        if (destName.isEmpty())
            continue;
        Column c{name, destName, projectKind(f->type), false};
        const Kind dk = destinationKind(destFields.field(destName));
        if (!fits(c.kind, dk))
            refuseDestination(dest, QStringLiteral("the column %1 of its table %2 is a %3 column, and the "
                                                   "project's %4 holds a %5")
                                        .arg(destName, t.table, kindName(dk), name, kindName(c.kind)));
        c.limit8 = limitNames && (name == u"DDC_rep" || name == u"DDC_job" || name == u"DDC_app");
        t.columns << c;
    }
    QSqlQuery q(dest.db());
    if (!q.exec(QStringLiteral("SELECT %1 FROM %2").arg(dest.quoted(dest.fieldName(t.table, u"devinst"_qs)),
                                                        dest.quoted(t.table))))
        dest.fail(u"read"_qs, q.lastError());
    while (q.next())
        if (!q.value(0).isNull())
            t.existing.insert(q.value(0).toLongLong());
    prepare(dest, t);
    return t;
}

QVariant typedNull(Kind k)
{
    switch (k) {
    case Kind::Text: return QVariant(QMetaType::fromType<QString>());
    case Kind::Date: return QVariant(QMetaType::fromType<QDateTime>());
    default: return QVariant(QMetaType::fromType<int>());
    }
}

// The destination value of one project value: an empty text becomes NULL,
// a text must fit Windows-1252, a Rep/Job/DDC name is cut to 8 characters.
QVariant destinationValue(const OutsideDatabase &dest, const Target &t, const Column &c, const QVariant &v,
                          qint64 devinst, bool &truncated)
{
    if (v.isNull())
        return typedNull(c.kind);
    if (c.kind != Kind::Text)
        return c.kind == Kind::Date ? v : QVariant(v.toLongLong());
    QString text = v.toString();
    if (text.isEmpty())
        return typedNull(c.kind);
    if (ansi::decode(ansi::encode(text)) != text)
        refuseDestination(dest, QStringLiteral("the %1 of device %2 (\"%3\") holds characters that a %4 text "
                                               "cannot hold (Windows-1252)")
                                    .arg(c.name).arg(devinst).arg(text, t.table));
    if (c.limit8 && text.size() > 8) {
        text.truncate(8);
        truncated = true;
    }
    return text;
}

// Writes one row: replaces the destination row with this devinst or adds it.
// False when the destination refused the row (logged).
bool mergeRow(OutsideDatabase &dest, Target &t, const QList<QVariant> &values, qint64 devinst, bool &truncated,
              const std::function<void(const QString &)> &log)
{
    const bool exists = t.existing.contains(devinst);
    QSqlQuery &q = exists ? t.update : t.insert;
    int i = 0;
    for (qsizetype c = 0; c < t.columns.size(); ++c)
        q.bindValue(i++, destinationValue(dest, t, t.columns[c], values[c], devinst, truncated));
    if (exists)
        q.bindValue(i, devinst);
    if (q.exec()) {
        t.existing.insert(devinst);
        return true;
    }
    if (isWholeDatabaseFailure(q.lastError()))
        dest.fail(u"write to"_qs, q.lastError());
    if (log)
        log(QStringLiteral("Not written to %1 (devinst %2): %3").arg(t.table).arg(devinst).arg(q.lastError().text()));
    return false;
}

// The project rows of a table, each with the values of `columns`.
struct SourceRow {
    qint64 devinst = 0;
    QList<QVariant> values;
};

QList<SourceRow> sourceRows(ProjectDatabase &pdb, const QString &table, const QList<Column> &columns)
{
    QStringList names;
    for (const Column &c : columns)
        names << u'"' + c.name + u'"';
    names << u"devinst"_qs;
    QSqlQuery q(pdb.db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY devinst, rowid").arg(names.join(u", "_qs), table)))
        throw Error(QStringLiteral("Cannot read %1 of the project database: %2").arg(table, q.lastError().text()));
    QList<SourceRow> out;
    const int n = static_cast<int>(columns.size());
    while (q.next()) {
        SourceRow r;
        r.devinst = nullToLong(q.value(n));
        r.values.reserve(n);
        for (int i = 0; i < n; ++i)
            r.values << q.value(i);
        out << std::move(r);
    }
    return out;
}

// Distinct non-zero Net1..Net4 of all project devices, in order of first use.
QList<qint64> projectSubnets(ProjectDatabase &pdb)
{
    QSqlQuery q(pdb.db());
    q.setForwardOnly(true);
    if (!q.exec(u"SELECT Net1, Net2, Net3, Net4 FROM tblRepJob ORDER BY devinst, rowid"_qs))
        throw Error(QStringLiteral("Cannot read tblRepJob of the project database: %1").arg(q.lastError().text()));
    QList<qint64> out;
    QSet<qint64> seen;
    while (q.next())
        for (int i = 0; i < 4; ++i) {
            const qint64 v = nullToLong(q.value(i));
            if (v != 0 && !seen.contains(v)) {
                seen.insert(v);
                out << v;
            }
        }
    return out;
}

int mergeSubnets(OutsideDatabase &dest, ProjectDatabase &pdb, int &refused,
                 const std::function<void(const QString &)> &log)
{
    const QString table = requireTable(dest, u"tblSubnets"_qs);
    const QString column = dest.fieldName(table, u"subnet"_qs);
    if (column.isEmpty())
        refuseDestination(dest, QStringLiteral("its table %1 has no subnet column").arg(table));
    QSet<qint64> existing;
    QSqlQuery q(dest.db());
    if (!q.exec(QStringLiteral("SELECT %1 FROM %2").arg(dest.quoted(column), dest.quoted(table))))
        dest.fail(u"read"_qs, q.lastError());
    while (q.next())
        if (!q.value(0).isNull())
            existing.insert(q.value(0).toLongLong());
    QSqlQuery add(dest.db());
    if (!add.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (?)").arg(dest.quoted(table), dest.quoted(column))))
        dest.fail(u"prepare the merge into"_qs, add.lastError());
    int added = 0;
    for (qint64 subnet : projectSubnets(pdb)) {
        if (existing.contains(subnet))
            continue;
        add.bindValue(0, subnet);
        if (add.exec()) {
            existing.insert(subnet);
            ++added;
            continue;
        }
        if (isWholeDatabaseFailure(add.lastError()))
            dest.fail(u"write to"_qs, add.lastError());
        ++refused;
        if (log)
            log(QStringLiteral("Not written to %1 (subnet %2): %3").arg(table).arg(subnet).arg(add.lastError().text()));
    }
    return added;
}

} // namespace

bool isRepJobFile(const QString &path)
{
    return QFileInfo(path).fileName().toLower() == u"repjob.mdb";
}

MergeResult mergeDevices(ProjectDatabase &pdb, const QString &destPath, const std::optional<QList<int32_t>> &selection,
                         const std::function<void(const QString &)> &log, OutsideDatabase::Route route)
{
    MergeResult result;
    OutsideDatabase dest(destPath, route);
    const bool repJob = isRepJobFile(destPath);
    Target devices = openTarget(dest, pdb, u"tblRepJob"_qs, repJob ? u"tblRepJob"_qs : u"tblDevices"_qs, true);
    Target caps = openTarget(dest, pdb, u"tblDevCapabilities"_qs, u"tblDevCapabilities"_qs, false);
    if (repJob)
        requireTable(dest, u"tblSubnets"_qs);

    QList<SourceRow> deviceRows = sourceRows(pdb, u"tblRepJob"_qs, devices.columns);
    if (selection) {
        const QSet<qint64> chosen(selection->begin(), selection->end());
        deviceRows.removeIf([&](const SourceRow &r) { return !chosen.contains(r.devinst); });
    }
    // The first capability row of each device.
    QHash<qint64, SourceRow> capRows;
    for (SourceRow &r : sourceRows(pdb, u"tblDevCapabilities"_qs, caps.columns))
        if (!capRows.contains(r.devinst))
            capRows.insert(r.devinst, std::move(r));

    dest.begin();
    for (const SourceRow &row : deviceRows) {
        if (mergeRow(dest, devices, row.values, row.devinst, result.truncated, log))
            ++result.devices;
        else
            ++result.refused;
        const auto cap = capRows.constFind(row.devinst);
        if (cap == capRows.cend())
            continue;
        bool unused = false;
        if (mergeRow(dest, caps, cap->values, row.devinst, unused, log))
            ++result.capabilities;
        else
            ++result.refused;
    }
    if (repJob)
        result.subnets = mergeSubnets(dest, pdb, result.refused, log);
    dest.commit();
    return result;
}

QString mergeClosingMessage(const MergeResult &result)
{
    QString text = result.truncated ? msg::namesTruncated() : msg::mergeCompleted();
    if (result.refused > 0)
        text += u' ' + msg::rowsNotWritten(result.refused);
    return text;
}

} // namespace vorlix
