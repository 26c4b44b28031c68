// The merge into a BACtalk device database, through QSQLITE and through
// ODBC (the SQLite ODBC driver): the same destination rows either way, one
// transaction, and a destination left exactly as it was when the merge fails.
#include "commands/DeviceCommands.h"
#include "devices/DeviceMessages.h"
#include "util/Error.h"

#include "support/DeviceDestination.h"
#include "support/LockHolder.h"
#include "support/TestProject.h"
#include "support/WorkbenchProject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QDateTime>
#include <gtest/gtest.h>

using namespace vorlix;
using namespace vorlix::test;

namespace {

using Route = OutsideDatabase::Route;

class DeviceMerge : public ::testing::TestWithParam<Route> {
protected:
    void SetUp() override
    {
        qputenv("VORLIX_OUTSIDE_ODBC", GetParam() == Route::Odbc ? "1" : "0");
        // The worked example's controller: gateways 1001 (net 5) and 3001
        // (net 7), Tux 1104 and 1105 on trunk 1, and a workstation.
        tp.exec(u"UPDATE ApexMap SET ComList = '13', DevID1 = 1001, BaseAddr1 = 1100, Net1 = 5, "
                 "DevID3 = 3001, BaseAddr3 = 3100, Net3 = 7 WHERE Apex = 3"_qs);
        tp.addCpanel(3, 10, 12, 1, 4);
        tp.addCpanel(3, 11, 13, 1, 5);
        tp.exec(u"INSERT INTO CpanelNames (Apex, CPanelNumber, Name) VALUES (3, 12, 'AHU-1')"_qs);
        addGatewaysCommand(tp.wb);
        addTuxCommand(tp.wb);
        tp.prompter.pushText(u"25"_qs);
        addWorkstationCommand(tp.wb);
        tp.prompter.informed.clear();
    }
    void TearDown() override { qunsetenv("VORLIX_OUTSIDE_ODBC"); }

    QString dest(const QString &name, const DestinationShape &shape = {})
    {
        const QString path = tp.root() + u'/' + name;
        createDeviceDestination(path, shape);
        return path;
    }
    QStringList devices(const QString &path, const QString &table = u"tblRepJob"_qs,
                        const QString &cols = u"DEVINST, objname, devdescription, network, siteNotes"_qs)
    {
        return rowsOf(path, QStringLiteral("SELECT %1 FROM %2 ORDER BY DEVINST").arg(cols, table));
    }

