#include "project/ControllerMap.h"

#include "util/Error.h"
#include "util/NullChecks.h"

#include <QSqlError>

namespace vorlix {

namespace {
void run(QSqlQuery &q) { QueryCache::exec(q); }
} // namespace

ControllerMap::ApexRow ControllerMap::apexRow(int apex)
{
    ApexRow r;
    if (!m_pdb.isOpen())
        return r;
    QSqlQuery &q = query("apex", "SELECT ComList, GlobalPts, DevID1, Net1, BaseAddr1, DevID2, Net2, BaseAddr2, "
                                 "DevID3, Net3, BaseAddr3, DevID4, Net4, BaseAddr4 FROM ApexMap "
                                 "WHERE Apex = ? ORDER BY rowid LIMIT 1");
    q.bindValue(0, apex);
    run(q);
    if (q.next()) {
        r.exists = true;
        r.comList = nullToStr(q.value(0));
        r.globalPts = nullToInt(q.value(1));
        for (int i = 0; i < 4; ++i) {
            r.devId[i] = nullToInt(q.value(2 + 3 * i));
            r.net[i] = nullToInt(q.value(3 + 3 * i));
            r.baseAddr[i] = nullToInt(q.value(4 + 3 * i));
        }
    }
    q.finish();
    return r;
}

bool ControllerMap::apexIsMapped(int apex)
{
    const ApexRow r = apexRow(apex);
    return r.exists && !r.comList.isEmpty();
}

QString ControllerMap::apexComList(int apex) { return apexRow(apex).comList; }

bool ControllerMap::apexHasCom(int apex, int com)
{
    const ApexRow r = apexRow(apex);
    return r.exists && !r.comList.isEmpty() && r.comList.contains(QString::number(com));
}

int32_t ControllerMap::apexDevId(int apex, int com)
{
    const ApexRow r = apexRow(apex);
    if (!r.exists || com < 1 || com > 4)
        return NotMapped;
    return r.devId[com - 1];
}

int32_t ControllerMap::apexBaseAddr(int apex, int com)
{
    const ApexRow r = apexRow(apex);
    if (!r.exists || com < 1 || com > 4)
        return NotMapped;
    return r.baseAddr[com - 1];
}

int32_t ControllerMap::apexGlobalPts(int apex)
{
    const ApexRow r = apexRow(apex);
    return r.exists ? r.globalPts : NotMapped;
}

int32_t ControllerMap::apexNet(int apex, int com)
{
    const ApexRow r = apexRow(apex);
    if (!r.exists || com < 1 || com > 4)
        return 0;
    return r.net[com - 1];
}

bool ControllerMap::cpanelTux(int apex, int cp, int &trunk, int &address)
{
    if (!m_pdb.isOpen())
        return false;
    QSqlQuery &q = query("cptux", "SELECT Trunk, Address FROM CpanelMap WHERE Apex = ? AND CPanelNumber = ? "
                                  "ORDER BY rowid LIMIT 1");
    q.bindValue(0, apex);
    q.bindValue(1, cp);
    run(q);
    const bool found = q.next();
    if (found) {
        trunk = nullToInt(q.value(0));
        address = nullToInt(q.value(1));
    }
    q.finish();
    return found;
}

CallRange ControllerMap::cpanelCallRange(int apex, int cp)
{
    CallRange r;
    if (!m_pdb.isOpen())
        return r;
    QSqlQuery &q = query("cpcall", "SELECT CallTo FROM CpanelMap WHERE Apex = ? AND CPanelNumber = ? "
                                   "ORDER BY rowid LIMIT 1");
    q.bindValue(0, apex);
    q.bindValue(1, cp);
    run(q);
    const bool found = q.next();
    const int callTo = found ? nullToInt(q.value(0)) : 0;
    q.finish();
    if (!found || callTo == 0) {
        r.lastSeq = 9999;
        return r;
    }
    // The next larger call target of the whole table, visited in the table's
    // order (Apex, CPanelNumber) as the old program walks it.
    QSqlQuery &all = query("cpnext", "SELECT CallTo FROM CpanelMap WHERE CallTo > ? "
                                     "ORDER BY Apex, CPanelNumber, rowid");
    all.bindValue(0, callTo);
    run(all);
    int lastSeq = 10000;
    while (all.next()) {
        const int c = nullToInt(all.value(0));
        if (c != 0 && c > callTo && c < lastSeq)
            lastSeq = c - 1;
    }
    all.finish();
    r.ok = true;
    r.callTo = callTo;
    r.lastSeq = lastSeq == 10000 ? 9999 : lastSeq;
    return r;
}

bool ControllerMap::cpanelTuxExists(int apex, int trunk, int address)
{
    if (!m_pdb.isOpen())
        return false;
    QSqlQuery &q = query("tuxexists", "SELECT 1 FROM CpanelMap WHERE Apex = ? AND Trunk = ? AND Address = ? LIMIT 1");
    q.bindValue(0, apex);
    q.bindValue(1, trunk);
    q.bindValue(2, address);
    run(q);
    const bool found = q.next();
    q.finish();
    return found;
}

void ControllerMap::putCpanelMap(int apex, int sequence, int callTo, int cpNumber, int trunk, int address,
                                 bool expanded)
{
    QSqlQuery &find = query("cpfind", "SELECT rowid FROM CpanelMap WHERE Apex = ? AND Sequence = ? "
                                      "ORDER BY rowid LIMIT 1");
    find.bindValue(0, apex);
    find.bindValue(1, sequence);
    run(find);
    qint64 rowid = -1;
    if (find.next())
        rowid = find.value(0).toLongLong();
    find.finish();
    const QString key = QStringLiteral("Apex %1, Sequence %2").arg(apex).arg(sequence);
    const bool setCallTo = callTo < 9999;
    const bool setCp = cpNumber < 9999;
    const bool setTux = trunk < 9;
    const bool setExpanded = m_pdb.expandedModeAvailable();
    if (rowid < 0) {
        // A new row is appended whole, so a refused row leaves nothing behind.
        QSqlQuery &ins = setExpanded
                             ? query("cpins14", "INSERT INTO CpanelMap (Apex, Sequence, CallTo, CPanelNumber, Trunk, "
                                                "Address, ExpandedMode) VALUES (?, ?, ?, ?, ?, ?, ?)")
                             : query("cpins", "INSERT INTO CpanelMap (Apex, Sequence, CallTo, CPanelNumber, Trunk, "
                                              "Address) VALUES (?, ?, ?, ?, ?, ?)");
        ins.bindValue(0, apex);
        ins.bindValue(1, sequence);
        ins.bindValue(2, setCallTo ? QVariant(callTo) : QVariant());
        ins.bindValue(3, setCp ? QVariant(cpNumber) : QVariant());
        ins.bindValue(4, setTux ? QVariant(trunk) : QVariant());
        ins.bindValue(5, setTux ? QVariant(address) : QVariant());
        if (setExpanded)
            ins.bindValue(6, expanded);
        m_pdb.post(ins, u"CpanelMap"_qs, key);
        return;
    }
    // Each field is written only when its value is meant to change. (Plain
    // "?" placeholders: the SQLite driver counts every "?", so a numbered
    // placeholder used twice would refuse every update.)
    QSqlQuery &upd = setExpanded
                         ? query("cpupd14", "UPDATE CpanelMap SET CallTo = CASE WHEN ? THEN ? ELSE CallTo END, "
                                            "CPanelNumber = CASE WHEN ? THEN ? ELSE CPanelNumber END, "
                                            "Trunk = CASE WHEN ? THEN ? ELSE Trunk END, "
                                            "Address = CASE WHEN ? THEN ? ELSE Address END, "
                                            "ExpandedMode = ? WHERE rowid = ?")
                         : query("cpupd", "UPDATE CpanelMap SET CallTo = CASE WHEN ? THEN ? ELSE CallTo END, "
                                          "CPanelNumber = CASE WHEN ? THEN ? ELSE CPanelNumber END, "
                                          "Trunk = CASE WHEN ? THEN ? ELSE Trunk END, "
                                          "Address = CASE WHEN ? THEN ? ELSE Address END WHERE rowid = ?");
    const QVariantList values{setCallTo, callTo, setCp, cpNumber, setTux, trunk, setTux, address};
    int i = 0;
    for (const QVariant &v : values)
        upd.bindValue(i++, v);
    if (setExpanded)
        upd.bindValue(i++, expanded);
    upd.bindValue(i, rowid);
    m_pdb.post(upd, u"CpanelMap"_qs, key);
}

void ControllerMap::putIbexPoint(int apex, int point, int type, const QString &description)
{
    const QString key = QStringLiteral("Apex %1, IbexPt %2").arg(apex).arg(point);
    QSqlQuery &upd = query("ptupd", "UPDATE IbexPtMap SET PtType = ?, Description = ? WHERE rowid = "
                                    "(SELECT rowid FROM IbexPtMap WHERE Apex = ? AND IbexPt = ? ORDER BY rowid LIMIT 1)");
    upd.bindValue(0, type);
    upd.bindValue(1, description);
    upd.bindValue(2, apex);
    upd.bindValue(3, point);
    if (!m_pdb.post(upd, u"IbexPtMap"_qs, key))
        return;
    if (upd.numRowsAffected() > 0)
        return;
    QSqlQuery &ins = query("ptins", "INSERT INTO IbexPtMap (Apex, IbexPt, PtType, Description) VALUES (?, ?, ?, ?)");
    ins.bindValue(0, apex);
    ins.bindValue(1, point);
    ins.bindValue(2, type);
    ins.bindValue(3, description);
    m_pdb.post(ins, u"IbexPtMap"_qs, key);
}

void ControllerMap::putIbexPointValue(int apex, int point, double value)
{
    QSqlQuery &upd = query("ptval", "UPDATE IbexPtMap SET Value = ? WHERE rowid = "
                                    "(SELECT rowid FROM IbexPtMap WHERE Apex = ? AND IbexPt = ? ORDER BY rowid LIMIT 1)");
    upd.bindValue(0, value);
    upd.bindValue(1, apex);
    upd.bindValue(2, point);
    m_pdb.post(upd, u"IbexPtMap"_qs, QStringLiteral("Apex %1, IbexPt %2").arg(apex).arg(point));
}

int ControllerMap::ibexPointType(int apex, int point)
{
    if (!m_pdb.isOpen())
        return 0;
    QSqlQuery &q = query("pttype", "SELECT PtType FROM IbexPtMap WHERE Apex = ? AND IbexPt = ? ORDER BY rowid LIMIT 1");
    q.bindValue(0, apex);
    q.bindValue(1, point);
    run(q);
    const int t = q.next() ? nullToInt(q.value(0)) : 0;
    q.finish();
    return t;
}

void ControllerMap::putCpanelName(int apex, int cp, const QString &name)
{
    const QString key = QStringLiteral("Apex %1, CPanelNumber %2").arg(apex).arg(cp);
    QSqlQuery &upd = query("cnupd", "UPDATE CpanelNames SET Name = ? WHERE rowid = "
                                    "(SELECT rowid FROM CpanelNames WHERE Apex = ? AND CPanelNumber = ? ORDER BY rowid LIMIT 1)");
    upd.bindValue(0, name);
    upd.bindValue(1, apex);
    upd.bindValue(2, cp);
    if (!m_pdb.post(upd, u"CpanelNames"_qs, key))
        return;
    if (upd.numRowsAffected() > 0)
        return;
    QSqlQuery &ins = query("cnins", "INSERT INTO CpanelNames (Apex, CPanelNumber, Name) VALUES (?, ?, ?)");
    ins.bindValue(0, apex);
    ins.bindValue(1, cp);
    ins.bindValue(2, name);
    m_pdb.post(ins, u"CpanelNames"_qs, key);
}

QString ControllerMap::cpanelName(int apex, int cp)
{
    if (!m_pdb.isOpen())
        return {};
    QSqlQuery &q = query("cnget", "SELECT Name FROM CpanelNames WHERE Apex = ? AND CPanelNumber = ? ORDER BY rowid LIMIT 1");
    q.bindValue(0, apex);
    q.bindValue(1, cp);
    run(q);
    const QString n = q.next() ? nullToStr(q.value(0)) : QString();
    q.finish();
    return n;
}

} // namespace vorlix
