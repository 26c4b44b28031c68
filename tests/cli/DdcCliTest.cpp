// scripts, tdc-list, tdc-copy, export-points and the TdcFiles dump on the
// sample job, through the real vorlix-cli.
#include "support/SampleCliFixture.h"
#include "support/WorkbenchProject.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSysInfo>
#include <QTemporaryDir>

using vorlix::test::CliOptions;
using vorlix::test::readFile;
using vorlix::test::runCli;
using vorlix::test::writeFile;

namespace {

using vorlix::test::CliResult;

class DdcCli : public vorlix::test::SampleCliFixture {
protected:
    QString ddc() const { return root() + u"/bactalk/acme/plaza/ddc"_qs; }

};

QStringList pointRows(const QString &file)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"cli-points"_qs);
        db.setDatabaseName(file);
        EXPECT_TRUE(db.open());
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(u"SELECT Instance, Description, Value, prio08 FROM \"Binary Values\" ORDER BY Instance"_qs));
        while (q.next())
            rows << q.value(0).toString() + u'|' + q.value(1).toString() + u'|' + q.value(2).toString() + u'|' +
                        q.value(3).toString();
    }
    QSqlDatabase::removeDatabase(u"cli-points"_qs);
    return rows;
}

} // namespace

TEST_F(DdcCli, ScriptsOfOneDeviceAndOfAll)
{
    ASSERT_EQ(cli({u"--yes"_qs, u"read-ddc"_qs, job()}).exitCode, 0);
    const QString out = m_dir.filePath(u"one.dsr"_qs);

    // Usage errors and a device that is not in the list.
    EXPECT_EQ(cli({u"scripts"_qs, job()}).exitCode, 2);
    EXPECT_EQ(cli({u"scripts"_qs, job(), u"--all"_qs, u"--apex"_qs, u"1"_qs}).exitCode, 2);
    const CliResult absent = cli({u"scripts"_qs, job(), u"--apex"_qs, u"1"_qs, u"--com"_qs, u"3"_qs, u"--out"_qs, out});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_TRUE(absent.err.contains(u"not in the script device list"_qs)) << absent.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    ASSERT_EQ(cli({u"scripts"_qs, job(), u"--apex"_qs, u"1"_qs, u"--com"_qs, u"1"_qs, u"--out"_qs, out}).exitCode, 0);
    const QByteArray script = readFile(out);
    EXPECT_TRUE(script.startsWith("  <ddcScript  platform=\"pellum\"  createDate=\""));
    EXPECT_TRUE(script.endsWith("    </pages>\r\n  </ddcScript>\r\n"));
    EXPECT_TRUE(script.contains("pinX=\"1.4505\" pinY=\"9.5495\""));
    EXPECT_TRUE(script.contains("function=\"67\""));

    // The locale comes from the environment: only the pins change. Windows
    // programs take theirs from the regional settings instead, which a test
    // cannot set for one program.
    if (QSysInfo::productType() == u"windows"_qs)
        GTEST_SKIP() << "Windows takes the locale from its regional settings, not from LC_ALL";
    const QString comma = m_dir.filePath(u"comma.dsr"_qs);
    ASSERT_EQ(cli({u"scripts"_qs, job(), u"--apex"_qs, u"1"_qs, u"--com"_qs, u"1"_qs, u"--out"_qs, comma},
                  {u"LC_ALL=de_DE.UTF-8"_qs})
                  .exitCode,
              0);
    const QByteArray commaScript = readFile(comma);
    EXPECT_TRUE(commaScript.contains("pinX=\"1,4505\" pinY=\"9,5495\""));
    auto body = [](const QByteArray &s) {
        QByteArray b = s.mid(s.indexOf("\r\n"));
        return b.replace("1,4505", "1.4505").replace(",5495", ".5495").replace(",0495", ".0495").replace(",4505", ".4505");
    };
    EXPECT_EQ(body(commaScript), body(script));

    // All: one file per list item in the ddc folder, each logged.
    const CliResult all = cli({u"scripts"_qs, job(), u"--all"_qs});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    const QStringList files = QDir(ddc()).entryList({u"*.dsr"_qs}, QDir::Files, QDir::Name);
    EXPECT_EQ(files, (QStringList{u"Framework-Script-Dev-1101.dsr"_qs, u"Framework-Script-Dev-1102.dsr"_qs,
                                  u"Framework-Script-Dev-2101.dsr"_qs, u"Framework-Script-Dev-5101.dsr"_qs}));
    EXPECT_TRUE(log().contains(u"Auto Create DDC Scripts"_qs));
    EXPECT_EQ(log().count(u"\tScript file: "_qs), 4);

    // A ddc "folder" that is a file: exit 1, and nothing written there.
    QDir(ddc()).removeRecursively();
    writeFile(ddc(), "not a folder");
    const CliResult blocked = cli({u"scripts"_qs, job(), u"--all"_qs});
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_TRUE(blocked.err.contains(u"Framework-Script-Dev-1101.dsr"_qs)) << blocked.err.toStdString();
    EXPECT_EQ(readFile(ddc()), QByteArray("not a folder"));
}

