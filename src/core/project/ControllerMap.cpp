#include "project/ControllerMap.h"

#include "util/NullChecks.h"
#include "util/TextUtil.h"

namespace vorlix {

void ControllerMap::validate()
{
    const quint64 stamp = m_pdb.dataStamp();
    if (stamp == m_stamp)
        return;
    m_stamp = stamp;
    m_apexRows.clear();
    m_panels.clear();
    m_pointTypes.clear();
    m_callRanges.clear();
    m_lastSeqs.clear();
    m_callTos.reset();
    m_redirects.reset();
}

// --- ApexMap -------------------------------------------------------------------

const ControllerMap::ApexRow &ControllerMap::apexRow(int apex)
{
    validate();
    auto it = m_apexRows.find(apex);
    if (it != m_apexRows.end())
        return *it;
    ApexRow r;
    if (m_pdb.isOpen()) {
        QSqlQuery &q = m_pdb.prepared(u"SELECT ComList, GlobalPts, DevID1, Net1, BaseAddr1, DevID2, Net2, BaseAddr2, "
                                      "DevID3, Net3, BaseAddr3, DevID4, Net4, BaseAddr4 FROM ApexMap "
                                      "WHERE Apex = ? ORDER BY rowid LIMIT 1"_qs);
        q.bindValue(0, apex);
        ProjectDatabase::run(q);
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
    }
    return *m_apexRows.insert(apex, r);
}

bool ControllerMap::apexIsMapped(int apex)
{
    const ApexRow &r = apexRow(apex);
    return r.exists && !r.comList.isEmpty();
}

QString ControllerMap::apexComList(int apex) { return apexRow(apex).comList; }

bool ControllerMap::apexHasCom(int apex, int com)
{
    const ApexRow &r = apexRow(apex);
    return r.exists && !r.comList.isEmpty() && r.comList.contains(QString::number(com));
}

int32_t ControllerMap::apexDevId(int apex, int com)
{
    const ApexRow &r = apexRow(apex);
    if (!r.exists || com < 1 || com > 4)
        return NotMapped;
    return r.devId[com - 1];
}

int32_t ControllerMap::apexBaseAddr(int apex, int com)
{
    const ApexRow &r = apexRow(apex);
    if (!r.exists || com < 1 || com > 4)
        return NotMapped;
    return r.baseAddr[com - 1];
}

int32_t ControllerMap::apexGlobalPts(int apex)
{
    const ApexRow &r = apexRow(apex);
    return r.exists ? r.globalPts : NotMapped;
}

int32_t ControllerMap::apexNet(int apex, int com)
{
    const ApexRow &r = apexRow(apex);
    if (!r.exists || com < 1 || com > 4)
        return 0;
    return r.net[com - 1];
}

// --- CpanelMap -------------------------------------------------------------------

const QHash<int, TuxLocation> &ControllerMap::panelsOf(int apex)
{
    validate();
    auto it = m_panels.find(apex);
    if (it != m_panels.end())
        return *it;
    QHash<int, TuxLocation> panels;
    if (m_pdb.isOpen()) {
        QSqlQuery &q = m_pdb.prepared(u"SELECT CPanelNumber, Trunk, Address FROM CpanelMap WHERE Apex = ? "
                                      "AND CPanelNumber IS NOT NULL ORDER BY rowid"_qs);
        q.bindValue(0, apex);
        ProjectDatabase::run(q);
        while (q.next()) {
            const int cp = nullToInt(q.value(0));
            if (!panels.contains(cp)) // the first row of a panel counts
                panels.insert(cp, {nullToInt(q.value(1)), nullToInt(q.value(2))});
        }
        q.finish();
    }
    return *m_panels.insert(apex, panels);
}

std::optional<TuxLocation> ControllerMap::cpanelTux(int apex, int cp)
{
    const QHash<int, TuxLocation> &panels = panelsOf(apex);
    const auto it = panels.constFind(cp);
    if (it == panels.cend())
        return std::nullopt;
    return *it;
}

CallRange ControllerMap::cpanelCallRange(int apex, int cp)
{
    CallRange r;
    if (!m_pdb.isOpen())
        return r;
    validate();
    const quint64 key = (quint64(uint32_t(apex)) << 32) | uint32_t(cp);
    if (const auto known = m_callRanges.constFind(key); known != m_callRanges.cend())
        return *known;
    QSqlQuery &q = m_pdb.prepared(u"SELECT CallTo FROM CpanelMap WHERE Apex = ? AND CPanelNumber = ? "
                                  "ORDER BY rowid LIMIT 1"_qs);
    q.bindValue(0, apex);
    q.bindValue(1, cp);
    ProjectDatabase::run(q);
    const bool found = q.next();
    const int callTo = found ? nullToInt(q.value(0)) : 0;
    q.finish();
    if (!found || callTo == 0) {
        r.lastSeq = 9999;
        return *m_callRanges.insert(key, r);
    }
    r.ok = true;
    r.callTo = callTo;
    if (const auto known = m_lastSeqs.constFind(callTo); known != m_lastSeqs.cend()) {
        r.lastSeq = *known;
        return *m_callRanges.insert(key, r);
    }
    // The next larger call target of the whole table, visited in the table's
    // order (Apex, CPanelNumber); the targets are read once.
    if (!m_callTos) {
        m_callTos.emplace();
        QSqlQuery &all = m_pdb.prepared(u"SELECT CallTo FROM CpanelMap ORDER BY Apex, CPanelNumber, rowid"_qs);
        ProjectDatabase::run(all);
        while (all.next())
            if (const int c = nullToInt(all.value(0)); c != 0)
                m_callTos->push_back(c);
        all.finish();
    }
    int lastSeq = 10000;
    for (const int c : *m_callTos)
        if (c > callTo && c < lastSeq)
            lastSeq = c - 1;
    r.lastSeq = lastSeq == 10000 ? 9999 : lastSeq;
    m_lastSeqs.insert(callTo, r.lastSeq);
    return *m_callRanges.insert(key, r);
}

bool ControllerMap::cpanelTuxExists(int apex, int trunk, int address)
{
    // Asked while the reader writes the table: never remembered.
    if (!m_pdb.isOpen())
        return false;
    QSqlQuery &q = m_pdb.prepared(u"SELECT 1 FROM CpanelMap WHERE Apex = ? AND Trunk = ? AND Address = ? LIMIT 1"_qs);
    q.bindValue(0, apex);
    q.bindValue(1, trunk);
    q.bindValue(2, address);
    ProjectDatabase::run(q);
    const bool found = q.next();
    q.finish();
    return found;
}

// --- IbexPtMap and CpanelNames ------------------------------------------------------

const QHash<int, int> &ControllerMap::pointTypesOf(int apex)
{
    validate();
    auto it = m_pointTypes.find(apex);
    if (it != m_pointTypes.end())
        return *it;
    QHash<int, int> types;
    if (m_pdb.isOpen()) {
        QSqlQuery &q = m_pdb.prepared(
            u"SELECT IbexPt, PtType FROM IbexPtMap WHERE Apex = ? AND IbexPt IS NOT NULL ORDER BY rowid"_qs);
        q.bindValue(0, apex);
        ProjectDatabase::run(q);
        while (q.next()) {
            const int point = nullToInt(q.value(0));
            if (!types.contains(point)) // the first row of a point counts
                types.insert(point, nullToInt(q.value(1)));
        }
        q.finish();
    }
    return *m_pointTypes.insert(apex, types);
}

int ControllerMap::ibexPointType(int apex, int point) { return pointTypesOf(apex).value(point, 0); }

QString ControllerMap::cpanelName(int apex, int cp)
{
    if (!m_pdb.isOpen())
        return {};
    QSqlQuery &q = m_pdb.prepared(
        u"SELECT Name FROM CpanelNames WHERE Apex = ? AND CPanelNumber = ? ORDER BY rowid LIMIT 1"_qs);
    q.bindValue(0, apex);
    q.bindValue(1, cp);
    ProjectDatabase::run(q);
    const QString n = q.next() ? nullToStr(q.value(0)) : QString();
    q.finish();
    return n;
}

// --- DisplayMap ---------------------------------------------------------------------

namespace {
// The key under which a display name is found in DisplayMap.
QString redirectKey(const QString &ibexName, bool localJob)
{
    return (localJob ? u"1|"_qs : u"0|"_qs) + asciiLower(ibexName);
}
} // namespace

std::optional<QString> ControllerMap::findRedirect(const QString &ibexName, bool localJob)
{
    validate();
    if (!m_redirects) {
        m_redirects.emplace();
        if (m_pdb.isOpen()) {
            QSqlQuery &q =
                m_pdb.prepared(u"SELECT LocalJob, IbexFilename, EFBFilename FROM DisplayMap ORDER BY rowid"_qs);
            ProjectDatabase::run(q);
            while (q.next()) {
                // Rows no lookup can find: no name, a flag other than 0 or 1.
                if (q.value(0).isNull() || q.value(1).isNull())
                    continue;
                const int flag = nullToInt(q.value(0));
                if (flag != 0 && flag != 1)
                    continue;
                const QString key = redirectKey(q.value(1).toString(), flag == 1);
                if (!m_redirects->contains(key)) // the first row of a name counts
                    m_redirects->insert(key, nullToStr(q.value(2)));
            }
            q.finish();
        }
    }
    const auto it = m_redirects->constFind(redirectKey(ibexName, localJob));
    if (it == m_redirects->cend())
        return std::nullopt;
    return *it;
}

// --- the rows the readers write -------------------------------------------------------

void ControllerMap::putCpanelMap(int apex, int sequence, int callTo, int cpNumber, int trunk, int address,
                                 bool expanded)
{
    // Each field is written only when its value is meant to change.
    QList<ProjectDatabase::Field> fields;
    fields.reserve(5);
    if (callTo < 9999)
        fields.append({u"CallTo"_qs, callTo});
    if (cpNumber < 9999)
        fields.append({u"CPanelNumber"_qs, cpNumber});
    if (trunk < 9) {
        fields.append({u"Trunk"_qs, trunk});
        fields.append({u"Address"_qs, address});
    }
    if (m_pdb.expandedModeAvailable())
        fields.append({u"ExpandedMode"_qs, expanded});
    m_pdb.upsert(u"CpanelMap"_qs, {{u"Apex"_qs, apex}, {u"Sequence"_qs, sequence}}, fields,
                 [&] { return QStringLiteral("Apex %1, Sequence %2").arg(apex).arg(sequence); });
}

void ControllerMap::putIbexPoint(int apex, int point, int type, const QString &description)
{
    m_pdb.upsert(u"IbexPtMap"_qs, {{u"Apex"_qs, apex}, {u"IbexPt"_qs, point}},
                 {{u"PtType"_qs, type}, {u"Description"_qs, description}},
                 [&] { return QStringLiteral("Apex %1, IbexPt %2").arg(apex).arg(point); });
}

void ControllerMap::putIbexPointValue(int apex, int point, double value)
{
    // Values go onto the rows the point setups made; a point without one is left out.
    m_pdb.upsert(u"IbexPtMap"_qs, {{u"Apex"_qs, apex}, {u"IbexPt"_qs, point}}, {{u"Value"_qs, value}},
                 [&] { return QStringLiteral("Apex %1, IbexPt %2").arg(apex).arg(point); },
                 ProjectDatabase::Missing::Skip);
}

void ControllerMap::putCpanelName(int apex, int cp, const QString &name)
{
    m_pdb.upsert(u"CpanelNames"_qs, {{u"Apex"_qs, apex}, {u"CPanelNumber"_qs, cp}}, {{u"Name"_qs, name}},
                 [&] { return QStringLiteral("Apex %1, CPanelNumber %2").arg(apex).arg(cp); });
}

} // namespace vorlix