    TestProject tp;
};

TEST_P(DeviceMerge, IntoAnEmptyRepJobDatabase)
{
    const QString path = dest(u"REPJOB.MDB"_qs); // the name counts in any letter case
    const MergeResult r = mergeCommand(tp.wb, path, std::nullopt);
    EXPECT_EQ(r.devices, 5);
    EXPECT_EQ(r.capabilities, 5);
    EXPECT_EQ(r.refused, 0);
    EXPECT_EQ(tp.prompter.informed, QStringList{msg::mergeCompleted()});
    EXPECT_EQ(devices(path), (QStringList{u"25|DEV-25|<null>|100|kept"_qs, u"1001|DEV-1001|<null>|100|kept"_qs,
                                          u"1104|Dev-1104|AHU-1|5|kept"_qs, u"1105|Dev-1105|<null>|5|kept"_qs,
                                          u"3001|DEV-3001|<null>|100|kept"_qs}));
    // Every project column the destination has, whatever its letter case.
    EXPECT_EQ(rowsOf(path, u"SELECT macaddr, trendhostinst, virtualdev, NodeLevel, devmodel, Exp3, omf_autodown "
                           "FROM tblRepJob WHERE devinst = 1104"_qs),
              QStringList{u"0x03ec|1001|1101|4|TX-NON-SA|0|0"_qs});
    EXPECT_EQ(rowsOf(path, u"SELECT devinst, workstation, SUPPORTDDC3, primarycntl FROM tblDevCapabilities "
                           "ORDER BY devinst"_qs),
              (QStringList{u"25|1|0|0"_qs, u"1001|0|1|1"_qs, u"1104|0|0|0"_qs, u"1105|0|0|0"_qs, u"3001|0|1|1"_qs}));
    EXPECT_EQ(rowsOf(path, u"SELECT subnet FROM tblSubnets"_qs), (QStringList{u"5"_qs, u"7"_qs}));
    const QString log = tp.wb.log.lines().join(u'\n');
    EXPECT_TRUE(log.contains(msg::mergingDevices() + QDir::toNativeSeparators(path))) << log.toStdString();

    // Again: the same rows, no duplicates of devices or subnets.
    mergeCommand(tp.wb, path, std::nullopt);
    EXPECT_EQ(devices(path).size(), 5);
    EXPECT_EQ(rowsOf(path, u"SELECT COUNT(*) FROM tblDevCapabilities"_qs), QStringList{u"5"_qs});
    EXPECT_EQ(rowsOf(path, u"SELECT subnet FROM tblSubnets"_qs), (QStringList{u"5"_qs, u"7"_qs}));
}

TEST_P(DeviceMerge, ReplacesMatchingRowsAndKeepsTheRest)
{
    const QString path = dest(u"RepJob.mdb"_qs);
    execOn(path, {u"INSERT INTO tblRepJob (DEVINST, objname, devlocation, network, siteNotes) "
                   "VALUES (1104, 'old', 'Lobby', 9, 'mine'), (500, 'theirs', 'Roof', 3, 'x')"_qs,
                  u"INSERT INTO tblDevCapabilities (DEVINST, utctimesync) VALUES (500, 1)"_qs,
                  u"INSERT INTO tblSubnets (subnet, name) VALUES (5, 'trunk five')"_qs});
    // A device without a capability row in the project merges without one.
    tp.exec(u"DELETE FROM tblDevCapabilities WHERE devinst = 1105"_qs);
    const MergeResult r = mergeCommand(tp.wb, path, std::nullopt);
    EXPECT_EQ(r.capabilities, 4);
    EXPECT_EQ(devices(path, u"tblRepJob"_qs, u"DEVINST, objname, devlocation, network, siteNotes"_qs),
              (QStringList{u"25|DEV-25|<null>|100|kept"_qs, u"500|theirs|Roof|3|x"_qs,
                           u"1001|DEV-1001|<null>|100|kept"_qs, u"1104|Dev-1104|<null>|5|mine"_qs,
                           u"1105|Dev-1105|<null>|5|kept"_qs, u"3001|DEV-3001|<null>|100|kept"_qs}));
    EXPECT_EQ(rowsOf(path, u"SELECT devinst FROM tblDevCapabilities ORDER BY devinst"_qs),
              (QStringList{u"25"_qs, u"500"_qs, u"1001"_qs, u"1104"_qs, u"3001"_qs}));
    EXPECT_EQ(rowsOf(path, u"SELECT subnet, name FROM tblSubnets ORDER BY subnet"_qs),
              (QStringList{u"5|trunk five"_qs, u"7|<null>"_qs}));
}

TEST_P(DeviceMerge, SelectedRowsOnlyButSubnetsFromAllRows)
{
    const QString path = dest(u"repjob.mdb"_qs);
    mergeCommand(tp.wb, path, QList<int32_t>{1104, 25});
    EXPECT_EQ(rowsOf(path, u"SELECT devinst FROM tblRepJob ORDER BY rowid"_qs), (QStringList{u"25"_qs, u"1104"_qs}));
    EXPECT_EQ(rowsOf(path, u"SELECT subnet FROM tblSubnets"_qs), (QStringList{u"5"_qs, u"7"_qs}));
}

TEST_P(DeviceMerge, NoSelectionWritesOnlySubnets)
{
    const QString path = dest(u"repjob.mdb"_qs);
    tp.exec(u"UPDATE tblRepJob SET Net2 = 5, Net3 = 9 WHERE devinst = 25"_qs);
    const MergeResult r = mergeCommand(tp.wb, path, QList<int32_t>{});
    EXPECT_EQ(r.devices, 0);
    EXPECT_EQ(rowsOf(path, u"SELECT COUNT(*) FROM tblRepJob"_qs), QStringList{u"0"_qs});
    EXPECT_EQ(rowsOf(path, u"SELECT subnet FROM tblSubnets"_qs), (QStringList{u"5"_qs, u"9"_qs, u"7"_qs}));
    EXPECT_EQ(tp.prompter.informed, QStringList{msg::mergeCompleted()});
}

TEST_P(DeviceMerge, OtherFileNamesFillTblDevicesAndLeaveSubnetsAlone)
{
    DestinationShape shape;
    shape.repJob = false;
    const QString path = dest(u"bactalk.mdb"_qs, shape);
    execOn(path, {u"CREATE TABLE tblSubnets (subnet INTEGER)"_qs});
    mergeCommand(tp.wb, path, std::nullopt);
    EXPECT_EQ(devices(path, u"tblDevices"_qs).size(), 5);
    EXPECT_EQ(rowsOf(path, u"SELECT COUNT(*) FROM tblDevCapabilities"_qs), QStringList{u"5"_qs});
    EXPECT_EQ(rowsOf(path, u"SELECT COUNT(*) FROM tblSubnets"_qs), QStringList{u"0"_qs});
}

TEST_P(DeviceMerge, LongDdcNamesAreCutToEightCharacters)
{
    const QString path = dest(u"RepJob.mdb"_qs);
    tp.exec(u"UPDATE tblRepJob SET DDC_rep = 'acme', DDC_job = 'northwcs_ps', DDC_app = 'ahu_1', "
             "comments = 'a long comment stays whole' WHERE devinst = 1104"_qs);
    mergeCommand(tp.wb, path, std::nullopt);
    EXPECT_EQ(rowsOf(path, u"SELECT DDC_rep, DDC_job, DDC_app, comments FROM tblRepJob WHERE devinst = 1104"_qs),
              QStringList{u"acme|northwcs|ahu_1|a long comment stays whole"_qs});
    EXPECT_EQ(tp.prompter.informed, QStringList{msg::namesTruncated()});
}

TEST_P(DeviceMerge, ARefusedRowIsLoggedAndCounted)
{
    DestinationShape shape;
    shape.extraDeviceColumnSql = u"CHECK (network < 1000)"_qs;
    const QString path = dest(u"RepJob.mdb"_qs, shape);
    tp.exec(u"UPDATE tblRepJob SET network = 5000 WHERE devinst = 1105"_qs);
    const MergeResult r = mergeCommand(tp.wb, path, std::nullopt);
    EXPECT_EQ(r.refused, 1);
    EXPECT_EQ(tp.prompter.informed,
              QStringList{u"Merge completed. 1 row(s) were not written (see the log)."_qs});
    EXPECT_EQ(rowsOf(path, u"SELECT devinst FROM tblRepJob ORDER BY devinst"_qs),
              (QStringList{u"25"_qs, u"1001"_qs, u"1104"_qs, u"3001"_qs}));
    const QString log = tp.wb.log.lines().join(u'\n');
    EXPECT_TRUE(log.contains(u"Not written to tblRepJob (devinst 1105)"_qs)) << log.toStdString();
}

// A destination that cannot take the merge: a message naming the file,
// the file exactly as it was (or still absent), no closing message.
TEST_P(DeviceMerge, BadDestinationsStayUnchanged)
{
    const auto refused = [&](const QString &path, const QString &expected) {
        const bool existed = QFile::exists(path);
        const QByteArray before = existed ? readFile(path) : QByteArray();
        tp.prompter.informed.clear();
        try {
            mergeCommand(tp.wb, path, std::nullopt);
            ADD_FAILURE() << "merged into " << path.toStdString();
        } catch (const Error &e) {
            EXPECT_TRUE(e.message().contains(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())))
                << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(expected)) << e.message().toStdString();
        }
        EXPECT_EQ(QFile::exists(path), existed) << path.toStdString();
        if (existed) {
            EXPECT_EQ(readFile(path), before) << path.toStdString();
        }
        EXPECT_TRUE(tp.prompter.informed.isEmpty());
    };
    refused(tp.root() + u"/none/RepJob.mdb"_qs, u"does not exist"_qs);
    writeFile(tp.root() + u"/text/RepJob.mdb"_qs, "not a database");
    refused(tp.root() + u"/text/RepJob.mdb"_qs, u"neither an Access nor a SQLite database"_qs);

    DestinationShape noCaps;
    noCaps.capabilities = false;
    refused(dest(u"RepJob.mdb"_qs, noCaps), u"no table tblDevCapabilities"_qs);

    const QString noDevinst = tp.root() + u"/nodevinst/RepJob.mdb"_qs;
    QDir().mkpath(QFileInfo(noDevinst).path());
    execOn(noDevinst, {u"CREATE TABLE tblRepJob (objname VARCHAR(50))"_qs,
                       u"CREATE TABLE tblDevCapabilities (devinst INTEGER)"_qs, u"CREATE TABLE tblSubnets (subnet INTEGER)"_qs});
    refused(noDevinst, u"no devinst column"_qs);

    const QByteArray projectBefore = readFile(tp.pdb.path());
    // Locked by another program (a BACtalk tool writing to it).
    const QString locked = tp.root() + u"/locked"_qs;
    QDir().mkpath(locked);
    createDeviceDestination(locked + u"/RepJob.mdb"_qs);
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"other-program"_qs);
        other.setDatabaseName(locked + u"/RepJob.mdb"_qs);
        ASSERT_TRUE(other.open());
        QSqlQuery hold(other);
        ASSERT_TRUE(hold.exec(u"BEGIN EXCLUSIVE"_qs));
        try {
            mergeCommand(tp.wb, locked + u"/RepJob.mdb"_qs, std::nullopt);
            ADD_FAILURE() << "merged into a locked database";
        } catch (const Error &e) {
            EXPECT_TRUE(e.message().contains(u"locked by another program"_qs)) << e.message().toStdString();
        }
        hold.exec(u"ROLLBACK"_qs);
        other.close();
    }
    QSqlDatabase::removeDatabase(u"other-program"_qs);
    EXPECT_EQ(rowsOf(locked + u"/RepJob.mdb"_qs, u"SELECT COUNT(*) FROM tblRepJob"_qs), QStringList{u"0"_qs});
    EXPECT_EQ(readFile(tp.pdb.path()), projectBefore);
}