TEST_F(DdcCli, TdcListCopyAndDump)
{
    const CliResult list = cli({u"tdc-list"_qs, job()});
    ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
    EXPECT_EQ(list.out, u"tdc-list: 11 Tux DDC file(s) listed in TdcFiles.\n"_qs);
    const QString header = u"Apex,IbexFilename,BACtalkFilename,FileExists\r\n"_qs;
    EXPECT_EQ(cli({u"dump"_qs, job(), u"TdcFiles"_qs}).out,
              header + u"1,Main.tdc,A1-Main.tdc,\r\n1,tux103.tdc,dev1203.tdc,\r\n1,tux104.tdc,dev1204.tdc,\r\n"
                       "1,TUX105.TDC,dev1205.tdc,\r\n1,tux205.tdc,dev1305.tdc,\r\n1,tux206.tdc,dev1306.tdc,\r\n"
                       "1,tux210.tdc,dev1310.tdc,\r\n1,tux305.tdc,dev5.tdc,\r\n2,tux101.tdc,dev2201.tdc,\r\n"
                       "2,TUX109.TDC,dev2209.tdc,\r\n2,tux110.tdc,dev2210.tdc,\r\n"_qs);

    const CliResult copy = cli({u"tdc-copy"_qs, job()});
    ASSERT_EQ(copy.exitCode, 0) << copy.err.toStdString();
    EXPECT_EQ(copy.out, u"tdc-copy: 11 copied, 0 already there, 0 missing, 0 failed.\n"_qs);
    EXPECT_EQ(readFile(ddc() + u"/dev1205.tdc"_qs), readFile(job() + u"/tddc01/TUX105.TDC"_qs));
    EXPECT_TRUE(cli({u"dump"_qs, job(), u"TdcFiles"_qs}).out.endsWith(u"2,tux110.tdc,dev2210.tdc,yes\r\n"_qs));

    EXPECT_EQ(cli({u"tdc-copy"_qs, job()}).out, u"tdc-copy: 0 copied, 11 already there, 0 missing, 0 failed.\n"_qs);
    EXPECT_EQ(log().count(u"\tFile exists: "_qs), 11);

    // A failed copy is a failed command.
    QDir(ddc()).removeRecursively();
    const CliResult failed = cli({u"tdc-copy"_qs, job()});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.contains(u"11 Tux DDC file(s) could not be copied"_qs)) << failed.err.toStdString();
    EXPECT_EQ(log().count(u"\tCopy failed: "_qs), 11);
}

