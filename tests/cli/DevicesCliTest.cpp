// The step 10 commands through the real vorlix-cli: builders, merge with
// --devinst, refusals, and a settings file that keeps its window state.
#include "support/CliRunner.h"
#include "support/DeviceDestination.h"
#include "support/WorkbenchProject.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vorlix::test;

namespace {

class DevicesCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_EQ(cli({u"sample-job"_qs, m_dir.filePath(u"site"_qs)}).exitCode, 0);
        ASSERT_EQ(cli({u"map"_qs, job(), u"3"_qs, u"ComList=13"_qs, u"DevID1=1001"_qs, u"BaseAddr1=1100"_qs,
                       u"Net1=5"_qs, u"DevID3=3001"_qs, u"BaseAddr3=3100"_qs, u"Net3=7"_qs})
                      .exitCode,
                  0);
    }
    QString job() const { return m_dir.filePath(u"site/job"_qs); }
    QString app() const { return m_dir.filePath(u"app"_qs); }
    CliResult cli(QStringList args, bool yes = false) const
    {
        if (yes)
            args.prepend(u"--yes"_qs);
        return runCli(QStringList{u"--app-dir"_qs, app()} + args);
    }
    QTemporaryDir m_dir;
};

TEST_F(DevicesCli, BuildersAndMergeOfTheSelectedRows)
{
    CliResult r = cli({u"add-workstation"_qs, job(), u"25, lobby"_qs});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, u"Make sure to edit the network number before exporting.\n"_qs);
    r = cli({u"add-gateways"_qs, job()});
    EXPECT_EQ(r.exitCode, 0);
    // The sample maps five more trunks besides the two of Apex 3.
    EXPECT_TRUE(r.out.contains(u"add-gateways: 6 gateway(s)"_qs)) << r.out.toStdString();
    EXPECT_EQ(cli({u"add-tux"_qs, job()}).exitCode, 0);

    const QString dest = m_dir.filePath(u"bt/RepJob.mdb"_qs);
    QDir().mkpath(m_dir.filePath(u"bt"_qs));
    createDeviceDestination(dest);
    r = cli({u"merge"_qs, job(), dest, u"--devinst"_qs, u"3001,25"_qs});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, u"Merge completed.\n"_qs);
    EXPECT_EQ(rowsOf(dest, u"SELECT devinst, objname FROM tblRepJob ORDER BY rowid"_qs),
              (QStringList{u"25|DEV-25"_qs, u"3001|DEV-3001"_qs}));
    // The subnets of all rows, though only two devices were merged.
    EXPECT_EQ(rowsOf(dest, u"SELECT subnet FROM tblSubnets"_qs),
              (QStringList{u"5"_qs, u"11"_qs, u"12"_qs, u"21"_qs, u"7"_qs, u"51"_qs}));

    r = cli({u"merge"_qs, job(), dest, u"--devinst"_qs, u"x"_qs});
    EXPECT_EQ(r.exitCode, 2);
    // No number at all is a usage error too, never a merge of nothing.
    const QStringList before = rowsOf(dest, u"SELECT devinst FROM tblRepJob ORDER BY rowid"_qs);
    for (const QString &none : {QString(), u","_qs, u" , ,"_qs}) {
        r = cli({u"merge"_qs, job(), dest, u"--devinst"_qs, none});
        EXPECT_EQ(r.exitCode, 2) << none.toStdString();
        EXPECT_TRUE(r.err.contains(u"--devinst takes one or more device instances"_qs)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(rowsOf(dest, u"SELECT devinst FROM tblRepJob ORDER BY rowid"_qs), before);
}

// A destination shaped like an Access file, its columns typed BIGINT,
// SMALLINT, BIT, NVARCHAR or not at all and objname shorter than some
// names: the merge writes what fits and names the rows it could not write.
TEST_F(DevicesCli, MergesIntoAnAccessShapedDestination)
{
    ASSERT_EQ(cli({u"add-workstation"_qs, job(), u"25"_qs}).exitCode, 0);
    ASSERT_EQ(cli({u"add-gateways"_qs, job()}).exitCode, 0);
    const QString dest = m_dir.filePath(u"bt/RepJob.mdb"_qs);
    QDir().mkpath(m_dir.filePath(u"bt"_qs));
    DestinationShape shape;
    shape.accessShaped = true;
    shape.objnameChars = 7;
    createDeviceDestination(dest, shape);
    for (const char *odbc : {"0", "1"}) {
        CliOptions options;
        options.env.insert(u"VORLIX_OUTSIDE_ODBC"_qs, QLatin1String(odbc));
        const CliResult r = runCli(QStringList{u"--app-dir"_qs, app(), u"merge"_qs, job(), dest}, options);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        // The gateways' names (DEV-1001 ...) are longer than 7 characters.
        EXPECT_TRUE(QRegularExpression(u"^Merge completed\\. [1-9] row\\(s\\) were not written \\(see the log\\)\\.\n$"_qs)
                        .match(r.out)
                        .hasMatch())
            << r.out.toStdString();
        EXPECT_EQ(rowsOf(dest, u"SELECT DEVINST, OBJNAME FROM tblRepJob"_qs), QStringList{u"25|DEV-25"_qs});
    }
}

// The controller map takes device instances within BACnet's range only, and
// the Tux bases that keep their devices within it.
TEST_F(DevicesCli, MapRefusesInstancesOutsideTheRange)
{
    const CliResult r = cli({u"map"_qs, job(), u"3"_qs, u"BaseAddr1=2147483647"_qs});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(u"BaseAddr1 must be from 0 to 4194203"_qs)) << r.err.toStdString();
    const CliResult dev = cli({u"map"_qs, job(), u"3"_qs, u"DevID1=4194303"_qs});
    EXPECT_EQ(dev.exitCode, 1);
    EXPECT_TRUE(dev.err.contains(u"DevID1 must be a BACnet device instance from 0 to 4194302"_qs)) << dev.err.toStdString();
    EXPECT_TRUE(cli({u"dump"_qs, job(), u"ApexMap"_qs}).out.contains(u"\n3,13,"_qs));
    EXPECT_EQ(cli({u"add-tux"_qs, job()}).exitCode, 0);
    const CliResult devices = cli({u"dump"_qs, job(), u"tblRepJob"_qs});
    EXPECT_FALSE(devices.out.contains(u"-2147483646"_qs));
    EXPECT_FALSE(devices.out.contains(u"2147483650"_qs));
}

