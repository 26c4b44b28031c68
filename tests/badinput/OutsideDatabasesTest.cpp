// The outside databases of the BACtalk job as they really are: paths that
// hold the characters of a connection string, two merges into one
// destination at once, a merge killed halfway, a destination held by the
// BACtalk tools, and point databases that are not what the documents say.
#include "BadInputSite.h"
#include "support/DeviceDestination.h"
#include "support/WorkbenchProject.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <csignal>
#include <thread>

using namespace vorlix::test;

namespace {

CliOptions throughOdbc()
{
    CliOptions options;
    options.env.insert(u"VORLIX_OUTSIDE_ODBC"_qs, u"1"_qs);
    return options;
}

// The site's devices: a workstation, the gateways and the Tux.
void buildDevices(const BadInputSite &site)
{
    ASSERT_EQ(site.run({"add-workstation", "JOB", "25"}).exitCode, 0);
    ASSERT_EQ(site.run({"add-gateways", "JOB"}).exitCode, 0);
    ASSERT_EQ(site.run({"add-tux", "JOB"}).exitCode, 0);
}

int devicesIn(const QString &dest)
{
    return rowsOf(dest, u"SELECT COUNT(*) FROM tblRepJob"_qs).value(0).toInt();
}

} // namespace

// A file whose path holds ";", "=", "{", "}" and letters outside ASCII is
// the file written, through ODBC as through SQLite: nothing in its name
// becomes an attribute (a library to load, another database).
TEST(OutsideDatabases, HostilePathsAreTheFilesTheyName)
{
    BadInputSite site;
    ASSERT_TRUE(site.ok()) << site.failure().toStdString();
    ASSERT_EQ(site.run({"--yes", "read-points", "JOB"}).exitCode, 0);
    buildDevices(site);
    // "q" is where the start of such a path would lead; evil.so what it would load.
    const QString work = site.root + u"/work"_qs;
    QDir().mkpath(work);
    writeFile(work + u"/q"_qs, "precious\n");
    writeFile(work + u"/evil.so"_qs, "not a library\n");
    const QString folder = site.root + u"/odd {x}} a=b; é €"_qs;
    QDir().mkpath(folder);
    for (const bool odbc : {true, false}) {
        SCOPED_TRACE(odbc ? "ODBC" : "SQLite");
        CliOptions options = odbc ? throughOdbc() : CliOptions{};
        options.workingDir = work;
        const QString points = work + (odbc ? u"/q;LoadExt=evil.so"_qs : u"/q;x=1"_qs);
        CliResult r = site.run({"export-points", "JOB", "--apex", "1", "--to", points}, options);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(QFile::exists(points));
        EXPECT_EQ(readFile(work + u"/q"_qs), QByteArray("precious\n"));

        const QString dest = folder + (odbc ? u"/RepJob.mdb"_qs : u"/repjob.mdb"_qs);
        createDeviceDestination(dest);
        r = site.run({"merge", "JOB", dest}, options);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, u"Merge completed.\n"_qs);
        EXPECT_GT(devicesIn(dest), 0);
    }
    EXPECT_EQ(QDir(work).entryList(QDir::Files, QDir::Name),
              (QStringList{u"evil.so"_qs, u"q"_qs, u"q;LoadExt=evil.so"_qs, u"q;x=1"_qs}));
}

// Merges started together into one destination: each device once, every
// merge a success.
TEST(OutsideDatabases, TwoMergesAtOnceWriteEachDeviceOnce)
{
    BadInputSite site;
    ASSERT_TRUE(site.ok()) << site.failure().toStdString();
    buildDevices(site);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        const QString dest = site.root + QStringLiteral("/dest%1/RepJob.mdb").arg(round);
        QDir().mkpath(QFileInfo(dest).path());
        createDeviceDestination(dest);
        std::vector<std::unique_ptr<QProcess>> merges;
        for (int i = 0; i < 2; ++i) {
            auto p = std::make_unique<QProcess>();
            if (round == 2 && i == 1)
                p->setProcessEnvironment(throughOdbc().env); // one through each route
            p->start(cliProgram(), QStringList{u"--app-dir"_qs, site.app, u"merge"_qs, site.job, dest});
            merges.push_back(std::move(p));
        }
        for (auto &p : merges) {
            ASSERT_TRUE(p->waitForFinished(120000));
            EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        }
        EXPECT_EQ(rowsOf(dest, u"SELECT devinst FROM tblRepJob GROUP BY devinst HAVING COUNT(*) > 1"_qs),
                  QStringList{});
        EXPECT_EQ(rowsOf(dest, u"SELECT devinst FROM tblDevCapabilities GROUP BY devinst HAVING COUNT(*) > 1"_qs),
                  QStringList{});
        EXPECT_EQ(rowsOf(dest, u"SELECT subnet FROM tblSubnets GROUP BY subnet HAVING COUNT(*) > 1"_qs),
                  QStringList{});
        EXPECT_GT(devicesIn(dest), 0);
    }
}

