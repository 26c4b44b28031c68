#include "project/LookupCache.h"

#include "project/ControllerMap.h"
#include "util/Error.h"
#include "util/NullChecks.h"
#include "inventory/RedirectTable.h"

namespace vorlix {

bool DatabaseChangeWatch::changed()
{
    ProjectDatabase &pdb = m_q.database();
    if (!pdb.isOpen())
        return true;
    // total_changes: rows written through this connection; data_version:
    // changes made through any other connection.
    qint64 changes = -2, version = -2;
    try {
        QSqlQuery &q = m_q.get("watch", "SELECT total_changes(), (SELECT data_version FROM pragma_data_version())");
        QueryCache::exec(q);
        if (q.next()) {
            changes = q.value(0).toLongLong();
            version = q.value(1).toLongLong();
        }
        q.finish();
    } catch (const Error &) {
        // A database that cannot tell: nothing is remembered.
        m_generation = -1;
        return true;
    }
    const bool same = pdb.generation() == m_generation && changes == m_changes && version == m_version;
    m_generation = pdb.generation();
    m_changes = changes;
    m_version = version;
    return !same;
}

namespace {
enum Kind { kMapped = 1, kHasCom, kBase, kGlobal, kCpTux, kPtType };
}

LookupCache::LookupCache(ControllerMap &map, RedirectTable &redirects)
    : m_map(map), m_redirects(redirects), m_q(map.database()), m_watch(map.database())
{
}

void LookupCache::revalidate()
{
    if (m_watch.changed())
        clear();
}

void LookupCache::clear()
{
    m_numbers.clear();
    m_found.clear();
    m_redirectsLoaded = false;
    m_redirectTargets.clear();
    m_pointsLoaded.clear();
    m_panelsLoaded.clear();
    ++m_generation;
}

void LookupCache::loadApexPoints(int apex)
{
    m_pointsLoaded.insert(apex, true);
    if (!m_q.database().isOpen())
        return;
    QSqlQuery &q = m_q.get("points", "SELECT IbexPt, PtType FROM IbexPtMap WHERE Apex = ? ORDER BY rowid");
    q.bindValue(0, apex);
    QueryCache::exec(q);
    while (q.next()) {
        const quint64 k = key(kPtType, apex, nullToInt(q.value(0)));
        if (!m_numbers.contains(k)) // the first row of a point counts
            m_numbers.insert(k, nullToInt(q.value(1)));
    }
    q.finish();
}

void LookupCache::loadApexPanels(int apex)
{
    m_panelsLoaded.insert(apex, true);
    if (!m_q.database().isOpen())
        return;
    QSqlQuery &q = m_q.get("panels", "SELECT CPanelNumber, Trunk, Address FROM CpanelMap WHERE Apex = ? "
                                     "AND CPanelNumber IS NOT NULL ORDER BY rowid");
    q.bindValue(0, apex);
    QueryCache::exec(q);
    while (q.next()) {
        const quint64 k = key(kCpTux, apex, nullToInt(q.value(0)));
        if (!m_found.contains(k)) {
            Found f;
            f.found = true;
            f.a = nullToInt(q.value(1));
            f.b = nullToInt(q.value(2));
            m_found.insert(k, f);
        }
    }
    q.finish();
}

bool LookupCache::apexIsMapped(int apex)
{
    const quint64 k = key(kMapped, apex, 0);
    auto it = m_numbers.constFind(k);
    if (it == m_numbers.cend())
        it = m_numbers.insert(k, m_map.apexIsMapped(apex) ? 1 : 0);
    return *it != 0;
}

bool LookupCache::apexHasCom(int apex, int com)
{
    const quint64 k = key(kHasCom, apex, com);
    auto it = m_numbers.constFind(k);
    if (it == m_numbers.cend())
        it = m_numbers.insert(k, m_map.apexHasCom(apex, com) ? 1 : 0);
    return *it != 0;
}

int32_t LookupCache::apexBaseAddr(int apex, int com)
{
    const quint64 k = key(kBase, apex, com);
    auto it = m_numbers.constFind(k);
    if (it == m_numbers.cend())
        it = m_numbers.insert(k, m_map.apexBaseAddr(apex, com));
    return *it;
}

int32_t LookupCache::apexGlobalPts(int apex)
{
    const quint64 k = key(kGlobal, apex, 0);
    auto it = m_numbers.constFind(k);
    if (it == m_numbers.cend())
        it = m_numbers.insert(k, m_map.apexGlobalPts(apex));
    return *it;
}

int LookupCache::ibexPointType(int apex, int point)
{
    if (!m_pointsLoaded.contains(apex))
        loadApexPoints(apex);
    return m_numbers.value(key(kPtType, apex, point), 0);
}

bool LookupCache::cpanelTux(int apex, int cp, int &trunk, int &address)
{
    if (!m_panelsLoaded.contains(apex))
        loadApexPanels(apex);
    const auto it = m_found.constFind(key(kCpTux, apex, cp));
    if (it == m_found.cend())
        return false;
    trunk = it->a;
    address = it->b;
    return true;
}

namespace {

// The key of a display name as the table matches it: letter case ignored
// the way the database does it (ASCII letters only).
QString redirectKey(const QString &name, bool localJob)
{
    QString k = (localJob ? u"1|"_qs : u"0|"_qs) + name;
    for (qsizetype i = 2; i < k.size(); ++i)
        if (k[i] >= u'A' && k[i] <= u'Z')
            k[i] = QChar(k[i].unicode() + (u'a' - u'A'));
    return k;
}

} // namespace

void LookupCache::loadRedirects()
{
    m_redirectsLoaded = true;
    m_redirects.forEachRedirect([this](bool localJob, const QString &ibexName, const QString &target) {
        const QString k = redirectKey(ibexName, localJob);
        if (!m_redirectTargets.contains(k)) // the first row of a name counts
            m_redirectTargets.insert(k, target);
    });
}

bool LookupCache::findRedirect(QString &name, bool localJob)
{
    if (!m_redirectsLoaded)
        loadRedirects();
    const auto it = m_redirectTargets.constFind(redirectKey(name, localJob));
    if (it == m_redirectTargets.cend())
        return false;
    name = *it;
    return true;
}

} // namespace vorlix