TEST_F(DevicesCli, RefusalsExitOneAndChangeNothing)
{
    CliResult r = cli({u"add-workstation"_qs, job(), u"lobby"_qs});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(u"not a number"_qs)) << r.err.toStdString();
    const QString missing = m_dir.filePath(u"nowhere/RepJob.mdb"_qs);
    r = cli({u"merge"_qs, job(), missing});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString(); // no completion message
    EXPECT_FALSE(QFile::exists(missing));
    r = cli({u"empty-devices"_qs, job()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains(u"nothing was done"_qs));
    EXPECT_EQ(cli({u"update-tdc"_qs, job()}).out, u"TDC list is empty!\n"_qs);
}

TEST_F(DevicesCli, NeverWritesWindowStateIntoTheSettings)
{
    const QString ini = app() + u"/vorlix.ini"_qs;
    EXPECT_FALSE(readFile(ini).contains("ColWidthDeviceDb"));
    QByteArray text = readFile(ini);
    text.replace("[Display]\r\n", "[Display]\r\nColWidthDeviceDb=70,80,\r\n");
    writeFile(ini, text);
    EXPECT_EQ(cli({u"add-gateways"_qs, job()}).exitCode, 0);
    EXPECT_TRUE(readFile(ini).contains("ColWidthDeviceDb=70,80,\r\n"));
    EXPECT_FALSE(readFile(ini).contains("ColVisibleDeviceDb"));
}

} // namespace
