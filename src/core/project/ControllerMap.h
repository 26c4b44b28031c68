#pragma once
// The one way to look things up in the project database: the controller map
// (ApexMap), the control panels (CpanelMap), the Ibex point types
// (IbexPtMap), the control-panel names and the display redirections
// (DisplayMap). Answers are remembered and forgotten as soon as the
// database may have changed, so callers never see a stale answer and never
// manage a cache. Every lookup sees the whole table, whatever a grid shows.
// It also writes the rows the Ibex readers fill.
#include "project/ProjectDatabase.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace vorlix {

// What the lookups return for an Apex or trunk that is not mapped.
inline constexpr int32_t NotMapped = 4194304;

// Where a control panel's Tux sits.
struct TuxLocation {
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
    explicit ControllerMap(ProjectDatabase &pdb) : m_pdb(pdb) {}
    ControllerMap(const ControllerMap &) = delete;
    ControllerMap &operator=(const ControllerMap &) = delete;

    // --- ApexMap --------------------------------------------------------------
    bool apexIsMapped(int apex);
    bool apexHasCom(int apex, int com);
    int32_t apexDevId(int apex, int com);
    int32_t apexBaseAddr(int apex, int com);
    int32_t apexGlobalPts(int apex);
    int32_t apexNet(int apex, int com);
    QString apexComList(int apex); // empty when no row

    // --- CpanelMap ------------------------------------------------------------
    std::optional<TuxLocation> cpanelTux(int apex, int cp);
    CallRange cpanelCallRange(int apex, int cp);
    bool cpanelTuxExists(int apex, int trunk, int address);

    // --- IbexPtMap and CpanelNames -------------------------------------------
    int ibexPointType(int apex, int point); // 0 when the point has no row
    QString cpanelName(int apex, int cp);

    // --- DisplayMap -------------------------------------------------------------
    // The target of a redirected display (the empty text for a skipped one);
    // nothing when the display is neither. Names match without regard to
    // letter case, as the database compares them.
    std::optional<QString> findRedirect(const QString &ibexName, bool localJob);

    // --- the rows the readers write -------------------------------------------
    // 9999 (and a trunk of 9 or more) leaves the field as it is.
    void putCpanelMap(int apex, int sequence, int callTo, int cpNumber, int trunk, int address, bool expanded);
    void putIbexPoint(int apex, int point, int type, const QString &description);
    void putIbexPointValue(int apex, int point, double value);
    void putCpanelName(int apex, int cp, const QString &name);

    ProjectDatabase &database() { return m_pdb; }

private:
    struct ApexRow {
        bool exists = false;
        QString comList;
        int32_t globalPts = 0;
        int32_t devId[4]{}, net[4]{}, baseAddr[4]{};
    };
    // Forgets every answer when the database may have changed.
    void validate();
    const ApexRow &apexRow(int apex);
    const QHash<int, TuxLocation> &panelsOf(int apex);
    const QHash<int, int> &pointTypesOf(int apex);

    ProjectDatabase &m_pdb;
    quint64 m_stamp = 0;
    QHash<int, ApexRow> m_apexRows;
    // Point types and control panels are read one Apex at a time: one
    // indexed query per Apex instead of one per display object.
    QHash<int, QHash<int, TuxLocation>> m_panels;
    QHash<int, QHash<int, int>> m_pointTypes;
    // Call ranges by (Apex, control panel), and the line before the next
    // subroutine by call target: a scan asks for thousands of buttons.
    QHash<quint64, CallRange> m_callRanges;
    QHash<int, int> m_lastSeqs;
    // Every non-zero CallTo in the table's order (Apex, CPanelNumber).
    std::optional<std::vector<int>> m_callTos;
    // The redirection table is small: it is read whole.
    std::optional<QHash<QString, QString>> m_redirects;
};

} // namespace vorlix
