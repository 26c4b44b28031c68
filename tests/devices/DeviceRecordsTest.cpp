// The device builders: workstation, gateways and Tux controllers, with their
// capability rows, written as inserts or updates by devinst.
#include "commands/DeviceCommands.h"
#include "devices/DeviceMessages.h"
#include "devices/DeviceRecords.h"
#include "util/Error.h"

#include "support/TestProject.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

namespace {

QSqlRecord row(TestProject &tp, const QString &table, int devinst)
{
    QSqlQuery q(tp.pdb.db());
    q.prepare(QStringLiteral("SELECT * FROM %1 WHERE devinst = ?").arg(table));
    q.addBindValue(devinst);
    EXPECT_TRUE(q.exec());
    if (!q.next())
        return {};
    return q.record();
}

QList<int> devinsts(TestProject &tp, const QString &table = u"tblRepJob"_qs)
{
    QSqlQuery q(tp.pdb.db());
    EXPECT_TRUE(q.exec(QStringLiteral("SELECT devinst FROM %1 ORDER BY devinst").arg(table)));
    QList<int> out;
    while (q.next())
        out << q.value(0).toInt();
    return out;
}

// The controller of the worked example: ComList 13, trunk 1 at 1001/1100/5,
// trunk 3 at 3001/3100/7.
void mapExampleApex(TestProject &tp, int apex = 3)
{
    tp.exec(QStringLiteral("UPDATE ApexMap SET ComList = '13', DevID1 = 1001, BaseAddr1 = 1100, Net1 = 5, "
                           "DevID2 = 2001, BaseAddr2 = 2100, Net2 = 6, DevID3 = 3001, BaseAddr3 = 3100, Net3 = 7 "
                           "WHERE Apex = %1").arg(apex));
}

const QStringList kGatewaySwitches = gatewayCapabilities().split(u',');

} // namespace

TEST(DeviceRecords, AddBcmWritesOneGatewayPerComListDigit)
{
    TestProject tp;
    mapExampleApex(tp);
    EXPECT_EQ(addGatewaysCommand(tp.wb), 2);
    EXPECT_EQ(tp.prompter.informed, QStringList{msg::editNetworkNumber()});
    EXPECT_EQ(devinsts(tp), (QList<int>{1001, 3001})); // trunk 2 is not in ComList
    const QSqlRecord g1 = row(tp, u"tblRepJob"_qs, 1001);
    EXPECT_EQ(g1.value(u"Net1"_qs).toInt(), 5);
    EXPECT_EQ(g1.value(u"virtualdev"_qs).toInt(), 1100);
    const QSqlRecord g3 = row(tp, u"tblRepJob"_qs, 3001);
    EXPECT_EQ(g3.value(u"Net1"_qs).toInt(), 7);
    EXPECT_EQ(g3.value(u"virtualdev"_qs).toInt(), 3100);
    for (const QSqlRecord &g : {g1, g3}) {
        EXPECT_EQ(g.value(u"network"_qs).toInt(), 100);
        EXPECT_EQ(g.value(u"NetNodes"_qs).toInt(), 1);
        EXPECT_EQ(g.value(u"NodeLevel"_qs).toInt(), 2);
        EXPECT_EQ(g.value(u"unit_type"_qs).toInt(), 5);
        EXPECT_EQ(g.value(u"devmodel"_qs).toString(), u"BCM-TUX Gateway"_qs);
        EXPECT_TRUE(g.value(u"trendhostinst"_qs).isNull()); // not a gateway's column
        EXPECT_EQ(g.value(u"Exp7"_qs).toInt(), 0);
    }
    EXPECT_EQ(g1.value(u"objname"_qs).toString(), u"DEV-1001"_qs);
    const QSqlRecord caps = row(tp, u"tblDevCapabilities"_qs, 3001);
    EXPECT_EQ(kGatewaySwitches.size(), 13);
    for (const QString &name : kGatewaySwitches)
        EXPECT_TRUE(caps.value(name).toBool()) << name.toStdString();
    EXPECT_FALSE(caps.value(u"workstation"_qs).toBool());
    EXPECT_FALSE(caps.value(u"utctimesync"_qs).toBool());
    EXPECT_TRUE(tp.wb.log.lines().join(u'\n').contains(msg::addingGateways()));
}

