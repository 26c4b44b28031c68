#include "devices/DeviceRecords.h"

#include "project/ControllerMap.h"
#include "project/DeviceInstance.h"
#include "project/ProjectDatabase.h"
#include "util/NullChecks.h"
#include "util/TextUtil.h"

#include <QHash>
#include <QList>
#include <vector>

namespace vorlix {

namespace {

using Field = ProjectDatabase::Field;

const QString kDevices = u"tblRepJob"_qs;
const QString kCapabilities = u"tblDevCapabilities"_qs;

// The defaults of a new device row, written again by every builder.
void addDefaults(QList<Field> &fields)
{
    for (const char *name : {"omf_autodown", "ddc_autodown", "commalarmenabled", "enablemstpproxy", "WrtObjName",
                             "readDevMgr"})
        fields.append({QLatin1String(name), false});
    for (int i = 0; i < 8; ++i)
        fields.append({QStringLiteral("Exp%1").arg(i), 0});
}

// Whether the device's instances (its own, its virtual device, its hosts)
// are BACnet device instances; when one is not, the device is not written
// and the database logs it as a refused row.
bool instancesFit(ProjectDatabase &pdb, qint64 devinst, std::initializer_list<qint64> others)
{
    qint64 wrong = devinst;
    bool fit = isDeviceInstance(devinst);
    for (qint64 v : others)
        if (fit && !isDeviceInstance(v)) {
            fit = false;
            wrong = v;
        }
    if (!fit)
        pdb.refuse(kDevices, QStringLiteral("devinst %1").arg(devinst),
                   QStringLiteral("%1 is not a BACnet device instance (0 to %2); check the controller map")
                       .arg(wrong).arg(kMaxDeviceInstance));
    return fit;
}

// Insert or update the device row and its capability row by devinst; a
// refused row is cancelled (and logged by the database) and the build goes on.
// False when the database refused the device row (it is logged).
bool writeDevice(ProjectDatabase &pdb, qint64 devinst, QList<Field> fields, const QString &switches)
{
    addDefaults(fields);
    const QList<Field> key{{u"devinst"_qs, devinst}};
    const auto logKey = [devinst] { return QStringLiteral("devinst %1").arg(devinst); };
    const bool stored = pdb.upsert(kDevices, key, fields, logKey);
    QList<Field> caps;
    for (const QString &name : switches.split(u',', Qt::SkipEmptyParts))
        caps.append({name.trimmed(), true});
    pdb.upsert(kCapabilities, key, caps, logKey);
    return stored;
}

QString devName(qint64 devinst) { return QStringLiteral("DEV-%1").arg(devinst); }

// The Apex numbers of the controller map, in order.
QList<int> apexNumbers(ProjectDatabase &pdb)
{
    QSqlQuery &q = pdb.prepared(u"SELECT Apex FROM ApexMap ORDER BY Apex, rowid"_qs);
    ProjectDatabase::run(q);
    QList<int> out;
    while (q.next())
        out << nullToInt(q.value(0));
    q.finish();
    return out;
}

struct Panel {
    int apex = 0;
    int trunk = 0;
    int address = 0;
    int cp = 0;
    bool expanded = true;
};

// The control panels in table order (Apex, CPanelNumber).
QList<Panel> panels(ProjectDatabase &pdb)
{
    const bool expanded = pdb.expandedModeAvailable();
    QSqlQuery &q = pdb.prepared(expanded ? u"SELECT Apex, Trunk, Address, CPanelNumber, ExpandedMode FROM CpanelMap "
                                           "ORDER BY Apex, CPanelNumber, rowid"_qs
                                         : u"SELECT Apex, Trunk, Address, CPanelNumber FROM CpanelMap "
                                           "ORDER BY Apex, CPanelNumber, rowid"_qs);
    ProjectDatabase::run(q);
    QList<Panel> out;
    while (q.next()) {
        Panel p{nullToInt(q.value(0)), nullToInt(q.value(1)), nullToInt(q.value(2)), nullToInt(q.value(3)), true};
        // An older database has no ExpandedMode: every Tux is stand-alone.
        if (expanded)
            p.expanded = nullToBool(q.value(4));
        out << p;
    }
    q.finish();
    return out;
}

} // namespace

QString gatewayCapabilities()
{
    return u"sendutcoffset,supportschedext,supportalarmext,supporttlogext,supportzoneext,supportdlimext,"
           "supportalmdialout,primarycntl,supportreadwrite,supportddc3,supportOMFBIN,supportAlarmProcID,"
           "configurabledev"_qs;
}

QString workstationCapabilities() { return u"workstation,"_qs; }

std::optional<int32_t> parseDeviceId(const QString &typed)
{
    QString rest = typed;
    const QString id = nextToken(rest, u',').trimmed();
    int32_t v = 0;
    if (id.isEmpty() || !parseInt32(id, v))
        return std::nullopt;
    return v;
}

QString tuxMacAddress(int address)
{
    return QStringLiteral("0x%1").arg(static_cast<uint32_t>(address + 1000), 4, 16, QLatin1Char('0'));
}

void writeWorkstation(ProjectDatabase &pdb, int32_t devinst)
{
    writeDevice(pdb, devinst,
                {{u"unit_type"_qs, 1},
                 {u"max_trends"_qs, 0},
                 {u"devdescription"_qs, QStringLiteral("")},
                 {u"objname"_qs, devName(devinst)},
                 {u"network"_qs, 100},
                 {u"devmodel"_qs, u"Envision for BACtalk"_qs},
                 {u"NetNodes"_qs, 0},
                 {u"NodeLevel"_qs, 2}},
                workstationCapabilities());
}

int addGatewayRecords(ProjectDatabase &pdb, ControllerMap &map)
{
    const QString switches = gatewayCapabilities();
    int written = 0;
    for (int apex : apexNumbers(pdb)) {
        for (int n = 1; n <= 4; ++n) {
            if (!map.apexHasCom(apex, n))
                continue;
            const int32_t devId = map.apexDevId(apex, n);
            const int32_t base = map.apexBaseAddr(apex, n);
            if (!instancesFit(pdb, devId, {base}))
                continue;
            // Only gateways stored count as written; a refused one is logged.
            const bool stored = writeDevice(pdb, devId,
                        {{u"unit_type"_qs, 5},
                         {u"max_trends"_qs, 0},
                         {u"devdescription"_qs, QStringLiteral("")},
                         {u"objname"_qs, devName(devId)},
                         {u"network"_qs, 100},
                         {u"devmodel"_qs, u"BCM-TUX Gateway"_qs},
                         {u"Net1"_qs, map.apexNet(apex, n)},
                         {u"virtualdev"_qs, base},
                         {u"NetNodes"_qs, 1},
                         {u"NodeLevel"_qs, 2}},
                        switches);
            written += stored ? 1 : 0;
        }
    }
    return written;
}

TuxBuild addTuxRecords(ProjectDatabase &pdb, ControllerMap &map)
{
    const QList<Panel> all = panels(pdb);
    // The panel that gives each device its row, in the order the devices
    // first occur: a Tux with many control panels is written once, from its
    // last panel, instead of once per panel.
    struct Tux {
        qint64 devinst;
        Panel panel;
        int32_t devId, base, net;
    };
    std::vector<Tux> devices;
    QHash<qint64, size_t> slot;
    TuxBuild build;
    for (int apex : apexNumbers(pdb)) {
        for (int n = 1; n <= 4; ++n) {
            if (!map.apexHasCom(apex, n))
                continue;
            const int32_t devId = map.apexDevId(apex, n);
            const int32_t base = map.apexBaseAddr(apex, n);
            const int32_t net = map.apexNet(apex, n);
            for (const Panel &p : all) {
                if (p.apex != apex || p.trunk != n)
                    continue;
                ++build.panels;
                const Tux tux{qint64(base) + p.address, p, devId, base, net};
                const auto found = slot.constFind(tux.devinst);
                if (found == slot.cend()) {
                    slot.insert(tux.devinst, devices.size());
                    devices.push_back(tux);
                } else {
                    devices[*found] = tux;
                }
            }
        }
    }
    int written = 0;
    for (const Tux &t : devices) {
        if (!instancesFit(pdb, t.devinst, {qint64(t.base) + 1, t.devId}))
            continue;
        ++written;
        // The host instances hold the gateway's whole device instance.
        writeDevice(pdb, t.devinst,
                    {{u"unit_type"_qs, 3},
                     {u"max_trends"_qs, 0},
                     {u"devdescription"_qs, map.cpanelName(t.panel.apex, t.panel.cp)},
                     {u"objname"_qs, u"Dev-"_qs + QString::number(t.devinst)},
                     {u"trendhostinst"_qs, t.devId},
                     {u"schedhostinst"_qs, t.devId},
                     {u"alarmhostinst"_qs, t.devId},
                     {u"network"_qs, static_cast<int>(static_cast<uint16_t>(t.net))},
                     {u"macaddr"_qs, tuxMacAddress(t.panel.address)},
                     {u"devmodel"_qs, t.panel.expanded ? u"TX-SA"_qs : u"TX-NON-SA"_qs},
                     {u"virtualdev"_qs, qint64(t.base) + 1},
                     {u"NetNodes"_qs, 0},
                     {u"NodeLevel"_qs, 4}},
                    QString());
    }
    build.devices = written;
    return build;
}

} // namespace vorlix
