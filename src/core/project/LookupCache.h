#pragma once
// Remembered answers of the lookups a display translation makes (controller
// map, control-panel map, point types, redirects), so listing a display asks
// the database once per distinct key instead of once per object. The owner
// calls revalidate() before each listing: any change to the project
// database since the last check (by this program or another) drops
// everything, so edits take effect at the next translation as before.
#include "project/QueryCache.h"

#include <QHash>
#include <QString>
#include <cstdint>

namespace vorlix {

class ControllerMap;
class RedirectTable;

// Tells whether the project database may have changed since the last call.
class DatabaseChangeWatch {
public:
    explicit DatabaseChangeWatch(ProjectDatabase &pdb) : m_q(pdb) {}
    bool changed();

private:
    QueryCache m_q;
    int m_generation = -1;
    qint64 m_changes = -1;
    qint64 m_version = -1;
};

class LookupCache {
public:
    LookupCache(ControllerMap &map, RedirectTable &redirects);

    // Drops every remembered answer when the database changed.
    void revalidate();
    void clear();
    // Counts the clear()s: answers built on this cache (whole translations)
    // are stale once it moves on.
    quint64 generation() const { return m_generation; }

    bool apexIsMapped(int apex);
    bool apexHasCom(int apex, int com);
    int32_t apexBaseAddr(int apex, int com);
    int32_t apexGlobalPts(int apex);
    bool cpanelTux(int apex, int cp, int &trunk, int &address);
    int ibexPointType(int apex, int point);
    bool findRedirect(QString &name, bool localJob);

private:
    struct Found {
        bool found = false;
        int a = 0, b = 0;
        QString text;
    };
    static quint64 key(int kind, int x, int y) { return (quint64(kind) << 56) | (quint64(uint32_t(x)) << 28) | uint32_t(y); }

    // Point types and control panels are read one Apex at a time: one
    // indexed query per Apex instead of one per object.
    void loadApexPoints(int apex);
    void loadApexPanels(int apex);
    // The redirection table is small: it is read whole, once.
    void loadRedirects();

    ControllerMap &m_map;
    RedirectTable &m_redirects;
    QueryCache m_q;
    DatabaseChangeWatch m_watch;
    QHash<int, bool> m_pointsLoaded;
    QHash<int, bool> m_panelsLoaded;
    QHash<quint64, int32_t> m_numbers;
    QHash<quint64, Found> m_found;
    bool m_redirectsLoaded = false;
    QHash<QString, QString> m_redirectTargets; // "0|" or "1|" + name in ASCII lower case
    quint64 m_generation = 0;
};

} // namespace vorlix
