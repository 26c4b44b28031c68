#include "project/TableCsv.h"

#include "util/Error.h"
#include "util/NullChecks.h"

#include <QDateTime>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace vorlix {
namespace {

QString keyOrder(const QString &table)
{
    static const QHash<QString, QString> orders = {
        {u"apexmap"_qs, u"Apex"_qs},
        {u"cpanelmap"_qs, u"Apex, Sequence"_qs},
        {u"ibexptmap"_qs, u"Apex, IbexPt"_qs},
        {u"cpanelnames"_qs, u"Apex, CPanelNumber"_qs},
        {u"tblrepjob"_qs, u"devinst"_qs},
        {u"tbldevcapabilities"_qs, u"devinst"_qs},
    };
    const QString o = orders.value(table.toLower());
    return o.isEmpty() ? u"rowid"_qs : o + u", rowid"_qs;
}

QString csvField(const QString &s)
{
    if (s.contains(u',') || s.contains(u'"') || s.contains(u'\n') || s.contains(u'\r')) {
        QString q = s;
        q.replace(u"\""_qs, u"\"\""_qs);
        return u'"' + q + u'"';
    }
    return s;
}

QString formatValue(const QVariant &v, schema::FieldType type)
{
    if (!v.isValid() || v.isNull())
        return {};
    switch (type) {
    case schema::FieldType::YesNo:
        return nullToBool(v) ? u"1"_qs : u"0"_qs;
    case schema::FieldType::Short:
    case schema::FieldType::Long:
        return QString::number(nullToLong(v));
    case schema::FieldType::Double:
        return QString::number(nullToFloat(v), 'g', QLocale::FloatingPointShortest);
    case schema::FieldType::DateTime: {
        const QDateTime dt = v.toDateTime();
        return dt.isValid() ? dt.toString(Qt::ISODate) : v.toString();
    }
    case schema::FieldType::Text:
        return v.toString();
    }
    return v.toString();
}

} // namespace

QString dumpTableCsv(ProjectDatabase &pdb, const schema::Table &table, const CalculatedColumn *extra)
{
    const QSqlRecord present = pdb.db().record(QLatin1String(table.name));
    QStringList names, columns;
    std::vector<schema::FieldType> types;
    int extraAt = -1; // the calculated column comes before field number extraAt
    for (const schema::Field &f : table.fields) {
        const QString name = QLatin1String(f.name);
        if (present.indexOf(name) < 0)
            continue;
        if (name == u"ExpandedMode" && !pdb.expandedModeAvailable())
            continue;
        names << csvField(name);
        columns << u'"' + name + u'"';
        types.push_back(f.type);
        if (extra && name.compare(extra->after, Qt::CaseInsensitive) == 0) {
            extraAt = int(types.size());
            names << csvField(extra->name);
        }
    }
    QString out = names.join(u',') + u"\r\n"_qs;
    QSqlQuery q(pdb.db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY %3")
                    .arg(columns.join(u", "), QLatin1String(table.name), keyOrder(QLatin1String(table.name)))))
        throw Error(QStringLiteral("Cannot read table %1: %2").arg(QLatin1String(table.name), q.lastError().text()));
    while (q.next()) {
        QStringList row;
        for (int i = 0; i < static_cast<int>(types.size()); ++i) {
            if (i == extraAt)
                row << csvField(extra->value(q.record()));
            row << csvField(formatValue(q.value(i), types[i]));
        }
        if (extraAt == static_cast<int>(types.size()))
            row << csvField(extra->value(q.record()));
        out += row.join(u',') + u"\r\n"_qs;
    }
    return out;
}

} // namespace vorlix
