#include "translate/PointTranslator.h"

#include "project/ControllerMap.h"
#include "project/LookupCache.h"

namespace vorlix {

PointInputs pointInputsOf(const IbexObjRec &rec) { return {rec.apex(), rec.cpNumber(), rec.pointRef()}; }

PointInputs airflowPointInputsOf(const IbexObjRec &rec)
{
    const QByteArray scratch = airflowScratchRecord(rec);
    return pointInputsOf(IbexObjRec(&scratch, 1));
}

namespace {
QString cpanelPrefix(int cp, bool templateContext)
{
    return templateContext ? QString() : QStringLiteral("CP-%1: ").arg(cp);
}
const QString kP104 = u"-P104"_qs;
} // namespace

QString PointTranslator::ibexPointText(const PointInputs &in, bool templateContext) const
{
    const SplitRef s = splitPointRef(in.ref);
    switch (s.code) {
    case ptref::Global: return u"GL-"_qs + QString::number(s.value);
    case ptref::Zone: {
        const ZoneRef z = decodeZoneRef(s.value);
        if (z.custom)
            return cpanelPrefix(in.cp, templateContext) + u"ZC-"_qs + QString::number(z.number);
        QString t = cpanelPrefix(in.cp, templateContext) + u"ZT-"_qs;
        if (z.tuxOffset != 0)
            t += QString::number(z.tuxOffset) + u'-';
        return t + ibexTypeName(z.type) + u'-' + QString::number(z.number);
    }
    case ptref::ZoneGeneric:
        return cpanelPrefix(in.cp, templateContext) + u"ZG-"_qs + zoneGenericName(int(s.value & 0xFFFF));
    case ptref::TuxPulse: {
        const PTuxRef p = decodePTuxRef(s.value);
        return QStringLiteral("PTux-%1-%2-%3%4").arg(p.trunk).arg(p.address).arg(pulseKindName(p.kind)).arg(p.point);
    }
    case ptref::Tux: {
        const TuxRef t = decodeTuxRef(s.value);
        return QStringLiteral("Tux-%1-%2-%3-%4").arg(t.trunk).arg(t.address).arg(ibexTypeName(t.type)).arg(t.point);
    }
    case ptref::IbexPoint: return u"IB-"_qs + QString::number(s.value);
    default: return {};
    }
}

void PointTranslator::problem(const QString &text)
{
    pointError = true;
    pointErrorText = text;
}

int32_t PointTranslator::baseAddr(int apex, int com)
{
    return m_cache ? m_cache->apexBaseAddr(apex, com) : m_map.apexBaseAddr(apex, com);
}

int32_t PointTranslator::tuxDevice(int apex, int trunk, int address)
{
    const int32_t base = baseAddr(apex, trunk);
    return base == NotMapped ? NotMapped : base + address;
}

int32_t PointTranslator::cpanelDevice(int apex, int cp)
{
    int trunk = 0, address = 0;
    if (m_cache ? m_cache->cpanelTux(apex, cp, trunk, address) : m_map.cpanelTux(apex, cp, trunk, address)) {
        const int32_t base = baseAddr(apex, trunk);
        if (base != NotMapped)
            return base + address;
    }
    problem(u"CPanel# cannot be mapped. "_qs);
    return NotMapped;
}

void PointTranslator::checkRemembered()
{
    if (m_rememberedGeneration == m_cache->generation() && m_rememberedRelDef == m_vars.addRelDefToBO
        && m_rememberedPlaceholder == m_vars.cpanelPlaceHolder)
        return;
    m_remembered.clear();
    m_rememberedGeneration = m_cache->generation();
    m_rememberedRelDef = m_vars.addRelDefToBO;
    m_rememberedPlaceholder = m_vars.cpanelPlaceHolder;
}

QString PointTranslator::btPointText(const PointInputs &in, bool templateContext)
{
    if (!m_cache)
        return translate(in, templateContext);
    // Apex and control panel come from one byte each of the record; other
    // values (no record has them) are translated without remembering.
    const bool keyed = in.apex >= 0 && in.apex <= 0xFFFF && in.cp >= 0 && in.cp <= 0x7FFF;
    if (!keyed)
        return translate(in, templateContext);
    checkRemembered();
    const quint64 key = (quint64(in.ref) << 32) | (quint64(in.apex) << 16) | (quint64(in.cp) << 1)
        | (templateContext ? 1u : 0u);
    const auto it = m_remembered.constFind(key);
    if (it != m_remembered.cend()) {
        pointError = it->error;
        pointErrorText = it->errorText;
        return it->text;
    }
    Remembered r;
    r.text = translate(in, templateContext);
    r.error = pointError;
    r.errorText = pointErrorText;
    m_remembered.insert(key, r);
    return r.text;
}

QString PointTranslator::translate(const PointInputs &in, bool templateContext)
{
    pointError = false;
    pointErrorText.clear();
    const QString &placeholder = m_vars.cpanelPlaceHolder;
    const SplitRef s = splitPointRef(in.ref);
    auto withCpanelDevice = [&](const QString &text) {
        return templateContext ? text : QString::number(cpanelDevice(in.apex, in.cp)) + u':' + text;
    };

    switch (s.code) {
    case ptref::Global:
        problem(u"Global Pt"_qs);
        return placeholder;
    case ptref::Zone: {
        const ZoneRef z = decodeZoneRef(s.value);
        if (z.custom) {
            problem(u"Zone Custom"_qs);
            return withCpanelDevice(placeholder);
        }
        if (z.tuxOffset != 0) {
            problem(u"Zone Tux Offset not supported!"_qs);
            return {};
        }
        QString text = withCpanelDevice(btObjectName(z.type) + u'-' + QString::number(z.number));
        if (m_vars.addRelDefToBO && z.type == 1)
            text += kP104;
        return text;
    }
    case ptref::ZoneGeneric:
        problem(u"Zone Generic"_qs);
        return withCpanelDevice(placeholder);
    case ptref::TuxPulse: {
        const PTuxRef p = decodePTuxRef(s.value);
        const int32_t device = tuxDevice(in.apex, p.trunk, p.address);
        if (device == NotMapped) {
            problem(u"Apex not mapped to device."_qs);
            return placeholder;
        }
        QString text = QStringLiteral("%1:AI-%2").arg(device).arg(p.point + pulseInstanceOffset(p.kind));
        if (m_vars.addRelDefToBO && p.kind == 1)
            text += kP104;
        return text;
    }
    case ptref::Tux: {
        const TuxRef t = decodeTuxRef(s.value);
        const int32_t device = tuxDevice(in.apex, t.trunk, t.address);
        if (device == NotMapped) {
            problem(u"Apex not mapped to device."_qs);
            return placeholder;
        }
        QString text = QStringLiteral("%1:%2-%3").arg(device).arg(btObjectName(t.type)).arg(t.point);
        if (m_vars.addRelDefToBO && t.type == 1)
            text += kP104;
        return text;
    }
    case ptref::IbexPoint: {
        const int32_t g = m_cache ? m_cache->apexGlobalPts(in.apex) : m_map.apexGlobalPts(in.apex);
        if (g == NotMapped) {
            problem(u"Apex not mapped to device."_qs);
            return placeholder;
        }
        // A type outside 1..4 (possible after editing IbexPtMap by hand) has
        // no object: it is translated like an unassigned one.
        const int point = int(s.value & 0xFFFF);
        const QString object =
            ibexPtObjectName(m_cache ? m_cache->ibexPointType(in.apex, point) : m_map.ibexPointType(in.apex, point));
        if (object.isEmpty()) {
            problem(u"Ibex point type unassigned."_qs);
            return QString::number(g) + u':' + placeholder;
        }
        return QStringLiteral("%1:%2-%3").arg(g).arg(object).arg(s.value);
    }
    default: return {};
    }
}

} // namespace vorlix
