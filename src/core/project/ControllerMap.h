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

    bool ApexIsMapped(int apex);
    bool ApexHasCom(int apex, int com);
    int32_t ApexDevId(int apex, int com);
    int32_t ApexBaseAddr(int apex, int com);
    int32_t ApexGlobalPts(int apex);
    int32_t ApexNet(int apex, int com);
    QString ApexComList(int apex); // empty when no row

    // Outputs keep their values when nothing is found.
    bool CpanelTux(int apex, int cp, int &trunk, int &address);
    CallRange CpanelCallRange(int apex, int cp);
    bool CpanelTuxExists(int apex, int trunk, int address);
    // 9999 (and a trunk of 9 or more) leaves the field as it is.
    void PutCpanelMap(int apex, int sequence, int callTo, int cpNumber, int trunk, int address,
                      bool expanded);

    void PutIbexPoint(int apex, int point, int type, const QString &description);
    void PutIbexPointValue(int apex, int point, double value);
    int IbexPointType(int apex, int point);
    void PutCpanelName(int apex, int cp, const QString &name);
    QString CpanelName(int apex, int cp);

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