// A destination shaped like an Access file (no row ids, Access type names
// and the odd ones: BIGINT, SMALLINT, BIT, NVARCHAR, a column with no type,
// objname shorter than the project's): nothing is refused for a type name;
// the database takes what fits, and what it refuses is logged, counted and
// skipped. Texts go in Windows-1252 ("?" for what it lacks), dates as dates.
TEST_P(DeviceMerge, AccessShapedDestinationTakesWhatFits)
{
    DestinationShape shape;
    shape.accessShaped = true;
    shape.objnameChars = 6;
    const QString path = dest(u"RepJob.mdb"_qs, shape);
    tp.exec(u"UPDATE tblRepJob SET objname = 'AHU', devlocation = 'Roof \u2603 \u00e9', Net2 = 12, "
             "commissioningdate = '2024-03-05T08:30:00' WHERE devinst = 1104"_qs);
    const MergeResult r = mergeCommand(tp.wb, path, std::nullopt);
    // DEV-1001, DEV-3001 and Dev-1105 are longer than objname's 6 characters.
    EXPECT_EQ(r.devices, 2);
    EXPECT_EQ(r.refused, 3);
    EXPECT_EQ(r.subnets, 3);
    EXPECT_EQ(tp.prompter.informed, QStringList{u"Merge completed. 3 row(s) were not written (see the log)."_qs});
    const QString log = tp.wb.log.lines().join(u'\n');
    for (const char *devinst : {"1001", "3001", "1105"})
        EXPECT_TRUE(log.contains(QStringLiteral("Not written to tblRepJob (devinst %1): ").arg(QLatin1String(devinst))))
            << log.toStdString();
    EXPECT_EQ(rowsOf(path, u"SELECT DEVINST, OBJNAME, devlocation, Net2, network, unit_type FROM tblRepJob "
                            "ORDER BY DEVINST"_qs),
              (QStringList{u"25|DEV-25|<null>|<null>|100|1"_qs, u"1104|AHU|Roof ? \u00e9|12|5|3"_qs}));
    const QStringList when = rowsOf(path, u"SELECT commissioningdate FROM tblRepJob WHERE DEVINST = 1104"_qs);
    ASSERT_EQ(when.size(), 1);
    QString stored = when[0];
    stored.replace(u' ', u'T');
    EXPECT_EQ(QDateTime::fromString(stored.left(19), Qt::ISODate), QDateTime(QDate(2024, 3, 5), QTime(8, 30)))
        << when[0].toStdString();
    EXPECT_EQ(rowsOf(path, u"SELECT devinst, workstation, SUPPORTDDC3 FROM tblDevCapabilities ORDER BY devinst"_qs),
              (QStringList{u"25|1|0"_qs, u"1001|0|1"_qs, u"1104|0|0"_qs, u"1105|0|0"_qs, u"3001|0|1"_qs}));
    EXPECT_EQ(rowsOf(path, u"SELECT subnet FROM tblSubnets ORDER BY subnet"_qs),
              (QStringList{u"5"_qs, u"7"_qs, u"12"_qs}));
}

