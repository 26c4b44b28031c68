#pragma once
// Lookups and upserts on the controller map (ApexMap) and the tables the Ibex
// readers fill (CpanelMap, IbexPtMap, CpanelNames). Every lookup is an indexed
// query that sees the whole table, whatever a grid shows.
#include "project/ProjectDatabase.h"
#include "project/QueryCache.h"

#include <QSqlQuery>
#include <QString>
#include <cstdint>

namespace vorlix {

// What the lookups return for an Apex or trunk that is not mapped.
inline constexpr int32_t NotMapped = 4194304;

struct CpanelTuxResult {
    bool found = false;
    int trunk = 0;
    int address = 0;
};

struct CallRange {
    bool ok = false;
    int callTo = 0;
    int lastSeq = 0;
};

class ControllerMap {
public:
    explicit ControllerMap(ProjectDatabase &pdb) : m_pdb(pdb), m_queries(pdb) {}

    bool apexIsMapped(int apex);
    bool apexHasCom(int apex, int com);
    int32_t apexDevId(int apex, int com);
    int32_t apexBaseAddr(int apex, int com);
    int32_t apexGlobalPts(int apex);
    int32_t apexNet(int apex, int com);
    QString apexComList(int apex); // empty when no row

    // Outputs keep their values when nothing is found.
    bool cpanelTux(int apex, int cp, int &trunk, int &address);
    CallRange cpanelCallRange(int apex, int cp);
    bool cpanelTuxExists(int apex, int trunk, int address);
    // 9999 (and a trunk of 9 or more) leaves the field as it is.
    void putCpanelMap(int apex, int sequence, int callTo, int cpNumber, int trunk, int address,
                      bool expanded);

    void putIbexPoint(int apex, int point, int type, const QString &description);
    void putIbexPointValue(int apex, int point, double value);
    int ibexPointType(int apex, int point);
    void putCpanelName(int apex, int cp, const QString &name);
    QString cpanelName(int apex, int cp);

    ProjectDatabase &database() { return m_pdb; }

private:
    struct ApexRow {
        bool exists = false;
        QString comList;
        int32_t globalPts = 0;
        int32_t devId[4]{}, net[4]{}, baseAddr[4]{};
    };
    ApexRow apexRow(int apex);
    QSqlQuery &query(const char *key, const char *sql) { return m_queries.get(key, sql); }

    ProjectDatabase &m_pdb;
    QueryCache m_queries;
};

} // namespace vorlix