TEST(DeviceRecords, ARefusedGatewayIsNotCountedAsWritten)
{
    TestProject tp;
    mapExampleApex(tp);
    tp.exec(u"CREATE TRIGGER Refuse BEFORE INSERT ON tblRepJob WHEN NEW.devinst = 3001 "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END"_qs);
    EXPECT_EQ(addGatewaysCommand(tp.wb), 1);
    EXPECT_EQ(devinsts(tp), QList<int>{1001});
    EXPECT_EQ(tp.wb.pdb.refusedPosts(), 1);
    EXPECT_EQ(tp.wb.log.lines().filter(u"devinst 3001"_qs).size(), 1);
}

TEST(DeviceRecords, GatewaysOnApexZeroAndThirtyOne)
{
    TestProject tp;
    tp.exec(u"UPDATE ApexMap SET ComList = '4', DevID4 = 40, BaseAddr4 = 400, Net4 = 4 WHERE Apex = 0"_qs);
    tp.exec(u"UPDATE ApexMap SET ComList = '2', DevID2 = 3102, BaseAddr2 = 31200, Net2 = 31 WHERE Apex = 31"_qs);
    EXPECT_EQ(addGatewaysCommand(tp.wb), 2);
    EXPECT_EQ(devinsts(tp), (QList<int>{40, 3102}));
    EXPECT_EQ(row(tp, u"tblRepJob"_qs, 3102).value(u"Net1"_qs).toInt(), 31);
}

TEST(DeviceRecords, AddTuxWorkedExample)
{
    TestProject tp;
    mapExampleApex(tp);
    tp.addCpanel(3, 10, 12, 1, 4);
    tp.addCpanel(3, 11, 13, 2, 6); // trunk 2 is not in ComList
    tp.exec(u"INSERT INTO CpanelNames (Apex, CPanelNumber, Name) VALUES (3, 12, 'AHU-1')"_qs);
    const TuxBuild built = addTuxCommand(tp.wb);
    EXPECT_EQ(built.panels, 1);
    EXPECT_EQ(built.devices, 1);
    EXPECT_TRUE(tp.prompter.informed.isEmpty());
    EXPECT_EQ(devinsts(tp), QList<int>{1104});
    const QSqlRecord t = row(tp, u"tblRepJob"_qs, 1104);
    EXPECT_EQ(t.value(u"objname"_qs).toString(), u"Dev-1104"_qs);
    EXPECT_EQ(t.value(u"devdescription"_qs).toString(), u"AHU-1"_qs);
    EXPECT_EQ(t.value(u"macaddr"_qs).toString(), u"0x03ec"_qs);
    EXPECT_EQ(t.value(u"network"_qs).toInt(), 5);
    EXPECT_EQ(t.value(u"virtualdev"_qs).toInt(), 1101);
    for (const char *host : {"trendhostinst", "schedhostinst", "alarmhostinst"})
        EXPECT_EQ(t.value(QLatin1String(host)).toInt(), 1001);
    EXPECT_EQ(t.value(u"NodeLevel"_qs).toInt(), 4);
    EXPECT_EQ(t.value(u"unit_type"_qs).toInt(), 3);
    EXPECT_EQ(t.value(u"devmodel"_qs).toString(), u"TX-NON-SA"_qs); // ExpandedMode false
    const QSqlRecord caps = row(tp, u"tblDevCapabilities"_qs, 1104);
    ASSERT_FALSE(caps.isEmpty());
    for (int i = 1; i < caps.count(); ++i)
        EXPECT_FALSE(caps.value(i).toBool()) << caps.fieldName(i).toStdString();
}

TEST(DeviceRecords, HostInstancesHoldTheWholeGatewayInstance)
{
    TestProject tp;
    tp.exec(u"UPDATE ApexMap SET ComList = '1', DevID1 = 70001, BaseAddr1 = 71000, Net1 = 65541 WHERE Apex = 2"_qs);
    tp.addCpanel(2, 10, 1, 1, 1);
    addTuxCommand(tp.wb);
    const QSqlRecord t = row(tp, u"tblRepJob"_qs, 71001);
    EXPECT_EQ(t.value(u"trendhostinst"_qs).toInt(), 70001);
    EXPECT_EQ(t.value(u"alarmhostinst"_qs).toInt(), 70001);
    EXPECT_EQ(t.value(u"network"_qs).toInt(), 5); // the network number keeps its 16 bits
}

TEST(DeviceRecords, PanelsOfOneTuxMakeOneRowNamedAfterTheLast)
{
    TestProject tp;
    mapExampleApex(tp);
    tp.addCpanel(3, 20, 14, 1, 4); // later in CPanelNumber order, though added first
    tp.addCpanel(3, 10, 12, 1, 4);
    tp.addCpanel(3, 30, 13, 1, 2); // a second Tux between the panels of the first
    tp.exec(u"UPDATE CpanelMap SET ExpandedMode = 1 WHERE CPanelNumber = 14"_qs);
    tp.exec(u"INSERT INTO CpanelNames (Apex, CPanelNumber, Name) VALUES (3, 12, 'AHU-1'), (3, 13, 'VAV-7'), "
            "(3, 14, 'AHU-1 fans')"_qs);
    const TuxBuild built = addTuxCommand(tp.wb);
    EXPECT_EQ(built.panels, 3);
    EXPECT_EQ(built.devices, 2);
    QSqlQuery order(tp.pdb.db());
    ASSERT_TRUE(order.exec(u"SELECT devinst FROM tblRepJob ORDER BY rowid"_qs));
    QList<int> written;
    while (order.next())
        written << order.value(0).toInt();
    EXPECT_EQ(written, (QList<int>{1104, 1102})); // in the order the devices first occur
    const QSqlRecord t = row(tp, u"tblRepJob"_qs, 1104);
    EXPECT_EQ(t.value(u"devdescription"_qs).toString(), u"AHU-1 fans"_qs);
    EXPECT_EQ(t.value(u"devmodel"_qs).toString(), u"TX-SA"_qs);
    EXPECT_EQ(row(tp, u"tblRepJob"_qs, 1102).value(u"devdescription"_qs).toString(), u"VAV-7"_qs);
    // Building again rewrites the same rows and adds none.
    EXPECT_EQ(addTuxCommand(tp.wb).devices, 2);
    EXPECT_EQ(devinsts(tp), (QList<int>{1102, 1104}));
}

TEST(DeviceRecords, OlderDatabasesMakeEveryTuxStandAlone)
{
    TestProject tp;
    mapExampleApex(tp);
    tp.addCpanel(3, 10, 12, 1, 4);
    tp.exec(u"UPDATE Vorlix SET FloatVal = 12.6 WHERE VarName = 'DatabaseVersion'"_qs);
    tp.wb.closeProject();
    tp.wb.openProject(tp.jobFolder());
    ASSERT_FALSE(tp.pdb.expandedModeAvailable());
    addTuxCommand(tp.wb);
    EXPECT_EQ(row(tp, u"tblRepJob"_qs, 1104).value(u"devmodel"_qs).toString(), u"TX-SA"_qs);
}

TEST(DeviceRecords, RunningTwiceRewritesOwnColumnsAndKeepsTheRest)
{
    TestProject tp;
    mapExampleApex(tp);
    tp.addCpanel(3, 10, 12, 1, 4);
    addTuxCommand(tp.wb);
    addGatewaysCommand(tp.wb);
    // The user's columns and other rows stay; the builder's columns come back.
    tp.exec(u"UPDATE tblRepJob SET devlocation = 'Roof', objname = 'mine' WHERE devinst = 1104"_qs);
    tp.exec(u"UPDATE tblDevCapabilities SET utctimesync = 1 WHERE devinst = 1104"_qs);
    tp.exec(u"INSERT INTO tblRepJob (devinst, objname) VALUES (9999, 'typed by hand')"_qs);
    addTuxCommand(tp.wb);
    EXPECT_EQ(devinsts(tp), (QList<int>{1001, 1104, 3001, 9999}));
    EXPECT_EQ(devinsts(tp, u"tblDevCapabilities"_qs), (QList<int>{1001, 1104, 3001}));
    const QSqlRecord t = row(tp, u"tblRepJob"_qs, 1104);
    EXPECT_EQ(t.value(u"devlocation"_qs).toString(), u"Roof"_qs);
    EXPECT_EQ(t.value(u"objname"_qs).toString(), u"Dev-1104"_qs);
    EXPECT_TRUE(row(tp, u"tblDevCapabilities"_qs, 1104).value(u"utctimesync"_qs).toBool());
    EXPECT_EQ(row(tp, u"tblRepJob"_qs, 9999).value(u"objname"_qs).toString(), u"typed by hand"_qs);
}

TEST(DeviceRecords, ALaterBuilderTakesOverASharedDevinst)
{
    TestProject tp;
    // The gateway of trunk 1 has the instance a Tux of the same trunk gets.
    tp.exec(u"UPDATE ApexMap SET ComList = '1', DevID1 = 1104, BaseAddr1 = 1100, Net1 = 5 WHERE Apex = 3"_qs);
    tp.addCpanel(3, 10, 12, 1, 4);
    addGatewaysCommand(tp.wb);
    addTuxCommand(tp.wb);
    EXPECT_EQ(devinsts(tp), QList<int>{1104});
    const QSqlRecord t = row(tp, u"tblRepJob"_qs, 1104);
    EXPECT_EQ(t.value(u"unit_type"_qs).toInt(), 3);
    EXPECT_EQ(t.value(u"devmodel"_qs).toString(), u"TX-NON-SA"_qs);
    EXPECT_EQ(t.value(u"NodeLevel"_qs).toInt(), 4);
    // Columns only the gateway writes stay as the gateway left them.
    EXPECT_EQ(t.value(u"Net1"_qs).toInt(), 5);
    EXPECT_EQ(t.value(u"NetNodes"_qs).toInt(), 0);
    // Switches stay set: the Tux sets none and clears none.
    EXPECT_TRUE(row(tp, u"tblDevCapabilities"_qs, 1104).value(u"primarycntl"_qs).toBool());
}

TEST(DeviceRecords, AddWorkstationTakesTheTextBeforeTheComma)
{
    TestProject tp;
    tp.prompter.pushText(u" 25, lobby"_qs);
    EXPECT_TRUE(addWorkstationCommand(tp.wb));
    EXPECT_EQ(tp.prompter.asked.first(), u"Add Workstation: Device-ID"_qs);
    EXPECT_EQ(tp.prompter.informed, QStringList{msg::editNetworkNumber()});
    const QSqlRecord w = row(tp, u"tblRepJob"_qs, 25);
    EXPECT_EQ(w.value(u"objname"_qs).toString(), u"DEV-25"_qs);
    EXPECT_EQ(w.value(u"devmodel"_qs).toString(), u"Envision for BACtalk"_qs);
    EXPECT_EQ(w.value(u"unit_type"_qs).toInt(), 1);
    EXPECT_EQ(w.value(u"network"_qs).toInt(), 100);
    EXPECT_FALSE(w.value(u"WrtObjName"_qs).toBool());
    EXPECT_TRUE(row(tp, u"tblDevCapabilities"_qs, 25).value(u"workstation"_qs).toBool());
}

TEST(DeviceRecords, AWorkstationIdThatIsNotANumberIsRefused)
{
    TestProject tp;
    tp.prompter.pushText(u"lobby"_qs);
    EXPECT_THROW(addWorkstationCommand(tp.wb), Error);
    EXPECT_EQ(tp.rowCount(u"tblRepJob"_qs), 0);
    EXPECT_EQ(tp.rowCount(u"tblDevCapabilities"_qs), 0);
    // Cancelled: nothing written, no message.
    tp.prompter.pushText(QString());
    EXPECT_FALSE(addWorkstationCommand(tp.wb));
    EXPECT_TRUE(tp.prompter.informed.isEmpty());
    EXPECT_EQ(tp.rowCount(u"tblRepJob"_qs), 0);
    EXPECT_FALSE(parseDeviceId(u""_qs));
    EXPECT_EQ(parseDeviceId(u"-5"_qs), -5);
}

TEST(DeviceRecords, EmptyDatabaseAnsweredNoKeepsBothTables)
{
    TestProject tp;
    mapExampleApex(tp);
    addGatewaysCommand(tp.wb);
    tp.prompter.pushYesNo(false);
    EXPECT_FALSE(emptyDevicesCommand(tp.wb));
    EXPECT_EQ(tp.rowCount(u"tblRepJob"_qs), 2);
    EXPECT_EQ(tp.rowCount(u"tblDevCapabilities"_qs), 2);
    // Deleting a device row takes its capability row along.
    tp.exec(u"DELETE FROM tblRepJob WHERE devinst = 1001"_qs);
    EXPECT_EQ(devinsts(tp, u"tblDevCapabilities"_qs), QList<int>{3001});
}

// Device instances stay within BACnet's 0..4194302, however the controller
// map came to hold larger values (an older project, a table edited
// elsewhere): no sum wraps around 32 bits, and a device out of range is not
// written; the log says which and why.
TEST(DeviceRecords, InstancesOutOfRangeAreRefusedNeverWrapped)
{
    TestProject tp;
    tp.exec(u"UPDATE ApexMap SET ComList = '12', DevID1 = 1001, BaseAddr1 = 2147483647, Net1 = 5, "
             "DevID2 = 4194303, BaseAddr2 = 2100, Net2 = 6 WHERE Apex = 3"_qs);
    tp.addCpanel(3, 10, 12, 1, 3);
    tp.addCpanel(3, 11, 13, 2, 4);
    addGatewaysCommand(tp.wb);
    addTuxCommand(tp.wb);
    // Trunk 1's base and trunk 2's gateway are out of range: neither
    // gateway, nor the Tux behind them, can be written.
    EXPECT_EQ(devinsts(tp), QList<int>{});
    EXPECT_EQ(tp.pdb.refusedPosts(), 2); // the two Tux (Add Tux counts its own)
    const QString log = tp.wb.log.lines().join(u'\n');
    EXPECT_TRUE(log.contains(u"Not written to tblRepJob (devinst 1001): 2147483647 is not a BACnet device instance"_qs))
        << log.toStdString();
    EXPECT_TRUE(log.contains(u"Not written to tblRepJob (devinst 4194303): 4194303 is not a BACnet device instance"_qs))
        << log.toStdString();
    EXPECT_TRUE(log.contains(u"Not written to tblRepJob (devinst 2147483650): 2147483650 is not a BACnet device "
                             "instance (0 to 4194302)"_qs))
        << log.toStdString();
    EXPECT_TRUE(log.contains(u"Not written to tblRepJob (devinst 2104): 4194303 is not a BACnet device instance"_qs))
        << log.toStdString();
    EXPECT_FALSE(log.contains(u"-2147483646"_qs));

    tp.prompter.pushText(u"4194303"_qs);
    EXPECT_THROW(addWorkstationCommand(tp.wb), Error);
    tp.prompter.pushText(u"4194302"_qs);
    EXPECT_TRUE(addWorkstationCommand(tp.wb));
    EXPECT_EQ(devinsts(tp), QList<int>{4194302});
}
