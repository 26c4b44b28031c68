#include "project/GridEdits.h"

#include "project/DeviceInstance.h"

#include <QSqlQuery>

namespace vorlix {

QString devinstProblem(QSqlDatabase db, qint64 devinst)
{
    const QString range = deviceInstanceProblem(u"devinst"_qs, devinst);
    if (!range.isEmpty())
        return range;
    QSqlQuery q(db);
    q.prepare(u"SELECT 1 FROM tblRepJob WHERE devinst = ? LIMIT 1"_qs);
    q.addBindValue(devinst);
    if (q.exec() && q.next())
        return QStringLiteral("Another device already has devinst %1: each device needs an instance of its own.")
            .arg(devinst);
    return {};
}

QString gridEditProblem(QSqlDatabase db, GridTable table, const QString &field, const QVariant &value,
                        const QVariant &current)
{
    const bool instance = table == GridTable::ApexMap
                              ? isApexMapInstanceField(field)
                              : table == GridTable::RepJob && field.compare(u"devinst", Qt::CaseInsensitive) == 0;
    if (!instance || value.isNull() || value.toString().trimmed().isEmpty())
        return {};
    bool ok = false;
    const qint64 v = value.toString().trimmed().toLongLong(&ok);
    if (!ok)
        return QStringLiteral("%1 takes a whole number, not \"%2\".").arg(field, value.toString());
    if (table == GridTable::ApexMap)
        return apexMapInstanceProblem(field, v);
    bool same = false;
    if (current.toLongLong(&same) == v && same)
        return {};
    return devinstProblem(db, v);
}

} // namespace vorlix
