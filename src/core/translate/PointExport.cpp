#include "translate/PointExport.h"

#include "project/OutsideDatabase.h"
#include "project/ProjectDatabase.h"
#include "util/Ansi.h"
#include "util/Error.h"
#include "util/NullChecks.h"

#include <QHash>
#include <QSqlError>
#include <QSqlRecord>
#include <cmath>
#include <QSqlField>
#include <QSqlQuery>

namespace vorlix {

namespace {

constexpr int kBinaryInput = 1;
constexpr int kBinaryOutput = 3;

using LogFn = std::function<void(const QString &)>;

// A value as it is: a whole number as an integer (a text column then holds
// "1", not "1.0"), anything else as the floating-point number.
QVariant pointValue(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 9.0e15)
        return QVariant(qint64(value));
    return QVariant(value);
}

// One of the point database's tables as the export sees it: its columns,
// and its rows by object instance, the first column whatever its name. Rows
// are found by that column, never by a row id (Access tables have none).
class ValueTable {
public:
    ValueTable(OutsideDatabase &db, const QString &wanted, bool binary, const LogFn &log) : m_db(db), m_log(log)
    {
        m_name = db.tableName(wanted);
        if (m_name.isEmpty()) {
            // The list of tables comes back empty also when the file cannot
            // be read (another program holds a lock): say that instead.
            QSqlQuery probe(db.db());
            if (!probe.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(db.quoted(wanted))) &&
                describeDatabaseError(probe.lastError()) != probe.lastError().text().trimmed())
                db.fail(u"read"_qs, probe.lastError());
            throw Error(QStringLiteral("The point database \"%1\" has no table \"%2\". Nothing was changed.")
                            .arg(db.shownPath(), wanted));
        }
        const QSqlRecord fields = db.fields(m_name);
        if (fields.isEmpty())
            throw Error(QStringLiteral("The table \"%1\" of the point database \"%2\" has no columns. Nothing was "
                                       "changed.").arg(m_name, db.shownPath()));
        m_instance = fields.fieldName(0);
        m_description = column(u"Description"_qs);
        m_value = column(u"Value"_qs);
        if (binary)
            m_prio = column(u"prio08"_qs);
    }

    const QString &name() const { return m_name; }

    // Reads every row's instance once, inside the export's transaction, so a
    // point finds its row without a scan of the table, and prepares the
    // writes. Rows are matched by their instance. A SQLite table with row
    // ids is written by the row id of the row matched (the file may have no
    // index on the instance, and a write by instance would scan the table
    // for each point; an instance that appears twice then writes its first
    // row); a table without row ids (Access, WITHOUT ROWID) by its instance.
    void prepare(bool binary)
    {
        const QString table = m_db.quoted(m_name);
        const QString key = m_db.quoted(m_instance);
        const QString locator = rowIds() ? u"rowid"_qs : key;
        QSqlQuery q(m_db.db());
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT %1, %2%3 FROM %4")
                        .arg(locator, key, binary ? u", "_qs + m_db.quoted(m_value) : QString(), table)))
            m_db.fail(QStringLiteral("read the table \"%1\" of").arg(m_name), q.lastError());
        int notNumbers = 0;
        QString example;
        while (q.next()) {
            bool ok = false;
            const QVariant stored = q.value(1);
            const qint64 instance = stored.toLongLong(&ok);
            if (!ok) {
                if (notNumbers++ == 0)
                    example = stored.isNull() ? u"(empty)"_qs : u'"' + stored.toString() + u'"';
                continue;
            }
            if (!m_rows.contains(instance))
                m_rows.insert(instance, Row{q.value(0), binary ? nullToStr(q.value(2)) : QString()});
        }
        if (notNumbers > 0 && m_log)
            m_log(QStringLiteral("%1 row(s) of \"%2\" have an instance (column %3) that is not a number, such as "
                                 "%4; they were left alone.").arg(notNumbers).arg(m_name, m_instance, example));
        m_setValue = statement(QStringLiteral("UPDATE %1 SET %2 = ?, %3 = ? WHERE %4 = ?")
                                   .arg(table, m_db.quoted(m_description), m_db.quoted(m_value), locator));
        if (binary)
            m_setPrio = statement(QStringLiteral("UPDATE %1 SET %2 = ?, %3 = ? WHERE %4 = ?")
                                      .arg(table, m_db.quoted(m_description), m_db.quoted(m_prio), locator));
    }

    // Rows with an instance number (known once prepared).
    int rows() const { return int(m_rows.size()); }

    enum class Outcome { Written, NoRow, Refused };
    Outcome write(qint64 instance, const QString &description, double value)
    {
        const auto row = m_rows.constFind(instance);
        if (row == m_rows.cend())
            return Outcome::NoRow;
        const bool priority = row->valueText.toLower() == u"pri";
        QSqlQuery &q = priority ? m_setPrio : m_setValue;
        q.bindValue(0, ansi::decode(ansi::encode(description)));
        q.bindValue(1, pointValue(value));
        q.bindValue(2, row->key);
        return m_db.post(q, m_name, "instance", instance, m_log) ? Outcome::Written
                                                                                         : Outcome::Refused;
    }

