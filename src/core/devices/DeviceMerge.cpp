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
#include <QDateTime>
#include <QSqlQuery>
#include <QSqlRecord>

namespace vorlix {

namespace {

using schema::FieldType;

enum class Kind { Number, Text, Date };

Kind projectKind(FieldType t)
{
    switch (t) {
    case FieldType::Text: return Kind::Text;
    case FieldType::DateTime: return Kind::Date;
    default: return Kind::Number;
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
    QSet<qint64> existing;  // devinst values already there (read under the write lock)
    QSqlQuery update;
    QSqlQuery insert;
};

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
            OutsideDatabase::isWholeDatabaseFailure(probe.lastError()) &&
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

// The destination table and the columns it shares with the project. The
// database alone decides which values fit its columns: nothing is refused
// for a column's type name.
Target openTarget(OutsideDatabase &dest, ProjectDatabase &pdb, const QString &projectTable,
                  const QString &destTable, bool limitNames)
{
    Target t;
    t.table = requireTable(dest, destTable);
    if (dest.fieldName(t.table, u"devinst"_qs).isEmpty())
        refuseDestination(dest, QStringLiteral("its table %1 has no devinst column").arg(t.table));
    for (const schema::Field *f : projectColumns(pdb, projectTable)) {
        const QString name = QLatin1String(f->name);
        const QString destName = dest.fieldName(t.table, name);
        if (destName.isEmpty())
            continue;
        const bool limit8 = limitNames && (name == u"DDC_rep" || name == u"DDC_job" || name == u"DDC_app");
        t.columns << Column{name, destName, projectKind(f->type), limit8};
    }
    return t;
}

// The devinst values the destination holds. Read once the write lock is
// held: another merge cannot add a device between this and the commit.
void readExisting(OutsideDatabase &dest, Target &t)
{
    QSqlQuery q(dest.db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT %1 FROM %2").arg(dest.quoted(dest.fieldName(t.table, u"devinst"_qs)),
                                                        dest.quoted(t.table))))
        dest.fail(u"read"_qs, q.lastError());
    while (q.next())
        if (!q.value(0).isNull())
            t.existing.insert(q.value(0).toLongLong());
    prepare(dest, t);
}

QVariant typedNull(Kind k)
{
    switch (k) {
    case Kind::Text: return QVariant(QMetaType::fromType<QString>());
    case Kind::Date: return QVariant(QMetaType::fromType<QDateTime>());
    default: return QVariant(QMetaType::fromType<int>());
    }
}

// The destination value of one project value, as it is: an empty text
// becomes NULL, a text what Windows-1252 holds of it ("?" for the rest), a
// Rep/Job/DDC name is cut to 8 characters, a date is a date.
QVariant destinationValue(const Column &c, const QVariant &v, bool &truncated)
{
    if (v.isNull())
        return typedNull(c.kind);
    if (c.kind == Kind::Date) {
        if (v.typeId() == QMetaType::QDateTime || v.typeId() == QMetaType::QDate)
            return v;
        const QDateTime when = QDateTime::fromString(v.toString().trimmed(), Qt::ISODate);
        return when.isValid() ? QVariant(when) : v;
    }
    if (c.kind != Kind::Text)
        return v;
    QString text = v.toString();
    if (text.isEmpty())
        return typedNull(c.kind);
    text = ansi::decode(ansi::encode(text));
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
        q.bindValue(i++, destinationValue(t.columns[c], values[c], truncated));
    if (exists)
        q.bindValue(i, devinst);
    if (!dest.post(q, t.table, "devinst", devinst, log))
        return false;
    t.existing.insert(devinst);
    return true;
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
        if (dest.post(add, table, "subnet", subnet, log)) {
            existing.insert(subnet);
            ++added;
        } else {
            ++refused;
        }
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

    // The write lock first, then what the destination holds.
    dest.begin(devices.table);
    readExisting(dest, devices);
    readExisting(dest, caps);
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