// A merge killed while it writes leaves the destination as it was or fully
// merged, never half.
TEST(OutsideDatabases, AKilledMergeLeavesTheDestinationWholeOrUnchanged)
{
    BadInputSite site;
    ASSERT_TRUE(site.ok()) << site.failure().toStdString();
    {
        // Enough devices for the merge to take a while.
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"many-devices"_qs);
        db.setDatabaseName(site.job + u"/vorlix.mdb"_qs);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(u"BEGIN"_qs));
        for (int i = 0; i < 6000; ++i)
            q.exec(QStringLiteral("INSERT INTO tblRepJob (devinst, objname, network) VALUES (%1, 'Dev-%1', 100)")
                       .arg(100000 + i));
        ASSERT_TRUE(q.exec(u"COMMIT"_qs));
        db.close();
    }
    QSqlDatabase::removeDatabase(u"many-devices"_qs);
    const int all = 6000;
    for (const int ms : {30, 120, 300, 600}) {
        SCOPED_TRACE(ms);
        const QString dest = site.root + QStringLiteral("/killed%1/RepJob.mdb").arg(ms);
        QDir().mkpath(QFileInfo(dest).path());
        createDeviceDestination(dest);
        QProcess merge;
        merge.start(cliProgram(), QStringList{u"--app-dir"_qs, site.app, u"merge"_qs, site.job, dest});
        ASSERT_TRUE(merge.waitForStarted());
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        ::kill(static_cast<pid_t>(merge.processId()), SIGKILL);
        merge.waitForFinished(30000);
        EXPECT_EQ(BadInputSite::integrity(dest), u"ok"_qs);
        const int n = devicesIn(dest);
        EXPECT_TRUE(n == 0 || n == all) << n << " devices";
    }
}

// The BACtalk tools hold the destination while the merge runs: the merge
// fails, says so, and the destination keeps what it held.
TEST(OutsideDatabases, ADestinationHeldByTheBactalkToolsIsNotChanged)
{
    BadInputSite site;
    ASSERT_TRUE(site.ok()) << site.failure().toStdString();
    buildDevices(site);
    const QString dest = site.root + u"/held/RepJob.mdb"_qs;
    QDir().mkpath(QFileInfo(dest).path());
    createDeviceDestination(dest);
    execOn(dest, {u"INSERT INTO tblRepJob (devinst, objname) VALUES (7, 'theirs')"_qs});
    for (const bool odbc : {false, true}) {
        SCOPED_TRACE(odbc ? "ODBC" : "SQLite");
        CliResult r;
        {
            QSqlDatabase holder = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"bactalk-tools"_qs);
            holder.setDatabaseName(dest);
            ASSERT_TRUE(holder.open());
            QSqlQuery q(holder);
            ASSERT_TRUE(q.exec(u"BEGIN IMMEDIATE"_qs));
            ASSERT_TRUE(q.exec(u"UPDATE tblRepJob SET objname = 'theirs' WHERE devinst = 7"_qs));
            r = site.run({"merge", "JOB", dest}, odbc ? throughOdbc() : CliOptions{});
            q.exec(u"ROLLBACK"_qs);
            holder.close();
        }
        QSqlDatabase::removeDatabase(u"bactalk-tools"_qs);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(u"is locked by another program"_qs)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_EQ(rowsOf(dest, u"SELECT devinst, objname FROM tblRepJob"_qs), QStringList{u"7|theirs"_qs});
    }
}

// Point databases that are not what the documents describe: an instance
// column holding text, a table without a documented column.
TEST(OutsideDatabases, PointDatabasesOfAnotherShapeAreNamedAndKept)
{
    BadInputSite site;
    ASSERT_TRUE(site.ok()) << site.failure().toStdString();
    ASSERT_EQ(site.run({"--yes", "read-points", "JOB"}).exitCode, 0);
    const QString texts = site.root + u"/texts.mdb"_qs;
    execOn(texts, {u"CREATE TABLE \"Analog Values\" (Instance TEXT, Description TEXT, Value DOUBLE)"_qs,
                   u"CREATE TABLE \"Binary Values\" (Instance TEXT, Description TEXT, Value TEXT, prio08 DOUBLE)"_qs,
                   u"INSERT INTO \"Analog Values\" VALUES ('AHU-1', 'mine', 5)"_qs});
    CliResult r = site.run({"export-points", "JOB", "--apex", "1", "--to", texts});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(readFile(site.job + u"/vorlix.log"_qs)
                    .contains("1 row(s) of \"Analog Values\" have an instance (column Instance) that is not a number, "
                              "such as \"AHU-1\"; they were left alone."));
    EXPECT_EQ(rowsOf(texts, u"SELECT * FROM \"Analog Values\""_qs), QStringList{u"AHU-1|mine|5"_qs});

    const QString noPrio = site.root + u"/noprio.mdb"_qs;
    execOn(noPrio, {u"CREATE TABLE \"Analog Values\" (Instance LONG NOT NULL PRIMARY KEY, Description TEXT(50), "
                    "Value DOUBLE) WITHOUT ROWID"_qs,
                    u"CREATE TABLE \"Binary Values\" (Instance LONG NOT NULL PRIMARY KEY, Description TEXT(50), "
                    "Value TEXT(10)) WITHOUT ROWID"_qs,
                    u"INSERT INTO \"Analog Values\" VALUES (1, 'mine', 5)"_qs});
    const QByteArray before = readFile(noPrio);
    r = site.run({"export-points", "JOB", "--apex", "1", "--to", noPrio}, throughOdbc());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(u"has no column \"prio08\""_qs)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"noprio.mdb"_qs)) << r.err.toStdString();
    EXPECT_EQ(readFile(noPrio), before);
}