private:
    struct Row {
        QVariant key; // the row id, or the instance as the table holds it
        QString valueText;
    };

    // Whether the table is a SQLite table with row ids.
    bool rowIds() const
    {
        if (!m_db.isSqliteFile())
            return false;
        QSqlQuery probe(m_db.db());
        return probe.exec(QStringLiteral("SELECT rowid FROM %1 WHERE 1 = 0").arg(m_db.quoted(m_name)));
    }

    QString column(const QString &wanted) const
    {
        const QString name = m_db.fieldName(m_name, wanted);
        if (name.isEmpty())
            throw Error(QStringLiteral("The table \"%1\" of the point database \"%2\" has no column \"%3\". Nothing "
                                       "was changed.").arg(m_name, m_db.shownPath(), wanted));
        return name;
    }

    QSqlQuery statement(const QString &sql)
    {
        QSqlQuery q(m_db.db());
        if (!q.prepare(sql))
            m_db.fail(QStringLiteral("prepare the export into"), q.lastError());
        return q;
    }

    OutsideDatabase &m_db;
    const LogFn &m_log;
    QString m_name, m_instance, m_description, m_value, m_prio;
    QHash<qint64, Row> m_rows;
    QSqlQuery m_setValue, m_setPrio;
};

struct IbexPoint {
    qint64 number;
    int type;
    QString description;
    double value;
};

QList<IbexPoint> ibexPointsOf(ProjectDatabase &pdb, int apex)
{
    QSqlQuery &q = pdb.prepared(
        u"SELECT IbexPt, PtType, Description, Value FROM IbexPtMap WHERE Apex = ? ORDER BY Apex, IbexPt, rowid"_qs);
    q.bindValue(0, apex);
    ProjectDatabase::run(q);
    QList<IbexPoint> points;
    while (q.next())
        points.append({nullToLong(q.value(0)), nullToInt(q.value(1)), nullToStr(q.value(2)), nullToFloat(q.value(3))});
    q.finish();
    return points;
}

} // namespace

PointExportCounts exportIbexPoints(ProjectDatabase &pdb, OutsideDatabase &target, int apex, const Progress &progress,
                                   const LogFn &log)
{
    const QList<IbexPoint> points = ibexPointsOf(pdb, apex);
    ValueTable analog(target, u"Analog Values"_qs, false, log);
    ValueTable binary(target, u"Binary Values"_qs, true, log);
    PointExportCounts counts;
    counts.points = int(points.size());
    target.begin(analog.name());
    analog.prepare(false);
    binary.prepare(true);
    counts.targetRows = analog.rows() + binary.rows();
    for (int i = 0; i < points.size(); ++i) {
        const IbexPoint &p = points[i];
        if (i % 1000 == 0)
            progress.step(i, counts.points, QStringLiteral("Point %1").arg(p.number));
        const bool isBinary = p.type == kBinaryInput || p.type == kBinaryOutput;
        switch ((isBinary ? binary : analog).write(p.number, p.description, p.value)) {
        case ValueTable::Outcome::Written: ++counts.updated; break;
        case ValueTable::Outcome::NoRow: ++counts.unmatched; break;
        case ValueTable::Outcome::Refused: ++counts.refused; break;
        }
    }
    target.commit();
    return counts;
}

} // namespace vorlix