// Two merges into one destination at once: the second waits for the
// first's write lock and then sees its devices, so none is added twice.
TEST_P(DeviceMerge, AMergeWaitingForAnotherSeesWhatItWrote)
{
    const QString path = dest(u"RepJob.mdb"_qs);
    MergeResult r;
    {
        LockHolder other(path, u"INSERT INTO tblRepJob (devinst, objname) VALUES (1104, 'other merge')"_qs, 800);
        try {
            r = mergeCommand(tp.wb, path, std::nullopt);
        } catch (const Error &e) {
            ADD_FAILURE() << e.message().toStdString();
        }
    }
    EXPECT_EQ(r.refused, 0);
    EXPECT_EQ(rowsOf(path, u"SELECT devinst, objname FROM tblRepJob ORDER BY devinst"_qs),
              (QStringList{u"25|DEV-25"_qs, u"1001|DEV-1001"_qs, u"1104|Dev-1104"_qs, u"1105|Dev-1105"_qs,
                           u"3001|DEV-3001"_qs}));
}

// The type a destination column is declared with never refuses the merge;
// a text Windows-1252 cannot hold arrives with "?" in its place.
TEST_P(DeviceMerge, TypeNamesAndForeignLettersNeverRefuseTheMerge)
{
    const QString path = tp.root() + u"/types/RepJob.mdb"_qs;
    QDir().mkpath(QFileInfo(path).path());
    execOn(path, {u"CREATE TABLE tblRepJob (devinst BIGINT, objname INTEGER, devlocation NVARCHAR(40), network)"_qs,
                  u"CREATE TABLE tblDevCapabilities (devinst SMALLINT, workstation BIT)"_qs,
                  u"CREATE TABLE tblSubnets (subnet INTEGER)"_qs});
    tp.exec(u"UPDATE tblRepJob SET devlocation = 'Roof \u2603' WHERE devinst = 3001"_qs);
    const MergeResult r = mergeCommand(tp.wb, path, std::nullopt);
    EXPECT_EQ(r.refused, 0);
    EXPECT_EQ(r.devices, 5);
    EXPECT_EQ(rowsOf(path, u"SELECT devinst, objname, devlocation, network FROM tblRepJob ORDER BY devinst"_qs),
              (QStringList{u"25|DEV-25|<null>|100"_qs, u"1001|DEV-1001|<null>|100"_qs, u"1104|Dev-1104|<null>|5"_qs,
                           u"1105|Dev-1105|<null>|5"_qs, u"3001|DEV-3001|Roof ?|100"_qs}));
}

INSTANTIATE_TEST_SUITE_P(BothDrivers, DeviceMerge, ::testing::Values(Route::ByContent, Route::Odbc),
                         [](const auto &info) { return info.param == Route::Odbc ? "Odbc" : "Sqlite"; });

} // namespace
