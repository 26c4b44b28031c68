#include "devices/DeviceTdcNames.h"

#include "project/DeviceInstance.h"

#include "ddc/TuxNames.h"
#include "project/ControllerMap.h"
#include "project/ProjectDatabase.h"
#include "util/NullChecks.h"

namespace vorlix {

namespace {
struct TdcRow {
    int apex = 0;
    QString ibexName;
    QString bactalkName;
};

QList<TdcRow> tdcRows(ProjectDatabase &pdb)
{
    QSqlQuery &q = pdb.prepared(u"SELECT Apex, IbexFilename, BACtalkFilename FROM TdcFiles "
                                 "ORDER BY Apex, IbexFilename, rowid"_qs);
    ProjectDatabase::run(q);
    QList<TdcRow> out;
    while (q.next())
        out.append({nullToInt(q.value(0)), nullToStr(q.value(1)), nullToStr(q.value(2))});
    q.finish();
    return out;
}

// Writes the three DDC columns of the device row; false when there is none
// or the database refused the change.
bool setTdcName(ProjectDatabase &pdb, int32_t devinst, const QString &appFile, const QString &job,
                const QString &rep)
{
    QSqlQuery &q = pdb.prepared(u"UPDATE tblRepJob SET DDC_rep = ?, DDC_job = ?, DDC_app = ? "
                                 "WHERE rowid = (SELECT rowid FROM tblRepJob WHERE devinst = ? "
                                 "ORDER BY rowid LIMIT 1)"_qs);
    q.bindValue(0, rep);
    q.bindValue(1, job);
    q.bindValue(2, ddcAppName(appFile));
    q.bindValue(3, devinst);
    if (!pdb.post(q, u"tblRepJob"_qs, QStringLiteral("devinst %1").arg(devinst)))
        return false;
    return q.numRowsAffected() > 0;
}
} // namespace

QString ddcAppName(const QString &bactalkFileName)
{
    const qsizetype dot = bactalkFileName.indexOf(u'.');
    return dot < 0 ? bactalkFileName : bactalkFileName.left(dot);
}

TdcNamesResult updateTdcNames(ProjectDatabase &pdb, ControllerMap &map, const QString &rep, const QString &job)
{
    TdcNamesResult result;
    const QList<TdcRow> rows = tdcRows(pdb);
    result.listed = static_cast<int>(rows.size());
    for (const TdcRow &row : rows) {
        const std::optional<TuxFileName> tux = parseTuxName(row.ibexName);
        if (!tux)
            continue;
        const int32_t base = map.apexBaseAddr(row.apex, tux->trunk);
        if (base == NotMapped)
            continue;
        const qint64 devinst = qint64(base) + tux->address;
        if (!isDeviceInstance(devinst))
            continue; // names no device: the device builders made none
        if (setTdcName(pdb, int32_t(devinst), row.bactalkName, job, rep))
            ++result.updated;
        else
            result.notFound << int32_t(devinst);
    }
    return result;
}

QString deviceList(const QList<int32_t> &devinsts)
{
    QString out;
    for (int32_t d : devinsts)
        out += QString::number(d) + u',';
    return out;
}

} // namespace vorlix
