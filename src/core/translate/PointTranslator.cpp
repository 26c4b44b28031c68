#include "translate/PointTranslator.h"

#include "project/DeviceInstance.h"

#include "project/ControllerMap.h"

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

namespace {
// The Tux device base + address; NotMapped for an unmapped trunk and for a
// sum that is no BACnet device instance.
int32_t tuxInstance(int32_t base, int address)
{
    const qint64 device = qint64(base) + address;
    return base == NotMapped || !isDeviceInstance(device) ? NotMapped : int32_t(device);
}
} // namespace

int32_t PointTranslator::tuxDevice(int apex, int trunk, int address)
{
    return tuxInstance(m_map.apexBaseAddr(apex, trunk), address);
}

int32_t PointTranslator::cpanelDevice(int apex, int cp)
{
    if (const auto tux = m_map.cpanelTux(apex, cp))
        return tuxInstance(m_map.apexBaseAddr(apex, tux->trunk), tux->address);
    return NotMapped;
}

void PointTranslator::checkRemembered()
{
    const quint64 stamp = m_map.database().dataStamp();
    if (m_rememberedStamp == stamp && m_rememberedRelDef == m_vars.addRelDefToBO
        && m_rememberedPlaceholder == m_vars.cpanelPlaceHolder)
        return;
    m_remembered.clear();
    m_rememberedStamp = stamp;
    m_rememberedRelDef = m_vars.addRelDefToBO;
    m_rememberedPlaceholder = m_vars.cpanelPlaceHolder;
}

BtPoint PointTranslator::btPointText(const PointInputs &in, bool templateContext)
{
    // Apex and control panel come from one byte each of the record; other
    // values (no record has them) are translated without remembering.
    const bool keyed = in.apex >= 0 && in.apex <= 0xFFFF && in.cp >= 0 && in.cp <= 0x7FFF;
    if (!keyed)
        return translate(in, templateContext);
    checkRemembered();
    const quint64 key = (quint64(in.ref) << 32) | (quint64(in.apex) << 16) | (quint64(in.cp) << 1)
        | (templateContext ? 1u : 0u);
    const auto it = m_remembered.constFind(key);
    if (it != m_remembered.cend())
        return *it;
    return *m_remembered.insert(key, translate(in, templateContext));
}

BtPoint PointTranslator::translate(const PointInputs &in, bool templateContext)
{
    const QString &placeholder = m_vars.cpanelPlaceHolder;
    const SplitRef s = splitPointRef(in.ref);
    BtPoint out;
    auto withCpanelDevice = [&](const QString &text) {
        if (templateContext)
            return text;
        const int32_t device = cpanelDevice(in.apex, in.cp);
        if (device == NotMapped)
            out.problem = u"CPanel# cannot be mapped. "_qs;
        return QString::number(device) + u':' + text;
    };
    auto problem = [&](const QString &text, const QString &pointText) {
        out.problem = text;
        out.text = pointText;
        return out;
    };

    switch (s.code) {
    case ptref::Global:
        return problem(u"Global Pt"_qs, placeholder);
    case ptref::Zone: {
        const ZoneRef z = decodeZoneRef(s.value);
        if (z.custom) {
            // An unmapped control panel is the problem that counts.
            out.problem = u"Zone Custom"_qs;
            out.text = withCpanelDevice(placeholder);
            return out;
        }
        if (z.tuxOffset != 0)
            return problem(u"Zone Tux Offset not supported!"_qs, QString());
        out.text = withCpanelDevice(btObjectName(z.type) + u'-' + QString::number(z.number));
        if (m_vars.addRelDefToBO && z.type == 1)
            out.text += kP104;
        return out;
    }
    case ptref::ZoneGeneric:
        out.problem = u"Zone Generic"_qs;
        out.text = withCpanelDevice(placeholder);
        return out;
    case ptref::TuxPulse: {
        const PTuxRef p = decodePTuxRef(s.value);
        const int32_t device = tuxDevice(in.apex, p.trunk, p.address);
        if (device == NotMapped)
            return problem(u"Apex not mapped to device."_qs, placeholder);
        out.text = QStringLiteral("%1:AI-%2").arg(device).arg(p.point + pulseInstanceOffset(p.kind));
        if (m_vars.addRelDefToBO && p.kind == 1)
            out.text += kP104;
        return out;
    }
    case ptref::Tux: {
        const TuxRef t = decodeTuxRef(s.value);
        const int32_t device = tuxDevice(in.apex, t.trunk, t.address);
        if (device == NotMapped)
            return problem(u"Apex not mapped to device."_qs, placeholder);
        out.text = QStringLiteral("%1:%2-%3").arg(device).arg(btObjectName(t.type)).arg(t.point);
        if (m_vars.addRelDefToBO && t.type == 1)
            out.text += kP104;
        return out;
    }
    case ptref::IbexPoint: {
        const int32_t g = m_map.apexGlobalPts(in.apex);
        if (g == NotMapped)
            return problem(u"Apex not mapped to device."_qs, placeholder);
        // A type outside 1..4 (possible after editing IbexPtMap by hand) has
        // no object: it is translated like an unassigned one.
        const int point = int(s.value & 0xFFFF);
        const QString object = ibexPtObjectName(m_map.ibexPointType(in.apex, point));
        if (object.isEmpty())
            return problem(u"Ibex point type unassigned."_qs, QString::number(g) + u':' + placeholder);
        out.text = QStringLiteral("%1:%2-%3").arg(g).arg(object).arg(s.value);
        return out;
    }
    default: return out;
    }
}

} // namespace vorlix
