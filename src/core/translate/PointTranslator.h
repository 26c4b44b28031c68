#pragma once
// Turns the point reference of a display object into its Ibex text and its
// BACtalk point text (device:type-instance), through the controller map, the
// control-panel map and the Ibex point types. A reference that cannot be
// translated gives the placeholder point text and a translation problem.
#include "project/ProjectVariables.h"
#include "ibex/IbexDisplay.h"
#include "translate/PointRef.h"

#include <QHash>
#include <QString>
#include <cstdint>

namespace vorlix {

class ControllerMap;
class LookupCache;

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

    // The BACtalk point text; clears and then sets PointError/PointErrorText.
    QString btPointText(const PointInputs &in, bool templateContext);
    QString btPointText(const IbexObjRec &rec, bool templateContext)
    {
        return btPointText(pointInputsOf(rec), templateContext);
    }
    QString btAirflowPointText(const IbexObjRec &rec, bool templateContext)
    {
        return btPointText(airflowPointInputsOf(rec), templateContext);
    }

    // Device of a control panel's Tux, or NotMapped with the problem
    // "CPanel# cannot be mapped. " set.
    int32_t cpanelDevice(int apex, int cp);
    // Base address of the trunk plus the address, or NotMapped.
    int32_t tuxDevice(int apex, int trunk, int address);

    bool pointError = false;
    QString pointErrorText;

    // Lookups go through `cache` when set (the owner keeps it valid). With
    // a cache, whole BACtalk translations are remembered as well, until the
    // cache drops its answers or the options they depend on change: listing
    // a display and creating it translate each point once.
    void setCache(LookupCache *cache) { m_cache = cache; }

private:
    struct Remembered {
        QString text;
        bool error = false;
        QString errorText;
    };
    QString translate(const PointInputs &in, bool templateContext);
    // Drops the remembered translations when they no longer hold.
    void checkRemembered();
    void problem(const QString &text);
    int32_t baseAddr(int apex, int com);
    LookupCache *m_cache = nullptr;
    const ProjectVariables &m_vars;
    ControllerMap &m_map;
    QHash<quint64, Remembered> m_remembered;
    quint64 m_rememberedGeneration = 0;
    QString m_rememberedPlaceholder;
    bool m_rememberedRelDef = false;
};

} // namespace vorlix
