#include "translate/PointExport.h"

#include "project/OutsideDatabase.h"
#include "project/ProjectDatabase.h"
#include "util/Error.h"
#include "util/NullChecks.h"

#include <QHash>
#include <QLocale>
#include <QSqlField>
#include <QSqlQuery>

namespace vorlix {

namespace {

constexpr int kBinaryInput = 1;
constexpr int kBinaryOutput = 3;

// One of the point database's tables as the export sees it: its columns,
// and its rows by object instance (the first column).
class ValueTable {
public:
    ValueTable(OutsideDatabase &db, const QString &wanted, bool binary) : m_db(db)
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
        m_valueIsText = fields.field(m_value).metaType().id() == QMetaType::QString;
        if (binary) {
            m_prio = column(u"prio08"_qs);
            m_prioIsText = fields.field(m_prio).metaType().id() == QMetaType::QString;
        }
        readRows(binary);
        const QString key = m_byRowId ? u"rowid"_qs : db.quoted(m_instance);
        const QString table = db.quoted(m_name);
        m_setValue = prepare(QStringLiteral("UPDATE %1 SET %2 = ?, %3 = ? WHERE %4 = ?")
                                 .arg(table, db.quoted(m_description), db.quoted(m_value), key));
        if (binary)
            m_setPrio = prepare(QStringLiteral("UPDATE %1 SET %2 = ?, %3 = ? WHERE %4 = ?")
                                    .arg(table, db.quoted(m_description), db.quoted(m_prio), key));
    }

    // Writes the point into its row. False when the table has no row of
    // that number.
    // Rows with an instance number.
    int rows() const { return int(m_rows.size()); }

    bool write(qint64 instance, const QString &description, double value)
    {
        const auto row = m_rows.constFind(instance);
        if (row == m_rows.cend())
            return false;
        const bool priority = row->valueText.toLower() == u"pri";
        QSqlQuery &q = priority ? m_setPrio : m_setValue;
        q.bindValue(0, description);
        q.bindValue(1, valueFor(value, priority ? m_prioIsText : m_valueIsText));
        q.bindValue(2, row->key);
        if (!q.exec())
            m_db.fail(QStringLiteral("update the table \"%1\" of").arg(m_name), q.lastError());
        return true;
    }

private:
    struct Row {
        QVariant key;
        QString valueText;
    };

    QString column(const QString &wanted) const
    {
        const QString name = m_db.fieldName(m_name, wanted);
        if (name.isEmpty())
            throw Error(QStringLiteral("The table \"%1\" of the point database \"%2\" has no column \"%3\". Nothing "
                                       "was changed.").arg(m_name, m_db.shownPath(), wanted));
        return name;
    }

    QSqlQuery prepare(const QString &sql)
    {
        QSqlQuery q(m_db.db());
        if (!q.prepare(sql))
            m_db.fail(QStringLiteral("prepare the export into"), q.lastError());
        return q;
    }

    // Reads every row's instance once, so a point finds its row without a
    // scan of the table. A SQLite file is updated by rowid (the file may
    // have no index on the instance); another database by the instance.
    // When a number appears twice, the first row in table order is the one.
    void readRows(bool binary)
    {
        const QString table = m_db.quoted(m_name);
        const QString columns = m_db.quoted(m_instance) + (binary ? u", "_qs + m_db.quoted(m_value) : QString());
        QSqlQuery q(m_db.db());
        q.setForwardOnly(true);
        m_byRowId = q.exec(QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid").arg(columns, table));
        if (!m_byRowId && !q.exec(QStringLiteral("SELECT %1, %1 FROM %2").arg(columns, table)))
            m_db.fail(QStringLiteral("read the table \"%1\" of").arg(m_name), q.lastError());
        while (q.next()) {
            bool ok = false;
            const qint64 instance = q.value(1).toLongLong(&ok);
            if (!ok || m_rows.contains(instance))
                continue;
            m_rows.insert(instance, Row{q.value(0), binary ? nullToStr(q.value(2)) : QString()});
        }
    }

    static QVariant valueFor(double value, bool asText)
    {
        if (asText)
            return QString::number(value, 'g', QLocale::FloatingPointShortest);
        return value;
    }

    OutsideDatabase &m_db;
    QString m_name, m_instance, m_description, m_value, m_prio;
    bool m_valueIsText = false;
    bool m_prioIsText = false;
    bool m_byRowId = false;
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

PointExportCounts exportIbexPoints(ProjectDatabase &pdb, OutsideDatabase &target, int apex, const Progress &progress)
{
    const QList<IbexPoint> points = ibexPointsOf(pdb, apex);
    ValueTable analog(target, u"Analog Values"_qs, false);
    ValueTable binary(target, u"Binary Values"_qs, true);
    PointExportCounts counts;
    counts.points = int(points.size());
    counts.targetRows = analog.rows() + binary.rows();
    target.begin();
    for (int i = 0; i < points.size(); ++i) {
        const IbexPoint &p = points[i];
        if (i % 1000 == 0)
            progress.step(i, counts.points, QStringLiteral("Point %1").arg(p.number));
        const bool isBinary = p.type == kBinaryInput || p.type == kBinaryOutput;
        if ((isBinary ? binary : analog).write(p.number, p.description, p.value))
            ++counts.updated;
        else
            ++counts.unmatched;
    }
    target.commit();
    return counts;
}

} // namespace vorlix
