#pragma once
// Turns the point reference of a display object into its Ibex text and its
// BACtalk point text (device:type-instance), through the controller map, the
// control-panel map and the Ibex point types. A reference that cannot be
// translated gives the placeholder point text and a translation problem.
#include "ibex/IbexDisplay.h"
#include "project/ProjectVariables.h"
#include "translate/PointRef.h"

#include <QHash>
#include <QString>
#include <cstdint>

namespace vorlix {

class ControllerMap;

// The three inputs of a translation, taken from an object record.
struct PointInputs {
    int apex = 0;
    int cp = 0;
    uint32_t ref = 0;
};
// Offsets 16, 25 and 18 of the record.
PointInputs pointInputsOf(const IbexObjRec &rec);
// The airflow form: the same offsets of the record's airflow scratch record.
PointInputs airflowPointInputsOf(const IbexObjRec &rec);

// The type code of the record's point reference.
inline uint8_t pointRefCode(const IbexObjRec &rec) { return splitPointRef(rec.pointRef()).code; }

// A BACtalk point text and the problem its translation met (empty when none).
struct BtPoint {
    QString text;
    QString problem;
};

class PointTranslator {
public:
    PointTranslator(const ProjectVariables &vars, ControllerMap &map) : m_vars(vars), m_map(map) {}

    // The readable Ibex rendering of a reference ("IB-12", "CP-3: ZT-DI-5", ...);
    // empty for a reference that is no point. `templateContext`: the display
    // is a template (no control-panel prefix).
    QString ibexPointText(const PointInputs &in, bool templateContext) const;
    QString ibexPointText(const IbexObjRec &rec, bool templateContext) const
    {
        return ibexPointText(pointInputsOf(rec), templateContext);
    }
    QString ibexAirflowPointText(const IbexObjRec &rec, bool templateContext) const
    {
        return ibexPointText(airflowPointInputsOf(rec), templateContext);
    }

    // The BACtalk point text. Whole translations are remembered until the
    // database may have changed or the options they depend on change.
    BtPoint btPointText(const PointInputs &in, bool templateContext);
    BtPoint btPointText(const IbexObjRec &rec, bool templateContext)
    {
        return btPointText(pointInputsOf(rec), templateContext);
    }
    BtPoint btAirflowPointText(const IbexObjRec &rec, bool templateContext)
    {
        return btPointText(airflowPointInputsOf(rec), templateContext);
    }

    // Device of a control panel's Tux, or NotMapped (the problem
    // "CPanel# cannot be mapped. ").
    int32_t cpanelDevice(int apex, int cp);
    // Base address of the trunk plus the address, or NotMapped.
    int32_t tuxDevice(int apex, int trunk, int address);

private:
    BtPoint translate(const PointInputs &in, bool templateContext);
    // Drops the remembered translations when they no longer hold.
    void checkRemembered();

    const ProjectVariables &m_vars;
    ControllerMap &m_map;
    QHash<quint64, BtPoint> m_remembered;
    quint64 m_rememberedStamp = 0;
    QString m_rememberedPlaceholder;
    bool m_rememberedRelDef = false;
};

} // namespace vorlix