TEST_F(DdcCli, ExportPointsThroughBothDriversGivesTheSameRows)
{
    ASSERT_EQ(cli({u"--yes"_qs, u"read-points"_qs, job()}).exitCode, 0);
    const QString missing = m_dir.filePath(u"none.mdb"_qs);
    const CliResult absent = cli({u"export-points"_qs, job(), u"--apex"_qs, u"9"_qs, u"--to"_qs, missing});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(cli({u"export-points"_qs, job(), u"--apex"_qs, u"1"_qs}).exitCode, 2);

    // Two copies of the template with the same rows, one per driver.
    QStringList files;
    for (const char *name : {"sqlite.mdb", "odbc.mdb"}) {
        const QString f = m_dir.filePath(QLatin1String(name));
        ASSERT_TRUE(QFile::copy(m_dir.filePath(u"app/pointdata.mdb"_qs), f));
        QFile::setPermissions(f, QFile::ReadOwner | QFile::WriteOwner);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"cli-fill"_qs);
            db.setDatabaseName(f);
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            for (int i = 0; i < 40; ++i)
                ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO \"Binary Values\" (Instance, Value) VALUES (%1, '%2')")
                                       .arg(i).arg(i % 5 == 0 ? u"pri"_qs : u"0"_qs)));
        }
        QSqlDatabase::removeDatabase(u"cli-fill"_qs);
        files << f;
    }
    const CliResult viaSqlite = cli({u"export-points"_qs, job(), u"--apex"_qs, u"1"_qs, u"--to"_qs, files[0]});
    const CliResult viaOdbc = cli({u"export-points"_qs, job(), u"--apex"_qs, u"1"_qs, u"--to"_qs, files[1]},
                               {u"VORLIX_OUTSIDE_ODBC=1"_qs});
    ASSERT_EQ(viaSqlite.exitCode, 0) << viaSqlite.err.toStdString();
    ASSERT_EQ(viaOdbc.exitCode, 0) << viaOdbc.err.toStdString();
    EXPECT_TRUE(viaSqlite.out.startsWith(u"Points of Apex 1 exported: "_qs)) << viaSqlite.out.toStdString();
    EXPECT_EQ(viaSqlite.out, viaOdbc.out);
    const QStringList rows = pointRows(files[0]);
    EXPECT_EQ(rows, pointRows(files[1]));
    EXPECT_NE(rows, pointRows(m_dir.filePath(u"app/pointdata.mdb"_qs)));

    // A missing file is made from the template.
    const QString made = m_dir.filePath(u"made.mdb"_qs);
    ASSERT_EQ(cli({u"export-points"_qs, job(), u"--apex"_qs, u"2"_qs, u"--to"_qs, made}).exitCode, 0);
    EXPECT_TRUE(QFile::exists(made));
    EXPECT_TRUE(log().contains(u"Exporting Points: "_qs + QDir::toNativeSeparators(made)));
}

// A point database shaped like an Access file (no row ids, the binary
// rows' Values unlike their instances): each point lands on the row of its
// instance, as in a table with row ids.
TEST_F(DdcCli, ExportFindsRowsByTheirInstanceInTablesWithoutRowIds)
{
    ASSERT_EQ(cli({u"--yes"_qs, u"read-points"_qs, job()}).exitCode, 0);
    QStringList files;
    for (const char *name : {"plain.mdb", "access-sqlite.mdb", "access-odbc.mdb"}) {
        const QString f = m_dir.filePath(QLatin1String(name));
        const QString shape = files.isEmpty() ? QString() : u" WITHOUT ROWID"_qs;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"cli-fill"_qs);
            db.setDatabaseName(f);
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            ASSERT_TRUE(q.exec(u"CREATE TABLE \"Analog Values\" (Instance LONG NOT NULL PRIMARY KEY, "
                                "Description TEXT(50), Value DOUBLE)"_qs + shape));
            ASSERT_TRUE(q.exec(u"CREATE TABLE \"Binary Values\" (Instance LONG NOT NULL PRIMARY KEY, "
                                "Description TEXT(50), Value TEXT(50), prio08 DOUBLE)"_qs + shape));
            for (int i = 39; i >= 0; --i)
                ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO \"Binary Values\" (Instance, Value) VALUES (%1, '%2')")
                                       .arg(i).arg(i % 5 == 0 ? u"pri"_qs : QString::number((i + 7) % 40))));
        }
        QSqlDatabase::removeDatabase(u"cli-fill"_qs);
        files << f;
    }
    for (int i = 0; i < 3; ++i) {
        const CliResult r = cli({u"export-points"_qs, job(), u"--apex"_qs, u"1"_qs, u"--to"_qs, files[i]},
                                {i == 2 ? u"VORLIX_OUTSIDE_ODBC=1"_qs : u"VORLIX_OUTSIDE_ODBC=0"_qs});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    const QStringList rows = pointRows(files[0]);
    EXPECT_EQ(pointRows(files[1]), rows);
    EXPECT_EQ(pointRows(files[2]), rows);
}

// "scripts --all" stops at the first script it cannot write, the same way
// every time: the scripts before it are there, none after it is written.
TEST_F(DdcCli, ScriptsAllStopsAtTheFirstFileItCannotWrite)
{
    ASSERT_EQ(cli({u"--yes"_qs, u"read-ddc"_qs, job()}).exitCode, 0);
    QDir().mkpath(ddc() + u"/Framework-Script-Dev-1102.dsr"_qs);
    const CliResult r = cli({u"scripts"_qs, job(), u"--all"_qs});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(u"Framework-Script-Dev-1102.dsr\" is a folder, not a file."_qs)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(u"The scripts after it were not written."_qs)) << r.err.toStdString();
    EXPECT_EQ(QDir(ddc()).entryList({u"*.dsr"_qs}, QDir::Files, QDir::Name),
              QStringList{u"Framework-Script-Dev-1101.dsr"_qs});
    EXPECT_EQ(log().count(u"\tScript file: "_qs), 1);
}

// Every command that writes into the BACtalk job refuses to run without
// its folder, and says where to set it: nothing lands in the working folder.
TEST_F(DdcCli, WritingCommandsNeedTheBactalkJobFolder)
{
    ASSERT_EQ(cli({u"--yes"_qs, u"read-ddc"_qs, job()}).exitCode, 0);
    ASSERT_EQ(cli({u"tdc-list"_qs, job()}).exitCode, 0);
    QTemporaryDir here;
    for (const QString &path : {QString(), u"relative/plaza"_qs, root() + u"/gone"_qs}) {
        ASSERT_EQ(cli({u"set"_qs, job(), u"BactalkJobPath"_qs, path}).exitCode, 0);
        QDir(here.path()).mkpath(u"relative/plaza/ddc"_qs);
        for (const QStringList &args : {QStringList{u"scripts"_qs, job(), u"--all"_qs},
                                        QStringList{u"tdc-copy"_qs, job()},
                                        QStringList{u"--yes"_qs, u"create-display"_qs, job(), u"--all"_qs}}) {
            SCOPED_TRACE((path + u": "_qs + args.join(u' ')).toStdString());
            CliOptions options;
            options.workingDir = here.path();
            options.env.insert(u"LC_ALL"_qs, u"C"_qs);
            const CliResult r = runCli(QStringList{u"--app-dir"_qs, m_dir.filePath(u"app"_qs)} + args, options);
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_TRUE(r.err.contains(u"BactalkJobPath"_qs)) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(u"Options > Current project"_qs)) << r.err.toStdString();
        }
        EXPECT_EQ(QDir(here.path() + u"/relative/plaza/ddc"_qs).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                  QStringList{});
        EXPECT_EQ(QDir(here.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{u"relative"_qs});
    }
}

// The script's date is "short date, blank, long time" as Windows writes
// it: no time zone, whatever the locale's long time format holds.
TEST_F(DdcCli, ScriptDatesCarryNoTimeZone)
{
    ASSERT_EQ(cli({u"--yes"_qs, u"read-ddc"_qs, job()}).exitCode, 0);
    const QString out = m_dir.filePath(u"dated.dsr"_qs);
    for (const char *locale : {"en_US.UTF-8", "de_DE.UTF-8", "C"}) {
        SCOPED_TRACE(locale);
        ASSERT_EQ(cli({u"scripts"_qs, job(), u"--apex"_qs, u"1"_qs, u"--com"_qs, u"1"_qs, u"--out"_qs, out},
                      {u"LC_ALL="_qs + QLatin1String(locale), u"TZ=America/New_York"_qs})
                      .exitCode,
                  0);
        const QByteArray script = readFile(out);
        const qsizetype from = script.indexOf("createDate=\"") + 12;
        const QString date = QString::fromLatin1(script.mid(from, script.indexOf('"', from) - from));
        // A date, a blank, hours:minutes:seconds and at most AM or PM.
        EXPECT_TRUE(QRegularExpression(u"^.*\\d \\d{1,2}:\\d\\d:\\d\\d( ?[AP]M)?$"_qs).match(date).hasMatch())
            << date.toStdString();
        for (const char *zone : {"EST", "EDT", "GMT", "UTC", "Eastern", "New_York", "-05", "-04"})
            EXPECT_FALSE(date.contains(QLatin1String(zone))) << date.toStdString();
    }
}
